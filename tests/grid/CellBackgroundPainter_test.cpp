// The background painter draws what the visual decision says: a solid colour, 64 gradient bands
// in either direction, two mirrored halves, or the rounded selection box in the colours of its
// style; degenerate rectangles draw nothing and stay inside the bitmap.
#include "grid/control/paint/CellBackgroundPainter.h"
#include "grid/foundation/AdvUtil.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class TCanvasOn {
public:
    explicit TCanvasOn(kvltest::TPixelBuffer& Pixels) { Canvas.SetHandle(Pixels.DC()); }
    ~TCanvasOn() { Canvas.SetHandle(nullptr); }
    TCanvas Canvas;
};

TCellVisual Plain(TColor From, TColor To = clNone)
{
    TCellVisual v;
    v.Color = From;
    v.ColorTo = To;
    return v;
}

int Red(COLORREF c) { return GetRValue(c); }

TEST(CellBackgroundPainter, SolidFillWithoutEndColourAndBandsWithOne)
{
    TGridPixels pixels(64, 64);
    TCanvasOn on(pixels);
    PaintCellBackground(&on.Canvas, Plain(clLime), TRect{0, 0, 64, 32});
    EXPECT_EQ(pixels.Find(RECT{0, 0, 64, 32}, [](COLORREF c) { return c != static_cast<COLORREF>(clLime); }).left, 64);

    // Vertical: black at the top, white at the bottom, never darker further down.
    PaintCellBackground(&on.Canvas, Plain(clBlack, clWhite), TRect{0, 0, 8, 64});
    EXPECT_EQ(pixels.At(4, 0), static_cast<COLORREF>(clBlack));
    EXPECT_EQ(pixels.At(4, 63), static_cast<COLORREF>(clWhite));
    for (int y = 1; y < 64; ++y) EXPECT_GE(Red(pixels.At(4, y)), Red(pixels.At(4, y - 1))) << y;
    EXPECT_EQ(pixels.At(4, 10), pixels.At(6, 10)) << "bands run across the cell";

    // Horizontal when the decision says so.
    TCellVisual h = Plain(clBlack, clWhite);
    h.Direction = GradientHorizontal;
    PaintCellBackground(&on.Canvas, h, TRect{0, 0, 64, 8});
    EXPECT_EQ(pixels.At(0, 4), static_cast<COLORREF>(clBlack));
    EXPECT_EQ(pixels.At(63, 4), static_cast<COLORREF>(clWhite));
    EXPECT_EQ(pixels.At(30, 0), pixels.At(30, 7));
    // The canvas is left in the cell's colour for the steps after it.
    EXPECT_EQ(on.Canvas.Brush()->Color(), static_cast<TColor>(clBlack));
    EXPECT_EQ(on.Canvas.Pen()->Color(), static_cast<TColor>(clBlack));
}

TEST(CellBackgroundPainter, MirrorEndColourSplitsTheCellIntoTwoGradients)
{
    TGridPixels pixels(20, 40);
    TCanvasOn on(pixels);
    TCellVisual v = Plain(clRed, clRed);
    v.MirrorColor = clBlue;
    v.MirrorColorTo = clBlue;
    PaintCellBackground(&on.Canvas, v, TRect{0, 0, 20, 40});
    EXPECT_EQ(pixels.At(10, 2), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(10, 18), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(10, 22), RGB(0, 0, 255));
    EXPECT_EQ(pixels.At(10, 38), RGB(0, 0, 255));
}

