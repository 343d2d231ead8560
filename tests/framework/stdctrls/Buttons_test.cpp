// Buttons: radio buttons keep one checked among their siblings (by clicks, code and arrows),
// check boxes cycle their states and fire OnClick, Enter/Escape click the default and cancel
// buttons, a button's ModalResult ends a modal form, bitmap buttons take their kind and place
// their glyph, and speed buttons keep one Down per group and paint their glyph where the layout says.
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/RadioButton.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class Buttons : public FormTest {
protected:
    static int CheckedCount(const std::vector<TRadioButton*>& Radios)
    {
        int n = 0;
        for (TRadioButton* r : Radios) {
            bool window = SendMessageW(r->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
            EXPECT_EQ(window, r->Checked());
            n += r->Checked() ? 1 : 0;
        }
        return n;
    }
    // A glyph strip of square frames: each frame an olive ground (transparent) with a filled square.
    static std::unique_ptr<TBitmap> Glyph(std::initializer_list<TColor> Frames, int Size = 16)
    {
        auto bitmap = std::make_unique<TBitmap>(Size * static_cast<int>(Frames.size()), Size);
        bitmap->Canvas()->Brush()->SetColor(clOlive);
        bitmap->Canvas()->FillRect(Rect(0, 0, bitmap->Width(), Size));
        int i = 0;
        for (TColor c : Frames) {
            bitmap->Canvas()->Brush()->SetColor(c);
            bitmap->Canvas()->FillRect(Rect(i * Size + 3, 3, i * Size + Size - 3, Size - 3));
            ++i;
        }
        return bitmap;
    }
};

TEST_F(Buttons, RadioButtonsOfOneParentKeepExactlyOneChecked)
{
    std::vector<TRadioButton*> radios;
    std::vector<int> clicks(3);
    for (int i = 0; i < 3; ++i) {
        auto* r = Add<TRadioButton>(Form, 10, 10 + 25 * i, 100, 20);
        r->SetCaption(L"Choice " + std::to_wstring(i));
        r->OnClick = [&clicks, i](TObject*) { ++clicks[static_cast<size_t>(i)]; };
        radios.push_back(r);
    }
    auto* other = Add<TRadioButton>(Add<TBox>(Form, 200, 10, 100, 100), 5, 5, 80, 20);
    other->SetChecked(true);
    ShowActive();

    // By code: the siblings go off, a radio button of another parent stays.
    radios[1]->SetChecked(true);
    EXPECT_EQ(CheckedCount(radios), 1);
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{0, 1, 0}));
    // Only the checked one is a tab stop.
    EXPECT_TRUE(radios[1]->TabStop());
    EXPECT_FALSE(radios[0]->TabStop());

    // By clicks on the windows.
    ClickAt(radios[2]->Handle(), 5, 5);
    EXPECT_EQ(CheckedCount(radios), 1);
    EXPECT_TRUE(radios[2]->Checked());
    ClickAt(radios[0]->Handle(), 5, 5);
    EXPECT_TRUE(radios[0]->Checked());
    EXPECT_EQ(CheckedCount(radios), 1);
    // Clicking the checked one again changes nothing and says nothing.
    int before = clicks[0];
    ClickAt(radios[0]->Handle(), 5, 5);
    EXPECT_EQ(clicks[0], before);
    EXPECT_EQ(CheckedCount(radios), 1);

    // By arrows: the check moves to the next and previous sibling, wrapping around.
    radios[0]->SetFocus();
    PressKey(VK_DOWN);
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_TRUE(radios[1]->Focused());
    PressKey(VK_UP);
    PressKey(VK_UP);
    EXPECT_TRUE(radios[2]->Checked());
    EXPECT_EQ(CheckedCount(radios), 1);
    EXPECT_TRUE(other->Checked());
}

