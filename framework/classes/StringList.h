#pragma once
// TStrings, the abstract list of strings with attached objects that controls and settings
// expose, and TStringList, its stored implementation (sorting, duplicates, change events).
// Also the text-file encodings every text reader and writer of the framework shares.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

class TStream;

// Encodings of text files. Reading detects a byte-order mark; without one, bytes that are valid
// UTF-8 are UTF-8 and anything else is the process's ANSI code page.
enum TTextEncoding : int {
    teUTF8,      // UTF-8 without byte-order mark (the default for writing)
    teUTF8BOM,   // UTF-8 with byte-order mark
    teANSI,      // the ANSI code page (CP_ACP)
    teUTF16LE,   // UTF-16 little endian with byte-order mark
    teUTF16BE,   // UTF-16 big endian with byte-order mark
};

// Decodes a whole text file's bytes; Detected (optional) receives the encoding found.
String DecodeText(const void* Data, size_t Size, TTextEncoding* Detected = nullptr);
// Encodes Text, with the encoding's byte-order mark first when it has one.
std::string EncodeText(const String& Text, TTextEncoding Encoding);

class TStrings : public TPersistent {
public:
    TStrings() = default;
    ~TStrings() override = default;

    // Implementation primitives of a concrete list. (The object accessors are not called
    // GetObject: windows.h turns that name into a macro.)
    virtual String Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObjectAt(int Index) const;
    virtual void Put(int Index, const String& S);
    virtual void PutObjectAt(int Index, TObject* AObject);
    virtual void Insert(int Index, const String& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // Properties over the primitives.
    int Count() const { return GetCount(); }
    String Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    String operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObjectAt(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObjectAt(Index, AObject); }

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    int AddPair(const String& Name, const String& Value);
    void Append(const String& S) { Add(S); }
    virtual void AddStrings(const TStrings* Strings);
    void AddStrings(const std::vector<String>& Strings);
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(TObject* AObject) const;
    // Same count and the same strings in the same order, compared exactly.
    bool Equals(const TStrings* Strings) const;

    void Assign(TPersistent* Source) override;

    // Nested: only the outermost EndUpdate ends the update.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Every line followed by CR LF.
    virtual String Text() const;
    // Splits at CR, LF or CR LF; a final line break does not start another line.
    virtual void SetText(const String& Value);
    String CommaText() const;
    void SetCommaText(const String& Value);
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    wchar_t Delimiter() const { return FDelimiter; }
    void SetDelimiter(wchar_t Value) { FDelimiter = Value; }
    wchar_t QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(wchar_t Value) { FQuoteChar = Value; }
    // Strict: only the delimiter separates items (spaces are kept and need no quotes).
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

    // Name=value lines.
    wchar_t NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(wchar_t Value) { FNameValueSeparator = Value; }
    String Names(int Index) const;
    String Values(const String& Name) const;
    // An empty Value removes the line; a new name is added at the end.
    void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);

    virtual void LoadFromFile(const String& FileName);
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToFile(const String& FileName, TTextEncoding Encoding = teUTF8) const;
    virtual void SaveToStream(TStream* Stream, TTextEncoding Encoding = teUTF8) const;
    // The encoding the last LoadFromFile/LoadFromStream found.
    TTextEncoding LoadedEncoding() const { return FLoadedEncoding; }

    std::vector<String> ToVector() const;

protected:
    // Called with true by the outermost BeginUpdate and with false by the outermost EndUpdate.
    virtual void SetUpdateState(bool Updating) {}
    // Compares two strings the way IndexOf does (case-insensitive here).
    virtual int CompareStrings(const String& S1, const String& S2) const;
    // EStringListError with Message / "List index out of bounds (Index)".
    [[noreturn]] static void Error(const String& Message);
    [[noreturn]] static void IndexError(int Index);

private:
    String JoinDelimited(wchar_t Delimiter, wchar_t Quote) const;
    void SplitDelimited(const String& Value, wchar_t Delimiter, wchar_t Quote);

    int FUpdateCount = 0;
    wchar_t FDelimiter = L',';
    wchar_t FQuoteChar = L'"';
    wchar_t FNameValueSeparator = L'=';
    bool FStrictDelimiter = false;
    TTextEncoding FLoadedEncoding = teUTF8;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    explicit TStringList(bool OwnsObjects = false) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    String Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    TObject* GetObjectAt(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObjectAt(int Index, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const String& S) const override;
    void Assign(TPersistent* Source) override;

    // Binary search of a sorted list: true when found; Index is the match or the insertion point.
    virtual bool Find(const String& S, int& Index) const;
    virtual void Sort();
    // Sorts by Compare (does nothing on a sorted list, which keeps its own order).
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // When set, the list frees the objects of the lines it deletes.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    // Fired before and after each change; inside BeginUpdate/EndUpdate, once before the first
    // change and once after the outermost EndUpdate, and only when something changed.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    virtual void Changing();
    virtual void Changed();
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const String& S1, const String& S2) const override;
    virtual void InsertItem(int Index, const String& S, TObject* AObject);

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    void SortItems(const TStringListSortCompare& Compare);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    bool FChangedInUpdate = false;
    TDuplicates FDuplicates = dupIgnore;
};
