// The form image: what each part of a skinned form looks like, compared in memory, and the
// geometry that places the client, the title and the grip in it.
#include <gtest/gtest.h>

#include "framework/facts/SystemFacts.h"
#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

namespace {

// The window's client origin in window coordinates: where OffsetX/OffsetY must point.
TPoint ClientOriginInWindow(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    POINT p{0, 0};
    ClientToScreen(Wnd, &p);
    return {p.x - r.left, p.y - r.top};
}

// The caption is white on the dark title; its edges may be smoothed.
bool IsTextPixel(std::uint32_t Px)
{
    return (Px & 0xFF) >= 0xE8 && (Px >> 8 & 0xFF) >= 0xE8 && (Px >> 16 & 0xFF) >= 0xE8;
}

int TitleMiddleRow(TsSkinProvider* P)
{
    return (GetSystemMetrics(SM_CXFRAME) + P->CaptionHeight(true)) / 2;
}

} // namespace

TEST(FormCache, FullSectionPaintsFrameTitleAndClientOfTheWholeForm)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& cache = f.FullCache();
    ASSERT_EQ(cache.Width(), f.Form->Width());
    ASSERT_EQ(cache.Height(), f.Form->Height());
    const int bottom = cache.Height() - 1;
    EXPECT_EQ(Px(cache, cache.Width() / 2, bottom), Word(FrameColor)) << "bottom border from the border mask";
    EXPECT_EQ(Px(cache, 1, cache.Height() / 2), Word(FrameColor)) << "left border";
    TPoint client{f.Provider->OffsetX(), f.Provider->OffsetY()};
    EXPECT_EQ(Px(cache, client.x + 20, client.y + 20), Word(FormHotColor)) << "client of an active form";
    EXPECT_EQ(Px(cache, cache.Width() / 3, TitleMiddleRow(f.Provider)), Word(TitleHotColor)) << "title bar";
}

TEST(FormCache, CaptionTextAndTitleIconAreOpaqueInTheImage)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& cache = f.Cache();
    // The image is shown with its alpha by the animations: no hole where text was written.
    int text = 0;
    for (int y = 0; y < f.Provider->OffsetY(); ++y)
        for (int x = 0; x < cache.Width(); ++x)
            if (IsTextPixel(Px(cache, x, y))) {
                ++text;
                ASSERT_EQ(Px(cache, x, y) >> 24, 0xFFu) << x << "," << y;
            }
    EXPECT_GT(text, 20);
    TRect icon;
    f.Provider->IconRect(icon);
    int drawn = 0;
    for (int y = icon.top; y < icon.bottom; ++y)
        for (int x = icon.left; x < icon.right; ++x) {
            ASSERT_EQ(Px(cache, x, y) >> 24, 0xFFu) << x << "," << y;
            if (Px(cache, x, y) != Word(TitleHotColor)) ++drawn;
        }
    EXPECT_GT(drawn, 16) << "an icon is drawn in its place";
}

TEST(FormCache, TitleAndClientFollowTheActivity)
{
    FormSkin skin;
    SkinnedForm f;
    const int row = TitleMiddleRow(f.Provider);
    f.Activate(false);
    EXPECT_EQ(Px(f.FullCache(), f.Form->Width() / 3, row), Word(TitleColor));
    EXPECT_EQ(Px(f.FullCache(), f.Provider->OffsetX() + 5, f.Provider->OffsetY() + 5), Word(FormColor));
    f.Activate(true);
    EXPECT_EQ(Px(f.FullCache(), f.Form->Width() / 3, row), Word(TitleHotColor));
}

TEST(FormCache, PlainBackgroundFillsOnlyTheHeaderAndPaintsTheBorder)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& full = f.Cache();
    const int x = f.Provider->OffsetX() + 30, y = f.Provider->OffsetY() + 40;
    skintest::SetPx(full, x, y, 0xFF123456u);
    f.Provider->SkinData()->CtrlSkinState |= ACS_FAST;
    TBitmap& plain = f.Cache();
    EXPECT_EQ(Px(plain, x, y), 0xFF123456u) << "the client is filled by the paint messages, not in the image";
    EXPECT_EQ(Px(plain, plain.Width() / 2, plain.Height() - 1), Word(FrameColor));
    EXPECT_EQ(Px(plain, plain.Width() / 3, TitleMiddleRow(f.Provider)), Word(TitleHotColor));
}

TEST(FormCache, FormWithoutBorderGetsTheSectionBackgroundOnly)
{
    FormSkin skin;
    SkinnedForm f(bsNone);
    TBitmap& cache = f.FullCache();
    EXPECT_EQ(Px(cache, 1, 1), Word(FormHotColor)) << "no border mask, no corners";
    EXPECT_EQ(Px(cache, cache.Width() - 1, cache.Height() - 1), Word(FormHotColor));
    EXPECT_EQ(f.Provider->CaptionHeight(true), 0);
}

