#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/GraphicsObjects.h"

namespace {
LOGFONTW FontOf(HFONT Font)
{
    LOGFONTW lf{};
    GetObjectW(Font, sizeof(lf), &lf);
    return lf;
}
} // namespace

TEST(Font, DefaultsAreTahomaEightPointAtScreenResolution)
{
    TFont font;
    EXPECT_EQ(L"Tahoma", font.Name());
    EXPECT_EQ(8, font.Size());
    EXPECT_EQ(-MulDiv(8, ScreenPixelsPerInch(), 72), font.Height());
    EXPECT_EQ(clWindowText, font.Color());
    EXPECT_TRUE(font.Style().Empty());
    EXPECT_EQ(DEFAULT_CHARSET, font.Charset());
    font.SetSize(12);
    EXPECT_EQ(-16, font.Height()); // 96 pixels per inch under Wine
    font.SetHeight(-13);
    EXPECT_EQ(10, font.Size());
}

TEST(Font, PointSizesFollowTheScreenResolutionSeam)
{
    SetScreenPixelsPerInch(120);
    TFont font;
    EXPECT_EQ(-13, font.Height());
    EXPECT_EQ(8, font.Size());
    SetScreenPixelsPerInch(0);
    EXPECT_EQ(96, ScreenPixelsPerInch());
}

TEST(Font, OnChangeFiresOncePerEffectiveChange)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetSize(8);          // same height
    font.SetName(L"Tahoma");  // same name
    font.SetColor(clWindowText);
    EXPECT_EQ(0, changes);

    font.SetStyle(TFontStyles{fsBold});
    font.SetColor(clRed);
    font.SetOrientation(900);
    EXPECT_EQ(3, changes);

    TFont other;
    other.SetName(L"Courier New");
    other.SetSize(14);
    other.SetStyle(TFontStyles{fsItalic, fsUnderline});
    changes = 0;
    font.Assign(&other);
    EXPECT_EQ(1, changes);
    font.Assign(&other);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(L"Courier New", font.Name());
    EXPECT_EQ(14, font.Size());
    EXPECT_EQ(other.Color(), font.Color());
    EXPECT_TRUE(font.Style().Contains(fsUnderline));
}

TEST(Font, HandleFollowsTheSettingsAndIsSharedBetweenEqualFonts)
{
    TFont font;
    LOGFONTW lf = FontOf(font.Handle());
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
    EXPECT_EQ(font.Height(), lf.lfHeight);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);

    font.SetStyle(TFontStyles{fsBold, fsStrikeOut});
    font.SetOrientation(450);
    lf = FontOf(font.Handle());
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfStrikeOut);
    EXPECT_EQ(450, lf.lfEscapement);

    TFont twin;
    twin.Assign(&font);
    EXPECT_EQ(font.Handle(), twin.Handle());
    twin.SetColor(clBlue); // colour is not part of the handle
    EXPECT_EQ(font.Handle(), twin.Handle());
    twin.SetStyle(TFontStyles{});
    EXPECT_NE(font.Handle(), twin.Handle());
    EXPECT_EQ(FW_NORMAL, FontOf(twin.Handle()).lfWeight);
}

TEST(Font, SetHandleReadsTheSettingsBackAndOwnsTheHandle)
{
    LOGFONTW lf{};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    wcscpy(lf.lfFaceName, L"Courier New");
    HFONT handle = CreateFontIndirectW(&lf);
    {
        TFont font;
        font.SetHandle(handle);
        EXPECT_EQ(handle, font.Handle());
        EXPECT_EQ(L"Courier New", font.Name());
        EXPECT_EQ(-20, font.Height());
        EXPECT_EQ((TFontStyles{fsBold, fsItalic}), font.Style());
    }
    EXPECT_EQ(0, GetObjectW(handle, sizeof(lf), &lf)); // deleted with the font
}

TEST(PenBrush, SettingsReachTheHandles)
{
    TPen pen;
    EXPECT_EQ(clBlack, pen.Color());
    EXPECT_EQ(1, pen.Width());
    pen.SetColor(clRed);
    pen.SetWidth(3);
    pen.SetStyle(psDash);
    LOGPEN lp{};
    GetObjectW(pen.Handle(), sizeof(lp), &lp);
    EXPECT_EQ(static_cast<COLORREF>(clRed), lp.lopnColor);
    EXPECT_EQ(3, lp.lopnWidth.x);
    EXPECT_EQ(static_cast<UINT>(PS_DASH), lp.lopnStyle);

    TBrush brush;
    EXPECT_EQ(clWhite, brush.Color());
    brush.SetStyle(bsClear);
    LOGBRUSH lb{};
    GetObjectW(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_HOLLOW), lb.lbStyle);
    brush.SetColor(clBtnFace); // a colour makes a clear brush solid again
    EXPECT_EQ(bsSolid, brush.Style());
    GetObjectW(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), lb.lbColor);
    brush.SetStyle(bsDiagCross);
    GetObjectW(brush.Handle(), sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_HATCHED), lb.lbStyle);
    EXPECT_EQ(static_cast<ULONG_PTR>(HS_DIAGCROSS), lb.lbHatch);
}

TEST(PenBrush, SharedHandleLivesUntilTheLastUserGoes)
{
    auto a = std::make_unique<TPen>();
    auto b = std::make_unique<TPen>();
    a->SetColor(0x123457);
    b->SetColor(0x123457);
    HPEN handle = a->Handle();
    EXPECT_EQ(handle, b->Handle());
    a.reset();
    LOGPEN lp{};
    EXPECT_NE(0, GetObjectW(handle, sizeof(lp), &lp));
    b.reset();
    EXPECT_EQ(0, GetObjectW(handle, sizeof(lp), &lp));
}
