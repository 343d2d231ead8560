// The markup vocabulary: colour names and values, the entity tables, the HI colours, and the
// small readers (attribute values, numbers) that every markup routine shares.
#include "grid/foundation/AsgHTMLE.h"

#include <algorithm>
#include <cwctype>

#include "framework/system/StringUtils.h"

namespace {

struct TNamedColor {
    const wchar_t* Name;
    TColor Color;
};

constexpr TNamedColor NamedColors[] = {
    {L"clred", clRed},
    {L"clblack", clBlack},
    {L"clblue", clBlue},
    {L"clgreen", clGreen},
    {L"claqua", clAqua},
    {L"clyellow", clYellow},
    {L"clfuchsia", clFuchsia},
    {L"clwhite", clWhite},
    {L"cllime", clLime},
    {L"clsilver", clSilver},
    {L"clgray", clGray},
    {L"clolive", clOlive},
    {L"clnavy", clNavy},
    {L"clpurple", clPurple},
    {L"clteal", clTeal},
    {L"clmaroon", clMaroon},
    {L"clbackground", clBackground},
    {L"clactivecaption", clActiveCaption},
    {L"clinactivecaption", clInactiveCaption},
    {L"clmenu", clMenu},
    {L"clwindow", clWindow},
    {L"clwindowframe", clWindowFrame},
    {L"clmenutext", clMenuText},
    {L"clwindowtext", clWindowText},
    {L"clcaptiontext", clCaptionText},
    {L"clactiveborder", clActiveBorder},
    {L"clinactiveborder", clInactiveBorder},
    {L"clappworkspace", clAppWorkSpace},
    {L"clhighlight", clHighlight},
    {L"clhighlighttext", clHighlightText},
    {L"clbtnface", clBtnFace},
    {L"clbtnshadow", clBtnShadow},
    {L"clgraytext", clGrayText},
    {L"clbtntext", clBtnText},
    {L"clinactivecaptiontext", clInactiveCaptionText},
    {L"clbtnhighlight", clBtnHighlight},
    {L"cl3ddkshadow", cl3DDkShadow},
    {L"cl3dlight", cl3DLight},
    {L"clinfotext", clInfoText},
    {L"clinfobk", clInfoBk},
};

} // namespace

const std::array<wchar_t, MarkupEntityCount> MarkupEntityChars = {
    L'\u00E9', L'\u00E8', L'\u00EB', L'\u00EA', L'\u00F3', L'\u00F2', L'\u00F6', L'\u00F4', L'\u00ED',
    L'\u00EC', L'\u00EF', L'\u00EE', L'\u00FA', L'\u00F9', L'\u00FC', L'\u00FB', L'\u00E1', L'\u00E0',
    L'\u00E4', L'\u00E2', L'\u00C9', L'\u00C8', L'\u00CB', L'\u00CA', L'\u00D3', L'\u00D2', L'\u00D6',
    L'\u00D4', L'\u00CD', L'\u00CC', L'\u00CF', L'\u00CE', L'\u00DA', L'\u00D9', L'\u00DC', L'\u00DB',
    L'\u00C1', L'\u00C0', L'\u00C4', L'\u00C2', L'\u00E7', L'\u00C7', L'\u00D8', L'\u00F8', L'\u00E5',
    L'\u00C5', L'\u00A9', L'\u00AE', L'\u20AC', L'\u00AB', L'\u00BB'};

const std::array<const wchar_t*, MarkupEntityCount> MarkupEntityNames = {
    L"&eacute;", L"&egrave;", L"&euml;",   L"&ecirc;",  L"&oacute;", L"&ograve;", L"&ouml;",   L"&ocirc;",
    L"&iacute;", L"&igrave;", L"&iuml;",   L"&icirc;",  L"&uacute;", L"&ugrave;", L"&uuml;",   L"&ucirc;",
    L"&aacute;", L"&agrave;", L"&auml;",   L"&acirc;",  L"&Eacute;", L"&Egrave;", L"&Euml;",   L"&Ecirc;",
    L"&Oacute;", L"&Ograve;", L"&Ouml;",   L"&Ocirc;",  L"&Iacute;", L"&Igrave;", L"&Iuml;",   L"&Icirc;",
    L"&Uacute;", L"&Ugrave;", L"&Uuml;",   L"&Ucirc;",  L"&Aacute;", L"&Agrave;", L"&Auml;",   L"&Acirc;",
    L"&ccedil;", L"&Ccedil;", L"&Oslash;", L"&oslash;", L"&aring;",  L"&Aring;",  L"&copy;",   L"&reg;",
    L"&euro;",   L"&laquo;",  L"&raquo;"};