TEST_F(Buttons, CheckBoxCyclesItsStatesAndFiresOnClick)
{
    auto* box = Add<TCheckBox>(Form, 10, 10, 100, 20);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    ShowActive();
    auto window = [&] { return static_cast<TCheckBoxState>(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0)); };

    ClickAt(box->Handle(), 5, 5);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_TRUE(box->Checked());
    ClickAt(box->Handle(), 5, 5);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        ClickAt(box->Handle(), 5, 5);
        states.push_back(box->State());
        EXPECT_EQ(window(), box->State());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    // Changes by code click too; setting the same state does not.
    clicks = 0;
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(window(), cbGrayed);
    // A state set before the window exists reaches it.
    auto* late = new TCheckBox(Form);
    late->SetState(cbChecked);
    late->SetParent(Form);
    EXPECT_EQ(SendMessageW(late->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Buttons, EnterClicksTheDefaultButtonAndEscapeTheCancelButton)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 100, 21);
    auto* ok = Add<TButton>(Form, 10, 40, 75, 25);
    auto* cancel = Add<TButton>(Form, 100, 40, 75, 25);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    int okClicks = 0, cancelClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    ShowActive();
    edit->SetFocus();
    EXPECT_EQ(GetWindowLongW(ok->Handle(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);

    PressKey(VK_RETURN);
    EXPECT_EQ(okClicks, 1);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 1);

    // While another button has the focus, Enter is that button's.
    cancel->SetFocus();
    EXPECT_TRUE(cancel->Active());
    EXPECT_FALSE(ok->Active());
    EXPECT_EQ(GetWindowLongW(ok->Handle(), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
}

TEST_F(Buttons, ModalResultOfAClickedButtonEndsTheModalForm)
{
    auto* button = Add<TButton>(Form, 10, 10, 75, 25);
    button->SetModalResult(mrOk);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    HWND wnd = button->Handle();
    // The click arrives inside the modal loop, as the parent's BN_CLICKED notification.
    PostMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
    // Should the click not end the loop, a timer does, so the test cannot hang.
    UINT_PTR guard = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
        for (int i = 0; i < Screen->FormCount(); ++i) Screen->Forms(i)->SetModalResult(mrAbort);
    });
    int result = Form->ShowModal();
    KillTimer(nullptr, guard);
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(Buttons, BitBtnKindSetsCaptionResultAndGlyphUntilChanged)
{
    auto* button = Add<TBitBtn>(Form, 10, 10, 90, 30);
    button->SetKind(bkOK);
    EXPECT_EQ(button->Caption(), L"OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    EXPECT_FALSE(button->Glyph()->Empty());
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Kind(), bkOK);
    button->SetKind(bkCancel);
    EXPECT_TRUE(button->Cancel());
    EXPECT_FALSE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrCancel);
    button->SetModalResult(mrYes);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_NE(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_OWNERDRAW, 0);
}

TEST_F(Buttons, BitBtnDrawsItsGlyphOnTheSideTheLayoutNames)
{
    auto* button = Add<TBitBtn>(Form, 10, 10, 120, 60);
    button->SetCaption(L"Go");
    std::unique_ptr<TBitmap> glyph = Glyph({clRed});
    button->SetGlyph(glyph.get());
    const COLORREF red = RGB(255, 0, 0);
    for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        button->SetLayout(layout);
        TPixelBuffer pixels(120, 60);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = button->Handle();
        dis.hDC = pixels.DC();
        dis.rcItem = RECT{0, 0, 120, 60};
        button->DrawItem(dis);
        TInk ink = FindInk(pixels, 120, 60, [&](COLORREF c) { return c == red; });
        ASSERT_EQ(ink.Count, 10 * 10) << layout;
        TInk text = FindInk(pixels, 120, 60, IsDark);
        switch (layout) {
        case blGlyphLeft: EXPECT_LT(ink.Right, text.Left); break;
        case blGlyphRight: EXPECT_GT(ink.Left, text.Right); break;
        case blGlyphTop: EXPECT_LT(ink.Bottom, text.Top); break;
        case blGlyphBottom: EXPECT_GT(ink.Top, text.Bottom); break;
        }
    }
}

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
