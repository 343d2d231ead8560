// Skinned page controls: where tabs, strip and body lie, the composed look (active tab larger and
// over everything, inactive tabs' feet under the body, captions in the tab section's colours,
// rotated captions at the sides), hovering that repaints one tab, close buttons skinned and
// unskinned, the tab-scroll arrows' handler, and controls with no tabs, very long captions or
// their last page closed.
#include <windows.h>
#include <commctrl.h>

#include "skin/controls/sPageControl.h"
#include "skin/core/sMaskDraw.h"
#include "skin/subclass/acSBUtils.h"
#include "tests/skin/core/SkinStateFixture.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

constexpr TColor Body = 0x00C08040;
constexpr TColor TabNormal = 0x00E0E0E0;
constexpr TColor TabHot = 0x0000C0C0;
constexpr TColor TabActive = 0x004040F0;
constexpr TColor TextNormal = 0x00000080;
constexpr TColor TextHot = 0x00800000;
constexpr TColor CloseColor = 0x00008000;

std::uint32_t PixelWord(TColor C)
{
    return 0xFF000000u | (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF);
}

// A strip of solid frames, one per colour; WithMask adds the black rows below that show them whole.
std::unique_ptr<TBitmap> Frames(int Size, std::initializer_list<TColor> Colors, bool WithMask = false)
{
    std::vector<TColor> colors(Colors);
    return skintest::Bmp32(Size * static_cast<int>(colors.size()), WithMask ? 2 * Size : Size, [&](int x, int y) {
        return y >= Size ? 0xFF000000u : PixelWord(colors[static_cast<size_t>(x / Size)]);
    });
}

class SkinnedPageControls : public FormTest {
protected:
    skinstate_test::SkinnedManager Skin;
    int TabTop = -1;

    void SetUp() override
    {
        FormTest::SetUp();
        Skin.Manager.ConstData.IndexGLobalInfo = Skin.AddSection(L"GLOBALINFO", clWhite);
        Skin.AddSection(L"PAGECONTROL", Body);
        TabTop = AddTabSection(L"TABTOP", 3);
        auto& cd = Skin.Manager.ConstData;
        cd.IndexTabTop = static_cast<std::int16_t>(TabTop);
        cd.IndexTabBottom = static_cast<std::int16_t>(AddTabSection(L"TABBOTTOM", 3));
        cd.IndexTabLeft = static_cast<std::int16_t>(AddTabSection(L"TABLEFT", 3));
        cd.IndexTabRight = static_cast<std::int16_t>(AddTabSection(L"TABRIGHT", 3));
        Skin.AddSection(L"PAGECONTROLBOTTOM", Body);
        Skin.AddSection(L"PAGECONTROLLEFT", Body);
        Skin.AddSection(L"PAGECONTROLRIGHT", Body);
        Form->SetColor(clWhite);
    }

    int AddMask(const String& Section, const String& Name, std::unique_ptr<TBitmap> Picture, int Count, int MaskType,
                int Border, int DrawMode)
    {
        TsMaskData m;
        m.ClassName = Section;
        m.PropertyName = Name;
        m.R = TRect{0, 0, Picture->Width(), Picture->Height()};
        m.Bmp = std::move(Picture);
        m.ImageCount = static_cast<std::int16_t>(Count);
        m.MaskType = static_cast<std::int16_t>(MaskType);
        m.WL = m.WT = m.WR = m.WB = static_cast<std::int16_t>(Border);
        m.DrawMode = static_cast<std::int16_t>(DrawMode);
        m.Manager = &Skin.Manager;
        Skin.Manager.ma.push_back(std::move(m));
        return static_cast<int>(Skin.Manager.ma.size()) - 1;
    }

