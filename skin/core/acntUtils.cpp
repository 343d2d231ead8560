#include "skin/core/acntUtils.h"

#include <map>

#include <shellapi.h>

#include <climits>
#include <memory>

#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/system/StringUtils.h"
#include "skin/core/sDialogs.h"

TSysCharSet::TSysCharSet(std::string_view Chars)
{
    for (char c : Chars) FBits.set(static_cast<unsigned char>(c));
}

// ---- System settings ------------------------------------------------------------------------

namespace {

bool CaptionFont(LOGFONTW& Font)
{
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) return false;
    Font = m.lfCaptionFont;
    return true;
}

} // namespace

int CaptionFontHeight()
{
    LOGFONTW f;
    return CaptionFont(f) ? f.lfHeight : 0;
}

HFONT MakeCaptionFont()
{
    LOGFONTW f;
    return CaptionFont(f) ? CreateFontIndirectW(&f) : nullptr;
}

bool WindowAnimationOn()
{
    ANIMATIONINFO info{sizeof info, 0};
    return SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

void SetWindowAnimation(bool On)
{
    ANIMATIONINFO info{sizeof info, On ? -1 : 0};
    SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
}

bool IsWinXPOrLater()
{
    TWindowsVersion v = SystemFacts().WindowsVersion();
    return v.Major > 5 || (v.Major == 5 && v.Minor > 0);
}

bool NTPlatform()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // GetVersionEx is deprecated for version numbers, not for the platform it reports.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExW(&info) != FALSE;
#pragma GCC diagnostic pop
    return known && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

DWORD NTMajorVersion()
{
    return SystemFacts().WindowsVersion().Major;
}

namespace {

struct TApplicationIconsHolder {
    TacApplicationIcons Icons;
    TApplicationIconsHolder()
    {
        wchar_t path[MAX_PATH] = L"";
        // Only the count says whether icons came: a program without any may get a stale handle.
        if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0 || ExtractIconExW(path, 0, &Icons.Large, &Icons.Small, 1) == 0)
            Icons = TacApplicationIcons{};
    }
    ~TApplicationIconsHolder()
    {
        if (Icons.Small != nullptr) DestroyIcon(Icons.Small);
        if (Icons.Large != nullptr) DestroyIcon(Icons.Large);
    }
};

} // namespace

const TacApplicationIcons& ApplicationIcons()
{
    static const TApplicationIconsHolder holder;
    return holder.Icons;
}

bool IsWow64()
{
    using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Looked up once: older systems do not have it.
    static const auto isWow64Process = reinterpret_cast<TIsWow64Process>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow) && wow;
}

bool Wow64NoComposition()
{
    static const bool flag = IsWow64() && !(SystemFacts().WindowsVersion().Major >= 6 && SystemFacts().CompositionEnabled());
    return flag;
}

// ---- Numbers and rectangles -----------------------------------------------------------------

int LimitToByte(int Value)
{
    return Value < 0 ? 0 : Value > 255 ? 255 : Value;
}

String PickString(bool Flag, const String& A, const String& B)
{
    return Flag ? A : B;
}

int PickInt(bool Flag, int A, int B)
{
    return Flag ? A : B;
}

bool ValueBetween(int Value, int Bound1, int Bound2)
{
    if (Bound1 > Bound2) std::swap(Bound1, Bound2);
    return Value >= Bound1 && Value <= Bound2;
}

int GreaterOf(int A, int B)
{
    return A > B ? A : B;
}

int LesserOf(int A, int B)
{
    return A < B ? A : B;
}

void SwapInts(int& A, int& B)
{
    std::swap(A, B);
}

TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result)
{
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    m.Result = Result;
    return m;
}

bool RectOverlaps(const TRect& R1, const TRect& R2)
{
    if (R2.right <= R2.left || R2.bottom <= R2.top) return false;
    return !(R2.bottom <= R1.top || R2.right <= R1.left || R2.left >= R1.right || R2.top >= R1.bottom);
}

bool RectInsideRect(const TRect& Outer, const TRect& Inner)
{
    auto inside = [&](LONG x, LONG y) {
        return x >= Outer.left && x <= Outer.right && y >= Outer.top && y <= Outer.bottom;
    };
    return inside(Inner.left, Inner.top) && inside(Inner.right, Inner.bottom);
}

int RectExtentX(const TRect& R, bool CheckNegative)
{
    int w = R.right - R.left;
    return CheckNegative && w < 0 ? 0 : w;
}

