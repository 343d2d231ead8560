#pragma once
// Text helpers in the manner of the classic runtime: positions are 1-based and out-of-range
// arguments clamp instead of throwing; "Ansi" comparisons and case mapping follow the user's
// locale and cover every letter, the plain ones touch ASCII only. Also file-name pieces, and the
// encoding conversions used where text leaves or enters the program (files, clipboard).
#include <string>
#include <string_view>

#include "framework/system/SystemTypes.h"

// Removing characters up to and including the blank (control characters too).
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// ASCII letters only; every other character is left alone.
String UpperCase(const String& s);
String LowerCase(const String& s);
void UpperCaseInPlace(String& s);
// Every letter, by the user's locale.
String AnsiUpperCase(const String& s);
String AnsiLowerCase(const String& s);

// Ordinal comparisons: < 0, 0 or > 0. CompareText folds ASCII letters only.
int CompareStr(const String& a, const String& b);
int CompareText(std::wstring_view a, std::wstring_view b);
bool SameStr(const String& a, const String& b);
bool SameText(const String& a, const String& b);
// Comparisons by the user's locale (word sort order); the Text forms ignore case.
int AnsiCompareStr(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
bool AnsiSameStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);

// 1-based position of the first sub in s, 0 when absent or when sub is empty.
int Pos(const String& sub, const String& s);
inline int AnsiPos(const String& sub, const String& s) { return Pos(sub, s); }
// As Pos, starting the search at offset (1-based); 0 when offset is outside 1..Length(s).
int PosEx(const String& sub, const String& s, int offset = 1);

// count characters from index (1-based). An index below 1 counts as 1; a negative count, an
// index past the end, or a count running past the end are clamped.
String Copy(const String& s, int index, int count);
// Removes count characters from index; nothing happens when index is outside 1..Length(s).
void Delete(String& s, int index, int count);
// Inserts sub before index; an index below 1 inserts at the front, one past the end appends.
void Insert(const String& sub, String& s, int index);

enum TReplaceFlags : unsigned { rfNone = 0, rfReplaceAll = 1, rfIgnoreCase = 2 };
constexpr TReplaceFlags operator|(TReplaceFlags a, TReplaceFlags b)
{
    return static_cast<TReplaceFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
// Replaces the first (or, with rfReplaceAll, every) occurrence of oldPattern; rfIgnoreCase
// matches by the locale's upper case. An empty oldPattern changes nothing.
String StringReplace(const String& s, const String& oldPattern, const String& newPattern,
                     TReplaceFlags flags = rfNone);

String StringOfChar(wchar_t ch, int count);

// 'it''s' style quoting: the quote character is doubled inside.
String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, wchar_t quote);
// The text inside quote ... quote with doubled quotes undone. A text that does not start with
// the quote, or whose quote is never closed, is returned unchanged; text after the closing
// quote is dropped.
String AnsiDequotedStr(const String& s, wchar_t quote);

// True when s[index] (1-based) is one of delimiters.
bool IsDelimiter(const String& delimiters, const String& s, int index);
// 1-based position of the last character of s that is one of delimiters, 0 when none is.
int LastDelimiter(const String& delimiters, const String& s);

// File names. Both "\" and "/" separate folders, ":" ends a drive.
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
String ExtractFilePath(const String& fileName);   // with the trailing separator
String ExtractFileDir(const String& fileName);    // without it
String ExtractFileName(const String& fileName);
String ExtractFileExt(const String& fileName);    // with the dot, "" when there is none
String ChangeFileExt(const String& fileName, const String& extension);
bool FileExists(const String& fileName);          // an existing file, not a folder
bool DirectoryExists(const String& directory);

// Encodings at the program's boundaries. Ansi means the process's ANSI code page (CP_ACP);
// characters it cannot hold become its default character.
String AnsiToString(std::string_view text);
std::string StringToAnsi(const String& s);
String Utf8ToString(std::string_view text);
std::string StringToUtf8(const String& s);
String CodePageToString(std::string_view text, unsigned codePage);
std::string StringToCodePage(const String& s, unsigned codePage);