    // A tab section whose three states are solid colours, captions dark red (hot: dark blue).
    int AddTabSection(const String& Name, int States)
    {
        const int s = Skin.AddSection(Name, TabNormal);
        TsGeneralData& gd = Skin.Manager.gd[s];
        gd.States = States;
        gd.Props[0].FontColor.Color = TextNormal;
        gd.Props[1].FontColor.Color = TextHot;
        gd.BorderIndex = AddMask(Name, L"BORDERSMASK", Frames(6, {TabNormal, TabHot, TabActive}), 3, 0, 2, dmCentre);
        return s;
    }

    TsPageControl* MakeControl(int Pages, int Width = 300, int Height = 200)
    {
        auto* control = Add<TsPageControl>(Form, 10, 10, Width, Height);
        control->Font()->SetName(L"Tahoma");
        control->Font()->SetHeight(-11);
        for (int i = 0; i < Pages; ++i) {
            auto* sheet = new TsTabSheet(Form);
            sheet->SetCaption(L"Page " + std::to_wstring(i));
            sheet->SetPageControl(control);
        }
        if (Pages > 0) control->SetActivePageIndex(0);
        Form->Show();
        PumpPending();
        return control;
    }

    // The control and its pages as the screen would show them.
    void Paint(TsPageControl* Control, TPixelBuffer& Pixels)
    {
        Control->SkinData()->BGChanged = true;
        Control->PaintTo(Pixels.DC(), 0, 0);
    }

    static TRect Inner(const TRect& R) { return TRect{R.left + 3, R.top + 3, R.right - 3, R.bottom - 3}; }
};

