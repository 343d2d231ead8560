#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "framework/system/Conversions.h"
#include "tests/framework/system/FormatSettings_test.h"

using kvltest::EnglishUS;
using kvltest::GermanDE;

namespace {

template <class F>
String ConvertErrorText(F f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return L"<no EConvertError>";
}

} // namespace

TEST(Conversions, IntToStrAndIntToHex)
{
    EXPECT_EQ(L"0", IntToStr(0));
    EXPECT_EQ(L"-2147483648", IntToStr(INT_MIN));
    EXPECT_EQ(L"2147483647", IntToStr(INT_MAX));
    EXPECT_EQ(L"-9223372036854775808", IntToStr(LLONG_MIN));
    EXPECT_EQ(L"18446744073709551615", IntToStr(ULLONG_MAX));
    EXPECT_EQ(L"4294967295", IntToStr(4294967295u));

    EXPECT_EQ(L"00FF", IntToHex(255, 4));
    EXPECT_EQ(L"ABCDE", IntToHex(0xABCDE, 2));   // digits is a minimum
    EXPECT_EQ(L"0", IntToHex(0, 0));
    EXPECT_EQ(L"FFFFFFFF", IntToHex(-1, 1));     // 32-bit pattern
    EXPECT_EQ(L"FFFFFFFFFFFFFFFF", IntToHex(-1LL, 1));
    EXPECT_EQ(L"0000000100000000", IntToHex(0x100000000LL, 16));
}

TEST(Conversions, TryStrToIntAcceptsDecimalAndHexWithinRange)
{
    struct {
        const wchar_t* text;
        bool ok;
        int value;
    } cases[] = {
        {L"0", true, 0},           {L"42", true, 42},         {L"  -17  ", true, -17},
        {L"+5", true, 5},          {L"007", true, 7},         {L"2147483647", true, INT_MAX},
        {L"-2147483648", true, INT_MIN},                      {L"2147483648", false, 0},
        {L"-2147483649", false, 0}, {L"$FF", true, 255},      {L"0x1f", true, 31},
        {L"X10", true, 16},        {L"-$10", true, -16},      {L"$FFFFFFFF", true, -1},
        {L"$100000000", false, 0}, {L"", false, 0},           {L"   ", false, 0},
        {L"12a", false, 0},        {L"1 2", false, 0},        {L"- 5", false, 0},
        {L"$", false, 0},          {L"0x", false, 0},         {L"1.0", false, 0},
        {L"\u0661", false, 0},  // Arabic-Indic digit one is not a digit here
    };
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_EQ(c.ok, TryStrToInt(c.text, value)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.value, value) << c.text;
        }
        else EXPECT_EQ(12345, value) << c.text;   // untouched on failure
        EXPECT_EQ(c.ok ? c.value : -99, StrToIntDef(c.text, -99)) << c.text;
    }
}

TEST(Conversions, Int64RangeAndErrors)
{
    EXPECT_EQ(LLONG_MAX, StrToInt64(L"9223372036854775807"));
    EXPECT_EQ(LLONG_MIN, StrToInt64(L"-9223372036854775808"));
    EXPECT_EQ(-1, StrToInt64(L"$FFFFFFFFFFFFFFFF"));
    EXPECT_EQ(0x100000000LL, StrToInt64(L"$100000000"));
    int64_t v = 0;
    EXPECT_FALSE(TryStrToInt64(L"9223372036854775808", v));
    EXPECT_FALSE(TryStrToInt64(L"99999999999999999999", v));
    EXPECT_EQ(7, StrToInt64Def(L"x", 7));

    EXPECT_EQ(L"'abc' is not a valid integer value", ConvertErrorText([] { StrToInt(L"abc"); }));
    EXPECT_EQ(L"'' is not a valid integer value", ConvertErrorText([] { StrToInt(L""); }));
    EXPECT_EQ(L"'1e99' is not a valid integer value", ConvertErrorText([] { StrToInt64(L"1e99"); }));
}

