// Tab controls: the tab list and the selection surviving a new window.
#include "framework/comctrls/TabControl.h"

#include <commctrl.h>
#include <string>
#include <vector>

#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class TabControls : public FormTest {};

TEST_F(TabControls, TabsAndSelectionSurviveANewWindow)
{
    auto* tabs = new TTabControl(Form);
    tabs->Tabs()->Add(L"阳历");
    tabs->Tabs()->Add(L"阴历");
    tabs->Tabs()->Add(L"Other");
    EXPECT_EQ(tabs->TabIndex(), 0);
    tabs->SetTabIndex(2);
    tabs->SetBounds(10, 10, 250, 120);
    tabs->SetParent(Form);
    ShowActive();
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->TabIndex(), 2);

    int changes = 0;
    tabs->OnChange = [&](TObject*) { ++changes; };
    TRect r = tabs->TabRect(1);
    ClickAt(tabs->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    tabs->SetTabIndex(0);
    EXPECT_EQ(changes, 1);

    tabs->Tabs()->Delete(0);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(1);
    tabs->SetMultiLine(true);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tabs->TabIndex(), 1);
    TCITEMW item{};
    wchar_t text[32] = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tabs->Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"阴历");
}

} // namespace
