// Labels: painting (lines, layout, alignment, the embossed disabled look, accelerators),
// sizing to the text, and handing the focus to FocusControl on the accelerator key.
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Label.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class Labels : public FormTest {
protected:
    TLabel* MakeLabel(const String& Caption)
    {
        auto* label = Add<TLabel>(Form, 10, 10, 65, 17);
        label->Font()->SetColor(clBlack);
        label->SetColor(clWhite);
        label->SetCaption(Caption);
        return label;
    }
    // Paints the label alone at (0, 0) of a fresh white buffer.
    void Paint(TLabel* Label, TPixelBuffer& Pixels)
    {
        Label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Pixels.DC()), 0);
    }
};

TEST_F(Labels, CarriageReturnShowsTwoLinesAndAutoSizeFollowsTheText)
{
    TLabel* one = MakeLabel(L"Line");
    TLabel* two = MakeLabel(L"Line\rLine");
    EXPECT_GT(one->Width(), 0);
    EXPECT_EQ(two->Height(), 2 * one->Height());
    EXPECT_EQ(two->Width(), one->Width());

    TPixelBuffer pixels(two->Width(), two->Height());
    Paint(two, pixels);
    int half = two->Height() / 2;
    TInk top = FindInk(pixels, two->Width(), half, IsDark);
    TInk all = FindInk(pixels, two->Width(), two->Height(), IsDark);
    EXPECT_GT(top.Count, 0);
    EXPECT_GT(all.Count, top.Count);
    EXPECT_GE(all.Bottom, half);
}

TEST_F(Labels, DisabledLabelIsEmbossedInShadowColourWithoutTheFontColour)
{
    TLabel* label = MakeLabel(L"Grey");
    label->SetEnabled(false);
    TPixelBuffer pixels(label->Width(), label->Height());
    Paint(label, pixels);
    COLORREF shadow = SysColor(COLOR_BTNSHADOW);
    EXPECT_GT(FindInk(pixels, label->Width(), label->Height(), [&](COLORREF c) { return c == shadow; }).Count, 0);
    EXPECT_EQ(FindInk(pixels, label->Width(), label->Height(), [](COLORREF c) { return c == RGB(0, 0, 0); }).Count, 0);
}

TEST_F(Labels, LayoutAndAlignmentPlaceTheTextInTheBounds)
{
    struct TCase {
        TAlignment Alignment;
        TTextLayout Layout;
        bool Right, Bottom;
    };
    for (TCase c : {TCase{taLeftJustify, tlTop, false, false}, TCase{taRightJustify, tlBottom, true, true},
                    TCase{taCenter, tlCenter, false, false}}) {
        TLabel* label = MakeLabel(L"x");
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 120, 60);
        label->SetAlignment(c.Alignment);
        label->SetLayout(c.Layout);
        TPixelBuffer pixels(120, 60);
        Paint(label, pixels);
        TInk ink = FindInk(pixels, 120, 60, IsDark);
        ASSERT_GT(ink.Count, 0);
        EXPECT_EQ(ink.Left > 90, c.Right) << c.Alignment;
        EXPECT_EQ(ink.Top > 35, c.Bottom) << c.Layout;
        if (c.Alignment == taCenter) {
            EXPECT_NEAR(ink.CenterX(), 60, 8);
            EXPECT_NEAR(ink.CenterY(), 30, 8);
        }
    }
}

TEST_F(Labels, AmpersandsFollowShowAccelChar)
{
    // "&&" shows one "&" and a single "&" underlines instead of showing: the widths tell.
    TLabel* doubled = MakeLabel(L"a&&b");
    TLabel* plain = MakeLabel(L"a&b");
    plain->SetShowAccelChar(false);
    TLabel* accel = MakeLabel(L"&ab");
    TLabel* ab = MakeLabel(L"ab");
    EXPECT_EQ(doubled->Width(), plain->Width());
    EXPECT_EQ(accel->Width(), ab->Width());
    EXPECT_LT(ab->Width(), plain->Width());
}

TEST_F(Labels, AcceleratorFocusesTheFocusControl)
{
    TLabel* label = MakeLabel(L"&Name");
    auto* edit = Add<TEdit>(Form, 10, 40, 100, 21);
    auto* other = Add<TEdit>(Form, 10, 70, 100, 21);
    label->SetFocusControl(edit);
    ShowActive();
    other->SetFocus();
    ASSERT_TRUE(other->Focused());

    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'x', 0), 0);
    EXPECT_TRUE(other->Focused());
    EXPECT_NE(Form->Perform(CM_DIALOGCHAR, L'n', 0), 0);
    EXPECT_TRUE(edit->Focused());

    // A FocusControl that goes away is forgotten.
    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(Form->Perform(CM_DIALOGCHAR, L'n', 0), 0);
}

} // namespace