TEST(FormCache, MinimizedChildFormIsAsHighAsItsCaption)
{
    FormSkin skin;
    SkinnedForm f;
    ShowWindow(f.Form->Handle(), SW_MINIMIZE);
    PumpPending();
    ASSERT_TRUE(IsIconic(f.Form->Handle()));
    TBitmap& cache = f.Cache();
    EXPECT_EQ(cache.Height(), GetSystemMetrics(SM_CXFRAME) + f.Provider->CaptionHeight(true) + 2);
    const std::uint32_t px = Px(cache, cache.Width() / 3, cache.Height() - 2);
    EXPECT_TRUE(px == Word(TitleHotColor) || px == Word(TitleColor)) << "the title fills the image";
}

TEST(FormCache, InvalidSectionLeavesTheImageAlone)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& cache = f.Cache();
    skintest::SetPx(cache, 5, 5, 0xFF654321u);
    f.Provider->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    f.Provider->SkinData()->BGChanged = true;
    f.Provider->PaintFormCache();
    EXPECT_EQ(Px(*f.Provider->SkinData()->CacheBmp(), 5, 5), 0xFF654321u);
}

TEST(FormCache, SizeGripPaintsAtItsPlaceOnSizeableForms)
{
    FormSkin skin;
    SkinnedForm f;
    f.Provider->SetGripMode(gmRightBottom);
    TBitmap& cache = f.FullCache();
    TPoint p;
    f.Provider->GripPosition(skin.Manager.GetMaskIndex(L"GLOBALINFO", L"GRIPIMAGE"), p);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(p.x, cache.Width() - 6 - frame - 1);
    EXPECT_EQ(p.y, cache.Height() - 6 - frame - 1);
    EXPECT_EQ(Px(cache, p.x + 2, p.y + 2), GripWord);
    f.Provider->SetGripMode(gmNone);
    EXPECT_NE(Px(f.FullCache(), p.x + 2, p.y + 2), GripWord);
}

TEST(FormCache, CaptionAlignmentWithRightToLeftReading)
{
    FormSkin skin;
    SkinnedForm f;
    f.Provider->SetShowAppIcon(false);
    // Where the caption's white text starts along the title's middle rows.
    auto firstTextColumn = [&] {
        TBitmap& cache = f.Cache();
        int row = TitleMiddleRow(f.Provider);
        for (int x = 0; x < cache.Width(); ++x)
            for (int y = row - 3; y <= row + 3; ++y)
                if (IsTextPixel(Px(cache, x, y))) return x;
        return -1;
    };
    const int left = firstTextColumn();
    f.Provider->SetCaptionAlignment(taRightJustify);
    const int right = firstTextColumn();
    ASSERT_GT(left, 0);
    EXPECT_GT(right, left + 50) << "right-justified text moves right";
    f.Form->SetBiDiMode(bdRightToLeft);
    EXPECT_LT(firstTextColumn(), right - 50) << "with right-to-left alignment it is placed at the left";
}

TEST(FormCache, OffsetsPointAtTheClientForEveryBorderStyle)
{
    FormSkin skin;
    for (TFormBorderStyle style : {bsSizeable, bsSingle, bsDialog, bsToolWindow, bsSizeToolWin, bsNone}) {
        SCOPED_TRACE(static_cast<int>(style));
        SkinnedForm f(style);
        TPoint origin = ClientOriginInWindow(f.Form->Handle());
        EXPECT_EQ(f.Provider->OffsetX(), origin.x);
        EXPECT_EQ(f.Provider->OffsetY(), origin.y);
        EXPECT_EQ(f.Provider->CaptionWidth(), f.Form->Width());
        const bool tool = style == bsToolWindow || style == bsSizeToolWin;
        EXPECT_EQ(f.Provider->CaptionHeight(true), style == bsNone ? 0 : GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION));
    }
}

TEST(FormCache, TitleIconIsPlacedInTheTitleOfFramedStylesOnly)
{
    FormSkin skin;
    struct Case {
        TFormBorderStyle Style;
        bool Shown;
    };
    for (Case c : {Case{bsSizeable, true}, Case{bsSingle, true}, Case{bsDialog, false}, Case{bsToolWindow, false}}) {
        SCOPED_TRACE(static_cast<int>(c.Style));
        SkinnedForm f(c.Style);
        EXPECT_EQ(f.Provider->ShowsAppIcon(), c.Shown);
        TRect r;
        f.Provider->IconRect(r);
        if (!c.Shown) {
            EXPECT_EQ(r.right, r.left);
            continue;
        }
        EXPECT_EQ(r.right - r.left, 16);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.bottom, f.Provider->OffsetY());
    }
}

