#pragma once
// Unit acntUtils: the small procedures the whole skin engine shares: words and INI text, rectangle
// tests, system settings, published properties by name (the window handlers restyle foreign
// controls with them), paths, file icons, message boxes and a few tests of the operating system.
#include <windows.h>

#include <bitset>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/classes/StringList.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/GraphicsBase.h"
#include "skin/core/sConst.h"

// A set of 8-bit characters (word separators).
class TSysCharSet {
public:
    TSysCharSet() = default;
    TSysCharSet(std::string_view Chars);
    bool Contains(unsigned char C) const { return FBits[C]; }

private:
    std::bitset<256> FBits;
};

// System settings.
int CaptionFontHeight();   // lfHeight of the caption font; 0 when the query fails
HFONT MakeCaptionFont();   // the caller frees it; null when the query fails
bool WindowAnimationOn();  // minimize/restore animation
void SetWindowAnimation(bool On);
bool IsWinXPOrLater();
// Windows of the NT line (the only one the wide API runs on), and its major version number.
bool NTPlatform();
DWORD NTMajorVersion();
// The program's own icons (from its executable's first icon); the title icon of a form without
// one of its own falls back to them. Null where the program has none; freed at shut-down.
struct TacApplicationIcons {
    HICON Small = nullptr;
    HICON Large = nullptr;
};
const TacApplicationIcons& ApplicationIcons();
// A 32-bit process on 64-bit Windows.
bool IsWow64();
// A 32-bit process on 64-bit Windows without desktop composition: glowing is off. Decided once.
bool Wow64NoComposition();

// Numbers.
int LimitToByte(int Value);
String PickString(bool Flag, const String& A, const String& B);
int PickInt(bool Flag, int A, int B);
// Bounds in either order, both included.
bool ValueBetween(int Value, int Bound1, int Bound2);
int GreaterOf(int A, int B);
int LesserOf(int A, int B);
void SwapInts(int& A, int& B);
TMessage MakeMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result);

// Rectangles. Touching edges do not overlap; an empty R2 overlaps nothing.
bool RectOverlaps(const TRect& R1, const TRect& R2);
// Inner's corners lie within Outer, its right and bottom edges included.
bool RectInsideRect(const TRect& Outer, const TRect& Inner);
int RectExtentX(const TRect& R, bool CheckNegative);
int RectExtentY(const TRect& R, bool CheckNegative);

// Words: maximal runs of characters outside the separator set. In 16-bit text only characters
// up to $FF can be separators.
int CountWords(const String& S, const TSysCharSet& Separators);
int NthWordPos(int N, const String& S, const TSysCharSet& Separators);   // 1-based; 0 when missing
int NthWordInt(int N, const String& S, const TSysCharSet& Separators);   // 0 when missing or not a number
int CountWordsA(std::string_view S, const TSysCharSet& Separators);
int NthWordPosA(int N, std::string_view S, const TSysCharSet& Separators);
std::string CopyNthWordA(int N, std::string_view S, const TSysCharSet& Separators);

// Text.
std::string RepeatCharA(char C, int Count);
String RepeatCharW(wchar_t C, int Count);
String StripChar(const String& S, wchar_t C);
// Left to right; a replacement is not scanned again.
String SubstituteText(const String& S, const String& Find, const String& Replacement);
bool AllCharsInSet(std::string_view S, const TSysCharSet& Set);
// S with every control character (below a blank, and DEL) written as \xNN: a message built
// from a damaged file stays one readable line, and a NUL cannot cut a message box's text short.
String PrintableText(const String& S);

// INI text held in memory. ParseIniText fills Sections with the section names, each with a new
// TStringList of its lines as its object; the caller frees those lists.
void ParseIniText(const TStrings* Lines, TStringList* Sections);
// Lines is the text Sections came from; the lookup needs Sections only.
void IniTextValue(const TStringList* Sections, const TStrings* Lines, const String& Section, String& Value,
                  const String& Default, const String& Key);
// "0x1F" / "0X1F" is hexadecimal; anything that is not a number gives Default.
int IniTextInt(const TStringList* Sections, const TStrings* Lines, const String& Section, int Default,
               const String& Key);

TCacheInfo MakeCacheInfo(TBitmap* Bmp, int X, int Y);
void ShowWarningBox(const String& Text);
void ShowErrorBox(const String& Text);
// Handles the application's messages until Milliseconds of the tick count have passed.
void PauseWithMessages(DWORD Milliseconds);

// Published properties by name (through the form reader's registry of published classes).
bool HasPublishedProp(TObject* Obj, const String& Name);
// The sub-object of an object-typed property; null when there is none.
TPersistent* ReadObjectProp(TObject* Obj, const String& Name);
// The value of an ordinal (integer, boolean, enumeration, set) property; -1 when there is none
// or when no reader was registered for it. The published-property registry only sets values (it
// serves the form reader), so the classes whose properties are read by name register a reader here.
using TOrdinalReader = std::function<int64_t(TObject*)>;
void RegisterOrdinalReader(const String& ClassName, const String& PropName, TOrdinalReader Reader);
int64_t ReadOrdProp(TObject* Obj, const String& Name);
// Sets an ordinal (integer, boolean, enumeration, set) property when it exists.
void WriteOrdProp(TObject* Obj, const String& Name, int64_t Value);
// The set-typed property holds the element of that name (one of the first 32 of its type).
bool SetPropContains(TObject* Obj, const String& Name, const String& Element);
// Adds the element to the set-typed property or takes it out; nothing when it is already so.
void ChangeSetPropElement(TObject* Obj, const String& Name, const String& Element, bool Include);

// Paths and files.
String IncludeTrailingSlash(const String& Path);
String ProgramFolder();   // with a trailing backslash
// The file's shell icon (the caller frees it); null when the file does not exist or has none.
HICON FileIcon(const String& FileName, UINT Flags);

// The runtime's directory search.
constexpr int faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faDirectory = 0x10, faArchive = 0x20,
              faAnyFile = 0x3F;
struct TSearchRec {
    int Time = 0;   // last write, local DOS date and time
    int64_t Size = 0;
    int Attr = 0;
    String Name;
    int ExcludeAttr = 0;   // hidden, system and folder entries that Attr did not ask for are skipped
    HANDLE FindHandle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW FindData{};
};
// windows.h maps FindFirstFile and FindNextFile to its W functions; these are overloads of
// them by their argument types. 0 on success, else the system error code.
int FindFirstFile(const String& Path, int Attr, TSearchRec& F);
int FindNextFile(TSearchRec& F);
void FindCloseFile(TSearchRec& F);
