// The text half of AdvUtil: cell-text kinds, the clipboard wrapper, number texts under set
// separators, line-break and quote conversions, dates, name case and the filter matcher. Every
// test that depends on the locale sets its separators and formats on FormatSettings itself.
#include <gtest/gtest.h>

#include "framework/classes/StringList.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/BaseGrid.h"

namespace {

std::string N(const String& s) { return StringToUtf8(s); }

TFormatSettings Settings(wchar_t Decimal, wchar_t Thousand, const String& ShortDate = L"dd/MM/yyyy",
                         wchar_t DateSep = L'/', wchar_t TimeSep = L':')
{
    TFormatSettings s = TFormatSettings::Invariant();
    s.DecimalSeparator = Decimal;
    s.ThousandSeparator = Thousand;
    s.ShortDateFormat = ShortDate;
    s.DateSeparator = DateSep;
    s.TimeSeparator = TimeSep;
    return s;
}

TEST(AdvUtilText, CellTextKindsIncludingWideEncodedTexts)
{
    struct {
        String text;
        bool markup;
        int kind;
    } cases[] = {
        {L"", true, 0},          {L"=A1+1", false, 3},       {L"{\\rtf1", false, 2}, {L"<B>x</B>", true, 1},
        {L"<B>x</B>", false, 0}, {L"<b>x", true, 0},         {L"plain", true, 0},   {L"|", false, 0},
        {L"|\\", false, 5},      {L"{", false, 0},
        {EncodeWideCellText(L"=A1"), false, 3},
        {EncodeWideCellText(L"A"), false, 5},
        {EncodeWideCellText(L"\x672C\x6708"), true, 5},
    };
    for (const auto& c : cases) EXPECT_EQ(CellTextKind(c.text, c.markup), c.kind) << N(c.text);
}

// The header's numbers are byte offsets into the UTF-8 text: the fragment between StartFragment
// and EndFragment is exactly the fragment, Chinese included.
TEST(AdvUtilText, ClipboardHTMLOffsetsCountUtf8Bytes)
{
    for (const String& fragment : {String(), String(L"<b>x</b>"), String(L"<td>\x672C\x6708\x5171\x5DE5\x4F5C</td>")}) {
        String text = fragment;
        WrapClipboardHTML(text);
        const std::string bytes = StringToUtf8(text);
        auto number = [&](const char* label) {
            size_t p = bytes.find(label);
            EXPECT_NE(p, std::string::npos) << label;
            std::string digits = bytes.substr(p + strlen(label), bytes.find("\r\n", p) - p - strlen(label));
            EXPECT_GE(digits.size(), 8u) << label;
            return std::stoll(digits);
        };
        const long long startHTML = number("StartHTML:"), endHTML = number("EndHTML:");
        const long long startFragment = number("StartFragment:"), endFragment = number("EndFragment:");
        const long long n = static_cast<long long>(StringToUtf8(fragment).size());
        EXPECT_EQ(startHTML, 97);
        EXPECT_EQ(startFragment, 269);
        EXPECT_EQ(endFragment, 269 + n);
        EXPECT_EQ(endHTML, 301 + n);
        EXPECT_EQ(static_cast<long long>(bytes.size()), endHTML);
        EXPECT_EQ(bytes.substr(97, 9), "<!DOCTYPE");
        EXPECT_EQ(bytes.substr(static_cast<size_t>(startFragment), static_cast<size_t>(n)), StringToUtf8(fragment));
        EXPECT_EQ(bytes.substr(static_cast<size_t>(endFragment)), "<!--EndFragment--></body></html>");
    }
    String empty;
    WrapClipboardHTML(empty);
    EXPECT_NE(empty.find(L"EndHTML:00000301\r\nStartFragment:00000269\r\nEndFragment:00000269\r\n"), String::npos);
}

TEST(AdvUtilText, PositionsAnchorsAndLinks)
{
    EXPECT_EQ(WidePos(L"\x6708", L"\x672C\x6708"), 2);
    EXPECT_EQ(WidePos(L"", L"abc"), 0);
    EXPECT_EQ(WidePos(L"abcd", L"abc"), 0);

    struct {
        String text;
        bool ok;
        int col, row;
    } anchors[] = {{L"R12C3", true, 3, 12}, {L"r1c2", true, 2, 1}, {L"R1C", false, 0, 0}, {L"RC12", false, 0, 0},
                   {L"R1X2", false, 0, 0},  {L"R-1C2", false, 0, 0}, {L"R999999999999999999999999999999C1", false, 0, 0}};
    for (const auto& a : anchors) {
        TPoint p{-7, -7};
        EXPECT_EQ(ParseCellAnchor(a.text, p), a.ok) << N(a.text);
        if (a.ok) {
            EXPECT_EQ(p.x, a.col) << N(a.text);
            EXPECT_EQ(p.y, a.row) << N(a.text);
        }
    }

    EXPECT_TRUE(LooksLikeURL(L"http://x"));
    EXPECT_TRUE(LooksLikeURL(L"mailto:a@b"));
    EXPECT_FALSE(LooksLikeURL(L"www.x.com"));
    String url = L"https://host/a";
    StripURLScheme(url);
    EXPECT_EQ(url, L"host/a");
    url = L"mailto:a@b";
    StripURLScheme(url);
    EXPECT_EQ(url, L"a@b");

    String linked = L"untouched";
    EXPECT_TRUE(AutoLinkURLs(L"see <www.ab.com/x_y> now", L"WWW.", linked));
    EXPECT_EQ(linked, L"see &lt;<a href=\"www.ab.com/x_y\">www.ab.com/x_y</a>&gt; now");
    EXPECT_TRUE(AutoLinkURLs(L"Http://a.b c http://d.e", L"HTTP://", linked));
    EXPECT_EQ(linked, L"<a href=\"Http://a.b\">Http://a.b</a> c http://d.e");
    linked = L"untouched";
    EXPECT_FALSE(AutoLinkURLs(L"no link", L"HTTP://", linked));
    EXPECT_EQ(linked, L"untouched");
}

TEST(AdvUtilText, NumberTextKindsUnderTheLocaleSeparators)
{
    struct {
        wchar_t dec, thou;
        String text;
        int kind;
    } cases[] = {
        {L'.', L',', L"123", 0},      {L'.', L',', L"-5", 0},        {L'.', L',', L"1.5", 1},
        {L'.', L',', L"1e5", 5},      {L'.', L',', L"1-2", 2},       {L'.', L',', L"1.2.3", 2},
        {L'.', L',', L"1,234,567.5", 1}, {L'.', L',', L"1,23,4", 2}, {L'.', L',', L"1.5E-3", 5},
        {L'.', L',', L"-1.5e-3", 5},  {L'.', L',', L"e5", 2},        {L'.', L',', L"15e", 2},
        {L'.', L',', L"1e+", 2},      {L'.', L',', L"1e5e6", 2},     {L'.', L',', L"1,5e3", 2},
        {L'.', L',', L"--5", 2},      {L'.', L',', L"", 2},          {L'.', L',', L"abc", 2},
        {L',', L'.', L"1,5", 1},      {L',', L'.', L"1.5", 1},       {L',', L'.', L"1.234,5", 1},
        {L',', L'.', L"1,5e2", 5},    {L',', L'.', L"1.5.0", 2},     {L',', L'.', L"1,2,3", 2},
        // A sign or a separator alone is not a number.
        {L'.', L',', L"-", 2},        {L'.', L',', L".", 2},         {L'.', L',', L",", 2},
        {L'.', L',', String(30, L'9'), 0},
    };
    for (const auto& c : cases) {
        TFormatSettingsOverride use(Settings(c.dec, c.thou));
        EXPECT_EQ(NumberTextKind(c.text), c.kind) << N(c.text) << " with " << char(c.dec);
    }
}

TEST(AdvUtilText, CleanNumberTextUnderTheLocaleSeparators)
{
    struct {
        wchar_t dec, thou;
        String text, clean;
    } cases[] = {
        {L'.', L',', L"(1,234.50)", L"-1234.50"}, {L'.', L',', L"abc", L""},    {L'.', L',', L"  $ -12.5 ", L"-12.5"},
        {L'.', L',', L"USD 1,000", L"1000"},       {L'.', L',', L"12kg", L"12"}, {L'.', L',', L"1.5e3x", L"1.5e3"},
        {L',', L'.', L"1.234,5", L"1234.5"},       {L',', L'.', L"-0,25", L"-0.25"},
        {L'.', L',', L"", L""},                     {L'.', L',', L"-", L"-"},    {L'.', L',', L"()", L""},
        {L'.', L',', String(30, L'7'), String(30, L'7')},
    };
    for (const auto& c : cases) {
        TFormatSettingsOverride use(Settings(c.dec, c.thou));
        EXPECT_EQ(CleanNumberText(c.text), c.clean) << N(c.text);
    }
}

TEST(AdvUtilText, ColoursAndSmallHelpers)
{
    EXPECT_EQ(ColorToHexRGB(0x00336699), L"996633");
    EXPECT_EQ(ColorToHexRGB(clRed), L"FF0000");
    EXPECT_EQ(HalveColor(0x00FF8040), static_cast<TColor>(0x007F4020));
    EXPECT_EQ(HalveColor(clWindow), HalveColor(ColorToRGB(clWindow)));
    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMin(-3, 2), -3);
    EXPECT_TRUE(IsDigitChar(L'0'));
    EXPECT_FALSE(IsDigitChar(L'\xFF11')); // full-width digit
    TGridRect r;
    r.Left = 1, r.Top = 2, r.Right = 3, r.Bottom = 4;
    EXPECT_TRUE(GridRectContains(r, 1, 2));
    EXPECT_TRUE(GridRectContains(r, 3, 4));
    EXPECT_FALSE(GridRectContains(r, 4, 4));
    EXPECT_FALSE(GridRectContains(r, 2, 1));
    struct {
        int value, min, max, result;
    } clamps[] = {{5, 10, 10, 5}, {5, 10, 0, 10}, {50, 0, 20, 20}, {50, 10, 20, 20}, {-5, 0, 0, -5}, {15, 10, 20, 15}};
    for (const auto& c : clamps) EXPECT_EQ(ClampToLimits(c.value, c.min, c.max), c.result) << c.value;
}

