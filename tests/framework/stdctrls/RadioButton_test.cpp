// Radio buttons keep one checked among their siblings, by clicks, code and arrows.
#include "framework/stdctrls/RadioButton.h"

#include <vector>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

// Counts the checked ones, checking that each window agrees with its control.
int CheckedCount(const std::vector<TRadioButton*>& Radios)
{
    int n = 0;
    for (TRadioButton* r : Radios) {
        bool window = SendMessageW(r->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        EXPECT_EQ(window, r->Checked());
        n += r->Checked() ? 1 : 0;
    }
    return n;
}

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

} // namespace