TEST_F(SkinnedPageControls, TabRectanglesStripAndBodyForTopTabs)
{
    TsPageControl* control = MakeControl(3);
    const TRect std0 = control->TabRect(0), std1 = control->TabRect(1);
    ASSERT_GT(std1.right - std1.left, 0);
    // The active tab is 2 pixels larger on every side than the standard tab.
    EXPECT_TRUE(SameRect(control->SkinTabRect(0, true), TRect{std0.left - 2, std0.top - 2, std0.right + 2, std0.bottom + 2}));
    // An inactive one is a pixel narrower and reaches 4 pixels further down, into the body.
    EXPECT_TRUE(SameRect(control->SkinTabRect(1, false), TRect{std1.left, std1.top, std1.right - 1, std1.bottom + 4}));
    for (int bad : {-1, 3, 100}) EXPECT_TRUE(SameRect(control->SkinTabRect(bad, false), TRect{0, 0, 0, 0})) << bad;

    const TRect display = control->DisplayRect();
    EXPECT_EQ(control->TabsRect().bottom, display.top - 4);
    EXPECT_EQ(control->PageRect().top, display.top - 4);
    EXPECT_EQ(control->PageRect().bottom, control->Height());

    EXPECT_EQ(control->TabAtPos(TPoint{(std1.left + std1.right) / 2, (std1.top + std1.bottom) / 2}), 1);
    EXPECT_EQ(control->TabAtPos(TPoint{control->Width() - 2, 2}), -1);
    // A hidden page has no tab: the pages after it are hit by their own index.
    control->Pages(1)->SetTabVisible(false);
    const TRect moved = control->TabRect(1);
    EXPECT_EQ(control->TabAtPos(TPoint{(moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2}), 2);
    EXPECT_EQ(control->VisibleTabsCount(), 2);
}

TEST_F(SkinnedPageControls, ActiveTabIsLargerAndOverTheBody)
{
    TsPageControl* control = MakeControl(3);
    TPixelBuffer pixels(300, 200);
    Paint(control, pixels);
    const TRect std0 = control->TabRect(0), std1 = control->TabRect(1);
    const int page = control->PageRect().top;
    // The active tab in its own state, over the neighbour's edge and over the body's top.
    EXPECT_EQ(pixels.At(std0.left - 1, (std0.top + std0.bottom) / 2), COLORREF(TabActive));
    EXPECT_EQ(pixels.At(std0.right + 1, (std0.top + std0.bottom) / 2), COLORREF(TabActive));
    EXPECT_EQ(pixels.At((std0.left + std0.right) / 2, std0.bottom + 1), COLORREF(TabActive));
    // An inactive tab above the body; its foot, 4 pixels into the body, is covered by it.
    EXPECT_EQ(pixels.At((std1.left + std1.right) / 2, std1.top + 2), COLORREF(TabNormal));
    ASSERT_LT(page + 2, control->SkinTabRect(1, false).bottom);
    EXPECT_EQ(pixels.At((std1.left + std1.right) / 2, page + 2), COLORREF(Body));
    // The strip beside the tabs shows the form; the page shows the body from the cache.
    EXPECT_EQ(pixels.At(295, 2), COLORREF(clWhite));
    EXPECT_EQ(pixels.At(150, 150), COLORREF(Body));
    // Captions in the section's colours: hot colour on the active tab, normal on the others.
    const RECT activeText = pixels.Find(std0, [](COLORREF c) { return c == COLORREF(TextHot); });
    const RECT inactiveText = pixels.Find(std1, [](COLORREF c) { return c == COLORREF(TextNormal); });
    EXPECT_GT(activeText.right, activeText.left);
    EXPECT_GT(inactiveText.right, inactiveText.left);
}

TEST_F(SkinnedPageControls, SectionWithTwoStatesPaintsTheActiveTabInItsLastState)
{
    Skin.Manager.gd[TabTop].States = 2;
    TsPageControl* control = MakeControl(2);
    TPixelBuffer pixels(300, 200);
    Paint(control, pixels);
    const TRect std0 = control->TabRect(0);
    EXPECT_EQ(pixels.At(std0.left + 2, std0.top + 2), COLORREF(TabHot));
}

TEST_F(SkinnedPageControls, HoverRepaintsOnlyTheTabUnderTheMouse)
{
    TsPageControl* control = MakeControl(3);
    control->SetHotTrack(true);
    PumpPending();
    TPixelBuffer before(300, 200), after(300, 200);
    Paint(control, before);
    BitBlt(after.DC(), 0, 0, 300, 200, before.DC(), 0, 0, SRCCOPY);
    control->RepaintTab(1, tsHot, after.DC());
    // Only the tab itself: not the larger active tab beside it, not the body under its foot.
    const TRect hot = control->TabRect(1);
    int changedOutside = 0, changedInside = 0;
    POINT firstOutside{-1, -1};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            if (before.At(x, y) == after.At(x, y)) continue;
            POINT p{x, y};
            if (PtInRect(&hot, p)) {
                ++changedInside;
            } else if (changedOutside++ == 0) {
                firstOutside = p;
            }
        }
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0) << "first at (" << firstOutside.x << "," << firstOutside.y << ")";
    EXPECT_EQ(after.At(hot.left + 2, hot.top + 2), COLORREF(TabHot));

    // The mouse: over an inactive tab it is hot, and what the standard control invalidated for
    // it is taken as painted; over the active tab nothing is hot; outside the strip neither.
    const TRect std1 = control->TabRect(1), std0 = control->TabRect(0);
    auto move = [&](int x, int y) { SendMessageW(control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
    move((std1.left + std1.right) / 2, (std1.top + std1.bottom) / 2);
    EXPECT_EQ(control->CurItem, 1);
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(control->Handle(), &pending, FALSE));
    move((std0.left + std0.right) / 2, (std0.top + std0.bottom) / 2);
    EXPECT_EQ(control->CurItem, -1);
    move((std1.left + std1.right) / 2, (std1.top + std1.bottom) / 2);
    move(150, 150);
    EXPECT_EQ(control->CurItem, -1);
}