TEST(CellBackgroundPainter, SelectionBoxTakesTheColoursOfItsStyle)
{
    struct Case {
        TGridSelectionStyle Style;
        bool Focused;
        TColor Border, InnerTop, FillFrom;
    } cases[] = {
        {ssVista, true, 0xFDDE99, 0xFDFBF6, 0xFDF8F1},
        {ssWin7, true, 0xCEA27D, 0xFDF4EB, 0xFCEBDC},
        {ssOffice2007, true, 0x8DD7D3, 0xF4FEFF, 0xD7FFFD},
        {ssVista, false, 0xD9D9D9, 0xFBFAFA, 0xF8F8F8},
        {ssWin7, false, 0xD9D9D9, 0xFBFAFA, 0xF8F8F8},
        {ssOffice2007, false, 0xD9D9D9, 0xFBFAFA, 0xF8F8F8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Style << (c.Focused ? " focused" : " unfocused"));
        TGridPixels pixels(60, 40);
        TCanvasOn on(pixels);
        TCellVisual v = Plain(clLime);
        v.State.Include(gdSelected);
        v.SelectionBox = {c.Style, sbpWhole, c.Focused, clYellow, TRect{0, 0, 60, 40}};
        PaintCellBackground(&on.Canvas, v, TRect{0, 0, 60, 40});
        EXPECT_EQ(pixels.At(0, 0), static_cast<COLORREF>(clYellow)) << "outer corner in the grid's colour";
        EXPECT_EQ(pixels.At(30, 0), static_cast<COLORREF>(c.Border));
        EXPECT_EQ(pixels.At(0, 20), static_cast<COLORREF>(c.Border));
        EXPECT_EQ(pixels.At(30, 1), static_cast<COLORREF>(c.InnerTop));
        EXPECT_EQ(pixels.At(30, 2), static_cast<COLORREF>(c.FillFrom));
        EXPECT_EQ(pixels.Find(RECT{0, 0, 60, 40}, [](COLORREF p) { return p == static_cast<COLORREF>(clLime); }).left, 60)
            << "the plain cell colour does not show under the box";
    }
    // The table's Office 2007 row has a lower half of its own.
    TSelectionBoxColors office = SelectionBoxColors(ssOffice2007, true);
    EXPECT_EQ(office.MirrorFrom, static_cast<TColor>(0x58D4FC));
    EXPECT_EQ(office.MirrorTo, static_cast<TColor>(0xB3F1FC));
    EXPECT_EQ(SelectionBoxColors(ssWin7, true).MirrorTo, clNone);
}

TEST(CellBackgroundPainter, SelectionBoxNeedsASelectedCellAndAStyle)
{
    TGridPixels pixels(40, 20);
    TCanvasOn on(pixels);
    TCellVisual v = Plain(clLime);
    v.SelectionBox = {ssWin7, sbpWhole, true, clYellow, TRect{0, 0, 40, 20}};
    PaintCellBackground(&on.Canvas, v, TRect{0, 0, 40, 20}); // not selected
    EXPECT_EQ(pixels.At(0, 0), static_cast<COLORREF>(clLime));
    v.State.Include(gdSelected);
    v.SelectionBox.Style = ssDefault;
    PaintCellBackground(&on.Canvas, v, TRect{0, 0, 40, 20});
    EXPECT_EQ(pixels.At(0, 0), static_cast<COLORREF>(clLime));
}

TEST(CellBackgroundPainter, DegenerateRectanglesDrawNothingOutsideThemselves)
{
    kvltest::TPixelBuffer pixels(40, 40); // white
    TCanvasOn on(pixels);
    TCellVisual gradient = Plain(clRed, clBlue);
    TCellVisual mirror = gradient;
    mirror.MirrorColorTo = clGreen;
    TCellVisual box = Plain(clRed);
    box.State.Include(gdSelected);
    for (TRect r : {TRect{10, 10, 10, 30}, TRect{30, 30, 10, 10}, TRect{10, 10, 30, 11}, TRect{-100000, -100000, 100000, 5}}) {
        box.SelectionBox = {ssVista, sbpWhole, true, clYellow, r};
        for (const TCellVisual* v : {&gradient, &mirror, &box}) PaintCellBackground(&on.Canvas, *v, r);
    }
    // Only the two real rectangles got paint: the thin row at y 10 and the huge one above y 5.
    RECT painted = pixels.Find(RECT{0, 6, 40, 40}, [](COLORREF p) { return p != static_cast<COLORREF>(clWhite); });
    EXPECT_EQ(painted.top, 10);
    EXPECT_EQ(painted.bottom, 11);
}

} // namespace
