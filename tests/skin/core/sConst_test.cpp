#include <gtest/gtest.h>

#include <set>

#include "skin/core/sConst.h"

TEST(sConst, TextsComeFromTheProgramsStringTableWithEnglishDefaults)
{
    // This test program's table translates two entries.
    EXPECT_EQ(L"\u5173\u95ED", acsClose);
    EXPECT_EQ(L"\u53EF\u7528\u76AE\u80A4", acsAvailSkins);
    struct Case { const String* Value; const wchar_t* Default; } defaults[] = {
        {&acsRestore, L"Restore"}, {&acsMove, L"Move"}, {&acsSize, L"Size"}, {&acsMinimize, L"Minimize"},
        {&acsMaximize, L"Maximize"}, {&acsInternal, L"(internal)"}, {&acsHelp, L"&Help"},
        {&acsFrameAdapterError, L"TsFrameAdapter adapter must be placed on the handled frame"},
        {&acsSkinPreview, L"Skin preview"},
    };
    for (const Case& c : defaults) EXPECT_EQ(c.Default, *c.Value);

    const auto& table = SkinStrings();
    EXPECT_EQ(57u, table.size());
    std::set<unsigned> ids;
    std::set<const String*> values;
    for (const TacSkinString& s : table) {
        ids.insert(s.Id);
        values.insert(s.Value);
        if (s.Value != &acsClose && s.Value != &acsAvailSkins) EXPECT_EQ(s.Default, *s.Value) << s.Id;
    }
    EXPECT_EQ(table.size(), ids.size());
    EXPECT_EQ(table.size(), values.size());
}

TEST(sConst, StartUpValues)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXHSCROLL), ScrollArrowWidth);
    EXPECT_GT(ScrollArrowWidth, 0);
    EXPECT_EQ(nullptr, EmptyCI.Bmp);
    EXPECT_EQ(-99, EmptyCI.X);
    EXPECT_EQ(-99, EmptyCI.Y);
    EXPECT_EQ(0xFF00FFu, EmptyCI.FillColor);
    EXPECT_FALSE(EmptyCI.Ready);
    EXPECT_EQ(0xFF00FFu, NoSkinColor);
}
