// Up-down controls: clicks ask OnChanging, then report the button; the associate follows.
#include "framework/comctrls/UpDown.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Memo.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class UpDowns : public FormTest {};

TEST_F(UpDowns, ClicksAskOnChangingThenReportTheButton)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 60, 21);
    auto* updown = Add<TUpDown>(Form, 70, 10, 17, 21);
    updown->SetMin(1);
    updown->SetMax(3);
    updown->SetPosition(2);
    updown->SetAssociate(edit);
    std::vector<std::string> log;
    bool allow = true;
    updown->OnChanging = [&](TObject*, bool& a) {
        log.push_back("changing " + std::to_string(updown->Position()));
        a = allow;
    };
    updown->OnClick = [&](TObject*, TUDBtnType b) {
        log.push_back(std::string(b == btNext ? "next " : "prev ") + std::to_string(updown->Position()));
    };
    ShowActive();
    EXPECT_EQ(edit->Text(), L"2");

    HWND wnd = updown->Handle();
    RECT r;
    GetClientRect(wnd, &r);
    ClickAt(wnd, r.right / 2, 2);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
    ClickAt(wnd, r.right / 2, r.bottom - 2);
    EXPECT_EQ(updown->Position(), 2);
    allow = false;
    ClickAt(wnd, r.right / 2, r.bottom - 2);
    EXPECT_EQ(updown->Position(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 2", "next 3", "changing 3", "prev 2", "changing 2"}));

    // Past the end the position wraps when Wrap is on; the button is still the one pressed.
    allow = true;
    log.clear();
    updown->SetWrap(true);
    updown->SetPosition(3);
    SendMessageW(updown->Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 3", "next 1"}));
    updown->SetIncrement(2);
    updown->SetMax(10);
    SendMessageW(updown->Handle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), L"3");
}

} // namespace
