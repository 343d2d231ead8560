// The glow window: its geometry around the control, the picture it is given (recorded from the
// layered-window call, since Xvfb composes nothing), hit tests passing through it, its place in
// the window order, the list's indexes and the control's refresh.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/Forms.h"
#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "support/ControlTestSupport.h"
#include "support/MessagePump.h"
#include "tests/skin/core/SkinStateFixture.h"

using namespace skinpaint_test;
using namespace skinstate_test;
using kvltest::PumpPending;
using kvltest::SameRect;

namespace {

struct LayeredCall {
    HWND Wnd;
    SIZE Size;
    DWORD Flags;
    BLENDFUNCTION Blend;
    std::vector<std::uint32_t> Pixels;
};
std::vector<LayeredCall> Calls;
TUpdateLayeredWindowFunc RealUpdate = nullptr;

BOOL WINAPI RecordUpdate(HWND Wnd, HDC Dst, POINT* Pt, SIZE* Size, HDC Src, POINT* SrcPt, COLORREF Key,
                         BLENDFUNCTION* Blend, DWORD Flags)
{
    LayeredCall call{Wnd, *Size, Flags, *Blend, {}};
    call.Pixels.resize(static_cast<size_t>(Size->cx) * Size->cy);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = Size->cx;
    bi.bmiHeader.biHeight = -Size->cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    GetDIBits(Src, static_cast<HBITMAP>(GetCurrentObject(Src, OBJ_BITMAP)), 0, Size->cy, call.Pixels.data(), &bi,
              DIB_RGB_COLORS);
    Calls.push_back(std::move(call));
    return RealUpdate(Wnd, Dst, Pt, Size, Src, SrcPt, Key, Blend, Flags);
}

constexpr std::uint32_t GlowInk = 0xFF2080C0u;

// A manager with a BUTTON section whose glow mask "GLOW0" has 10-pixel borders of one opaque
// colour, a shown host form, and the layered-window call recorded.
struct GlowFixture : ::testing::Test {
    SkinnedManager Skin;
    TForm* Host = nullptr;
    int Section = -1;
    int Mask = -1;

    void SetUp() override
    {
        ASSERT_TRUE(LayeredWindowsAvailable());
        RealUpdate = UpdateLayeredWindowFunc;
        UpdateLayeredWindowFunc = RecordUpdate;
        Calls.clear();
        Section = Skin.AddSection(L"BUTTON", clBtnFace);
        Skin.Manager.gd[Section].GlowCount = 1;
        Skin.Manager.gd[Section].GlowMargin = 3;
        Mask = AddGlowMask(0);
        Host = TForm::CreateNew(nullptr);
        Host->SetBounds(100, 100, 300, 200);
        Host->Show();
        PumpPending();
    }
    void TearDown() override
    {
        FreeAllGlowEffects(true);
        delete Host;
        PumpPending();
        UpdateLayeredWindowFunc = RealUpdate;
    }
    int AddGlowMask(int DrawMode, const String& Name = L"GLOW0")
    {
        TsMaskData m;
        m.Bmp = skintest::Bmp32(21, 21, GlowInk);
        m.R = TRect{0, 0, 21, 21};
        m.ClassName = L"BUTTON";
        m.PropertyName = Name;
        m.WL = m.WT = m.WR = m.WB = 10;
        m.DrawMode = static_cast<std::int16_t>(DrawMode);
        m.ImgType = itisaGlow;
        m.Manager = &Skin.Manager;
        Skin.Manager.ma.push_back(std::move(m));
        return static_cast<int>(Skin.Manager.ma.size()) - 1;
    }
    static HWND GlowWindow(int Index) { return GlowEffects().at(Index)->Wnd->Handle(); }
    static TRect WindowRect(HWND Wnd)
    {
        RECT r{};
        GetWindowRect(Wnd, &r);
        return TRect{r.left, r.top, r.right, r.bottom};
    }
};

const TRect Control{150, 160, 230, 190}; // 80 x 30 on the screen
using GlowEffect = GlowFixture;

} // namespace

TEST_F(GlowEffect, AGlowSurroundsTheControlByTheMaskBordersLessTheMargin)
{
    const int index = ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    ASSERT_GE(index, 0);
    const HWND glow = GlowWindow(index);
    // (80 + 10 + 10 - 2 * 3) x (30 + 10 + 10 - 2 * 3), 10 - 3 left of and above the control.
    EXPECT_TRUE(SameRect(WindowRect(glow), (TRect{143, 153, 143 + 94, 153 + 44})));
    EXPECT_TRUE(IsWindowVisible(glow));
    const LONG_PTR ex = GetWindowLongPtrW(glow, GWL_EXSTYLE);
    EXPECT_EQ(ex & 0x080800A0, 0x080800A0);
    EXPECT_EQ(GlowEffects()[index]->Wnd->Tag(), -98);
    EXPECT_EQ(GlowEffects()[index]->AlphaBmp, nullptr); // freed once shown

    ASSERT_EQ(Calls.size(), 1u);
    const LayeredCall& call = Calls[0];
    EXPECT_EQ(call.Wnd, glow);
    EXPECT_EQ(call.Size.cx, 94);
    EXPECT_EQ(call.Size.cy, 44);
    EXPECT_EQ(call.Flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(call.Blend.BlendOp, AC_SRC_OVER);
    EXPECT_EQ(call.Blend.SourceConstantAlpha, 255);
    EXPECT_EQ(call.Blend.AlphaFormat, AC_SRC_ALPHA);
    // The mask's borders all round; the middle (no centre drawn) stays transparent black.
    auto px = [&](int X, int Y) { return call.Pixels[static_cast<size_t>(Y) * 94 + X]; };
    for (auto [x, y] : {std::pair{0, 0}, {93, 0}, {0, 43}, {93, 43}, {9, 20}, {84, 20}, {47, 9}, {47, 34}})
        EXPECT_EQ(px(x, y), GlowInk) << x << "," << y;
    for (auto [x, y] : {std::pair{10, 10}, {47, 22}, {83, 33}}) EXPECT_EQ(px(x, y), 0u) << x << "," << y;
}

TEST_F(GlowEffect, TheMouseFallsThroughTheGlowAndItSitsJustAboveItsHost)
{
    const int index = ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    ASSERT_GE(index, 0);
    const HWND glow = GlowWindow(index);
    EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(145, 155)), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(190, 175)), HTTRANSPARENT);
    EXPECT_EQ(GetWindow(glow, GW_HWNDNEXT), Host->Handle());
    // Other messages still reach the window's own procedure.
    SetWindowTextW(glow, L"glow");
    wchar_t text[8]{};
    GetWindowTextW(glow, text, 8);
    EXPECT_STREQ(text, L"glow");
}

