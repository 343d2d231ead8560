// Speed buttons keep one Down per group, paint the glyph frame of their state where the layout
// says, and a flat one tracks the mouse.
#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/SpeedButton.h"

#include <functional>
#include <memory>
#include <vector>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Buttons, SpeedButtonsKeepOneDownPerGroup)
{
    std::vector<TSpeedButton*> group;
    int clicks = 0;
    for (int i = 0; i < 3; ++i) {
        auto* b = Add<TSpeedButton>(Form, 10 + 30 * i, 10, 25, 25);
        b->SetGroupIndex(1);
        b->OnClick = [&](TObject*) { ++clicks; };
        group.push_back(b);
    }
    auto* loner = Add<TSpeedButton>(Form, 200, 10, 25, 25);
    loner->SetGroupIndex(2);
    loner->SetDown(true);
    ShowActive();
    auto downs = [&] {
        std::vector<bool> d;
        for (TSpeedButton* b : group) d.push_back(b->Down());
        return d;
    };

    group[0]->SetDown(true);
    EXPECT_EQ(downs(), (std::vector<bool>{true, false, false}));
    group[2]->SetDown(true);
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(loner->Down());
    // Without AllowAllUp the down button stays down.
    group[2]->SetDown(false);
    EXPECT_TRUE(group[2]->Down());

    // A click (on the parent's window, where the button lives) presses the button under it.
    ClickAt(Form->Handle(), 10 + 30 + 5, 15);
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(clicks, 1);
    ClickAt(Form->Handle(), 10 + 30 + 5, 15);
    EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));

    group[0]->SetAllowAllUp(true);
    EXPECT_TRUE(group[2]->AllowAllUp());
    ClickAt(Form->Handle(), 10 + 30 + 5, 15);
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));

    // Without a group a speed button never stays down.
    auto* plain = Add<TSpeedButton>(Form, 300, 10, 25, 25);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(Buttons, SpeedButtonPaintsTheGlyphFrameOfItsStateWhereTheLayoutSays)
{
    auto* b = Add<TSpeedButton>(Form, 0, 0, 80, 60);
    b->SetCaption(L"Text");
    std::unique_ptr<TBitmap> glyph = Glyph({clRed, clGray, clBlue, clLime});
    b->SetGlyph(glyph.get());
    EXPECT_EQ(b->NumGlyphs(), 4);
    auto paint = [&](const std::function<bool(COLORREF)>& Match) {
        TPixelBuffer pixels(80, 60);
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pixels.DC()), 0);
        return FindInk(pixels, 80, 60, Match);
    };
    auto red = [](COLORREF c) { return c == RGB(255, 0, 0); };

    b->SetLayout(blGlyphLeft);
    TInk left = paint(red);
    b->SetLayout(blGlyphRight);
    TInk right = paint(red);
    b->SetLayout(blGlyphTop);
    TInk top = paint(red);
    ASSERT_EQ(left.Count, 100);
    EXPECT_LT(left.CenterX(), 40);
    EXPECT_GT(right.CenterX(), 40);
    EXPECT_LT(top.CenterY(), 30);
    // Margin puts the glyph that far from the edge of the face (inside the 2-pixel frame).
    b->SetLayout(blGlyphLeft);
    b->SetMargin(4);
    EXPECT_EQ(paint(red).Left, 2 + 4 + 3);

    // The down (exclusive) frame is the fourth, drawn one pixel down and right; a disabled
    // button shows the second.
    b->SetGroupIndex(1);
    b->SetDown(true);
    TInk lime = paint([](COLORREF c) { return c == RGB(0, 255, 0); });
    EXPECT_EQ(lime.Count, 100);
    EXPECT_EQ(lime.Left, 2 + 4 + 3 + 1);
    b->SetEnabled(false);
    EXPECT_EQ(paint([](COLORREF c) { return c == RGB(128, 128, 128); }).Count, 100);
}

TEST_F(Buttons, FlatSpeedButtonTracksTheMouse)
{
    auto* b = Add<TSpeedButton>(Form, 10, 10, 25, 25);
    b->SetFlat(true);
    ShowActive();
    b->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(b->MouseInControl());
    b->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(b->MouseInControl());
}

} // namespace