TEST(AdvUtilText, LineBreakConversionsForEachFormat)
{
    const String t = L"a\r\nb\rc";
    EXPECT_EQ(LineBreaksToBR(t), L"a<br>\nb<br>c");
    EXPECT_EQ(LineBreaksToBR(L"a\nb"), L"a\nb");
    EXPECT_EQ(EscapeLineBreaks(t), L"a\\nb\\nc");
    EXPECT_EQ(UnescapeLineBreaks(L"a\\nb"), L"a\rb");
    EXPECT_EQ(EncodeCellLineBreaks(String(L"a\r\nb\0c", 6)), String(L"a\x09\x08" L"b\x01" L"c", 6));
    EXPECT_EQ(EncodeCellLineBreaks(String(L"a\0b", 3)), String(L"a\0b", 3)); // no CR: untouched
    EXPECT_EQ(DecodeCellLineBreaks(L"a\x09\x08" L"b\x09" L"c", true), L"a\r\nb\rc");
    EXPECT_EQ(DecodeCellLineBreaks(L"a\x09\x08" L"b", false), L"a");
    EXPECT_EQ(DecodeCellLineBreaks(EncodeCellLineBreaks(String(L"x\0\r\ny", 5)), true), String(L"x\0\r\ny", 5));
    EXPECT_EQ(CountTextLines(t, true), 3);
    EXPECT_EQ(CountTextLines(t, false), 1);
    EXPECT_EQ(LineBreaksToTilde(t), L"a~b~c");
    EXPECT_EQ(TildeToLineBreaks(L"a~b"), L"a\r\nb");
    EXPECT_EQ(TildeToLineBreaks(L"^"), L"");
    EXPECT_EQ(QuoteMultiLine(L"a\r\nb"), L"\"a\x0B" L"b\"");
    EXPECT_EQ(VTabToCRLF(L"a\x0B" L"b"), L"a\r\nb");
    EXPECT_EQ(CRLFToLF(t), L"a\nb\rc");
    EXPECT_EQ(StripCR(t), L"a\nbc");
    EXPECT_EQ(CRToLF(t), L"a\n\nb\nc");

    struct {
        String text;
        bool keep;
        String line, rest;
    } splits[] = {{L"a\r\nb\rc", true, L"a", L"b\rc"}, {L"a\r\nb", false, L"a", L""}, {L"abc", true, L"abc", L""},
                  {L"\r", true, L"", L""},             {L"", true, L"", L""}};
    for (const auto& s : splits) {
        String text = s.text, line = L"?";
        SplitFirstLine(text, s.keep, line);
        EXPECT_EQ(line, s.line) << N(s.text);
        EXPECT_EQ(text, s.rest) << N(s.text);
    }
}