TEST_F(SkinnedPageControls, SideTabsDrawRotatedCaptions)
{
    struct TCase {
        TTabPosition Position;
        bool Enabled;
        TColor Text;
    };
    for (TCase c : {TCase{tpLeft, true, TextNormal}, TCase{tpRight, true, TextNormal}, TCase{tpLeft, false, 0x808080}}) {
        TsPageControl* control = MakeControl(2);
        control->SetTabPosition(c.Position);
        control->Pages(1)->SetCaption(L"WWWWWWWW");
        control->SetEnabled(c.Enabled);
        PumpPending();
        TPixelBuffer pixels(300, 200);
        Paint(control, pixels);
        const TRect tab = control->SkinTabRect(1, false);
        TInk ink = FindInk(pixels, 300, 200, [&](COLORREF px) {
            return px == COLORREF(c.Text);
        });
        ASSERT_GT(ink.Count, 0) << c.Position << c.Enabled;
        // Eight W read along the tab: the text runs down the tab, not across it.
        EXPECT_GT(ink.Bottom - ink.Top, 3 * (ink.Right - ink.Left)) << c.Position;
        EXPECT_GE(ink.Left, tab.left - 3) << c.Position;
        EXPECT_LE(ink.Right, tab.right + 3) << c.Position;
        delete control;
    }
}

TEST_F(SkinnedPageControls, SkinnedCloseButtonsTakeTheGlobalMaskAndClosePages)
{
    // Only the big close image: two rows (image and its mask), three states of 9 pixels.
    AddMask(L"GLOBALINFO", L"BICONCLOSE", Frames(9, {CloseColor, CloseColor, CloseColor}, true), 3, 1, 0, 0);
    TsPageControl* control = MakeControl(4);
    std::vector<int> asked;
    bool allow = true;
    TacCloseAction action = acaFree;
    control->OnCloseBtnClick = [&](TComponent*, int Index, bool& CanClose, TacCloseAction& Action) {
        asked.push_back(Index);
        CanClose = allow;
        Action = action;
    };
    control->SetShowCloseBtns(true);
    EXPECT_EQ(control->BtnWidth, 9);
    EXPECT_EQ(control->BtnHeight, 9);

    auto click = [&](int Page, bool ReleaseInside = true) {
        const TRect b = control->CloseBtnRect(Page);
        const LPARAM at = MAKELPARAM(b.left + 2, b.top + 2);
        SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control->Handle(), WM_LBUTTONUP, 0, ReleaseInside ? at : MAKELPARAM(150, 150));
    };
    // Refused: the page stays.
    allow = false;
    click(1);
    EXPECT_EQ(control->PageCount(), 4);
    EXPECT_EQ(asked, std::vector<int>{1});
    // Released elsewhere: nothing closes, and the press is forgotten once the mouse leaves the strip.
    allow = true;
    click(1, false);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(CloseBtnPressed);
    SendMessageW(control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 150));
    EXPECT_FALSE(CloseBtnPressed);
    // Hidden: the tab goes, the page stays.
    control->SetActivePageIndex(2);
    action = acaHide;
    click(1);
    EXPECT_EQ(control->PageCount(), 4);
    EXPECT_FALSE(control->Pages(1)->TabVisible());
    EXPECT_EQ(control->ActivePageIndex(), 2);
    // Freed: the old active index, held to the last page, is active again.
    action = acaFree;
    click(3);
    EXPECT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->ActivePageIndex(), 2);

    // The buttons are painted in the close image over every tab.
    TPixelBuffer pixels(300, 200);
    Paint(control, pixels);
    const TRect b = control->CloseBtnRect(0);
    EXPECT_EQ(pixels.At(b.left + 4, b.top + 4), COLORREF(CloseColor));

    // Closing every page leaves a control without tabs that still paints its body.
    control->Pages(1)->SetTabVisible(true);
    for (int left = control->PageCount(); left > 0; --left) click(control->PageCount() - 1);
    EXPECT_EQ(control->PageCount(), 0);
    EXPECT_TRUE(SameRect(control->TabsRect(), TRect{0, 0, 300, 200}));
    TPixelBuffer empty(300, 200);
    Paint(control, empty);
    EXPECT_EQ(empty.At(150, 100), COLORREF(Body));
}

