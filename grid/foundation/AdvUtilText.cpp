// Cell-text helpers: text kinds, the clipboard HTML wrapper, links, line-break escaping for the
// file formats, quoting of delimited text and name capitalisation.
#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "framework/system/StringUtils.h"
#include "grid/foundation/AdvUtil.h"

namespace {

constexpr wchar_t CR = L'\r';
constexpr wchar_t LF = L'\n';

bool Contains(const String& Text, wchar_t C) { return Text.find(C) != String::npos; }

// Copies Text with every C replaced by With (an empty With drops C).
String ReplaceChar(const String& Text, wchar_t C, const String& With)
{
    String result;
    result.reserve(Text.size());
    for (wchar_t ch : Text) {
        if (ch == C)
            result += With;
        else
            result += ch;
    }
    return result;
}

// An unsigned decimal number of digits only that fits an int.
bool ReadDigits(const String& Text, int& Value)
{
    if (Text.empty() || Text.size() > 9) return false;
    Value = 0;
    for (wchar_t ch : Text) {
        if (!IsDigitChar(ch)) return false;
        Value = Value * 10 + (ch - L'0');
    }
    return true;
}

wchar_t UpperChar(wchar_t C)
{
    String s(1, C);
    return AnsiUpperCase(s)[0];
}

bool IsURLChar(wchar_t C)
{
    return std::iswalnum(C) || String(L"%()-./:@\\_{}").find(C) != String::npos;
}

} // namespace

// ---- Text kinds ------------------------------------------------------------------------------

int CellTextKind(const String& Text, bool DetectMarkup)
{
    if (Text.empty()) return 0;
    // The blank keeps the two-character tests below inside the text.
    const String t = Text + L' ';
    if (t[0] == L'=') return 3;
    if (t[0] == L'|' && t[1] == L'\\') return t.size() > 3 && t[2] == 0 && t[3] == L'=' ? 3 : 5;
    if (t[0] == L'{' && t[1] == L'\\') return 2;
    if (DetectMarkup) {
        for (const wchar_t* tag : {L"</", L"<B", L"<I", L"<C"})
            if (t.find(tag) != String::npos) return 1;
    }
    return 0;
}

void WrapClipboardHTML(String& Fragment)
{
    static const String DocType = L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const String Head = L"<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
                               L"</head><body><!--StartFragment-->";
    static const String Tail = L"<!--EndFragment--></body></html>";
    // The header has a fixed length (every number at least eight digits, and a clipboard text
    // never reaches 10^8 bytes), and everything but the fragment is ASCII: byte offsets follow
    // from the fragment's UTF-8 length alone.
    const long long fragmentBytes = static_cast<long long>(StringToUtf8(Fragment).size());
    const long long headerLength = 97;
    const long long startFragment = headerLength + static_cast<long long>(DocType.size() + Head.size());
    const long long endFragment = startFragment + fragmentBytes;
    const long long endHTML = endFragment + static_cast<long long>(Tail.size());
    auto field = [](const wchar_t* Label, long long Value) {
        String digits = std::to_wstring(Value);
        if (digits.size() < 8) digits.insert(0, 8 - digits.size(), L'0');
        return String(Label) + digits + L"\r\n";
    };
    String header = L"Version:1.0\r\n" + field(L"StartHTML:", headerLength) + field(L"EndHTML:", endHTML) +
                    field(L"StartFragment:", startFragment) + field(L"EndFragment:", endFragment);
    Fragment = header + DocType + Head + Fragment + Tail;
}