TEST(Conversions, StrToFloatUsesTheSettingsDecimalSeparator)
{
    struct {
        const wchar_t* text;
        bool german;
        bool ok;
        double value;
    } cases[] = {
        {L"1.5", false, true, 1.5},      {L"1,5", true, true, 1.5},     {L"1,5", false, false, 0},
        {L"1.5", true, false, 0},        {L" -2.25E3 ", false, true, -2250}, {L"2,5e-1", true, true, 0.25},
        {L".5", false, true, 0.5},       {L"5.", false, true, 5},       {L"+7", false, true, 7},
        {L"1e+2", false, true, 100},     {L"1e", false, false, 0},      {L".", false, false, 0},
        {L"", false, false, 0},          {L"1,000", false, false, 0},   {L"1.000,5", true, false, 0},
        {L"1e400", false, false, 0},     {L"1e-400", false, true, 0},   {L"0x10", false, false, 0},
        {L"-0", false, true, 0},
    };
    for (const auto& c : cases) {
        const TFormatSettings fs = c.german ? GermanDE() : EnglishUS();
        double value = 99;
        EXPECT_EQ(c.ok, TryStrToFloat(c.text, value, fs)) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.value, value) << c.text;
        }
        EXPECT_DOUBLE_EQ(c.ok ? c.value : -1.0, StrToFloatDef(c.text, -1.0, fs)) << c.text;
    }
    double value = 0;
    EXPECT_TRUE(TryStrToFloat(L"-inf", value, EnglishUS()));
    EXPECT_TRUE(std::isinf(value) && value < 0);
    EXPECT_TRUE(TryStrToFloat(L"NAN", value, EnglishUS()));
    EXPECT_TRUE(std::isnan(value));
    // Exactly the double nearest to the text, not an accumulation of digit steps.
    EXPECT_EQ(0.1, StrToFloat(L"0.1", EnglishUS()));
    EXPECT_EQ(123456789.123456789, StrToFloat(L"123456789.123456789", EnglishUS()));

    EXPECT_EQ(L"'1,5' is not a valid floating point value", ConvertErrorText([] { StrToFloat(L"1,5", EnglishUS()); }));
    {
        TFormatSettingsOverride german(GermanDE());
        EXPECT_DOUBLE_EQ(1.5, StrToFloat(L"1,5"));
    }
}

