#include "framework/graphics/Colors.h"

#include <cwctype>
#include <iterator>

#include "framework/system/StringUtils.h"

namespace {

struct TColorName {
    TColor Value;
    const wchar_t* Name;
};

// The order is the one colour pickers list them in.
const TColorName GColorNames[] = {
    {clBlack, L"clBlack"}, {clMaroon, L"clMaroon"}, {clGreen, L"clGreen"}, {clOlive, L"clOlive"},
    {clNavy, L"clNavy"}, {clPurple, L"clPurple"}, {clTeal, L"clTeal"}, {clGray, L"clGray"},
    {clSilver, L"clSilver"}, {clRed, L"clRed"}, {clLime, L"clLime"}, {clYellow, L"clYellow"},
    {clBlue, L"clBlue"}, {clFuchsia, L"clFuchsia"}, {clAqua, L"clAqua"}, {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"}, {clSkyBlue, L"clSkyBlue"}, {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clActiveBorder, L"clActiveBorder"}, {clActiveCaption, L"clActiveCaption"},
    {clAppWorkSpace, L"clAppWorkSpace"}, {clBackground, L"clBackground"},
    {clBtnFace, L"clBtnFace"}, {clBtnHighlight, L"clBtnHighlight"},
    {clBtnShadow, L"clBtnShadow"}, {clBtnText, L"clBtnText"},
    {clCaptionText, L"clCaptionText"}, {clDefault, L"clDefault"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clGrayText, L"clGrayText"}, {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"}, {clHotLight, L"clHotLight"},
    {clInactiveBorder, L"clInactiveBorder"}, {clInactiveCaption, L"clInactiveCaption"},
    {clInactiveCaptionText, L"clInactiveCaptionText"}, {clInfoBk, L"clInfoBk"},
    {clInfoText, L"clInfoText"}, {clMenu, L"clMenu"}, {clMenuBar, L"clMenuBar"},
    {clMenuHighlight, L"clMenuHighlight"}, {clMenuText, L"clMenuText"}, {clNone, L"clNone"},
    {clScrollBar, L"clScrollBar"}, {cl3DDkShadow, L"cl3DDkShadow"}, {cl3DLight, L"cl3DLight"},
    {clWindow, L"clWindow"}, {clWindowFrame, L"clWindowFrame"}, {clWindowText, L"clWindowText"},
};

// Old names still found in stored settings; read, never written.
const TColorName GColorAliases[] = {{clLtGray, L"clLtGray"}, {clDkGray, L"clDkGray"}};

bool ParseColorNumber(const String& text, TColor& value)
{
    String s = Trim(text);
    if (s.empty()) return false;
    std::uint64_t n = 0;
    if (s[0] == L'$' || (s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X'))) {
        size_t start = s[0] == L'$' ? 1 : 2;
        if (start >= s.size() || s.size() - start > 8) return false;
        for (size_t i = start; i < s.size(); ++i) {
            wchar_t c = s[i];
            unsigned digit;
            if (c >= L'0' && c <= L'9') digit = c - L'0';
            else if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
            else if (c >= L'A' && c <= L'F') digit = c - L'A' + 10;
            else return false;
            n = n * 16 + digit;
        }
        value = static_cast<TColor>(static_cast<std::uint32_t>(n));
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (s[0] == L'-' || s[0] == L'+') {
        negative = s[0] == L'-';
        i = 1;
    }
    if (i >= s.size()) return false;
    for (; i < s.size(); ++i) {
        if (s[i] < L'0' || s[i] > L'9') return false;
        n = n * 10 + (s[i] - L'0');
        if (n > 0xFFFFFFFFull) return false;
    }
    if (negative) {
        if (n > 0x80000000ull) return false;
        value = static_cast<TColor>(-static_cast<std::int64_t>(n));
    } else {
        value = static_cast<TColor>(static_cast<std::uint32_t>(n));
    }
    return true;
}

} // namespace

TColor ColorToRGB(TColor Color)
{
    if (Color < 0)
        return static_cast<TColor>(GetSysColor(Color & 0xFF));
    return Color;
}

bool ColorToIdent(TColor Color, String& Ident)
{
    for (const TColorName& entry : GColorNames) {
        if (entry.Value == Color) {
            Ident = entry.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const String& Ident, TColor& Color)
{
    for (const TColorName& entry : GColorNames) {
        if (SameText(Ident, entry.Name)) {
            Color = entry.Value;
            return true;
        }
    }
    for (const TColorName& entry : GColorAliases) {
        if (SameText(Ident, entry.Name)) {
            Color = entry.Value;
            return true;
        }
    }
    return false;
}

String ColorToString(TColor Color)
{
    String name;
    if (ColorToIdent(Color, name)) return name;
    wchar_t buf[16];
    swprintf(buf, 16, L"$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(Color)));
    return buf;
}

TColor StringToColor(const String& S)
{
    TColor color = 0;
    if (IdentToColor(Trim(S), color) || ParseColorNumber(S, color)) return color;
    throw EConvertError(L"'" + S + L"' is not a valid color value");
}

void GetColorValues(const std::function<void(const String&)>& Proc)
{
    for (const TColorName& entry : GColorNames) Proc(entry.Name);
}
