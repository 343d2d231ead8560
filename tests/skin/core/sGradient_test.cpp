#include <gtest/gtest.h>

#include "skin/core/sGradient.h"
#include "tests/skin/core/Bitmap32Fixture.h"

using skintest::All;
using skintest::Bmp32;
using skintest::Px;

namespace {

TsGradPie Step(TColor C1, TColor C2, int Percent, int Mode = 0)
{
    TsGradPie p;
    p.Color1 = C1;
    p.Color2 = C2;
    p.Percent = static_cast<TPercent>(Percent);
    p.Mode1 = Mode;
    return p;
}

constexpr std::uint32_t Untouched = 0x11223344;

} // namespace

TEST(sGradient, ParsesFiveFieldStepsAndDropsEmptyFieldsAndIncompleteGroups)
{
    struct Case {
        const wchar_t* Text;
        std::vector<std::array<int, 4>> Steps;  // Color1, Color2, Percent, Mode1
    } cases[] = {
        {L"0;16777215;100;0;0", {{0, 16777215, 100, 0}}},
        {L"0;16777215;100;0", {}},
        {L"255;;65280;50;1;0", {{255, 65280, 50, 1}}},
        {L"-7;$FF;150;2;x", {{0, 255, 100, 2}}},
        {L"1;2;-3;0;0;4;5;6;1;0;9;9", {{1, 2, 0, 0}, {4, 5, 6, 1}}},
        {L"", {}},
        {L";;;", {}},
    };
    for (const Case& c : cases) {
        TsGradArray steps{Step(1, 1, 1)};
        ParseGradientData(c.Text, steps);
        ASSERT_EQ(c.Steps.size(), steps.size()) << c.Text;
        for (size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(static_cast<TColor>(c.Steps[i][0]), steps[i].Color1) << c.Text;
            EXPECT_EQ(static_cast<TColor>(c.Steps[i][1]), steps[i].Color2) << c.Text;
            EXPECT_EQ(c.Steps[i][2], steps[i].Percent) << c.Text;
            EXPECT_EQ(c.Steps[i][3], steps[i].Mode1) << c.Text;
            EXPECT_EQ(0, steps[i].Mode2);
        }
    }
    TsGradArray steps;
    EXPECT_THROW(ParseGradientData(L"red;0;100;0;0", steps), EConvertError);
}

TEST(sGradient, VerticalStepsRampFromRowToRowAndTheNextStepStartsOnTheLastRow)
{
    auto b = Bmp32(4, 100, Untouched);
    PaintGradient(b.get(), Rect(0, 0, 4, 100), {Step(0, 0xFFFFFF, 100)});
    EXPECT_EQ(0xFF000000u, Px(*b, 0, 0));
    EXPECT_EQ(0xFFFFFFFFu, Px(*b, 3, 99));

    // Black to white over rows 0..50, then red to blue over rows 50..99.
    PaintGradient(b.get(), Rect(0, 0, 4, 100), {Step(0, 0xFFFFFF, 50), Step(0x0000FF, 0xFF0000, 50)});
    EXPECT_EQ(0xFF000000u, Px(*b, 0, 0));
    EXPECT_EQ(0xFFFAFAFAu, Px(*b, 2, 49));  // 49 * 255 / 50 = 249.9
    EXPECT_EQ(0xFFFF0000u, Px(*b, 1, 50));
    EXPECT_EQ(0xFF0000FFu, Px(*b, 3, 99));
    for (int x = 1; x < 4; ++x) EXPECT_EQ(Px(*b, 0, 75), Px(*b, x, 75));
}

TEST(sGradient, HorizontalRampIsCopiedIntoEveryRow)
{
    auto b = Bmp32(101, 3, Untouched);
    PaintGradient(b.get(), Rect(0, 0, 101, 3), {Step(0, 0x0000FF, 50, 1), Step(0x00FF00, 0x00FF00, 50)});
    EXPECT_EQ(0xFF000000u, Px(*b, 0, 0));
    EXPECT_EQ(0xFF00FF00u, Px(*b, 50, 0));  // the second step paints over the first's last column
    EXPECT_EQ(0xFF7F0000u, Px(*b, 25, 0));  // 25 * 255 / 50 = 127.5, rounded to even
    EXPECT_EQ(0xFF00FF00u, Px(*b, 100, 0));
    for (int y = 1; y < 3; ++y)
        for (int x = 0; x < 101; ++x) ASSERT_EQ(Px(*b, x, 0), Px(*b, x, y));
}

