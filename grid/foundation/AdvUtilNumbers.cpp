// Number texts under the locale's separators (FormatSettings), colour and small integer helpers.
#include "framework/system/Conversions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "grid/foundation/AdvUtil.h"

bool IsDigitChar(wchar_t C) { return C >= L'0' && C <= L'9'; }

int NumberTextKind(const String& Text)
{
    const wchar_t dec = FormatSettings.DecimalSeparator;
    const wchar_t thou = FormatSettings.ThousandSeparator;
    const int n = static_cast<int>(Text.size());
    if (n == 0) return 2;
    bool integer = true, decimal = true, exponentChars = true;
    int exponents = 0, decimals = 0, minuses = 0, digits = 0, lastThousand = 0;
    for (int i = 1; i <= n; ++i) {
        const wchar_t c = Text[i - 1];
        const bool digit = IsDigitChar(c);
        const bool leadingMinus = c == L'-' && i == 1;
        if (digit) ++digits;
        if (c == L'-') ++minuses;
        if (c == dec) ++decimals;
        if (c == L'e' || c == L'E') ++exponents;
        if (!digit && !leadingMinus) integer = false;
        if (c == thou && c != dec) {
            if (lastThousand > 0 && i - lastThousand < 4) decimal = false;
            lastThousand = i;
        } else if (!digit && !leadingMinus && c != dec) {
            decimal = false;
        }
        if (!digit && c != L'+' && c != L'-' && c != L'e' && c != L'E' && c != dec) exponentChars = false;
    }
    const wchar_t first = Text.front(), last = Text.back();
    const bool exponentForm = exponentChars && exponents == 1 && first != L'e' && first != L'E' && last != L'e' &&
                              last != L'E' && last != L'+' && last != L'-';
    // A sign or a separator alone is no number.
    if (digits == 0) return 2;
    if (decimals > 1) return 2;
    if (minuses > (exponentForm ? 2 : 1)) return 2;
    if (integer) return 0;
    if (decimal && exponents == 0) return 1;
    if (exponentForm) return 5;
    return 2;
}

String CleanNumberText(const String& Text)
{
    const wchar_t dec = FormatSettings.DecimalSeparator;
    const wchar_t thou = FormatSettings.ThousandSeparator;
    String s = Trim(Text);
    bool negative = false;
    if (s.size() >= 2 && s.front() == L'(' && s.back() == L')') {
        negative = true;
        s = s.substr(1, s.size() - 2);
    }
    size_t start = 0;
    while (start + 1 < s.size()) {
        const wchar_t c = s[start];
        if (IsDigitChar(c) || c == dec || c == thou || c == L'e' || c == L'E') break;
        if (c == L'-') negative = true;
        ++start;
    }
    String result;
    for (size_t i = start; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c == thou) continue;
        if (c == dec)
            result += L'.';
        else if (IsDigitChar(c) || c == L'+' || c == L'-' || c == L'.' || c == L'e' || c == L'E')
            result += c;
        else
            break;
    }
    if (negative && !result.empty()) result.insert(0, 1, L'-');
    return result;
}

String ColorToHexRGB(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return IntToHex(static_cast<int>(GetRValue(c)), 2) + IntToHex(static_cast<int>(GetGValue(c)), 2) +
           IntToHex(static_cast<int>(GetBValue(c)), 2);
}

TColor HalveColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return static_cast<TColor>(RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2));
}

int IntMax(int A, int B) { return A > B ? A : B; }
int IntMin(int A, int B) { return A < B ? A : B; }

bool GridRectContains(const TGridRect& Rect, int Col, int Row)
{
    return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

int ClampToLimits(int Value, int Min, int Max)
{
    if (Min == Max) return Value;
    if (Min > 0 && Value < Min) Value = Min;
    if (Max > 0 && Value > Max) Value = Max;
    return Value;
}