int WidePos(const String& Sub, const String& Text)
{
    if (Sub.empty() || Text.empty() || Sub.size() > Text.size()) return 0;
    size_t p = Text.find(Sub);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

bool ParseCellAnchor(const String& Text, TPoint& Point)
{
    const String t = UpperCase(Text);
    if (t.size() <= 3 || t[0] != L'R') return false;
    size_t c = t.find(L'C', 1);
    if (c == String::npos) return false;
    int row = 0, col = 0;
    if (!ReadDigits(t.substr(1, c - 1), row) || !ReadDigits(t.substr(c + 1), col)) return false;
    Point.x = col;
    Point.y = row;
    return true;
}

bool LooksLikeURL(const String& Text)
{
    return Text.find(L"://") != String::npos || Text.find(L"mailto:") != String::npos;
}

void StripURLScheme(String& Text)
{
    size_t p = Text.find(L"://");
    if (p != String::npos) {
        Text.erase(0, p + 3);
        return;
    }
    p = Text.find(L"mailto:");
    if (p != String::npos) Text.erase(0, p + 7);
}

bool AutoLinkURLs(const String& Text, const String& UpperPrefix, String& Result)
{
    if (UpperPrefix.empty() || AnsiUpperCase(Text).find(UpperPrefix) == String::npos) return false;
    String s = ReplaceChar(ReplaceChar(Text, L'<', L"&lt;"), L'>', L"&gt;");
    size_t start = AnsiUpperCase(s).find(UpperPrefix);
    if (start == String::npos) return false;
    size_t end = start;
    while (end < s.size() && IsURLChar(s[end])) ++end;
    // The prefix itself may hold characters that do not belong to an address.
    end = std::max(end, start + UpperPrefix.size());
    const String address = s.substr(start, end - start);
    Result = s.substr(0, start) + L"<a href=\"" + address + L"\">" + address + L"</a>" + s.substr(end);
    return true;
}

// ---- Line breaks ---------------------------------------------------------------------------

String LineBreaksToBR(const String& Text)
{
    if (!Contains(Text, CR)) return Text;
    return ReplaceChar(Text, CR, L"<br>");
}

String EscapeLineBreaks(const String& Text)
{
    return ReplaceChar(ReplaceChar(Text, LF, L""), CR, L"\\n");
}

String UnescapeLineBreaks(const String& Text)
{
    return StringReplace(Text, L"\\n", String(1, CR), rfReplaceAll);
}

String EncodeCellLineBreaks(const String& Text)
{
    if (!Contains(Text, CR)) return Text;
    String result = Text;
    for (wchar_t& ch : result) {
        if (ch == CR)
            ch = 9;
        else if (ch == LF)
            ch = 8;
        else if (ch == 0)
            ch = 1;
    }
    return result;
}

String DecodeCellLineBreaks(const String& Text, bool MultiLine)
{
    String result = Text;
    if (Contains(result, wchar_t(8))) {
        for (wchar_t& ch : result) {
            if (ch == 9)
                ch = CR;
            else if (ch == 8)
                ch = LF;
            else if (ch == 1)
                ch = 0;
        }
    }
    if (MultiLine) return result;
    String line;
    SplitFirstLine(result, false, line);
    return line;
}

void SplitFirstLine(String& Text, bool KeepRest, String& Line)
{
    size_t p = Text.find(CR);
    if (p == String::npos) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.substr(0, p);
    size_t rest = p + 1;
    if (rest < Text.size() && Text[rest] == LF) ++rest;
    if (KeepRest)
        Text.erase(0, rest);
    else
        Text.clear();
}

int CountTextLines(const String& Text, bool MultiLine)
{
    return MultiLine ? 1 + CountChar(CR, Text) : 1;
}

String LineBreaksToTilde(const String& Text) { return ReplaceChar(ReplaceChar(Text, LF, L""), CR, L"~"); }

String TildeToLineBreaks(const String& Text)
{
    if (Text == L"^") return String();
    return ReplaceChar(Text, L'~', L"\r\n");
}

String QuoteMultiLine(const String& Text)
{
    return L"\"" + StringReplace(Text, L"\r\n", String(1, wchar_t(11)), rfReplaceAll) + L"\"";
}

String VTabToCRLF(const String& Text) { return ReplaceChar(Text, wchar_t(11), L"\r\n"); }
String CRLFToLF(const String& Text) { return StringReplace(Text, L"\r\n", L"\n", rfReplaceAll); }
String StripCR(const String& Text) { return ReplaceChar(Text, CR, L""); }
String CRToLF(const String& Text) { return ReplaceChar(Text, CR, L"\n"); }
String DoubleQuoteChars(const String& Text) { return ReplaceChar(Text, L'"', L"\"\""); }

// ---- Delimited text ------------------------------------------------------------------------

String UndoubleChar(wchar_t C, const String& Text)
{
    String result;
    result.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != C) {
            result += Text[i];
        } else if (i + 1 < Text.size() && Text[i + 1] == C) {
            result += C;
            ++i;
        }
    }
    return result;
}