TEST(AdvUtilText, QuotingAndDelimitedText)
{
    EXPECT_EQ(DoubleQuoteChars(L"a\"b"), L"a\"\"b");
    EXPECT_EQ(UndoubleChar(L'"', L"a\"\"b\"c"), L"a\"bc");
    struct {
        String text;
        int pos;
    } closings[] = {{L"abc\",x", 4}, {L"ab\"\"c\",x", 6}, {L"abc\"", 4}, {L"ab\"\"", 4}, {L"abc", 0}, {L"", 0},
                    {L"\"\"\"x", 3}};
    for (const auto& c : closings) EXPECT_EQ(FindClosingQuote(L'"', c.text), c.pos) << N(c.text);
    EXPECT_EQ(CountUnescapedQuotes(L'"', L"a\",b\",\"\"c\""), 3);
    EXPECT_EQ(CountUnescapedQuotes(L'"', L""), 0);

    EXPECT_EQ(CountChar(L'a', L"banana"), 3);
    EXPECT_EQ(FirstCharPos(L'n', L"banana"), 3);
    int pos = -5;
    EXPECT_EQ(LocateChar(L'z', L"banana", pos), 0);
    EXPECT_EQ(pos, -5);
    EXPECT_EQ(LocateChar(L'n', L"banana", pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(PosInUpperCase(L"NAN", L"banana"), 3);
    EXPECT_EQ(FindPos(L"na", L"banana", pos), 3);
    EXPECT_EQ(pos, 3);

    String source = L"key=value=x";
    EXPECT_EQ(TakeToken(source, L"="), L"key");
    EXPECT_EQ(source, L"value=x");
    source = L"a::b";
    EXPECT_EQ(TakeToken(source, L"::"), L"a");
    EXPECT_EQ(source, L":b");
    source = L"none";
    EXPECT_EQ(TakeToken(source, L"="), L"");
    EXPECT_EQ(source, L"none");

    String fill = L"abc";
    FillWithChar(fill, L'*');
    EXPECT_EQ(fill, L"***");
    TStringList list;
    list.Add(L"a");
    list.Add(L"");
    list.Add(L"\x672C");
    EXPECT_EQ(ConcatStrings(&list), L"a\x672C");
    EXPECT_EQ(ConcatStrings(nullptr), L"");
    EXPECT_EQ(RemoveBlanksOutsideQuotes(L" a b \" c d \" e"), L"ab\" c d \"e");
    EXPECT_EQ(MatchingParenPos(L"x(a(b)c)d"), 8);
    EXPECT_EQ(MatchingParenPos(L"x(a(b"), 0);
    EXPECT_EQ(MatchingParenPos(L"none"), 0);
    EXPECT_EQ(FirstDelimiterOutsideQuotes(L"&|", L"\"a&b\"|c", pos), L'|');
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FirstDelimiterOutsideQuotes(L"&|", L"\"a&b\"", pos), L'\0');
    EXPECT_EQ(pos, -1);

    // Written out as ANSI, the OEM form holds the OEM code page's bytes; and it comes back.
    const String text = L"Gr\x00FC\x00DF" L"e 1";
    EXPECT_EQ(StringToAnsi(StringToOem(text)), StringToCodePage(text, CP_OEMCP));
    EXPECT_EQ(OemToString(StringToOem(text)), text);
}

// Four-digit years stay as written; only two-digit years get a century.
TEST(AdvUtilText, ShortDatesMonthOrDayFirst)
{
    struct {
        String text;
        bool monthFirst;
        int y, m, d;
    } cases[] = {
        {L"12/25/99", true, 1999, 12, 25},   {L"1-2-5", true, 2005, 1, 2},        {L"12/25/2013", true, 2013, 12, 25},
        {L"25.12.2013", false, 2013, 12, 25}, {L"25/12/13", false, 2013, 12, 25}, {L"1.2.26", true, 1926, 1, 2},
        {L"2/29/2024", true, 2024, 2, 29},    {L"3/1/0", true, 2000, 3, 1},       {L"31-12-1899", false, 1899, 12, 31},
    };
    for (const auto& c : cases) {
        const TDateTime v = c.monthFirst ? ParseMDYDate(c.text) : ParseDMYDate(c.text);
        EXPECT_EQ(v, EncodeDate(c.y, c.m, c.d)) << N(c.text);
    }
    for (const String& bad : {String(L""), String(L"//"), String(L"a/b/c"), String(L"12/25"), String(L"13/13/2000"),
                              String(L"2/30/2023"), String(L"1/1/99999999999999999999999999999")}) {
        EXPECT_EQ(ParseMDYDate(bad), 0) << N(bad);
        EXPECT_EQ(ParseDMYDate(bad), 0) << N(bad);
    }
}

TEST(AdvUtilText, DateTimeTextInTheLocaleOrder)
{
    struct {
        String format;
        wchar_t dateSep, timeSep;
        String text;
        bool ok;
        TDateTime value;
    } cases[] = {
        {L"dd/MM/yyyy", L'/', L':', L"25/12/2013", true, EncodeDate(2013, 12, 25)},
        {L"M/d/yyyy", L'/', L':', L"12/25/2013 13:30", true, EncodeDate(2013, 12, 25) + EncodeTime(13, 30, 0, 0)},
        {L"yyyy-MM-dd", L'-', L'.', L"2013-12-25 8.05.07", true, EncodeDate(2013, 12, 25) + EncodeTime(8, 5, 7, 0)},
        {L"dd.MM.yyyy", L'.', L':', L"31.12.2013 23:59:60", true, EncodeDate(2014, 1, 1)},
        {L"dd/MM/yyyy", L'/', L':', L"32/12/2013", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"25/13/2013", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"31/02/2013", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"25/12/2013 24:00", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"25/12/2013 10:60", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"25/12/2013 10", false, 0},
        {L"dd/MM/yyyy", L'/', L':', L"hello", false, 0},
    };
    for (const auto& c : cases) {
        TFormatSettingsOverride use(Settings(L'.', L',', c.format, c.dateSep, c.timeSep));
        TDateTime v = -1;
        EXPECT_EQ(ParseDateTimeText(c.text, v), c.ok) << N(c.text);
        if (c.ok) {
            EXPECT_NEAR(v, c.value, 1e-9) << N(c.text);
        }
    }
    TFormatSettingsOverride use(Settings(L'.', L',', L"dd.MM.yyyy", L'.'));
    EXPECT_TRUE(LooksLikeDate(L"1.2.3"));
    EXPECT_FALSE(LooksLikeDate(L".1.2"));
    EXPECT_FALSE(LooksLikeDate(L"1..2"));
    EXPECT_FALSE(LooksLikeDate(L"1.2"));
}

// Stepping keeps the time of day and clips the day to the target month instead of failing.
TEST(AdvUtilText, StepDateClipsTheDayToTheTargetMonth)
{
    const TDateTime noon = 0.5;
    struct {
        int years, months, days;
        TDateTime from, to;
    } cases[] = {
        {0, 0, 3, EncodeDate(2024, 2, 28), EncodeDate(2024, 3, 2)},
        {1, 0, 0, EncodeDate(2024, 2, 29), EncodeDate(2025, 2, 28)},
        {4, 0, 0, EncodeDate(2024, 2, 29), EncodeDate(2028, 2, 29)},
        {0, 1, 0, EncodeDate(2024, 1, 31), EncodeDate(2024, 2, 29)},
        {0, 1, 0, EncodeDate(2023, 1, 31), EncodeDate(2023, 2, 28)},
        {0, -1, 0, EncodeDate(2024, 3, 31), EncodeDate(2024, 2, 29)},
        {0, -1, 0, EncodeDate(2024, 1, 15), EncodeDate(2023, 12, 15)},
        {0, 1, 0, EncodeDate(2024, 12, 31), EncodeDate(2025, 1, 31)},
        {0, 3, 0, EncodeDate(2024, 11, 30), EncodeDate(2025, 2, 28)},
        {-1, 0, 0, EncodeDate(2024, 2, 29) + noon, EncodeDate(2023, 2, 28) + noon},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepDate(c.years, c.months, c.days, 99, c.from), c.to) << c.years << "/" << c.months << "/" << c.days;
    EXPECT_EQ(StepDate(1, 1, 0, 7, 100), 107);
    EXPECT_EQ(StepDate(0, 0, 0, 7, 100), 107);
    // Beyond the years a date can hold the date stays as it was.
    EXPECT_EQ(StepDate(1, 0, 0, 0, EncodeDate(9999, 6, 1)), EncodeDate(9999, 6, 1));
}

TEST(AdvUtilText, NameCase)
{
    struct {
        String text, cased;
    } cases[] = {
        {L"john smith", L"John Smith"},         {L"MARY-ANN O'BRIEN", L"Mary-Ann O'Brien"},
        {L"mcdonald", L"McDonald"},             {L"ronald mcdonald", L"Ronald McDonald"},
        {L"henry smith iii", L"Henry Smith III"}, {L"john smith ii", L"John Smith II"},
        {L"a.b,c", L"A.B,C"},                   {L"", L""},
        {L"mc", L"Mc"},                         {L" i", L" I"},
    };
    for (const auto& c : cases) EXPECT_EQ(NameCase(c.text), c.cased) << N(c.text);
}

TEST(AdvUtilText, FilterConditions)
{
    TFormatSettingsOverride use(Settings(L',', L'.', L"dd/MM/yyyy"));
    struct {
        String condition, text;
        bool caseSensitive, match;
    } cases[] = {
        {L">5&<10", L"7", false, true},          {L">5&<10", L"10", false, false},     {L">=5 & <=10", L"10", false, true},
        {L"a*|b*", L"bob", false, true},          {L"a*|b*", L"cob", false, false},     {L"!a*", L"abc", false, false},
        {L"!a*", L"xbc", false, true},            {L"a?c", L"abc", false, true},        {L"a?c", L"ac", false, false},
        {L"*", L"", false, true},                 {L"", L"", false, true},              {L"", L"x", false, false},
        {L"ABC", L"abc", false, true},            {L"ABC", L"abc", true, false},        {L"=abc", L"abc", false, true},
        {L"\"a b\"", L"a b", false, true},        {L"\"a&b\"", L"a&b", false, true},    {L"a;b", L"b", false, true},
        {L"a^b", L"b", false, true},              {L"a*&*c", L"abc", false, true},      {L"a*&*c", L"abd", false, false},
        // Left to right without precedence: (x | a*) & *c.
        {L"x|a*&*c", L"abd", false, false},       {L"(x|a*)&(*d)", L"abd", false, true},
        {L"((a*))", L"ab", false, true},          {L"(a*", L"ab", false, true},
        {L">1,5", L"2", false, true},             {L"<1,5", L"1,25", false, true},
        {L">01/01/2020", L"15/06/2021", false, true}, {L"<01/01/2020", L"15/06/2021", false, false},
        {L"*\x6708", L"\x672C\x6708", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchFilterCondition(c.condition, c.text, c.caseSensitive), c.match)
            << N(c.condition) << " / " << N(c.text);
    // WildcardMatch takes both bounds in one operand.
    EXPECT_TRUE(WildcardMatch(L">5&<10", L"7", false));
    EXPECT_TRUE(WildcardMatch(L"<5^>10", L"11", false));
    EXPECT_FALSE(WildcardMatch(L"<5^>10", L"7", false));
}

// No text makes a routine raise or read outside its text: empty, only separators, stray signs,
// long numbers, unpaired surrogates and texts longer than any buffer.
TEST(AdvUtilText, NoRoutineRaisesOnAnyText)
{
    TFormatSettingsOverride use(Settings(L'.', L','));
    const String nasty[] = {
        L"", L"/", L"//", L"..", L"--", L"-", L"+", L"e", L"(", L")", L"\"", L"\"\"\"", L"|\\", L"|\\\x00", L"R", L"RC",
        String(30, L'9'), L"-" + String(30, L'9') + L".5e999", String(L"\xD800"), String(L"a\xDC00" L"b\xD800"),
        String(100000, L'('), String(70000, L'*') + L"?", String(200000, L'x'), String(L"\0\0", 2), L"~^~", L"Mc",
    };
    for (const String& t : nasty) {
        SCOPED_TRACE(t.size());
        auto every = [&] {
            CellTextKind(t, true);
            String w = t;
            WrapClipboardHTML(w);
            WidePos(t, t);
            TPoint p;
            ParseCellAnchor(t, p);
            String s = t, r;
            StripURLScheme(s);
            AutoLinkURLs(t, L"WWW.", r);
            NumberTextKind(t);
            CleanNumberText(t);
            DecodeCellLineBreaks(EncodeCellLineBreaks(t), false);
            UnescapeLineBreaks(EscapeLineBreaks(t));
            TildeToLineBreaks(LineBreaksToTilde(t));
            VTabToCRLF(QuoteMultiLine(t));
            UndoubleChar(L'"', DoubleQuoteChars(t));
            CountUnescapedQuotes(L'"', t);
            String token = t;
            TakeToken(token, L"/");
            MatchingParenPos(t);
            int pos;
            FirstDelimiterOutsideQuotes(L"&|", t, pos);
            OemToString(StringToOem(t));
            ParseMDYDate(t);
            ParseDMYDate(t);
            TDateTime v;
            ParseDateTimeText(t, v);
            LooksLikeDate(t);
            NameCase(t);
            MatchFilterCondition(t, t, false);
            WildcardMatch(t, L"abc", false);
        };
        EXPECT_NO_THROW(every());
    }
}

} // namespace
