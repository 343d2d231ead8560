#include "framework/system/StringUtils.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }
wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

int Clamp(size_t n) { return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(n); }

String MapCase(const String& s, bool upper)
{
    String result = s;
    if (!result.empty()) {
        DWORD length = static_cast<DWORD>(result.size());
        if (upper) CharUpperBuffW(result.data(), length);
        else CharLowerBuffW(result.data(), length);
    }
    return result;
}

int LocaleCompare(const String& a, const String& b, DWORD flags)
{
    int r = CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), Clamp(a.size()), b.data(), Clamp(b.size()));
    return r == 0 ? 0 : r - CSTR_EQUAL;
}

constexpr wchar_t PathSeparators[] = L"\\/:";

bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

DWORD Attributes(const String& path) { return GetFileAttributesW(path.c_str()); }

} // namespace

String Trim(const String& s)
{
    size_t first = 0, last = s.size();
    while (first < last && IsBlank(s[first])) ++first;
    while (last > first && IsBlank(s[last - 1])) --last;
    return s.substr(first, last - first);
}

String TrimLeft(const String& s)
{
    size_t first = 0;
    while (first < s.size() && IsBlank(s[first])) ++first;
    return s.substr(first);
}

String TrimRight(const String& s)
{
    size_t last = s.size();
    while (last > 0 && IsBlank(s[last - 1])) --last;
    return s.substr(0, last);
}

