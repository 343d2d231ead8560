// What the grid look adds to a fixed cell: the header gradient of the XP-style looks (with the
// white side border of glVista), the active-cell header, nothing for flat grids, and the edges
// of glXP/glQRX, glSoft and glClassic drawn after the text.
#include "grid/control/paint/FixedCellLookPainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class FixedCellLook : public ::testing::Test {
protected:
    FixedCellLook() : Pixels(60, 30) { Canvas.SetHandle(Pixels.DC()); }
    ~FixedCellLook() override { Canvas.SetHandle(nullptr); }

    static TCellVisual Header(TGridLook Look)
    {
        TCellVisual v;
        v.State.Include(gdFixed);
        v.Color = clWhite;
        v.ColorTo = clBlack;
        v.FixedLook.Look = Look;
        v.FixedLook.FixedColor = static_cast<TColor>(0xC0C0C0);
        v.FixedLook.HorzLines = true;
        v.FixedLook.VertLines = true;
        return v;
    }

    TGridPixels Pixels;
    TCanvas Canvas;
};

TEST_F(FixedCellLook, GradientLooksFillTheHeaderFromTopToBottom)
{
    for (TGridLook look : {glQRX, glXP, glVista, glWin7, glOffice2007}) {
        SCOPED_TRACE(look);
        PaintFixedCellFill(&Canvas, Header(look), TRect{0, 0, 60, 30});
        EXPECT_GT(GetRValue(Pixels.At(30, 1)), 240);
        EXPECT_LT(GetRValue(Pixels.At(30, 28)), 20);
        EXPECT_EQ(Pixels.At(0, 15) == static_cast<COLORREF>(clWhite), look == glVista) << "white sides only for glVista";
    }
}

TEST_F(FixedCellLook, NoFillForNormalCellsFlatGridsAndTheClassicLooks)
{
    struct Case {
        TGridLook Look;
        bool Fixed, Flat;
    } cases[] = {{glXP, false, false}, {glXP, true, true}, {glStandard, true, false}, {glSoft, true, false},
                 {glClassic, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Look << c.Fixed << c.Flat);
        TGridPixels pixels(60, 30);
        Canvas.SetHandle(pixels.DC());
        TCellVisual v = Header(c.Look);
        if (!c.Fixed) v.State.Exclude(gdFixed);
        v.FixedLook.Flat = c.Flat;
        PaintFixedCellFill(&Canvas, v, TRect{0, 0, 60, 30});
        EXPECT_EQ(pixels.Find(RECT{0, 0, 60, 30}, [](COLORREF p) { return p != 0; }).left, 60);
        Canvas.SetHandle(Pixels.DC());
    }
}

TEST_F(FixedCellLook, ActiveHeaderTakesTheActiveCellColours)
{
    TCellVisual v = Header(glXP);
    v.FixedLook.ActiveHeader = true;
    v.FixedLook.ActiveColor = clRed;
    v.FixedLook.ActiveColorTo = clRed;
    PaintFixedCellFill(&Canvas, v, TRect{0, 0, 60, 30});
    EXPECT_EQ(Pixels.At(30, 5), RGB(255, 0, 0));
    EXPECT_EQ(Pixels.At(30, 25), RGB(255, 0, 0));
}

TEST_F(FixedCellLook, XPEdgesAreAWhiteTopLeftAndADarkBottomLine)
{
    // The rectangle handed in is the content rectangle grown by one pixel.
    PaintFixedCellEdges(&Canvas, Header(glXP), TRect{0, 0, 60, 29});
    COLORREF dark = RGB(0x60, 0x60, 0x60);
    EXPECT_EQ(Pixels.At(30, 29), dark);
    EXPECT_EQ(Pixels.At(30, 1), static_cast<COLORREF>(clWhite));
    EXPECT_EQ(Pixels.At(1, 15), static_cast<COLORREF>(clWhite));
    EXPECT_EQ(Pixels.At(58, 15), 0u) << "no right edge in the XP look";

    TGridPixels none(60, 30);
    Canvas.SetHandle(none.DC());
    TCellVisual v = Header(glXP);
    v.FixedLook.HorzLines = false;
    PaintFixedCellEdges(&Canvas, v, TRect{0, 0, 60, 29});
    EXPECT_EQ(none.Find(RECT{0, 0, 60, 30}, [](COLORREF p) { return p != 0; }).left, 60) << "edges follow goFixedHorzLine";
    Canvas.SetHandle(Pixels.DC());
}

TEST_F(FixedCellLook, SoftAndClassicEdgesCloseTheRightSide)
{
    PaintFixedCellEdges(&Canvas, Header(glSoft), TRect{0, 0, 40, 20});
    EXPECT_EQ(Pixels.At(39, 10), RGB(0x60, 0x60, 0x60));
    EXPECT_EQ(Pixels.At(40, 10), static_cast<COLORREF>(clWhite));

    TGridPixels classic(60, 30);
    Canvas.SetHandle(classic.DC());
    PaintFixedCellEdges(&Canvas, Header(glClassic), TRect{0, 0, 40, 20});
    EXPECT_EQ(classic.At(40, 10), static_cast<COLORREF>(clBlack));
    EXPECT_EQ(classic.At(20, 20), static_cast<COLORREF>(clBlack));
    Canvas.SetHandle(Pixels.DC());
}

// A cell too small for its lines (an inverted or empty content rectangle) gets no look at all.
TEST_F(FixedCellLook, EmptyAndInvertedRectanglesGetNothing)
{
    for (TGridLook look : {glXP, glVista, glSoft, glClassic, glListView, glQRX}) {
        for (bool flat : {false, true}) {
            TCellVisual v = Header(look);
            v.FixedLook.Flat = flat;
            v.FixedLook.RightFixedOfFlat = flat;
            v.FixedLook.ActiveHeader = look == glQRX;
            v.FixedLook.ActiveColor = clRed;
            for (TRect r : {TRect{20, 10, 20, 20}, TRect{20, 10, 30, 10}, TRect{40, 25, 20, 5}}) {
                PaintFixedCellFill(&Canvas, v, r);
                PaintFixedCellEdges(&Canvas, v, r);
            }
        }
    }
    EXPECT_EQ(Pixels.Find(RECT{0, 0, 60, 30}, [](COLORREF c) { return c != 0; }).left, 60);
}

} // namespace
