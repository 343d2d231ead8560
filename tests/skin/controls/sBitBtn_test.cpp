// Skinned bit buttons: their states under the mouse, the window region cut from the border
// mask's transparent corners, no region left behind by compositions, the stored options, and
// the image and enabled state a linked action gives them.
#include "framework/controls/ActionList.h"
#include "framework/stdctrls/Edit.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sFading.h"
#include "tests/skin/core/SkinPaintFixture.h"
#include "tests/skin/core/SkinStateFixture.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

constexpr TColor Normal = 0x00A0A0A0;
constexpr TColor Hot = 0x0000C0FF;

class SkinnedBitButtons : public FormTest {
protected:
    skinstate_test::SkinnedManager Skin;
    int Section = -1;

    void SetUp() override
    {
        FormTest::SetUp();
        Skin.Manager.ConstData.IndexGLobalInfo = Skin.AddSection(L"GLOBALINFO", clWhite);
        Section = Skin.AddSection(L"BUTTON", Normal);
        Skin.Manager.gd[Section].States = 3;
        Skin.Manager.gd[Section].HotColor = Hot;
        Skin.Manager.gd[Section].Props[1].Color = Hot;
        Form->SetColor(clWhite);
    }
    // A 5 x 5 border mask of one state whose top-left and bottom-right pixels are transparent.
    void AddCornerMask()
    {
        TsMaskData m;
        m.Bmp = skintest::Bmp32(5, 5, [](int X, int Y) {
            return (X == 0 && Y == 0) || (X == 4 && Y == 4) ? skinpaint_test::Key : 0xFF000000u;
        });
        m.R = TRect{0, 0, 5, 5};
        m.WL = m.WT = m.WR = m.WB = 2;
        m.ImageCount = 1;
        m.Manager = &Skin.Manager;
        Skin.Manager.ma.push_back(std::move(m));
        Skin.Manager.gd[Section].BorderIndex = static_cast<int>(Skin.Manager.ma.size()) - 1;
    }
    // The button, shown, with the focus on another control (a focused button looks hot).
    TsBitBtn* MakeButton()
    {
        auto* button = Add<TsBitBtn>(Form, 10, 10, 75, 25);
        button->SkinData()->SetSkinSection(L"BUTTON");
        button->SetCaption(L"关 于");
        auto* other = Add<TEdit>(Form, 10, 50, 75, 21);
        ShowActive();
        other->SetFocus();
        PumpPending();
        return button;
    }
};

TEST_F(SkinnedBitButtons, StatesFollowTheMouseAndAPressLeavesWithIt)
{
    TsBitBtn* button = MakeButton();
    HWND wnd = button->Handle();
    EXPECT_EQ(button->CurrentState(), 0);
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(button->CurrentState(), 1);
    TPixelBuffer hot(75, 25);
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hot.DC()), PRF_CLIENT);
    EXPECT_EQ(hot.At(37, 3), COLORREF(Hot));

    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(button->CurrentState(), 2);
    // Held while the mouse leaves: not pressed any more.
    button->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_NE(button->CurrentState(), 2);
    button->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(button->CurrentState(), 2);
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button->CurrentState(), 1);

    button->Perform(CM_MOUSELEAVE, 0, 0);
    button->SetDown(true);
    EXPECT_EQ(button->CurrentState(), 2);
}

TEST_F(SkinnedBitButtons, WindowRegionLeavesOutTheMaskCornersAndNoRegionIsLeftBehind)
{
    AddCornerMask();
    TsBitBtn* button = MakeButton();
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(button->Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 74, 24));
    EXPECT_TRUE(PtInRegion(region, 74, 0));
    EXPECT_TRUE(PtInRegion(region, 37, 12));
    DeleteObject(region);

    // Compositions the window does not take (printing, cache builds) keep no region either.
    auto paintAll = [&] {
        TPixelBuffer pixels(75, 25);
        SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixels.DC()), PRF_CLIENT);
        SendMessageW(button->Handle(), SM_LUMACMD, MakeSkinWParam(AC_BUILDCACHE), 0);
        RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    paintAll();
    const unsigned before = skinpaint_test::GdiObjectCount();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 300; ++i) paintAll();
    EXPECT_LE(skinpaint_test::GdiObjectCount(), before + 2);
}

TEST_F(SkinnedBitButtons, GlyphIsDrawnWhereTheLayoutPutsIt)
{
    TsBitBtn* button = MakeButton();
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(TRect{0, 0, 16, 16});
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(TRect{2, 2, 14, 14});
    button->SetGlyph(&glyph);
    TPixelBuffer pixels(75, 25);
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixels.DC()), PRF_CLIENT);
    TRect at = button->ImgRect();
    EXPECT_EQ(pixels.At(at.left + 8, at.top + 8), COLORREF(clLime));
}

TEST_F(SkinnedBitButtons, OptionsAreStoredAndHeld)
{
    TsBitBtn* button = MakeButton();
    button->SetBlend(150);
    EXPECT_EQ(button->Blend(), 100);
    button->SetBlend(-5);
    EXPECT_EQ(button->Blend(), 0);
    // The caption does not move by the text offset.
    TPixelBuffer before(75, 25), after(75, 25);
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(before.DC()), PRF_CLIENT);
    button->SetTextOffset(7);
    SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(after.DC()), PRF_CLIENT);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 75; ++x) ASSERT_EQ(before.At(x, y), after.At(x, y)) << x << "," << y;
    // No skin: the framework's own button paints and no region stays on the window.
    Skin.Manager.SkinData.Active = false;
    SendMessageW(button->Handle(), SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(&Skin.Manager));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(button->Handle(), region), ERROR);
    DeleteObject(region);
}