TEST_F(GlowEffect, APartlyCoveredControlGetsOnlyTheGlowAroundItsVisiblePart)
{
    // The left 20 pixels are covered: the picture loses 10 + 20 - 3 columns on the left.
    const int index = ShowGlowEffect(Control, TRect{20, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    ASSERT_GE(index, 0);
    EXPECT_TRUE(SameRect(WindowRect(GlowWindow(index)), (TRect{170, 153, 170 + 67, 153 + 44})));
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Size.cx, 67);
    // The right border survives the crop.
    EXPECT_EQ(Calls[0].Pixels[20 * 67 + 66], GlowInk);
    EXPECT_EQ(Calls[0].Pixels[20 * 67 + 0], 0u);
}

TEST_F(GlowEffect, AHotOnlyMaskGivesATransparentBlackPicture)
{
    Skin.Manager.ma[Mask].DrawMode = 2;
    const int index = ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    ASSERT_GE(index, 0);
    ASSERT_EQ(Calls.size(), 1u);
    for (std::uint32_t p : Calls[0].Pixels) ASSERT_EQ(p, 0u);
}

TEST_F(GlowEffect, WithoutTheGlowMaskNothingIsShown)
{
    EXPECT_EQ(ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"HALO", 3, Host->Handle(), nullptr), -1);
    EXPECT_EQ(ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"EDIT", L"GLOW", 3, Host->Handle(), nullptr), -1);
    EXPECT_TRUE(Calls.empty());
    EXPECT_TRUE(GlowEffects().empty());
}

TEST_F(GlowEffect, FreeingIgnoresBadIndexesAndFreesEachGlowOnce)
{
    const int a = ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    const int b = ShowGlowEffect(Control, TRect{0, 0, 80, 30}, L"BUTTON", L"GLOW", 3, Host->Handle(), nullptr);
    ASSERT_EQ(b, a + 1);
    const HWND first = GlowWindow(a);
    for (int bad : {-1, b + 1, 1000}) FreeGlowEffect(bad);
    EXPECT_EQ(GlowEffects().size(), 2u);

    FreeGlowEffect(a);
    FreeGlowEffect(a);
    PumpPending(); // the released window goes once its messages are handled
    EXPECT_FALSE(IsWindow(first));
    ASSERT_EQ(GlowEffects().size(), 2u);
    EXPECT_EQ(GlowEffects()[a], nullptr);
    ASSERT_NE(GlowEffects()[b], nullptr);
    EXPECT_TRUE(IsWindow(GlowWindow(b)));

    const HWND second = GlowWindow(b);
    FreeAllGlowEffects(true);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(GlowEffects().empty());
    FreeGlowEffect(b);
}

TEST_F(GlowEffect, AControlShowsItsGlowWhileTheMouseIsAboveAndFreesItWhenDestroyed)
{
    TStateTestControl control(nullptr);
    control.SetParent(Host);
    control.SetBounds(20, 30, 80, 30);
    auto data = std::make_unique<TsCommonData>(&control, false);
    data->SetSkinManager(&Skin.Manager);
    data->SetSkinSection(L"BUTTON");
    ASSERT_TRUE(data->Skinned());

    data->RefreshGlow(false);
    EXPECT_EQ(data->GlowID, -1); // the mouse is not above it

    data->FMouseAbove = true;
    data->RefreshGlow(false);
    ASSERT_GE(data->GlowID, 0);
    const int first = data->GlowID;
    RECT r{};
    GetWindowRect(control.Handle(), &r);
    // Margin 3 from the section.
    EXPECT_TRUE(SameRect(WindowRect(GlowWindow(first)), (TRect{r.left - 7, r.top - 7, r.right + 7, r.bottom + 7})));

    data->RefreshGlow(false); // shown again: the old glow goes first
    EXPECT_EQ(GlowEffects()[first], nullptr);
    ASSERT_GE(data->GlowID, 0);

    data->RefreshGlow(true); // Hide
    EXPECT_EQ(data->GlowID, -1);

    data->RefreshGlow(false);
    const int shown = data->GlowID;
    ASSERT_GE(shown, 0);
    data.reset();
    EXPECT_EQ(GlowEffects()[shown], nullptr);
    PumpPending();
}

TEST_F(GlowEffect, NoGlowWithoutGlowCount)
{
    Skin.Manager.gd[Section].GlowCount = 0;
    TStateTestControl control(nullptr);
    control.SetParent(Host);
    TsCommonData data(&control, false);
    data.SetSkinManager(&Skin.Manager);
    data.SetSkinSection(L"BUTTON");
    data.FMouseAbove = true;
    data.RefreshGlow(false);
    EXPECT_EQ(data.GlowID, -1);
    EXPECT_TRUE(Calls.empty());
}
