// Check boxes cycle their states (grayed too, when allowed) and fire OnClick, for clicks and code.
#include "framework/stdctrls/CheckBox.h"

#include <vector>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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

} // namespace