TColor MarkupHighlightBrush = clHighlight;
TColor MarkupHighlightText = clHighlightText;

void SetMarkupHighlightColors(TColor Brush, TColor Text)
{
    MarkupHighlightBrush = Brush;
    MarkupHighlightText = Text;
}

TColor ColorFromName(const String& Name)
{
    for (const TNamedColor& c : NamedColors)
        if (Name == c.Name) return c.Color;
    return clBlack;
}

// Lower-case digits are read too: only the attributes of BODY, FONT and P are upper-cased before
// they are read, and a colour written "#ff0000" elsewhere must not turn into another colour.
int HexByteValue(wchar_t Digit)
{
    if (Digit >= L'0' && Digit <= L'9') return Digit - L'0';
    if (Digit >= L'A' && Digit <= L'F') return Digit - L'A' + 10;
    if (Digit >= L'a' && Digit <= L'f') return Digit - L'a' + 10;
    return 0;
}

TColor ColorFromHex(const String& Text)
{
    auto pair = [&](size_t at) {
        int hi = at < Text.size() ? HexByteValue(Text[at]) : 0;
        int lo = at + 1 < Text.size() ? HexByteValue(Text[at + 1]) : 0;
        return hi * 16 + lo;
    };
    return static_cast<TColor>(RGB(pair(1), pair(3), pair(5)));
}

String UnwrapHashTags(const String& Text)
{
    String out;
    out.reserve(Text.size());
    size_t i = 0;
    // Once no ">" is left, every later "<#" is plain text: no further search.
    bool closeLeft = true;
    while (i < Text.size()) {
        if (closeLeft && Text[i] == L'<' && i + 1 < Text.size() && Text[i + 1] == L'#') {
            size_t close = Text.find(L'>', i + 2);
            closeLeft = close != String::npos;
            if (closeLeft) {
                out.append(Text, i + 1, close - i - 1);
                i = close + 1;
                continue;
            }
        }
        out += Text[i++];
    }
    return out;
}

String LineBreaksToMarkup(const String& Text)
{
    String out;
    out.reserve(Text.size());
    for (wchar_t c : Text) {
        if (c == L'\r')
            out += L"<BR>";
        else if (c != L'\n')
            out += c;
    }
    return out;
}

// Only a name outside the quoted values and followed by "=" counts: an attribute written without a
// value must not take the next attribute's value, and a value holding the name is not its start.
String MarkupAttribute(const String& Tag, const String& Name)
{
    const size_t n = Name.size();
    bool quoted = false;
    for (size_t i = 0; n > 0 && i + n <= Tag.size(); ++i) {
        if (Tag[i] == L'"') {
            quoted = !quoted;
            continue;
        }
        if (quoted || CompareText(std::wstring_view(Tag).substr(i, n), Name) != 0) continue;
        size_t j = i + n;
        while (j < Tag.size() && Tag[j] == L' ') ++j;
        if (j >= Tag.size() || Tag[j] != L'=') continue;
        ++j;
        while (j < Tag.size() && Tag[j] == L' ') ++j;
        if (j >= Tag.size() || Tag[j] != L'"') return String();
        size_t close = Tag.find(L'"', j + 1);
        if (close == String::npos) return String();
        return Tag.substr(j + 1, close - j - 1);
    }
    return String();
}

int MarkupNumber(const String& Text)
{
    size_t i = 0;
    while (i < Text.size() && (Text[i] == L' ' || Text[i] == L'=' || Text[i] == L'"')) ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == L'-' || Text[i] == L'+')) negative = Text[i++] == L'-';
    int base = 10;
    if (i < Text.size() && Text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < Text.size() && Text[i] == L'0' && (Text[i + 1] == L'x' || Text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    long long value = 0;
    for (; i < Text.size(); ++i) {
        wchar_t c = Text[i];
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (base == 16 && std::iswxdigit(c))
            digit = HexByteValue(c);
        else
            break;
        // Saturate rather than overflow: a runaway number in a tag must not wrap to a negative size.
        value = std::min<long long>(value * base + digit, 0x7FFFFFFF);
    }
    return static_cast<int>(negative ? -value : value);
}
