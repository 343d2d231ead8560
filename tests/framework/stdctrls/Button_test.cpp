// Buttons: Enter and Escape click the default and cancel buttons, and a button's ModalResult
// ends a modal form.
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/Edit.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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

} // namespace