TEST(Conversions, FloatToStrIsShortestWithFifteenDigits)
{
    struct {
        double value;
        const wchar_t* text;
    } cases[] = {
        {0, L"0"},
        {-0.0, L"0"},
        {1.5, L"1.5"},
        {-1.5, L"-1.5"},
        {0.1 + 0.2, L"0.3"},
        {2.0 / 3.0, L"0.666666666666667"},
        {100, L"100"},
        {1e14, L"100000000000000"},
        {999999999999999, L"999999999999999"},
        {1e15, L"1E15"},
        {123456789012345678.0, L"1.23456789012346E17"},
        {0.0001, L"0.0001"},
        {0.00001, L"1E-5"},
        {-1.5e-7, L"-1.5E-7"},
        {9.9999999999999999, L"10"},
        {1.7976931348623157e308, L"1.79769313486232E308"},
        {std::numeric_limits<double>::infinity(), L"INF"},
        {-std::numeric_limits<double>::infinity(), L"-INF"},
        {std::numeric_limits<double>::quiet_NaN(), L"NAN"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, FloatToStr(c.value, EnglishUS())) << c.text;
    EXPECT_EQ(L"-1234,5", FloatToStr(-1234.5, GermanDE()));
    // Round trip through text under both locales.
    for (double v : {3.25, -1e-3, 12345.678, 1e20})
        for (const TFormatSettings& fs : {EnglishUS(), GermanDE()}) EXPECT_DOUBLE_EQ(v, StrToFloat(FloatToStr(v, fs), fs));
}

TEST(Conversions, FloatToStrFFormats)
{
    const TFormatSettings en = EnglishUS(), de = GermanDE();
    struct {
        double value;
        TFloatFormat format;
        int precision, digits;
        bool german;
        const wchar_t* text;
    } cases[] = {
        {1234.567, ffFixed, 15, 2, false, L"1234.57"},
        {1234.567, ffNumber, 15, 2, false, L"1,234.57"},
        {1234567.891, ffNumber, 15, 1, true, L"1.234.567,9"},
        {123, ffNumber, 15, 0, false, L"123"},
        {0.125, ffFixed, 15, 2, false, L"0.13"},     // halves round away from zero
        {-0.125, ffFixed, 15, 2, false, L"-0.13"},
        {-0.001, ffFixed, 15, 2, false, L"0.00"},
        {2.5, ffFixed, 15, 0, false, L"3"},
        {0.05, ffFixed, 15, 3, false, L"0.050"},
        {1e20, ffFixed, 15, 2, false, L"1E20"},      // more integer digits than precision
        {1234.5, ffExponent, 4, 2, false, L"1.235E+03"},
        {-0.000123, ffExponent, 3, 0, false, L"-1.23E-4"},
        {0, ffExponent, 3, 3, false, L"0.00E+000"},
        {1234.5, ffExponent, 4, 2, true, L"1,235E+03"},
        {1e20, ffGeneral, 15, 3, false, L"1E020"},
        {1234.5678, ffGeneral, 6, 0, false, L"1234.57"},
        {1234567, ffGeneral, 4, 0, false, L"1.235E6"},
        {1234.5, ffCurrency, 15, 2, false, L"$1,234.50"},
        {-1234.5, ffCurrency, 15, 2, false, L"($1,234.50)"},
        {1234.5, ffCurrency, 15, 2, true, L"1.234,50 \u20AC"},
        {-1234.5, ffCurrency, 15, 2, true, L"-1.234,50 \u20AC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FloatToStrF(c.value, c.format, c.precision, c.digits, c.german ? de : en)) << c.text;
}

TEST(Conversions, FormatFloatPictures)
{
    struct {
        const wchar_t* picture;
        double value;
        const wchar_t* text;
    } cases[] = {
        {L"#,##0.00", 1234567.891, L"1,234,567.89"},
        {L"#,##0.00", -0.5, L"-0.50"},
        {L"#,##0", 999, L"999"},
        {L"0.00", 0.5, L"0.50"},
        {L"#.##", 0.5, L".5"},
        {L"0.##", 1, L"1"},
        {L"0.0#", 1.25, L"1.25"},
        {L"0.0#", 1, L"1.0"},
        {L"0.0#", 1.125, L"1.13"},
        {L"00000", 42, L"00042"},
        {L"#", 0, L""},
        {L"0", 12345.6, L"12346"},
        {L"000-0000", 5551234, L"555-1234"},
        {L"0.00E+00", 1234, L"1.23E+03"},
        {L"0.00E-00", 1234, L"1.23E03"},
        {L"0.0e+0", 0.00012, L"1.2e-4"},
        {L"0;(0);zero", 5, L"5"},
        {L"0;(0);zero", -5, L"(5)"},
        {L"0;(0);zero", 0, L"zero"},
        {L"0.0;;nil", -2.25, L"-2.3"},
        {L"'#'0 \"pcs\"", 7, L"#7 pcs"},
        {L"", 1.5, L"1.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, FormatFloat(c.picture, c.value, EnglishUS())) << c.picture;
    EXPECT_EQ(L"1.234.567,89", FormatFloat(L"#,##0.00", 1234567.891, GermanDE()));
}

TEST(Conversions, BoolToStrAndStrToBool)
{
    EXPECT_EQ(L"-1", BoolToStr(true));
    EXPECT_EQ(L"0", BoolToStr(false));
    EXPECT_EQ(L"True", BoolToStr(true, true));
    EXPECT_EQ(L"False", BoolToStr(false, true));

    struct {
        const wchar_t* text;
        bool ok, value;
    } cases[] = {
        {L"True", true, true}, {L"false", true, false}, {L"TRUE", true, true}, {L"-1", true, true},
        {L"0", true, false},   {L"2", true, true},      {L"yes", false, false}, {L"", false, false},
    };
    for (const auto& c : cases) {
        bool value = false;
        EXPECT_EQ(c.ok, TryStrToBool(c.text, value)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.value, value) << c.text;
        }
    }
    EXPECT_EQ(L"'yes' is not a valid boolean value", ConvertErrorText([] { StrToBool(L"yes"); }));
    EXPECT_TRUE(StrToBoolDef(L"maybe", true));
}

TEST(Conversions, FormatDirectives)
{
    const String text = L"\u672C\u6708";
    int local = 0;
    const void* pointer = reinterpret_cast<const void*>(static_cast<uintptr_t>(0x1234ABCD));
    struct {
        const wchar_t* format;
        std::vector<TFormatArg> args;
        const wchar_t* expected;
    } cases[] = {
        {L"Red: %d,  Green: %d,  Blue: %d", {255, 128, 0}, L"Red: 255,  Green: 128,  Blue: 0"},
        {L"[%5d][%-5d]", {42, 42}, L"[   42][42   ]"},
        {L"%.5d|%.1d", {-12, 123}, L"-00012|123"},
        {L"%s%.8d", {L"page", 7}, L"page00000007"},
        {L"%d", {-9223372036854775807LL - 1}, L"-9223372036854775808"},
        {L"%u", {-1}, L"4294967295"},
        {L"%x %X %.4x", {255, 255, 255}, L"FF FF 00FF"},
        {L"%x", {-1LL}, L"FFFFFFFFFFFFFFFF"},
        {L"%s|%.2s|%4s|%-4s|", {L"abc", L"abc", L"ab", L"ab"}, L"abc|ab|  ab|ab  |"},
        {L"%s=%s", {text, L'x'}, L"\u672C\u6708=x"},
        {L"%s", {static_cast<const wchar_t*>(nullptr)}, L""},
        {L"%1:s %0:s %s", {L"a", L"b", L"c"}, L"b a b"},
        {L"%*d|%-*d|", {4, 7, 3, 8}, L"   7|8  |"},
        {L"%.*f", {1, 2.25}, L"2.3"},
        {L"%e", {1234.5}, L"1.23450000000000E+003"},
        {L"%.3e|%.3e", {1234.5, -0.000125}, L"1.23E+003|-1.25E-004"},
        {L"%f|%.0f|%.3f", {2.5, 2.5, -1.0625}, L"2.50|3|-1.063"},
        {L"%n|%.0n", {1234567.5, 999.5}, L"1,234,567.50|1,000"},
        {L"%g|%g|%g|%.3g", {0.5, 100.0, 1e20, 3.14159}, L"0.5|100|1E020|3.14"},
        {L"%m|%m", {1234.5, -2.0}, L"$1,234.50|($2.00)"},
        {L"%8.2f|", {3.14159}, L"    3.14|"},
        {L"100%%", {}, L"100%"},
        {L"%d%%", {50}, L"50%"},
        {L"%D %S", {3, L"x"}, L"3 x"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, Format(c.format, c.args.data(), c.args.size(), EnglishUS())) << c.format;

    EXPECT_EQ(sizeof(void*) == 8 ? L"000000001234ABCD" : L"1234ABCD", Format(L"%p", {pointer}));
    EXPECT_EQ(Format(L"%p", {static_cast<const void*>(&local)}).size(), sizeof(void*) * 2);
    EXPECT_EQ(L"1.234.567,50 \u20AC", Format(L"%m", {1234567.5}, GermanDE()));
    EXPECT_EQ(L"1.234,5", Format(L"%.1n", {1234.5}, GermanDE()));
    {
        TFormatSettingsOverride german(GermanDE());
        EXPECT_EQ(L"0,50", Format(L"%.2f", {0.5}));
    }
}

TEST(Conversions, FormatRejectsBadFormatsAndMismatchedArguments)
{
    struct {
        const wchar_t* format;
        std::vector<TFormatArg> args;
    } cases[] = {
        {L"%d", {1.5}},        {L"%f", {5}},         {L"%s", {5}},       {L"%d", {L"5"}},
        {L"%d", {}},           {L"%d %d", {1}},      {L"abc%", {1}},     {L"%y", {1}},
        {L"%1:s", {L"a"}},     {L"%*d", {L"x", 1}},  {L"%p", {5}},       {L"%.", {1}},
        {L"%x", {2.0}},
    };
    for (const auto& c : cases) {
        String message = ConvertErrorText([&] { Format(c.format, c.args.data(), c.args.size(), EnglishUS()); });
        EXPECT_EQ(L"Format '" + String(c.format) + L"' invalid or incompatible with argument", message) << c.format;
    }
}
