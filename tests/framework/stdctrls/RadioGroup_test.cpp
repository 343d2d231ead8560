// Radio groups: one radio button per item, laid out in columns, and the item index they track.
#include "framework/stdctrls/RadioGroup.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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
