// Skinned group boxes: where the caption band lies for each layout, what the caption offset
// moves, and the composed look: the band over the parent's background, the body from half the
// band's height in the section's colour, the caption in the section's font colour.
#include "skin/controls/sGroupBox.h"
#include "tests/skin/core/SkinStateFixture.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

constexpr TColor Body = 0x00C08040;
constexpr TColor Text = 0x00000080;

class SkinnedGroupBoxes : public FormTest {
protected:
    skinstate_test::SkinnedManager Skin;

    void SetUp() override
    {
        FormTest::SetUp();
        int global = Skin.AddSection(L"GLOBALINFO", clWhite);
        Skin.Manager.ConstData.IndexGLobalInfo = global;
        int box = Skin.AddSection(L"GROUPBOX", Body);
        Skin.Manager.gd[box].Props[0].FontColor.Color = Text;
        Form->SetColor(clWhite);
    }
    // A group box whose caption is 50 pixels wide (five "W" of Tahoma 8).
    TsGroupBox* MakeBox(int Width, const String& Caption = L"WWWWW")
    {
        auto* box = Add<TsGroupBox>(Form, 10, 10, Width, 80);
        box->Font()->SetName(L"Tahoma");
        box->Font()->SetHeight(-11);
        box->SetCaption(Caption);
        return box;
    }
};

TEST_F(SkinnedGroupBoxes, CaptionBandFollowsTheLayout)
{
    TsGroupBox* box = MakeBox(161);
    ASSERT_EQ(box->SkinData()->CacheBmp()->Canvas()->TextWidth(L"WWWWW"), 50);
    struct TCase {
        TsGroupBox::TsCaptionLayout Layout;
        int Left, Right;
    };
    for (TCase c : {TCase{TsGroupBox::clTopLeft, 6, 64}, TCase{TsGroupBox::clTopCenter, 50, 108}, TCase{TsGroupBox::clTopRight, 97, 155}}) {
        box->SetCaptionLayout(c.Layout);
        TRect r = box->CaptionRect();
        EXPECT_EQ(r.left, c.Left) << c.Layout;
        EXPECT_EQ(r.right, c.Right) << c.Layout;
        EXPECT_EQ(r.bottom - r.top, box->CaptionHeight());
    }
    // A caption wider than the box: from the left edge, cut at the right one.
    TsGroupBox* narrow = MakeBox(60, L"WWWWWWW");
    narrow->SetCaptionLayout(TsGroupBox::clTopRight);
    EXPECT_EQ(narrow->CaptionRect().left, 0);
    EXPECT_EQ(narrow->CaptionRect().right, 60);
    // An empty caption keeps the band's height.
    TsGroupBox* empty = MakeBox(100, L"");
    EXPECT_EQ(empty->CaptionRect().bottom, box->CaptionHeight());
}

TEST_F(SkinnedGroupBoxes, CaptionOffsetMovesTheChildrenAndTheBand)
{
    TsGroupBox* box = MakeBox(161);
    TRect plain = box->ClientRect();
    box->AdjustClientRect(plain);
    box->SetCaptionYOffset(5);
    TRect moved = box->ClientRect();
    box->AdjustClientRect(moved);
    EXPECT_EQ(moved.top, plain.top + 5);
    EXPECT_EQ(box->CaptionRect().bottom, box->CaptionHeight() + 5);
    box->SetCaptionYOffset(-3);
    EXPECT_EQ(box->CaptionRect().top, -3);
}

TEST_F(SkinnedGroupBoxes, LookIsBandOverTheParentAndTheBodyBelowHalfTheBand)
{
    TsGroupBox* box = MakeBox(161);
    Form->Show();
    PumpPending();
    TPixelBuffer pixels(161, 80);
    SendMessageW(box->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixels.DC()), PRF_CLIENT);
    const int half = box->CaptionHeight() / 2;
    // Above the body's top, right of the caption: the form's white.
    EXPECT_EQ(pixels.At(120, 0), COLORREF(clWhite));
    EXPECT_EQ(pixels.At(120, half), COLORREF(Body));
    EXPECT_EQ(pixels.At(80, 60), COLORREF(Body));
    // The caption in the section's font colour inside its band.
    TInk ink = FindInk(pixels, 161, box->CaptionHeight(), [](COLORREF c) { return c == COLORREF(Text); });
    EXPECT_GT(ink.Count, 0);

    EXPECT_GE(ink.Left, 6);
    EXPECT_LE(ink.Right, 64);
}

} // namespace
