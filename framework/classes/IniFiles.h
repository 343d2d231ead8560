#pragma once
// Ini files: name=value settings grouped in [sections]. TCustomIniFile is the abstract store
// with the typed readers and writers built on strings (a registry-backed store derives from
// it too); TMemIniFile keeps the whole file in memory and writes it back on UpdateFile;
// TIniFile writes every change through to the file at once.
#include <memory>
#include <vector>

#include "framework/system/Exceptions.h"
#include "framework/classes/StringList.h"
#include "framework/system/SystemTypes.h"

class TStream;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}
    ~TCustomIniFile() override = default;

    const String& FileName() const { return FFileName; }

    virtual bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal or hexadecimal ("$1F", "0x1F"); anything else gives Default.
    virtual int ReadInteger(const String& Section, const String& Ident, int Default);
    virtual void WriteInteger(const String& Section, const String& Ident, int Value);
    // Any non-zero integer is true; written as "1" / "0".
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    virtual double ReadFloat(const String& Section, const String& Ident, double Default);
    virtual void WriteFloat(const String& Section, const String& Ident, double Value);
    virtual TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteDate(const String& Section, const String& Ident, TDateTime Value);
    virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
    virtual TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteTime(const String& Section, const String& Ident, TDateTime Value);
    // Bytes as hexadecimal text. Reading writes the bytes at Value's position, leaves the
    // position at their start and returns their number; writing takes Value from its position
    // to its end and leaves the position where it was.
    virtual int ReadBinaryStream(const String& Section, const String& Ident, TStream* Value);
    virtual void WriteBinaryStream(const String& Section, const String& Ident, TStream* Value);

    // Key names of a section, in file order (Strings is cleared first).
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    virtual void ReadSections(TStrings* Strings) = 0;
    // "name=value" lines of a section.
    virtual void ReadSectionValues(const String& Section, TStrings* Strings);
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    virtual void UpdateFile() = 0;

protected:
    String FFileName;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Reads FileName when it exists; an absent file gives an empty store.
    explicit TMemIniFile(const String& FileName);
    ~TMemIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    // Writes the whole store to FileName; EIniFileException when the file cannot be written.
    void UpdateFile() override;

    void Clear();
    // The store as the lines of its file, and back.
    void GetStrings(TStrings* List) const;
    void SetStrings(const TStrings* List);
    // Points the store at another file, reading it when Reload is set.
    void Rename(const String& FileName, bool Reload);

    // Sections and keys compare case-insensitively unless this is set.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
    // Encoding UpdateFile writes: the one the file was read with, else UTF-8 without BOM.
    TTextEncoding Encoding() const { return FEncoding; }
    void SetEncoding(TTextEncoding Value) { FEncoding = Value; }

private:
    friend class TIniFile;
    struct TIniLine {
        String FText;        // the line as read, or as last written
        String FName;        // key name; empty for comments, blank and other lines
        String FUpperName;   // for case-insensitive lookups
        String FValue;
        bool FIsKey = false;
    };
    struct TIniSection {
        String FName;
        String FUpperName;
        String FHeader;      // the "[name]" line as read
        std::vector<TIniLine> FLines;
    };
    bool SameName(const String& Name, const String& UpperName, const String& Wanted, const String& UpperWanted) const;
    TIniSection* FindSection(const String& Section);
    TIniLine* FindKey(TIniSection* Section, const String& Ident);
    TIniSection& AddSection(const String& Section);
    void LoadValues();

    std::vector<TIniLine> FPreamble;   // lines before the first section
    std::vector<TIniSection> FSections;
    bool FCaseSensitive = false;
    TTextEncoding FEncoding = teUTF8;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    // Reaches the file before returning; EIniFileException when it cannot be written.
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    // Every change is already in the file.
    void UpdateFile() override {}

private:
    // The file as it is now on disk.
    TMemIniFile& Current();
    std::unique_ptr<TMemIniFile> FFile;
};
