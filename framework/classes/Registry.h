#pragma once
// TRegistry: reading and writing settings in the system registry, one open key at a time
// under a root key (HKEY_CURRENT_USER unless set). Key paths starting with "\" are taken from
// the root; others from the open key. TRegistryIniFile offers the same store through the
// ini-file interface: the "file" is a key path under the root, sections are its subkeys and
// idents their values.
#include "framework/classes/IniFiles.h"
#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

#include <windows.h>

class TStrings;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegKeyInfo {
    int NumSubKeys = 0;
    int MaxSubKeyLen = 0;
    int NumValues = 0;
    int MaxValueLen = 0;
    int MaxDataLen = 0;
    FILETIME FileTime = {};
};

struct TRegDataInfo {
    TRegDataType RegData = rdUnknown;
    int DataSize = 0;
};

class TRegistry : public TObject {
public:
    // Access KEY_ALL_ACCESS unless given.
    TRegistry();
    explicit TRegistry(REGSAM AAccess);
    ~TRegistry() override;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM Value) { FAccess = Value; }
    HKEY CurrentKey() const { return FCurrentKey; }
    // Path of the open key from the root, without a leading "\"; empty when none is open.
    const String& CurrentPath() const { return FCurrentPath; }
    // When off, closing a key flushes it to disk at once.
    bool LazyWrite() const { return FLazyWrite; }
    void SetLazyWrite(bool Value) { FLazyWrite = Value; }

    // Opens Key (creating it when CanCreate) as the current key; false when that fails.
    bool OpenKey(const String& Key, bool CanCreate);
    // Opens Key for reading only; Access becomes KEY_READ.
    bool OpenKeyReadOnly(const String& Key);
    // Creates Key without opening it; ERegistryException "Failed to create key ..." on failure.
    bool CreateKey(const String& Key);
    void CloseKey();
    // Deletes Key with all its subkeys.
    bool DeleteKey(const String& Key);
    bool DeleteValue(const String& Name);
    bool KeyExists(const String& Key);
    bool ValueExists(const String& Name);
    bool HasSubKeys();
    bool GetKeyInfo(TRegKeyInfo& Value);
    // Names of the open key's subkeys / values (Strings is cleared first).
    void GetKeyNames(TStrings* Strings);
    void GetValueNames(TStrings* Strings);

    bool GetDataInfo(const String& ValueName, TRegDataInfo& Value);
    // rdUnknown / -1 when the value does not exist.
    TRegDataType GetDataType(const String& ValueName);
    int GetDataSize(const String& ValueName);

    // Readers raise ERegistryException "Invalid data type for '<name>'" for a value of
    // another type and "Failed to get data for '<name>'" when the value cannot be read;
    // ReadString gives "" for a missing value. Writers raise "Failed to set data for '<name>'".
    String ReadString(const String& Name);
    void WriteString(const String& Name, const String& Value);
    // Stored as REG_EXPAND_SZ: environment references stay unexpanded in the registry.
    void WriteExpandString(const String& Name, const String& Value);
    int ReadInteger(const String& Name);
    void WriteInteger(const String& Name, int Value);
    bool ReadBool(const String& Name);
    void WriteBool(const String& Name, bool Value);
    // Floating-point and date values are 8 binary bytes.
    double ReadFloat(const String& Name);
    void WriteFloat(const String& Name, double Value);
    TDateTime ReadDateTime(const String& Name);
    void WriteDateTime(const String& Name, TDateTime Value);
    // Copies the value into Buffer and answers its size (0 for a missing value); raises when
    // the value is not binary or does not fit in BufSize bytes.
    int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
    void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

protected:
    void ChangeKey(HKEY Value, const String& Path);
    HKEY GetBaseKey(bool Relative) const;
    // Opens Key with the current access; null when it cannot.
    HKEY GetKey(const String& Key);
    int GetData(const String& Name, void* Buffer, DWORD BufSize, TRegDataType& RegData);
    void PutData(const String& Name, const void* Buffer, DWORD BufSize, TRegDataType RegData);

private:
    double ReadEightBytes(const String& Name);

    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = nullptr;
    String FCurrentPath;
    REGSAM FAccess = KEY_ALL_ACCESS;
    bool FLazyWrite = true;
};

class TRegistryIniFile : public TCustomIniFile {
public:
    // Opens (creating it) the key FileName under HKEY_CURRENT_USER.
    explicit TRegistryIniFile(const String& FileName, REGSAM AAccess = KEY_ALL_ACCESS);
    ~TRegistryIniFile() override;

    // The registry object open on the file's key.
    TRegistry* RegIniFile() { return &FRegistry; }

    // Integers are REG_DWORD, strings REG_SZ; reading an integer value as a string gives its
    // decimal text, and a numeric string reads as an integer.
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    int ReadInteger(const String& Section, const String& Ident, int Default) override;
    // Keeps an existing string value a string.
    void WriteInteger(const String& Section, const String& Ident, int Value) override;
    // Stored as 8 binary bytes; a string value is parsed as the ini-file base does.
    double ReadFloat(const String& Section, const String& Ident, double Default) override;
    void WriteFloat(const String& Section, const String& Ident, double Value) override;
    TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default) override;
    void WriteDate(const String& Section, const String& Ident, TDateTime Value) override;
    TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default) override;
    void WriteDateTime(const String& Section, const String& Ident, TDateTime Value) override;
    TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default) override;
    void WriteTime(const String& Section, const String& Ident, TDateTime Value) override;
    // REG_BINARY; a string value is taken as the ini-file base's hexadecimal text.
    int ReadBinaryStream(const String& Section, const String& Ident, TStream* Value) override;
    void WriteBinaryStream(const String& Section, const String& Ident, TStream* Value) override;

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Flushes the file's key.
    void UpdateFile() override;

private:
    // Opens Reg on the section's key; false when it does not exist (and cannot be created).
    bool OpenSection(TRegistry& Reg, const String& Section, bool Create);
    // A binary value as a double, or a string value through the ini-file base (ReadBase).
    template <class ReadBase>
    double ReadEightByteValue(const String& Section, const String& Ident, double Default, ReadBase Base);
    void WriteEightByteValue(const String& Section, const String& Ident, double Value);

    TRegistry FRegistry;
};