TEST_F(SkinnedBitButtons, ALinkedActionGivesItsImageAndADisabledActionTheDisabledLook)
{
    TsBitBtn* button = MakeButton();
    auto* images = new TImageList(Form);
    images->SetSize(16, 16);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect{0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect(TRect{16, 0, 32, 16});
    images->AddMasked(&strip, clOlive);
    auto* list = new TActionList(Form);
    list->SetImages(images);
    auto* action = new TAction(Form);
    action->SetActionList(list);
    action->SetImageIndex(1);
    action->SetCaption(L"关于");
    button->SetAction(action);
    EXPECT_EQ(button->Images(), images);
    EXPECT_EQ(button->ImageIndex(), 1);
    EXPECT_TRUE(button->Glyph()->Empty()) << "drawn from the list, not from a copy";
    EXPECT_EQ(button->Caption(), L"关于");

    auto print = [&](TPixelBuffer& Pixels) {
        SendMessageW(button->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Pixels.DC()), PRF_CLIENT);
    };
    TPixelBuffer enabled(75, 25);
    print(enabled);
    const TRect at = button->ImgRect();
    EXPECT_EQ(enabled.At(at.left + 8, at.top + 8), COLORREF(clLime));
    action->SetImageIndex(0);
    TPixelBuffer other(75, 25);
    print(other);
    EXPECT_EQ(other.At(at.left + 8, at.top + 8), COLORREF(clRed));
    // A change inside the image list shows without touching the button.
    TBitmap blue(16, 16);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images->ReplaceMasked(0, &blue, clOlive);
    print(other);
    EXPECT_EQ(other.At(at.left + 8, at.top + 8), COLORREF(clBlue));

    // A disabled action shows disabled even on a button enabled by hand...
    action->SetEnabled(false);
    button->SetEnabled(true);
    TPixelBuffer disabled(75, 25);
    print(disabled);
    EXPECT_EQ(enabled.At(37, 3), COLORREF(Normal));
    EXPECT_NE(disabled.At(37, 3), enabled.At(37, 3));
    // ...and the action's update takes the button's Enabled back to the action's.
    button->InitiateAction();
    EXPECT_FALSE(button->Enabled());

    // Freed images leave the button and the list.
    delete images;
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(list->Images(), nullptr);
    print(other);
}

} // namespace

namespace {

// Fades run on the state changes the button animates and stop when the focus, the skin or the
// application ends them; a press suppresses no hint for good; Space released repaints.
TEST_F(SkinnedBitButtons, StateChangesFadeAndFocusSkinAndEndFadeStopTheFade)
{
    Skin.Manager.gd[Section].FadingEnabled = true;
    Skin.Manager.gd[Section].FadingIterations = 5;
    TsBitBtn* button = MakeButton();
    button->SetAnimatEvents(TacAnimatEvents{aeMouseEnter, aeMouseDown, aeMouseUp});
    HWND wnd = button->Handle();

    button->Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_NE(button->FadeTimer(), nullptr);
    EXPECT_TRUE(button->FadeTimer()->Enabled());
    SendMessageW(wnd, SM_LUMACMD, MakeSkinWParam(AC_ENDFADE), 0);
    EXPECT_EQ(button->FadeTimer(), nullptr);

    Application->SetShowHint(true);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_NE(button->FadeTimer(), nullptr) << "the press fades";
    EXPECT_TRUE(Application->ShowHint()) << "hints are back once the press is shown";
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Application->ShowHint());
    button->SetFocus();
    PumpPending();
    ASSERT_NE(button->FadeTimer(), nullptr);
    // Leaving the button ends the fade at once.
    SendMessageW(wnd, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(button->FadeTimer(), nullptr);

    button->Perform(CM_MOUSEENTER, 0, 0);
    button->Perform(CM_MOUSELEAVE, 0, 0);
    button->SetAnimatEvents(TacAnimatEvents{});
    button->Perform(CM_MOUSEENTER, 0, 0);
    SendMessageW(wnd, SM_LUMACMD, MakeSkinWParam(AC_RESKIN), reinterpret_cast<LPARAM>(&Skin.Manager));
    EXPECT_EQ(button->FadeTimer(), nullptr) << "a new look ends the fade";
}

TEST_F(SkinnedBitButtons, SpaceReleasedOnTheButtonComposesItAgain)
{
    TsBitBtn* button = MakeButton();
    button->SetFocus();
    PumpPending();
    TBitmap* cache = button->SkinData()->CacheBmp();
    skintest::SetPx(*cache, 37, 3, 0xFF123456u);
    SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_NE(skintest::Px(*cache, 37, 3), 0xFF123456u);
    skintest::SetPx(*cache, 37, 3, 0xFF123456u);
    SendMessageW(button->Handle(), WM_KEYUP, 'A', 0xC0000001);
    EXPECT_EQ(skintest::Px(*cache, 37, 3), 0xFF123456u) << "another key leaves it";
}

} // namespace
