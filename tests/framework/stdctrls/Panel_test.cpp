// Panels: bevel pixels around the colour and caption, and the room left to aligned children.
#include "framework/stdctrls/Panel.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Panels, PanelPaintsItsBevelsAroundItsColourAndCaption)
{
    auto* panel = Add<TPanel>(Form, 0, 0, 100, 40);
    panel->SetParentBackground(false);
    panel->SetColor(clWhite);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetCaption(L"Mid");
    panel->Font()->SetColor(clBlack);
    TPixelBuffer pixels(100, 40);
    panel->PaintTo(pixels.DC(), 0, 0);
    COLORREF light = SysColor(COLOR_BTNHIGHLIGHT), shadow = SysColor(COLOR_BTNSHADOW);
    // Outer raised: light top-left, shadow bottom-right; inner lowered the other way round.
    EXPECT_EQ(pixels.At(50, 0), light);
    EXPECT_EQ(pixels.At(0, 20), light);
    EXPECT_EQ(pixels.At(50, 39), shadow);
    EXPECT_EQ(pixels.At(99, 20), shadow);
    EXPECT_EQ(pixels.At(50, 1), shadow);
    EXPECT_EQ(pixels.At(50, 38), light);
    EXPECT_EQ(pixels.At(5, 5), RGB(255, 255, 255));
    TInk text = FindInk(pixels, 100, 40, IsDark);
    EXPECT_NEAR(text.CenterX(), 50, 6);
    EXPECT_NEAR(text.CenterY(), 20, 4);
}

TEST_F(Panels, AlignedChildrenStayInsideBevelsAndBorder)
{
    auto* panel = Add<TPanel>(Form, 0, 0, 100, 60);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    panel->HandleNeeded();
    auto* child = Add<TBox>(panel, 0, 0, 10, 10);
    child->SetAlign(alClient);
    EXPECT_TRUE(SameRect(child->BoundsRect(), Rect(7, 7, 93, 53)));
    EXPECT_TRUE(panel->ControlStyle().Contains(csAcceptsControls));
}

} // namespace
