// Skinned controls over a parent whose background is a bitmap: a see-through section shows the
// parent's pixels at the control's own place, once, in the normal and the disabled look.
#include <gtest/gtest.h>

#include <functional>

#include "skin/controls/sBitBtn.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sSpeedButton.h"
#include "tests/framework/controls/ControlFixtures.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using namespace kvltest;
using skinpaint_test::Coded;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr int AtX = 13, AtY = 9;

struct TCase {
    const wchar_t* Name;
    const wchar_t* Section;
    // Makes the control on Parent; returns it with its skin state.
    std::function<std::pair<TControl*, TsCommonData*>(TWinControl* Parent)> Make;
    std::function<void(TControl*)> Compose;
    TPoint Probe;  // a pixel of the cache that nothing but the background covers
};

template <class T>
std::pair<TControl*, TsCommonData*> Placed(T* Control, TWinControl* Parent, const wchar_t* Section, int W, int H)
{
    Control->SetParent(Parent);
    Control->SetBounds(AtX, AtY, W, H);
    Control->SkinData()->SetSkinSection(Section);
    return {Control, Control->SkinData()};
}

class OverABitmapParent : public FormTest {
protected:
    SkinnedManager M;
    TStateTestParent* Host = nullptr;
    std::unique_ptr<TBitmap> Background = Bmp32(200, 120, [](int X, int Y) { return Coded(X, Y); });
    void SetUp() override
    {
        FormTest::SetUp();
        for (const wchar_t* s : {L"EDIT", L"COMBOBOX", L"RADIOBUTTON", L"SPEEDBUTTON", L"BUTTON", L"GROUPBOX"})
            M.AddSection(s, 0x00808080, 100);
        Host = new TStateTestParent(Form);
        Host->SetParent(Form);
        Host->SetBounds(0, 0, 200, 120);
        Host->AnswerBitmap = Background.get();
    }
};

TEST_F(OverABitmapParent, SeeThroughControlsShowTheParentAtTheirOwnPlaceOnce)
{
    const TCase cases[] = {
        {L"edit", L"EDIT",
         [&](TWinControl* P) { return Placed(new TsEdit(Form), P, L"EDIT", 80, 22); },
         [](TControl* C) { static_cast<TsEdit*>(C)->PrepareCache(); }, TPoint{76, 19}},
        {L"combo box", L"COMBOBOX",
         [&](TWinControl* P) { return Placed(new TsComboBox(Form), P, L"COMBOBOX", 90, 22); },
         [](TControl* C) { static_cast<TsComboBox*>(C)->PrepareCache(); }, TPoint{1, 20}},
        {L"radio button", L"RADIOBUTTON",
         [&](TWinControl* P) { return Placed(new TsRadioButton(Form), P, L"RADIOBUTTON", 100, 20); },
         [](TControl* C) { static_cast<TsRadioButton*>(C)->PrepareCache(); }, TPoint{97, 18}},
        {L"speed button", L"SPEEDBUTTON",
         [&](TWinControl* P) { return Placed(new TsSpeedButton(Form), P, L"SPEEDBUTTON", 60, 24); },
         [](TControl* C) { static_cast<TsSpeedButton*>(C)->PrepareCache(); }, TPoint{2, 2}},
        {L"bit button", L"BUTTON",
         [&](TWinControl* P) { return Placed(new TsBitBtn(Form), P, L"BUTTON", 60, 24); },
         [](TControl* C) { static_cast<TsBitBtn*>(C)->PrepareCache(); }, TPoint{2, 2}},
        {L"group box", L"GROUPBOX",
         [&](TWinControl* P) { return Placed(new TsGroupBox(Form), P, L"GROUPBOX", 90, 60); },
         [](TControl* C) { static_cast<TsGroupBox*>(C)->PrepareCache(); }, TPoint{40, 40}},
    };
    ShowActive();
    for (const TCase& c : cases) {
        auto [control, data] = c.Make(Host);
        ASSERT_TRUE(data->Skinned()) << c.Name;
        for (bool enabled : {true, false}) {
            control->SetEnabled(enabled);
            c.Compose(control);
            // Blending the parent's pixel with itself leaves it as it is; any other place shows.
            EXPECT_EQ(Px(*data->CacheBmp(), c.Probe.x, c.Probe.y) & 0xFFFFFF, Coded(AtX + c.Probe.x, AtY + c.Probe.y) & 0xFFFFFF)
                << c.Name << (enabled ? " enabled" : " disabled");
        }
        delete control;
    }
}

} // namespace