TEST(sGradient, PaintsOnlyInsideTheBitmapAndNothingForUnknownTypesOrNoSteps)
{
    auto b = Bmp32(10, 10, Untouched);
    PaintGradient(b.get(), Rect(-5, -5, 5, 5), {Step(0x00FF00, 0x00FF00, 100)});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(x < 5 && y < 5 ? 0xFF00FF00u : Untouched, Px(*b, x, y)) << x << "," << y;
    PaintGradient(b.get(), Rect(5, 5, 40, 40), {Step(0xFF, 0xFF, 100, 1)});
    EXPECT_EQ(0xFFFF0000u, Px(*b, 9, 9));

    auto c = Bmp32(10, 10, Untouched);
    PaintGradient(c.get(), Rect(0, 0, 10, 10), {Step(0xFF, 0xFF, 100, 3)});
    PaintGradient(c.get(), Rect(0, 0, 10, 10), {});
    PaintGradient(c.get(), Rect(20, 20, 30, 30), {Step(0xFF, 0xFF, 100)});
    PaintGradient(nullptr, Rect(0, 0, 10, 10), {Step(0xFF, 0xFF, 100)});
    EXPECT_TRUE(All(*c, Untouched));
}

TEST(sGradient, FourTrianglesTakeTheLastGivenColourForMissingVertices)
{
    if (!GradientFillAvailable()) GTEST_SKIP() << "no GradientFill on this system";
    auto b = Bmp32(40, 40, Untouched);
    // A red; B, and with it C, D and E, blue: everything right of and below the centre is blue.
    PaintGradient(b.get(), Rect(0, 0, 40, 40), {Step(0x0000FF, 0, 100, 2), Step(0xFF0000, 0, 100)});
    EXPECT_EQ(0xFF0000FFu, Px(*b, 38, 38));
    EXPECT_EQ(0xFF0000FFu, Px(*b, 30, 21));
    std::uint32_t corner = Px(*b, 0, 0);
    EXPECT_GT((corner >> 16) & 0xFF, 200u);
    EXPECT_LT(corner & 0xFF, 55u);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(0xFFu, Px(*b, x, y) >> 24) << x << "," << y;
}

TEST(sGradient, TexturedGradientBlendsTheTileOverEachPixel)
{
    // A 3 x 3 texture gives a 2 x 2 tile: the tile stops one pixel short of the edges.
    auto tex = Bmp32(3, 3, [](int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(x * 100 + y * 50) << 8; });
    const std::uint32_t grey = 0x808080;
    auto expected = [&](int x, int y, int w) {
        std::uint32_t t = Px(*tex, x % 2, y % 2);
        auto ch = [&](int shift) { int g = 0x80, s = (t >> shift) & 0xFF; return static_cast<std::uint32_t>(g + (((s - g) * w) >> 8)); };
        return 0xFF000000u | ch(16) << 16 | ch(8) << 8 | ch(0);
    };
    for (int mode : {0, 1}) {
        auto b = Bmp32(7, 9, Untouched);
        PaintGradientTextured(b.get(), Rect(1, 1, 6, 8), {Step(grey, grey, 100, mode)}, 128, Rect(0, 0, 0, 0), tex.get());
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 7; ++x) {
                bool inside = x >= 1 && x < 6 && y >= 1 && y < 8;
                ASSERT_EQ(inside ? expected(x, y, 128) : Untouched, Px(*b, x, y)) << "mode " << mode << " at " << x << "," << y;
            }
    }
}

TEST(sGradient, TexturedGradientWithoutAUsableTilePaintsNothing)
{
    auto b = Bmp32(5, 5, Untouched);
    auto strip = Bmp32(1, 4, 0xFF123456u);  // a tile of no width
    auto tex = Bmp32(4, 4, 0xFF123456u);
    PaintGradientTextured(b.get(), Rect(0, 0, 5, 5), {Step(0, 0, 100)}, 100, Rect(0, 0, 0, 0), strip.get());
    PaintGradientTextured(b.get(), Rect(0, 0, 5, 5), {Step(0, 0, 100)}, 100, Rect(3, 3, 4, 4), tex.get());
    PaintGradientTextured(b.get(), Rect(0, 0, 5, 5), {Step(0, 0, 100, 2)}, 100, Rect(0, 0, 0, 0), tex.get());
    PaintGradientTextured(b.get(), Rect(0, 0, 5, 5), {Step(0, 0, 100)}, 100, Rect(0, 0, 0, 0), nullptr);
    EXPECT_TRUE(All(*b, Untouched));
}
