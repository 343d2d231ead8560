// The skinned radio button: its automatic size, the check-mark frame per state, and checking by
// mouse and keyboard (with the press, the group and read-only).
#include "skin/controls/sRadioButton.h"

#include <gtest/gtest.h>

#include "tests/framework/controls/ControlFixtures.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinstate_test;
using namespace kvltest;
using skinpaint_test::PixelOf;
using skintest::Bmp32;
using skintest::Px;

namespace {

constexpr std::uint32_t Frame0 = 0xFF0000C0u, Frame1 = 0xFF00C000u, Frame2 = 0xFFC00000u;

class SkinnedRadios : public FormTest {
protected:
    SkinnedManager M;
    void SetUp() override
    {
        FormTest::SetUp();
        M.AddSection(L"RADIOBUTTON", 0x00E0E0E0);
    }
    TsRadioButton* AddRadio(const String& Caption, int Top = 10)
    {
        auto* radio = new TsRadioButton(Form);
        radio->SetParent(Form);
        radio->SkinData()->SetSkinSection(L"RADIOBUTTON");
        radio->SetBounds(10, Top, 100, 20);
        radio->SetCaption(Caption);
        radio->AdjustSize();
        return radio;
    }
    void Send(TsRadioButton* Radio, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0)
    {
        SendMessageW(Radio->Handle(), Msg, WParam, LParam);
    }
};

TEST_F(SkinnedRadios, AutomaticSizeFollowsGlyphMarginsCaptionAndIndent)
{
    TsRadioButton* empty = AddRadio(L"");
    EXPECT_EQ(empty->Width(), 16 + 2 * 2);
    EXPECT_EQ(empty->Height(), std::max(16, 2 * 2) + 2);
    TsRadioButton* text = AddRadio(L"24小时轮班", 40);
    const int width = text->Width();
    text->SetTextIndent(2);
    EXPECT_EQ(text->Width(), width + 2);
}

TEST_F(SkinnedRadios, AnOwnGlyphShowsTheFrameOfTheState)
{
    TsRadioButton* radio = AddRadio(L"");
    auto strip = Bmp32(24, 8, [](int X, int) { return X < 8 ? Frame0 : X < 16 ? Frame1 : Frame2; });
    radio->SetGlyphUnChecked(strip.get());
    EXPECT_EQ(radio->GlyphSize().cx, 8);
    const TRect gr = radio->GlyphRect();
    ShowActive();
    ::SetFocus(Form->Handle());
    const struct { bool Hot; bool Pressed; std::uint32_t Expected; } cases[] = {
        {false, false, Frame0}, {true, false, Frame1}, {true, true, Frame2}};
    for (const auto& c : cases) {
        radio->SkinData()->FMouseAbove = c.Hot;
        if (c.Pressed) Send(radio, WM_KEYDOWN, VK_SPACE);
        radio->PrepareCache();
        EXPECT_EQ(Px(*radio->SkinData()->CacheBmp(), gr.left + 3, gr.top + 3) | 0xFF000000u, c.Expected);
    }
}

TEST_F(SkinnedRadios, AClickChecksAndUnchecksTheOtherButAPressLeftOutsideDoesNot)
{
    TsRadioButton* first = AddRadio(L"a");
    TsRadioButton* second = AddRadio(L"b", 40);
    first->SetChecked(true);
    ShowActive();
    Send(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(second->Pressed());
    Send(second, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());

    Send(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    first->Perform(CM_MOUSELEAVE, 0, 0);
    Send(first, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(first->Checked()) << "the press ended when the mouse left";
}

TEST_F(SkinnedRadios, SpaceChecksAlsoWhenAnotherKeyIsReleased)
{
    for (WPARAM released : {WPARAM(VK_SPACE), WPARAM('A')}) {
        TsRadioButton* radio = AddRadio(L"k");
        ShowActive();
        Send(radio, WM_KEYDOWN, VK_SPACE);
        Send(radio, WM_KEYUP, released);
        EXPECT_TRUE(radio->Checked()) << "released " << released;
    }
}

TEST_F(SkinnedRadios, AReadOnlyButtonKeepsItsStateAgainstMouseAndKeys)
{
    TsRadioButton* radio = AddRadio(L"r");
    radio->SetReadOnly(true);
    ShowActive();
    Send(radio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Send(radio, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Send(radio, WM_KEYDOWN, VK_SPACE);
    Send(radio, WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(radio->Checked());
    radio->SetChecked(true);
    EXPECT_TRUE(radio->Checked()) << "the program still can";
}

} // namespace