String UpperCase(const String& s)
{
    String result = s;
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

void UpperCaseInPlace(String& s)
{
    std::transform(s.begin(), s.end(), s.begin(), AsciiUpper);
}

String LowerCase(const String& s)
{
    String result = s;
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

String AnsiUpperCase(const String& s) { return MapCase(s, true); }
String AnsiLowerCase(const String& s) { return MapCase(s, false); }

int CompareStr(const String& a, const String& b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(std::wstring_view a, std::wstring_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        wchar_t x = AsciiUpper(a[i]), y = AsciiUpper(b[i]);
        if (x != y) return static_cast<int>(x) - static_cast<int>(y);
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameStr(const String& a, const String& b) { return a == b; }
bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareStr(const String& a, const String& b) { return LocaleCompare(a, b, 0); }
int AnsiCompareText(const String& a, const String& b) { return LocaleCompare(a, b, NORM_IGNORECASE); }
bool AnsiSameStr(const String& a, const String& b) { return a == b; }
bool AnsiSameText(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset)
{
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    size_t found = s.find(sub, static_cast<size_t>(offset - 1));
    return found == String::npos ? 0 : static_cast<int>(found) + 1;
}

String Copy(const String& s, int index, int count)
{
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size()) return String();
    return s.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Delete(String& s, int index, int count)
{
    if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0) return;
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(const String& sub, String& s, int index)
{
    if (index < 1) index = 1;
    size_t at = std::min(static_cast<size_t>(index - 1), s.size());
    s.insert(at, sub);
}

String StringReplace(const String& s, const String& oldPattern, const String& newPattern, TReplaceFlags flags)
{
    if (oldPattern.empty()) return s;
    bool ignoreCase = (flags & rfIgnoreCase) != 0;
    // Locale upper-casing maps one UTF-16 unit to one, so positions in the copies hold for s.
    const String searchIn = ignoreCase ? AnsiUpperCase(s) : s;
    const String pattern = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
    String result;
    size_t from = 0;
    while (true) {
        size_t found = searchIn.find(pattern, from);
        if (found == String::npos) break;
        result.append(s, from, found - from);
        result += newPattern;
        from = found + pattern.size();
        if (!(flags & rfReplaceAll)) break;
    }
    result.append(s, from, String::npos);
    return result;
}

String StringOfChar(wchar_t ch, int count)
{
    return count > 0 ? String(static_cast<size_t>(count), ch) : String();
}

String QuotedStr(const String& s) { return AnsiQuotedStr(s, L'\''); }

String AnsiQuotedStr(const String& s, wchar_t quote)
{
    String result(1, quote);
    for (wchar_t c : s) {
        if (c == quote) result += quote;
        result += c;
    }
    result += quote;
    return result;
}

String AnsiDequotedStr(const String& s, wchar_t quote)
{
    if (s.empty() || s[0] != quote) return s;
    String result;
    size_t i = 1;
    bool closed = false;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                result += quote;
                i += 2;
                continue;
            }
            closed = true;
            ++i;
            break;
        }
        result += s[i++];
    }
    // An unclosed quote, or nothing between the quotes, leaves the text alone unless it at least
    // ends with the quote character ("''" is the empty text, "'ab" stays "'ab").
    bool atEnd = !closed || i >= s.size();
    if ((result.empty() || atEnd) && s.back() != quote) return s;
    return result;
}

bool IsDelimiter(const String& delimiters, const String& s, int index)
{
    if (index < 1 || static_cast<size_t>(index) > s.size()) return false;
    return delimiters.find(s[static_cast<size_t>(index - 1)]) != String::npos;
}

int LastDelimiter(const String& delimiters, const String& s)
{
    size_t found = s.find_last_of(delimiters);
    return found == String::npos ? 0 : static_cast<int>(found) + 1;
}

String IncludeTrailingPathDelimiter(const String& path)
{
    if (!path.empty() && IsPathSeparator(path.back())) return path;
    return path + L'\\';
}

String ExcludeTrailingPathDelimiter(const String& path)
{
    if (!path.empty() && IsPathSeparator(path.back())) return path.substr(0, path.size() - 1);
    return path;
}

String ExtractFilePath(const String& fileName)
{
    return Copy(fileName, 1, LastDelimiter(PathSeparators, fileName));
}

String ExtractFileDir(const String& fileName)
{
    int i = LastDelimiter(PathSeparators, fileName);
    // Keep the separator of a root ("C:\", "\") so the result still names that folder.
    if (i > 1 && IsPathSeparator(fileName[static_cast<size_t>(i - 1)]) &&
        !IsDelimiter(PathSeparators, fileName, i - 1))
        --i;
    return Copy(fileName, 1, i);
}

String ExtractFileName(const String& fileName)
{
    return fileName.substr(static_cast<size_t>(LastDelimiter(PathSeparators, fileName)));
}

String ExtractFileExt(const String& fileName)
{
    int i = LastDelimiter(L".\\/:", fileName);
    if (i > 0 && fileName[static_cast<size_t>(i - 1)] == L'.') return fileName.substr(static_cast<size_t>(i - 1));
    return String();
}

String ChangeFileExt(const String& fileName, const String& extension)
{
    int i = LastDelimiter(L".\\/:", fileName);
    if (i == 0 || fileName[static_cast<size_t>(i - 1)] != L'.') return fileName + extension;
    return fileName.substr(0, static_cast<size_t>(i - 1)) + extension;
}

bool FileExists(const String& fileName)
{
    if (fileName.empty()) return false;
    DWORD attributes = Attributes(fileName);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& directory)
{
    if (directory.empty()) return false;
    DWORD attributes = Attributes(directory);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

String CodePageToString(std::string_view text, unsigned codePage)
{
    if (text.empty()) return String();
    int length = MultiByteToWideChar(codePage, 0, text.data(), Clamp(text.size()), nullptr, 0);
    String result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), Clamp(text.size()), result.data(), length);
    return result;
}

std::string StringToCodePage(const String& s, unsigned codePage)
{
    if (s.empty()) return std::string();
    int length = WideCharToMultiByte(codePage, 0, s.data(), Clamp(s.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), Clamp(s.size()), result.data(), length, nullptr, nullptr);
    return result;
}

String AnsiToString(std::string_view text) { return CodePageToString(text, CP_ACP); }
std::string StringToAnsi(const String& s) { return StringToCodePage(s, CP_ACP); }
String Utf8ToString(std::string_view text) { return CodePageToString(text, CP_UTF8); }
std::string StringToUtf8(const String& s) { return StringToCodePage(s, CP_UTF8); }