int RectExtentY(const TRect& R, bool CheckNegative)
{
    int h = R.bottom - R.top;
    return CheckNegative && h < 0 ? 0 : h;
}

// ---- Words ----------------------------------------------------------------------------------

namespace {

bool IsSeparator(wchar_t C, const TSysCharSet& Separators)
{
    return C <= 0xFF && Separators.Contains(static_cast<unsigned char>(C));
}

bool IsSeparator(char C, const TSysCharSet& Separators)
{
    return Separators.Contains(static_cast<unsigned char>(C));
}

// Start (0-based) and length of the N-th word; false when there are fewer words.
template <class Text>
bool FindWord(int N, const Text& S, const TSysCharSet& Separators, size_t& Start, size_t& Length)
{
    int word = 0;
    size_t i = 0;
    while (i < S.size()) {
        while (i < S.size() && IsSeparator(S[i], Separators)) ++i;
        if (i == S.size()) break;
        size_t begin = i;
        while (i < S.size() && !IsSeparator(S[i], Separators)) ++i;
        if (++word == N) {
            Start = begin;
            Length = i - begin;
            return true;
        }
    }
    return false;
}

template <class Text>
int WordCount(const Text& S, const TSysCharSet& Separators)
{
    int count = 0;
    bool inWord = false;
    for (auto c : S) {
        bool sep = IsSeparator(c, Separators);
        if (!sep && !inWord) ++count;
        inWord = !sep;
    }
    return count;
}

// A whole decimal number that fits an int.
bool ParseDecimal(const String& S, int& Value)
{
    size_t i = (!S.empty() && (S[0] == L'-' || S[0] == L'+')) ? 1 : 0;
    if (i == S.size()) return false;
    long long v = 0;
    for (; i < S.size(); ++i) {
        if (S[i] < L'0' || S[i] > L'9') return false;
        v = v * 10 + (S[i] - L'0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (S[0] == L'-') v = -v;
    if (v > INT_MAX || v < INT_MIN) return false;
    Value = static_cast<int>(v);
    return true;
}

bool ParseHex(const String& S, int& Value)
{
    if (S.empty() || S.size() > 8) return false;
    unsigned v = 0;
    for (wchar_t c : S) {
        int d = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10
              : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
        if (d < 0) return false;
        v = v * 16 + static_cast<unsigned>(d);
    }
    Value = static_cast<int>(v);
    return true;
}

} // namespace

int CountWords(const String& S, const TSysCharSet& Separators)
{
    return WordCount(S, Separators);
}

int NthWordPos(int N, const String& S, const TSysCharSet& Separators)
{
    size_t start, length;
    return FindWord(N, S, Separators, start, length) ? static_cast<int>(start) + 1 : 0;
}

int NthWordInt(int N, const String& S, const TSysCharSet& Separators)
{
    size_t start, length;
    int value = 0;
    if (!FindWord(N, S, Separators, start, length) || !ParseDecimal(S.substr(start, length), value)) return 0;
    return value;
}

int CountWordsA(std::string_view S, const TSysCharSet& Separators)
{
    return WordCount(S, Separators);
}

int NthWordPosA(int N, std::string_view S, const TSysCharSet& Separators)
{
    size_t start, length;
    return FindWord(N, S, Separators, start, length) ? static_cast<int>(start) + 1 : 0;
}

std::string CopyNthWordA(int N, std::string_view S, const TSysCharSet& Separators)
{
    size_t start, length;
    return FindWord(N, S, Separators, start, length) ? std::string(S.substr(start, length)) : std::string();
}

// ---- Text -----------------------------------------------------------------------------------

std::string RepeatCharA(char C, int Count)
{
    return Count > 0 ? std::string(static_cast<size_t>(Count), C) : std::string();
}

String RepeatCharW(wchar_t C, int Count)
{
    return Count > 0 ? String(static_cast<size_t>(Count), C) : String();
}

String StripChar(const String& S, wchar_t C)
{
    String out;
    out.reserve(S.size());
    for (wchar_t c : S)
        if (c != C) out += c;
    return out;
}

String PrintableText(const String& S)
{
    static const wchar_t Hex[] = L"0123456789ABCDEF";
    String out;
    out.reserve(S.size());
    for (wchar_t c : S) {
        if (c >= 0x20 && c != 0x7F) {
            out += c;
            continue;
        }
        out += L"\\x";
        out += Hex[(c >> 4) & 0xF];
        out += Hex[c & 0xF];
    }
    return out;
}

String SubstituteText(const String& S, const String& Find, const String& Replacement)
{
    if (Find.empty()) return S;
    String out;
    size_t from = 0;
    for (size_t at; (at = S.find(Find, from)) != String::npos; from = at + Find.size()) {
        out.append(S, from, at - from);
        out += Replacement;
    }
    out.append(S, from, String::npos);
    return out;
}

bool AllCharsInSet(std::string_view S, const TSysCharSet& Set)
{
    for (char c : S)
        if (!Set.Contains(static_cast<unsigned char>(c))) return false;
    return true;
}

// ---- INI text -------------------------------------------------------------------------------

void ParseIniText(const TStrings* Lines, TStringList* Sections)
{
    Sections->Clear();
    TStringList* current = nullptr;
    for (int i = 0; i < Lines->Count(); ++i) {
        String line = Lines->Strings(i);
        if (line.empty() || line[0] == L';') continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            current = new TStringList();
            Sections->AddObject(line.substr(1, line.size() - 2), current);
        } else if (current != nullptr) {
            current->Add(line);
        }
    }
}

void IniTextValue(const TStringList* Sections, const TStrings*, const String& Section, String& Value,
                  const String& Default, const String& Key)
{
    Value = Default;
    int s = Sections->IndexOf(Section);
    if (s < 0) return;
    auto* lines = dynamic_cast<TStrings*>(Sections->Objects(s));
    if (lines == nullptr) return;
    int k = lines->IndexOfName(Key);
    if (k < 0) return;
    String line = lines->Strings(k);
    Value = line.substr(line.find(L'=') + 1);
}

int IniTextInt(const TStringList* Sections, const TStrings* Lines, const String& Section, int Default,
               const String& Key)
{
    String text;
    IniTextValue(Sections, Lines, Section, text, L"", Key);
    int value = Default;
    bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    if (hex ? ParseHex(text.substr(2), value) : ParseDecimal(text, value)) return value;
    return Default;
}

// ---- Skin helpers ---------------------------------------------------------------------------

TCacheInfo MakeCacheInfo(TBitmap* Bmp, int X, int Y)
{
    return TCacheInfo{Bmp, X, Y, 0xFF00FF, true};
}

void ShowWarningBox(const String& Text)
{
    MessageBoxDlg(Text, mtWarning, {mbOK}, 0);
}

void ShowErrorBox(const String& Text)
{
    MessageBoxDlg(Text, mtError, {mbOK}, 0);
}

void PauseWithMessages(DWORD Milliseconds)
{
    const DWORD start = SystemFacts().TickCount();
    for (;;) {
        Application->ProcessMessages();
        DWORD passed = SystemFacts().TickCount() - start;
        if (passed >= Milliseconds) break;
        // Sleeps until a message comes or the time is up, instead of spinning.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, Milliseconds - passed, QS_ALLINPUT);
    }
}

// ---- Published properties -------------------------------------------------------------------

namespace {

const TPropertyInfo* PropertyOf(TObject* Obj, const String& Name)
{
    return Obj != nullptr ? FindPublishedProperty(Obj->ClassName(), Name) : nullptr;
}

} // namespace

bool HasPublishedProp(TObject* Obj, const String& Name)
{
    return PropertyOf(Obj, Name) != nullptr;
}

TPersistent* ReadObjectProp(TObject* Obj, const String& Name)
{
    const TPropertyInfo* p = PropertyOf(Obj, Name);
    if (p == nullptr || !p->GetObject) return nullptr;
    return p->GetObject(dynamic_cast<TPersistent*>(Obj));
}

namespace {

// Readers by class and property name (case-insensitive, as published names are).
std::map<String, TOrdinalReader, TIdentLess>& OrdinalReaders()
{
    static std::map<String, TOrdinalReader, TIdentLess> readers;
    return readers;
}

// The reader of the property as the object's class or the nearest base class registered it.
const TOrdinalReader* ReaderOf(TObject* Obj, const String& Name)
{
    if (PropertyOf(Obj, Name) == nullptr) return nullptr;
    for (String cls = Obj->ClassName(); !cls.empty();) {
        auto it = OrdinalReaders().find(cls + L"." + Name);
        if (it != OrdinalReaders().end()) return &it->second;
        const TClassInfo* info = FindClassInfo(cls);
        cls = info != nullptr ? info->BaseName : String();
    }
    return nullptr;
}

} // namespace

void RegisterOrdinalReader(const String& ClassName, const String& PropName, TOrdinalReader Reader)
{
    OrdinalReaders()[ClassName + L"." + PropName] = std::move(Reader);
}

int64_t ReadOrdProp(TObject* Obj, const String& Name)
{
    const TOrdinalReader* reader = ReaderOf(Obj, Name);
    return reader != nullptr ? (*reader)(Obj) : -1;
}

void WriteOrdProp(TObject* Obj, const String& Name, int64_t Value)
{
    const TPropertyInfo* p = PropertyOf(Obj, Name);
    if (p != nullptr && p->SetOrdinal) p->SetOrdinal(dynamic_cast<TPersistent*>(Obj), Value);
}

namespace {

// The property's set bits and the bit of Element; false when either is unknown. Elements are
// matched by their whole name, so "akTop" never matches inside a longer element's name.
bool SetElementBit(TObject* Obj, const String& Name, const String& Element, const TPropertyInfo*& Prop,
                   uint64_t& Bits, uint64_t& Bit)
{
    Prop = PropertyOf(Obj, Name);
    const TOrdinalReader* reader = ReaderOf(Obj, Name);
    if (Prop == nullptr || Prop->Kind != TPropertyKind::Set || reader == nullptr) return false;
    int64_t ordinal = 0;
    if (!IdentToOrdinal(Prop->TypeName, Element, ordinal) || ordinal < 0 || ordinal >= 32) return false;
    Bits = static_cast<uint64_t>((*reader)(Obj));
    Bit = uint64_t(1) << ordinal;
    return true;
}

} // namespace

bool SetPropContains(TObject* Obj, const String& Name, const String& Element)
{
    const TPropertyInfo* p;
    uint64_t bits, bit;
    return SetElementBit(Obj, Name, Element, p, bits, bit) && (bits & bit) != 0;
}

void ChangeSetPropElement(TObject* Obj, const String& Name, const String& Element, bool Include)
{
    const TPropertyInfo* p;
    uint64_t bits, bit;
    if (!SetElementBit(Obj, Name, Element, p, bits, bit) || ((bits & bit) != 0) == Include || !p->SetOrdinal) return;
    p->SetOrdinal(dynamic_cast<TPersistent*>(Obj), static_cast<int64_t>(Include ? bits | bit : bits & ~bit));
}

// ---- Paths and files ------------------------------------------------------------------------

String IncludeTrailingSlash(const String& Path)
{
    if (Path.empty() || Path.back() == L'\\') return Path;
    if (Path.back() == L'/') return Path.substr(0, Path.size() - 1) + L'\\';
    if (Path.size() == 1) return Path + L":\\";
    return Path + L'\\';
}

String ProgramFolder()
{
    String name(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        name.resize(name.size() * 2);
    }
    return ExtractFilePath(name);
}

HICON FileIcon(const String& FileName, UINT Flags)
{
    if (!FileExists(FileName)) return nullptr;
    SHFILEINFOW info{};
    if (SHGetFileInfoW(FileName.c_str(), 0, &info, sizeof info, Flags | SHGFI_ICON) == 0) return nullptr;
    return info.hIcon;
}

namespace {

// Skips what the search did not ask for, and fills the record from the system's answer.
int FindMatching(TSearchRec& F)
{
    while (F.FindData.dwFileAttributes & static_cast<DWORD>(F.ExcludeAttr)) {
        if (!FindNextFileW(F.FindHandle, &F.FindData)) return static_cast<int>(GetLastError());
    }
    FILETIME local;
    WORD date = 0, time = 0;
    FileTimeToLocalFileTime(&F.FindData.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &date, &time);
    F.Time = static_cast<int>(static_cast<DWORD>(date) << 16 | time);
    F.Size = static_cast<int64_t>(F.FindData.nFileSizeHigh) << 32 | F.FindData.nFileSizeLow;
    F.Attr = static_cast<int>(F.FindData.dwFileAttributes);
    F.Name = F.FindData.cFileName;
    return 0;
}

} // namespace

int FindFirstFile(const String& Path, int Attr, TSearchRec& F)
{
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faDirectory);
    F.FindHandle = FindFirstFileW(Path.c_str(), &F.FindData);
    if (F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    int result = FindMatching(F);
    if (result != 0) FindCloseFile(F);
    return result;
}

int FindNextFile(TSearchRec& F)
{
    if (!FindNextFileW(F.FindHandle, &F.FindData)) return static_cast<int>(GetLastError());
    return FindMatching(F);
}

void FindCloseFile(TSearchRec& F)
{
    if (F.FindHandle != INVALID_HANDLE_VALUE) FindClose(F.FindHandle);
    F.FindHandle = INVALID_HANDLE_VALUE;
}
