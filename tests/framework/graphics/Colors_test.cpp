#include <gtest/gtest.h>

#include "framework/graphics/Colors.h"

TEST(Colors, NamedColoursRoundTripAndOthersUseHex)
{
    struct Case {
        TColor Color;
        const wchar_t* Text;
    } cases[] = {
        {clRed, L"clRed"},           {clMoneyGreen, L"clMoneyGreen"},
        {clBtnFace, L"clBtnFace"},   {clMenuHighlight, L"clMenuHighlight"},
        {clNone, L"clNone"},         {clDefault, L"clDefault"},
        {0x00123456, L"$00123456"},  {ToColor(0xFF000099u), L"$FF000099"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Text, ColorToString(c.Color));
        EXPECT_EQ(c.Color, StringToColor(c.Text)) << c.Text;
    }
}

TEST(Colors, StringToColorAcceptsAnyCaseDecimalAndHexAndRejectsTheRest)
{
    EXPECT_EQ(clAqua, StringToColor(L"CLAQUA"));
    EXPECT_EQ(clSilver, StringToColor(L"clLtGray"));
    EXPECT_EQ(255, StringToColor(L"255"));
    EXPECT_EQ(-16777201, StringToColor(L"-16777201"));
    EXPECT_EQ(0xABCDEF, StringToColor(L"$abcdef"));
    for (const wchar_t* bad : {L"", L"clNoSuchColour", L"$", L"$123456789", L"12x", L"$GG"})
        EXPECT_THROW(StringToColor(bad), EConvertError) << bad;

    TColor color = 0;
    EXPECT_FALSE(IdentToColor(L"clPlum", color));
    String ident;
    EXPECT_FALSE(ColorToIdent(0x010203, ident));
}

TEST(Colors, SystemColoursResolveThroughGetSysColorAndOthersPassThrough)
{
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), ColorToRGB(clBtnFace));
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)), ColorToRGB(clWindowText));
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)), ColorToRGB(clHotLight));
    EXPECT_EQ(clRed, ColorToRGB(clRed));
    EXPECT_EQ(clNone, ColorToRGB(clNone));
}

TEST(Colors, EveryListedNameReadsBackToItself)
{
    int count = 0;
    GetColorValues([&](const String& name) {
        ++count;
        TColor color = 0;
        ASSERT_TRUE(IdentToColor(name, color)) << std::string(name.begin(), name.end());
        String back;
        ASSERT_TRUE(ColorToIdent(color, back));
        EXPECT_EQ(name, back);
    });
    EXPECT_GT(count, 40);
}
