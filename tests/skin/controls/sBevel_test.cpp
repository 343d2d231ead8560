// Skinned bevels: the section follows the shape and style, and only the frame or the line strip
// of the composed section reaches the parent.
#include "skin/controls/sBevel.h"
#include "tests/skin/core/SkinStateFixture.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

constexpr TColor Frame = 0x00306090;

class SkinnedBevels : public FormTest {
protected:
    skinstate_test::SkinnedManager Skin;

    void SetUp() override
    {
        FormTest::SetUp();
        Skin.AddSection(L"GLOBALINFO", clWhite);
        for (const wchar_t* name : {L"GROUPBOX", L"PANEL", L"PANEL_LOW"}) Skin.AddSection(name, Frame);
    }
    TsBevel* MakeBevel(TBevelShape Shape, int Width, int Height)
    {
        auto* bevel = Add<TsBevel>(Form, 0, 0, Width, Height);
        bevel->SetShape(Shape);
        return bevel;
    }
    // The bevel painted over white; true where a pixel took the section's colour.
    static std::vector<bool> Painted(TsBevel* Bevel)
    {
        TPixelBuffer pixels(Bevel->Width(), Bevel->Height());
        Bevel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pixels.DC()), 0);
        std::vector<bool> taken;
        for (int y = 0; y < Bevel->Height(); ++y)
            for (int x = 0; x < Bevel->Width(); ++x) taken.push_back(pixels.At(x, y) == COLORREF(Frame));
        return taken;
    }
};

TEST_F(SkinnedBevels, SectionFollowsShapeAndStyleOnTheNextInvalidation)
{
    TsBevel* bevel = MakeBevel(bsFrame, 40, 40);
    EXPECT_EQ(bevel->SkinData()->SkinSection(), L"GROUPBOX");
    bevel->SetShape(bsBox);
    EXPECT_EQ(bevel->SkinData()->SkinSection(), L"PANEL_LOW");
    bevel->SetStyle(bsRaised);
    EXPECT_EQ(bevel->SkinData()->SkinSection(), L"PANEL");
}

TEST_F(SkinnedBevels, OnlyTheShapesStripsAreCopied)
{
    struct TCase {
        TBevelShape Shape;
        TRect Shown; // the one rectangle of section pixels (empty: none)
        bool Frame;
    };
    const int w = 100, h = 40;
    for (TCase c : {TCase{bsTopLine, {3, 0, w - 3, 3}, false}, TCase{bsBottomLine, {3, h - 3, w - 3, h}, false},
                    TCase{bsLeftLine, {0, 3, 3, h - 3}, false}, TCase{bsRightLine, {w - 3, 3, w, h - 3}, false},
                    TCase{bsSpacer, {0, 0, 0, 0}, false}, TCase{bsBox, {0, 0, w, h}, true}}) {
        TsBevel* bevel = MakeBevel(c.Shape, w, h);
        std::vector<bool> taken = Painted(bevel);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                POINT p{x, y};
                bool expected = PtInRect(&c.Shown, p) != 0;
                if (c.Frame) expected = expected && (x < 3 || y < 3 || x >= w - 3 || y >= h - 3);
                ASSERT_EQ(taken[y * w + x], expected) << "shape " << c.Shape << " at " << x << "," << y;
            }
    }
}

TEST_F(SkinnedBevels, WithoutSkinTheFrameworkBevelIsDrawn)
{
    TsBevel* bevel = MakeBevel(bsTopLine, 50, 10);
    Skin.Manager.SkinData.Active = false;
    bevel->SkinData()->UpdateIndexes();
    TPixelBuffer pixels(50, 10);
    bevel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pixels.DC()), 0);
    EXPECT_EQ(pixels.At(1, 0), SysColor(COLOR_BTNSHADOW));
}

} // namespace
