// Panels, bevels, images, group boxes and radio groups: bevel and line pixels, the room left to
// aligned children, the picture's destination rectangle, and the radio group's buttons and index.
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Bevel.h"
#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioGroup.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class Panels : public FormTest {};

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

TEST_F(Panels, BevelShapesDrawTheirLines)
{
    struct TCase {
        TBevelShape Shape;
        TBevelStyle Style;
        POINT First, Second; // a pixel of the first colour and one of the second
    };
    COLORREF light = SysColor(COLOR_BTNHIGHLIGHT), shadow = SysColor(COLOR_BTNSHADOW);
    const TCase cases[] = {
        {bsTopLine, bsLowered, {10, 0}, {10, 1}},   {bsBottomLine, bsLowered, {10, 18}, {10, 19}},
        {bsLeftLine, bsRaised, {0, 10}, {1, 10}},   {bsRightLine, bsRaised, {38, 10}, {39, 10}},
        {bsBox, bsLowered, {0, 10}, {39, 10}},      {bsFrame, bsLowered, {0, 10}, {1, 10}},
    };
    for (const TCase& c : cases) {
        auto* bevel = Add<TBevel>(Form, 0, 0, 40, 20);
        bevel->SetShape(c.Shape);
        bevel->SetStyle(c.Style);
        TPixelBuffer pixels(40, 20);
        bevel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(pixels.DC()), 0);
        COLORREF first = c.Style == bsLowered ? shadow : light;
        COLORREF second = c.Style == bsLowered ? light : shadow;
        EXPECT_EQ(pixels.At(c.First.x, c.First.y), first) << c.Shape;
        EXPECT_EQ(pixels.At(c.Second.x, c.Second.y), second) << c.Shape;
        EXPECT_EQ(pixels.At(20, 10), RGB(255, 255, 255)) << c.Shape;
        delete bevel;
    }
}

TEST_F(Panels, ImageDestRectFollowsStretchProportionalAndCenter)
{
    auto* image = Add<TImage>(Form, 0, 0, 100, 50);
    TBitmap bitmap(40, 20);
    image->Picture()->SetGraphic(&bitmap);
    struct TCase {
        bool Stretch, Proportional, Center;
        TRect Expected;
    };
    const TCase cases[] = {
        {false, false, false, Rect(0, 0, 40, 20)}, {false, false, true, Rect(30, 15, 70, 35)},
        {true, false, false, Rect(0, 0, 100, 50)}, {true, true, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const TCase& c : cases) {
        image->SetStretch(c.Stretch);
        image->SetProportional(c.Proportional);
        image->SetCenter(c.Center);
        EXPECT_TRUE(SameRect(image->DestRect(), c.Expected)) << c.Stretch << c.Proportional << c.Center;
    }
    // A picture too large for the control shrinks, keeping its shape.
    TBitmap tall(50, 100);
    image->Picture()->SetGraphic(&tall);
    image->SetStretch(false);
    image->SetProportional(true);
    image->SetCenter(true);
    EXPECT_TRUE(SameRect(image->DestRect(), Rect(37, 0, 62, 50)));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 50);
    EXPECT_EQ(image->Height(), 100);
}

TEST_F(Panels, GroupBoxFramesItsChildrenBelowTheCaption)
{
    auto* box = Add<TGroupBox>(Form, 0, 0, 120, 80);
    box->SetCaption(L"Shift");
    box->HandleNeeded();
    auto* child = Add<TBox>(box, 0, 0, 10, 10);
    child->SetAlign(alClient);
    EXPECT_GE(child->Top(), 10);
    EXPECT_EQ(child->Left(), 2);
    TPixelBuffer pixels(120, 80);
    box->PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(pixels.At(60, 79 - 1), SysColor(COLOR_BTNSHADOW));
}

TEST_F(Panels, RadioGroupMakesOneButtonPerItemAndTracksItemIndex)
{
    auto* group = Add<TRadioGroup>(Form, 0, 0, 200, 100);
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->Items()->Add(L"24h");
    group->Items()->Add(L"48h");
    group->Items()->Add(L"12h");
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->Buttons(1)->Caption(), L"48h");
    EXPECT_EQ(group->ItemIndex(), -1);

    group->SetItemIndex(1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    EXPECT_EQ(clicks, 1);
    ShowActive();
    ClickAt(group->Buttons(2)->Handle(), 5, 5);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_EQ(clicks, 2);

    // Columns side by side; fewer items drop buttons and clamp the index.
    group->SetColumns(2);
    EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
    group->Items()->Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), 1);
}

} // namespace