int FindClosingQuote(wchar_t Quote, const String& Text)
{
    const size_t n = Text.size();
    size_t i = 0;
    while (i < n) {
        if (Text[i] != Quote) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j + 1 < n && Text[j + 1] == Quote) ++j;
        if (j + 1 == n) return static_cast<int>(n);
        if ((j - i + 1) % 2 == 1) return static_cast<int>(j) + 1;
        i = j + 1;
    }
    return 0;
}

int CountUnescapedQuotes(wchar_t Quote, const String& Text)
{
    int count = 0;
    String rest = Text;
    for (int p = FindClosingQuote(Quote, rest); p > 0; p = FindClosingQuote(Quote, rest)) {
        ++count;
        rest.erase(0, static_cast<size_t>(p));
    }
    return count;
}

int CountChar(wchar_t C, const String& Text)
{
    int count = 0;
    for (wchar_t ch : Text)
        if (ch == C) ++count;
    return count;
}

int FirstCharPos(wchar_t C, const String& Text)
{
    size_t p = Text.find(C);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int LocateChar(wchar_t C, const String& Text, int& Position)
{
    int p = FirstCharPos(C, Text);
    if (p > 0) Position = p;
    return p;
}

int PosInUpperCase(const String& UpperSub, const String& Text) { return Pos(UpperSub, AnsiUpperCase(Text)); }

int FindPos(const String& Sub, const String& Text, int& Position)
{
    Position = Pos(Sub, Text);
    return Position;
}

String TakeToken(String& Text, const String& Separator)
{
    if (Separator.empty()) return String();
    size_t p = Text.find(Separator);
    if (p == String::npos) return String();
    String token = Text.substr(0, p);
    Text.erase(0, p + 1);
    return token;
}

void FillWithChar(String& Text, wchar_t C) { Text.assign(Text.size(), C); }

String ConcatStrings(const TStrings* List)
{
    String result;
    if (List == nullptr) return result;
    for (int i = 0; i < List->Count(); ++i) result += List->Strings(i);
    return result;
}

String RemoveBlanksOutsideQuotes(const String& Text)
{
    String result;
    result.reserve(Text.size());
    bool quoted = false;
    for (wchar_t ch : Text) {
        if (ch == L'"') quoted = !quoted;
        if (ch == L' ' && !quoted) continue;
        result += ch;
    }
    return result;
}

int MatchingParenPos(const String& Text)
{
    size_t open = Text.find(L'(');
    if (open == String::npos) return 0;
    int depth = 0;
    for (size_t i = open; i < Text.size(); ++i) {
        if (Text[i] == L'(') ++depth;
        if (Text[i] == L')' && --depth == 0) return static_cast<int>(i) + 1;
    }
    return 0;
}

wchar_t FirstDelimiterOutsideQuotes(const String& Set, const String& Text, int& Position)
{
    bool quoted = false;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == L'"') quoted = !quoted;
        if (!quoted && Set.find(Text[i]) != String::npos) {
            Position = static_cast<int>(i) + 1;
            return Text[i];
        }
    }
    Position = -1;
    return 0;
}

String StringToOem(const String& Text) { return CodePageToString(StringToCodePage(Text, CP_OEMCP), CP_ACP); }
String OemToString(const String& Text) { return CodePageToString(StringToCodePage(Text, CP_ACP), CP_OEMCP); }

// ---- Case ----------------------------------------------------------------------------------

String NameCase(const String& Text)
{
    String s = AnsiLowerCase(Text);
    const String breaks = L" ',-.";
    bool wordStart = true;
    for (wchar_t& ch : s) {
        if (breaks.find(ch) != String::npos) {
            wordStart = true;
            continue;
        }
        if (wordStart) ch = UpperChar(ch);
        wordStart = false;
    }
    if (s.size() > 2 && s.compare(0, 2, L"Mc") == 0) s[2] = UpperChar(s[2]);
    size_t mc = s.find(L" Mc");
    if (mc != String::npos && mc + 3 < s.size()) s[mc + 3] = UpperChar(s[mc + 3]);
    // Trailing roman numerals: "Henry Viii" is wrong, "John Smith III" right.
    for (size_t i = s.size() >= 3 ? s.size() - 3 : 0; i < s.size(); ++i) {
        bool afterI = i >= 2 && s[i - 2] == L' ' && s[i - 1] == L'I';
        bool afterII = i >= 3 && s[i - 3] == L' ' && s[i - 2] == L'I' && s[i - 1] == L'I';
        if (afterI || afterII) s[i] = UpperChar(s[i]);
    }
    return s;
}