TEST_F(SkinnedPageControls, WithoutSkinCloseButtonsAreChildButtons)
{
    Skin.Manager.SkinData.Active = false;
    TsPageControl* control = MakeControl(3);
    control->Pages(2)->SetTabVisible(false);
    dynamic_cast<TsTabSheet*>(control->Pages(1))->SetUseCloseBtn(false);
    int asked = 0;
    control->OnCloseBtnClick = [&](TComponent*, int, bool&, TacCloseAction&) { ++asked; };
    control->SetShowCloseBtns(true);
    auto* first = dynamic_cast<TsTabSheet*>(control->Pages(0));
    ASSERT_NE(first->Btn, nullptr);
    EXPECT_EQ(dynamic_cast<TsTabSheet*>(control->Pages(1))->Btn, nullptr);
    EXPECT_EQ(dynamic_cast<TsTabSheet*>(control->Pages(2))->Btn, nullptr);
    const TRect tab = control->TabRect(0);
    EXPECT_EQ(first->Btn->Left(), tab.right - 15 - 1);
    EXPECT_EQ(first->Btn->Top(), tab.top + 1);
    EXPECT_EQ(first->Btn->Caption(), L"X");

    first->Btn->Click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(control->PageCount(), 2);
    control->SetShowCloseBtns(false);
    for (int i = 0; i < control->PageCount(); ++i)
        EXPECT_EQ(dynamic_cast<TsTabSheet*>(control->Pages(i))->Btn, nullptr);
}

TEST_F(SkinnedPageControls, LongCaptionsAndNoTabsPaintClipped)
{
    TsPageControl* none = MakeControl(0, 200, 100);
    EXPECT_TRUE(SameRect(none->PageRect(), TRect{0, 0, 200, 100}));
    TPixelBuffer empty(200, 100);
    Paint(none, empty);
    EXPECT_EQ(empty.At(100, 50), COLORREF(Body));
    EXPECT_EQ(none->TabAtPos(TPoint{5, 5}), -1);

    TsPageControl* control = MakeControl(2);
    control->Pages(1)->SetCaption(String(1000, L'W'));
    PumpPending();
    TPixelBuffer pixels(300, 200);
    Paint(control, pixels);
    // The text stays in the strip, whatever the tab's width.
    TInk ink = FindInk(pixels, 300, 200, [](COLORREF c) { return c == COLORREF(TextNormal); });
    EXPECT_GT(ink.Count, 0);
    EXPECT_LT(ink.Bottom, control->PageRect().top);
}

TEST_F(SkinnedPageControls, TabScrollArrowsGetTheSpinHandler)
{
    TsPageControl* control = MakeControl(12, 150, 100);
    control->CheckUpDown();
    HWND arrows = FindWindowExW(control->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr);
    ASSERT_NE(control->SpinWnd, nullptr);
    EXPECT_EQ(GetWndHandler(arrows), control->SpinWnd);
    EXPECT_EQ(control->SpinWnd->SkinData->SkinSection(), L"BUTTON");
    // Without arrows the window goes; with the skin gone the standard arrows come back.
    control->SetShowUpDown(false);
    EXPECT_EQ(control->SpinWnd, nullptr);
    EXPECT_FALSE(IsWindow(arrows));
}

TEST_F(SkinnedPageControls, RemovedSkinDropsTheArrowsHandlerAndPaintsAsStandard)
{
    TsPageControl* control = MakeControl(12, 150, 100);
    control->CheckUpDown();
    ASSERT_NE(control->SpinWnd, nullptr);
    Skin.Manager.SkinData.Active = false;
    SendMessageW(control->Handle(), SM_LUMACMD, MakeSkinWParam(AC_SKINUNLOADED), reinterpret_cast<LPARAM>(&Skin.Manager));
    PumpPending();
    EXPECT_EQ(control->SpinWnd, nullptr);
    EXPECT_FALSE(control->SkinActive());
    HWND arrows = FindWindowExW(control->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    EXPECT_TRUE(arrows == nullptr || GetWndHandler(arrows) == nullptr);
}

} // namespace