TEST(FormCache, PrintFrameCopiesTheFourFrameStripsAndLeavesTheClient)
{
    FormSkin skin;
    SkinnedForm f;
    TBitmap& cache = f.Cache();
    auto target = skintest::Bmp32(cache.Width(), cache.Height(), 0xFF777777u);
    f.Provider->PrintFrame(target->Canvas()->Handle());
    const int ox = f.Provider->OffsetX(), oy = f.Provider->OffsetY();
    const int cw = ClientPixelWidth(f.Form->Handle()), ch = ClientPixelHeight(f.Form->Handle());
    for (int y = 0; y < cache.Height(); ++y)
        for (int x = 0; x < cache.Width(); ++x) {
            bool client = x >= ox && x < ox + cw && y >= oy && y < oy + ch;
            ASSERT_EQ(Px(*target, x, y) & 0xFFFFFF, client ? 0x777777u : Px(cache, x, y) & 0xFFFFFF) << x << "," << y;
        }
}

TEST(FormCache, WindowRegionCutsTheMaskCorners)
{
    FormSkin skin;
    SkinnedForm f;
    f.Provider->RgnChanged = true;
    f.Provider->FillRegionRects();
    HRGN region = f.Provider->MakeFrameRegion(0, 0);
    const int w = f.Form->Width();
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_FALSE(PtInRegion(region, 0, 1));
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    EXPECT_FALSE(PtInRegion(region, w - 1, 0));
    EXPECT_TRUE(PtInRegion(region, w - 2, 1));
    EXPECT_TRUE(PtInRegion(region, 0, f.Form->Height() - 1)) << "the bottom corners are opaque";
    DeleteObject(region);
}

TEST(FormCache, MaximizedFormWithoutConstraintsGetsAPlainInsetRegion)
{
    FormSkin skin;
    SkinnedForm f;
    ShowWindow(f.Form->Handle(), SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(f.Form->Handle()));
    f.Provider->FillRegionRects();
    f.Provider->SetFrameRegion(false);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(f.Form->Handle(), region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(box.left, frame);
    EXPECT_EQ(box.top, frame);
    EXPECT_EQ(box.right, f.Form->Width() - frame);
    DeleteObject(region);
}

TEST(FormCache, MinMaxInfoPlacesTheFrameJustOutsideTheWorkArea)
{
    FormSkin skin;
    SkinnedForm f;
    MINMAXINFO info{};
    f.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int a = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(info.ptMaxPosition.x, -a);
    EXPECT_EQ(info.ptMaxPosition.y, -a);
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left + 2 * a);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top + 2 * a);
}

namespace {

struct TComposition : TForwardingFacts {
    bool CompositionEnabled() override { return true; }
    TWindowsVersion WindowsVersion() override { return {6, 1, 7601}; }
};

} // namespace

TEST(FormComposition, ReportedOffHereAndOnThroughTheSeam)
{
    FormSkin skin;
    EXPECT_FALSE(IsCompositionActive()) << "this system composes nothing";
    SkinnedForm f;
    f.Provider->SetResizeMode(rmBorder);
    TComposition composed;
    TSystemFactsOverride use(composed);
    EXPECT_TRUE(IsCompositionActive());
    f.Provider->WMNCPaint();
    EXPECT_EQ(f.Provider->ResizeMode(), rmStandard) << "border-mode resizing is not drawn over a composed desktop";
}

TEST(FormComposition, IconicThumbnailFitsTheBoxKeepingTheShape)
{
    struct Case {
        int W, H, MaxW, MaxH, ExpectW, ExpectH;
    };
    for (Case c : {Case{400, 400, 200, 100, 100, 100}, Case{400, 200, 200, 200, 200, 100}, Case{50, 40, 200, 100, 50, 40}}) {
        TSize s = IconicThumbnailSize(c.W, c.H, c.MaxW, c.MaxH);
        EXPECT_EQ(s.cx, c.ExpectW);
        EXPECT_EQ(s.cy, c.ExpectH);
    }
}

TEST(FormComposition, SetWindowInvisibleOnALayeredWindowChangesNothing)
{
    FormSkin skin;
    SkinnedForm f;
    HWND wnd = f.Form->Handle();
    EXPECT_TRUE(SetWindowInvisible(wnd, true));
    LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    EXPECT_FALSE(SetWindowInvisible(wnd, true));
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE), ex);
    EXPECT_FALSE(SetWindowInvisible(wnd, false));
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}
