#include "framework/classes/StringList.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

#include "framework/classes/Streams.h"
#include "framework/system/ScopeGuards.h"
#include "framework/system/StringUtils.h"

namespace {

const wchar_t* const SSortedListError = L"Operation not allowed on sorted list";
const wchar_t* const SDuplicateString = L"String list does not allow duplicates";

bool IsValidUtf8(const char* data, size_t size)
{
    if (size == 0) return true;
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data, static_cast<int>(size), nullptr, 0) != 0;
}

} // namespace

// Encodings -------------------------------------------------------------------------------------

String DecodeText(const void* Data, size_t Size, TTextEncoding* Detected)
{
    const auto* bytes = static_cast<const unsigned char*>(Data);
    const char* chars = static_cast<const char*>(Data);
    TTextEncoding found;
    String text;
    if (Size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        found = teUTF8BOM;
        text = Utf8ToString(std::string_view(chars + 3, Size - 3));
    } else if (Size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        found = teUTF16LE;
        text.resize((Size - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
    } else if (Size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        found = teUTF16BE;
        text.resize((Size - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>((bytes[2 + 2 * i] << 8) | bytes[3 + 2 * i]);
    } else if (IsValidUtf8(chars, Size)) {
        found = teUTF8;
        text = Utf8ToString(std::string_view(chars, Size));
    } else {
        found = teANSI;
        text = AnsiToString(std::string_view(chars, Size));
    }
    if (Detected != nullptr) *Detected = found;
    return text;
}

std::string EncodeText(const String& Text, TTextEncoding Encoding)
{
    switch (Encoding) {
    case teUTF8BOM:
        return "\xEF\xBB\xBF" + StringToUtf8(Text);
    case teANSI:
        return StringToAnsi(Text);
    case teUTF16LE:
    case teUTF16BE: {
        bool little = Encoding == teUTF16LE;
        std::string out;
        out.reserve(2 + 2 * Text.size());
        out += little ? "\xFF\xFE" : "\xFE\xFF";
        for (wchar_t c : Text) {
            char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
            out += little ? lo : hi;
            out += little ? hi : lo;
        }
        return out;
    }
    case teUTF8:
    default:
        return StringToUtf8(Text);
    }
}

// TStrings --------------------------------------------------------------------------------------

void TStrings::Error(const String& Message)
{
    throw EStringListError(Message);
}

void TStrings::IndexError(int Index)
{
    throw EStringListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

TObject* TStrings::GetObjectAt(int) const
{
    return nullptr;
}

void TStrings::Put(int Index, const String& S)
{
    TUpdateGuard<TStrings> update(*this);
    TObject* object = GetObjectAt(Index);
    Delete(Index);
    InsertObject(Index, S, object);
}

void TStrings::PutObjectAt(int, TObject*) {}

int TStrings::Add(const String& S)
{
    int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const String& S, TObject* AObject)
{
    int index = Add(S);
    PutObjectAt(index, AObject);
    return index;
}

int TStrings::AddPair(const String& Name, const String& Value)
{
    return Add(Name + FNameValueSeparator + Value);
}

void TStrings::AddStrings(const TStrings* Strings)
{
    if (Strings == nullptr) return;
    TUpdateGuard<TStrings> update(*this);
    int count = Strings->GetCount();
    for (int i = 0; i < count; ++i) AddObject(Strings->Get(i), Strings->GetObjectAt(i));
}

void TStrings::AddStrings(const std::vector<String>& Strings)
{
    TUpdateGuard<TStrings> update(*this);
    for (const String& s : Strings) Add(s);
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    PutObjectAt(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2)
{
    TUpdateGuard<TStrings> update(*this);
    String s1 = Get(Index1), s2 = Get(Index2);
    TObject* o1 = GetObjectAt(Index1);
    TObject* o2 = GetObjectAt(Index2);
    Put(Index1, s2);
    PutObjectAt(Index1, o2);
    Put(Index2, s1);
    PutObjectAt(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    TUpdateGuard<TStrings> update(*this);
    String s = Get(CurIndex);
    TObject* object = GetObjectAt(CurIndex);
    // Detach the object first: a list that owns its objects would free it on Delete.
    PutObjectAt(CurIndex, nullptr);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
}

int TStrings::IndexOf(const String& S) const
{
    int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& Name) const
{
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        String s = Get(i);
        size_t sep = s.find(FNameValueSeparator);
        if (sep != String::npos && CompareStrings(s.substr(0, sep), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    int count = GetCount();
    for (int i = 0; i < count; ++i)
        if (GetObjectAt(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(const TStrings* Strings) const
{
    if (Strings == nullptr) return false;
    int count = GetCount();
    if (count != Strings->GetCount()) return false;
    for (int i = 0; i < count; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

void TStrings::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStrings*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    TUpdateGuard<TStrings> update(*this);
    Clear();
    FDelimiter = source->FDelimiter;
    FQuoteChar = source->FQuoteChar;
    FNameValueSeparator = source->FNameValueSeparator;
    FStrictDelimiter = source->FStrictDelimiter;
    AddStrings(source);
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

String TStrings::Text() const
{
    String text;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        text += Get(i);
        text += L"\r\n";
    }
    return text;
}

void TStrings::SetText(const String& Value)
{
    TUpdateGuard<TStrings> update(*this);
    Clear();
    size_t start = 0, n = Value.size();
    while (start < n) {
        size_t end = start;
        while (end < n && Value[end] != L'\r' && Value[end] != L'\n') ++end;
        Add(Value.substr(start, end - start));
        if (end < n && Value[end] == L'\r') ++end;
        if (end < n && Value[end] == L'\n') ++end;
        start = end;
    }
}

String TStrings::CommaText() const
{
    return JoinDelimited(L',', L'"');
}

void TStrings::SetCommaText(const String& Value)
{
    SplitDelimited(Value, L',', L'"');
}

String TStrings::DelimitedText() const
{
    return JoinDelimited(FDelimiter, FQuoteChar);
}

void TStrings::SetDelimitedText(const String& Value)
{
    SplitDelimited(Value, FDelimiter, FQuoteChar);
}

String TStrings::JoinDelimited(wchar_t Delimiter, wchar_t Quote) const
{
    int count = GetCount();
    if (count == 1 && Get(0).empty()) return String(2, Quote);
    String text;
    for (int i = 0; i < count; ++i) {
        String s = Get(i);
        bool quote = false;
        for (wchar_t c : s) {
            if (c == L'\0') break;
            if (c == Quote || c == Delimiter || (!FStrictDelimiter && c <= L' ')) {
                quote = true;
                break;
            }
        }
        if (i > 0) text += Delimiter;
        text += quote ? AnsiQuotedStr(s, Quote) : s;
    }
    return text;
}

void TStrings::SplitDelimited(const String& Value, wchar_t Delimiter, wchar_t Quote)
{
    TUpdateGuard<TStrings> update(*this);
    Clear();
    const size_t n = Value.size();
    auto at = [&](size_t i) { return i < n ? Value[i] : L'\0'; };
    auto isBlank = [&](size_t i) { wchar_t c = at(i); return c >= 1 && c <= L' '; };
    size_t p = 0;
    if (!FStrictDelimiter)
        while (isBlank(p)) ++p;
    while (at(p) != L'\0') {
        String s;
        if (at(p) == Quote) {
            // Quoted item: doubled quotes stand for one; an unclosed quote runs to the end.
            ++p;
            while (p < n) {
                if (Value[p] == Quote) {
                    if (at(p + 1) == Quote) {
                        s += Quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                s += Value[p++];
            }
        } else {
            size_t first = p;
            while (at(p) != L'\0' && at(p) != Delimiter && (FStrictDelimiter || at(p) > L' ')) ++p;
            s = Value.substr(first, p - first);
        }
        Add(s);
        if (!FStrictDelimiter)
            while (isBlank(p)) ++p;
        if (at(p) == Delimiter) {
            // A delimiter at the very end stands for a last, empty item.
            if (at(p + 1) == L'\0') Add(String());
            do {
                ++p;
            } while (!FStrictDelimiter && isBlank(p));
        }
    }
}

String TStrings::Names(int Index) const
{
    String s = Get(Index);
    size_t sep = s.find(FNameValueSeparator);
    return sep == String::npos ? String() : s.substr(0, sep);
}

String TStrings::Values(const String& Name) const
{
    int index = IndexOfName(Name);
    return index >= 0 ? ValueFromIndex(index) : String();
}

void TStrings::SetValues(const String& Name, const String& Value)
{
    int index = IndexOfName(Name);
    if (!Value.empty()) {
        if (index < 0) index = Add(String());
        Put(index, Name + FNameValueSeparator + Value);
    } else if (index >= 0) {
        Delete(index);
    }
}

String TStrings::ValueFromIndex(int Index) const
{
    if (Index < 0) return String();
    String s = Get(Index);
    size_t sep = s.find(FNameValueSeparator);
    return sep == String::npos ? String() : s.substr(sep + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value)
{
    if (!Value.empty()) {
        if (Index < 0) Index = Add(String());
        Put(Index, Names(Index) + FNameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

void TStrings::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream)
{
    int64_t size = Stream->Size() - Stream->Position();
    std::string bytes(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    SetText(DecodeText(bytes.data(), bytes.size(), &FLoadedEncoding));
}

void TStrings::SaveToFile(const String& FileName, TTextEncoding Encoding) const
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream, Encoding);
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) const
{
    std::string bytes = EncodeText(Text(), Encoding);
    if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

std::vector<String> TStrings::ToVector() const
{
    std::vector<String> out;
    int count = GetCount();
    out.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) out.push_back(Get(i));
    return out;
}

int TStrings::CompareStrings(const String& S1, const String& S2) const
{
    return AnsiCompareText(S1, S2);
}

// TStringList -----------------------------------------------------------------------------------

TStringList::~TStringList()
{
    OnChanging = nullptr;
    OnChange = nullptr;
    if (FOwnsObjects)
        for (TStringItem& item : FList) delete item.FObject;
}

String TStringList::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FList[static_cast<size_t>(Index)].FString;
}

TObject* TStringList::GetObjectAt(int Index) const
{
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::Put(int Index, const String& S)
{
    if (FSorted) Error(SSortedListError);
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

void TStringList::PutObjectAt(int Index, TObject* AObject)
{
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::Insert(int Index, const String& S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String& S, TObject* AObject)
{
    if (FSorted) Error(SSortedListError);
    if (Index < 0 || Index > GetCount()) IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) IndexError(Index);
    Changing();
    TObject* object = FList[static_cast<size_t>(Index)].FObject;
    FList.erase(FList.begin() + Index);
    if (FOwnsObjects) delete object;
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(FList);
    if (FOwnsObjects)
        for (TStringItem& item : old) delete item.FObject;
    Changed();
}

int TStringList::Add(const String& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const String& S, TObject* AObject)
{
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) Error(SDuplicateString);
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Exchange(int Index1, int Index2)
{
    if (Index1 < 0 || Index1 >= GetCount()) IndexError(Index1);
    if (Index2 < 0 || Index2 >= GetCount()) IndexError(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    if (FSorted) Error(SSortedListError);
    if (CurIndex < 0 || CurIndex >= GetCount()) IndexError(CurIndex);
    if (NewIndex < 0 || NewIndex >= GetCount()) IndexError(NewIndex);
    Changing();
    TStringItem item = std::move(FList[static_cast<size_t>(CurIndex)]);
    FList.erase(FList.begin() + CurIndex);
    FList.insert(FList.begin() + NewIndex, std::move(item));
    Changed();
}

int TStringList::IndexOf(const String& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

void TStringList::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStringList*>(Source);
    if (source != nullptr && source != this) {
        // Copy in the source's order, then take its sorting: that order is already sorted.
        FSorted = false;
        FCaseSensitive = source->FCaseSensitive;
        FDuplicates = source->FDuplicates;
        TStrings::Assign(Source);
        FSorted = source->FSorted;
        return;
    }
    TStrings::Assign(Source);
}

bool TStringList::Find(const String& S, int& Index) const
{
    bool found = false;
    int low = 0, high = GetCount() - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, S);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                // With duplicates accepted, keep searching left for the first equal one.
                if (FDuplicates != dupAccept) low = mid;
            }
        }
    }
    Index = low;
    return found;
}

void TStringList::Sort()
{
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].FString, list->FList[static_cast<size_t>(b)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (FSorted || GetCount() < 2 || !Compare) return;
    Changing();
    SortItems(Compare);
    Changed();
}

void TStringList::SortItems(const TStringListSortCompare& Compare)
{
    // Sort positions, so Compare always sees the list as it was; then apply the order.
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList.swap(sorted);
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) {
        FSorted = false;
        SetSorted(true);
    }
}

void TStringList::Changing()
{
    if (UpdateCount() == 0) {
        if (OnChanging) OnChanging(this);
    } else if (!FChangedInUpdate) {
        FChangedInUpdate = true;
        if (OnChanging) OnChanging(this);
    }
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating) {
        FChangedInUpdate = false;
    } else if (FChangedInUpdate) {
        FChangedInUpdate = false;
        if (OnChange) OnChange(this);
    }
}

int TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}
