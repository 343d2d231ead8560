#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"

using gtest_graphics::CountDifferent;
using gtest_graphics::MakeCanvasBitmap;
using gtest_graphics::Pixel32;

TEST(Canvas, ShapesPaintWithPenAndBrush)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 40, 40);
    TCanvas* c = bmp.Canvas();

    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(2, 2, 6, 5)); // right and bottom edges excluded
    EXPECT_EQ(clLime, Pixel32(bmp, 2, 2));
    EXPECT_EQ(clLime, Pixel32(bmp, 5, 4));
    EXPECT_EQ(clWhite, Pixel32(bmp, 6, 4));
    EXPECT_EQ(clWhite, Pixel32(bmp, 5, 5));

    c->Pen()->SetColor(clRed);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(10, 10, 20, 20);
    EXPECT_EQ(clRed, Pixel32(bmp, 10, 10));
    EXPECT_EQ(clRed, Pixel32(bmp, 19, 15));
    EXPECT_EQ(clBlue, Pixel32(bmp, 15, 15));
    EXPECT_EQ(clWhite, Pixel32(bmp, 20, 15));

    c->Brush()->SetColor(clYellow);
    c->Ellipse(22, 22, 38, 38);
    EXPECT_EQ(clYellow, Pixel32(bmp, 30, 30));
    EXPECT_EQ(clWhite, Pixel32(bmp, 22, 22)); // outside the curve, in the corner

    c->Pen()->SetColor(clPurple);
    c->MoveTo(0, 30);
    c->LineTo(10, 30);
    EXPECT_EQ(clPurple, Pixel32(bmp, 0, 30));
    EXPECT_EQ(clPurple, Pixel32(bmp, 9, 30));
    EXPECT_EQ(clWhite, Pixel32(bmp, 10, 30)); // the end point is not drawn
    EXPECT_EQ(10, c->PenPos().x);
}

TEST(Canvas, ClearBrushAndPenModesAndPolygons)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 30, 30, clNavy);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clWhite);
    c->Rectangle(0, 0, 10, 10);
    EXPECT_EQ(clWhite, Pixel32(bmp, 0, 5));
    EXPECT_EQ(clNavy, Pixel32(bmp, 5, 5)); // not filled

    c->Pen()->SetMode(pmNot); // inverts what is under the pen, whatever its colour
    c->MoveTo(0, 20);
    c->LineTo(5, 20);
    EXPECT_EQ(static_cast<TColor>(0x7FFFFF), Pixel32(bmp, 2, 20));

    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(clRed);
    c->Polygon({Point(15, 15), Point(29, 15), Point(29, 29), Point(15, 29)});
    EXPECT_EQ(clRed, Pixel32(bmp, 22, 22));
}

TEST(Canvas, TextPaintsOnlyInsideItsExtent)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 120, 40);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetColor(clBlack);
    TSize extent = c->TextExtent(L"Wg");
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    c->TextOut(10, 5, L"Wg");
    EXPECT_GT(CountDifferent(bmp, Bounds(10, 5, extent.cx, extent.cy), clWhite), 0);
    int all = CountDifferent(bmp, Rect(0, 0, 120, 40), clWhite);
    EXPECT_EQ(all, CountDifferent(bmp, Bounds(10, 5, extent.cx, extent.cy), clWhite));
    EXPECT_EQ(10 + extent.cx, c->PenPos().x); // the pen moves past the text
}

TEST(Canvas, ChineseTextMeasuresAndPaints)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 100, 30);
    TCanvas* c = bmp.Canvas();
    const String text = L"本月共工作";
    int width = c->TextWidth(text);
    EXPECT_NEAR(55, width, 6); // Tahoma 8 pt linked to a CJK font; five boxes would be narrower
    c->TextOut(2, 2, text);
    EXPECT_GT(CountDifferent(bmp, Bounds(2, 2, width, c->TextHeight(text)), clWhite), 50);
}

TEST(Canvas, RotatedFontPaintsUpwards)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 60, 80);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName(L"Tahoma");
    c->Font()->SetOrientation(900); // bottom to top
    c->Brush()->SetStyle(bsClear);
    c->TextOut(10, 70, L"WWWW");
    // The text runs up from (10, 70): ink above the baseline point, nothing to the right.
    EXPECT_GT(CountDifferent(bmp, Rect(8, 20, 30, 71), clWhite), 0);
    EXPECT_EQ(0, CountDifferent(bmp, Rect(32, 0, 60, 80), clWhite));
}

TEST(Canvas, TextRectClipsAndFormats)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 100, 30);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clYellow);
    c->TextRect(Rect(10, 5, 30, 20), 10, 5, L"WWWWWWWWWW");
    EXPECT_EQ(clYellow, Pixel32(bmp, 29, 19)); // the opaque background fills the rectangle
    EXPECT_EQ(0, CountDifferent(bmp, Rect(30, 0, 100, 30), clWhite)); // clipped
    EXPECT_EQ(0, CountDifferent(bmp, Rect(0, 20, 100, 30), clWhite));

    TRect r = Rect(0, 0, 0, 0);
    String text = L"Line one\nLine two";
    c->TextRect(r, text, DT_CALCRECT);
    EXPECT_EQ(2 * c->TextHeight(L"L"), r.bottom);

    r = Rect(40, 0, 70, 20);
    text = L"A rather long caption";
    c->Brush()->SetStyle(bsClear);
    c->TextRect(r, text, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_NE(String::npos, text.find(L"...")) << std::string(text.begin(), text.end());
    EXPECT_EQ(0, CountDifferent(bmp, Rect(70, 0, 100, 30), clWhite));
}

TEST(Canvas, PixelsCopyRectAndFloodFill)
{
    TBitmap a, b;
    MakeCanvasBitmap(a, 10, 10, clWhite);
    MakeCanvasBitmap(b, 10, 10, clBlack);
    a.Canvas()->SetPixels(3, 4, clTeal);
    EXPECT_EQ(clTeal, a.Canvas()->Pixels(3, 4));
    b.Canvas()->CopyRect(Rect(0, 0, 5, 5), a.Canvas(), Rect(1, 2, 6, 7));
    EXPECT_EQ(clTeal, Pixel32(b, 2, 2));
    EXPECT_EQ(clWhite, Pixel32(b, 0, 0));
    EXPECT_EQ(clBlack, Pixel32(b, 5, 5));

    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FloodFill(8, 8, clBlack, fsSurface);
    EXPECT_EQ(clRed, Pixel32(b, 9, 0));
    EXPECT_EQ(clWhite, Pixel32(b, 0, 0));
}

TEST(Canvas, PatternBrushTilesItsBitmap)
{
    TBitmap pattern;
    MakeCanvasBitmap(pattern, 8, 8, clWhite);
    pattern.Canvas()->Brush()->SetColor(clRed);
    pattern.Canvas()->FillRect(Rect(0, 0, 4, 8)); // left half red

    TBitmap bmp;
    MakeCanvasBitmap(bmp, 16, 4);
    bmp.Canvas()->Brush()->SetBitmap(&pattern);
    bmp.Canvas()->FillRect(Rect(0, 0, 16, 4));
    bmp.Canvas()->Brush()->SetBitmap(nullptr);
    EXPECT_EQ(clRed, Pixel32(bmp, 1, 1));
    EXPECT_EQ(clWhite, Pixel32(bmp, 5, 1));
    EXPECT_EQ(clRed, Pixel32(bmp, 9, 1));
    EXPECT_EQ(clWhite, Pixel32(bmp, 13, 1));
    TRect clip = bmp.Canvas()->ClipRect();
    EXPECT_EQ(16, clip.right);
    EXPECT_EQ(4, clip.bottom);
}

TEST(Canvas, ObjectsAreReselectedAfterChangesAndRefresh)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 10, 10);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 1, 1));
    EXPECT_TRUE(c->State().Contains(csBrushValid));
    c->Brush()->SetColor(clGreen);
    EXPECT_FALSE(c->State().Contains(csBrushValid));
    c->Rectangle(0, 0, 3, 3);
    EXPECT_EQ(clGreen, Pixel32(bmp, 1, 1));
    c->Refresh();
    EXPECT_FALSE(c->State().Contains(csPenValid));
    EXPECT_TRUE(c->State().Contains(csHandleValid));
}

TEST(Canvas, FontChangesReachTheDcOnlyWhenTextNeedsThem)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 40, 20);
    HDC dc = bmp.Canvas()->Handle();
    TCanvas c; // a canvas of its own on the DC, so that its fonts have no other users
    c.SetHandle(dc);
    c.Font()->SetName(L"Tahoma");
    c.Font()->SetHeight(-17);
    int regular = c.TextWidth(L"WWW");
    HGDIOBJ first = GetCurrentObject(dc, OBJ_FONT);

    c.Font()->SetStyle(TFontStyles{fsBold});
    EXPECT_EQ(first, GetCurrentObject(dc, OBJ_FONT)); // left alone, and still alive while selected
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(first));
    EXPECT_GT(c.TextWidth(L"WWW"), regular);
    HGDIOBJ bold = GetCurrentObject(dc, OBJ_FONT);
    EXPECT_NE(first, bold);
    EXPECT_EQ(0u, GetObjectType(first)); // freed once the DC let go of it

    // A colour change keeps the handle; a font selected behind the canvas's back is replaced.
    c.Font()->SetColor(clRed);
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    c.Brush()->SetStyle(bsClear);
    c.TextOut(2, 0, L"WWW");
    EXPECT_EQ(bold, GetCurrentObject(dc, OBJ_FONT));
    EXPECT_LT(CountDifferent(bmp, Rect(0, 0, 40, 20), clRed), 40 * 20); // some ink in the new colour

    // A stale font is taken out of the DC all the same when the canvas lets go of it.
    c.Font()->SetStyle(TFontStyles{});
    c.SetHandle(nullptr);
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(dc, OBJ_FONT));
    EXPECT_EQ(0u, GetObjectType(bold));
}

TEST(Canvas, BrushChangesReachTheDcOnlyWhenDrawingNeedsThem)
{
    TBitmap bmp;
    MakeCanvasBitmap(bmp, 20, 10);
    HDC dc = bmp.Canvas()->Handle();
    TCanvas c;
    c.SetHandle(dc);
    c.Brush()->SetColor(clRed);
    c.FillRect(Rect(0, 0, 5, 5));
    HGDIOBJ red = GetCurrentObject(dc, OBJ_BRUSH);

    // A change leaves the old brush in the DC, alive, until something is drawn with the new one.
    c.Brush()->SetColor(clBlue);
    EXPECT_EQ(red, GetCurrentObject(dc, OBJ_BRUSH));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(red));
    c.Rectangle(5, 0, 10, 5);
    EXPECT_EQ(clBlue, Pixel32(bmp, 7, 2));
    HGDIOBJ blue = GetCurrentObject(dc, OBJ_BRUSH);
    EXPECT_NE(red, blue);
    EXPECT_EQ(0u, GetObjectType(red)); // freed once the DC let go of it

    // Clearing the brush and putting the same one back selects nothing; a brush selected behind
    // the canvas's back is replaced.
    c.Brush()->SetStyle(bsClear);
    c.Brush()->SetColor(clBlue);
    c.Rectangle(10, 0, 15, 5);
    EXPECT_EQ(blue, GetCurrentObject(dc, OBJ_BRUSH));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    c.Brush()->SetColor(clGreen);
    c.Brush()->SetColor(clBlue);
    c.Rectangle(15, 0, 20, 5);
    EXPECT_EQ(clBlue, Pixel32(bmp, 17, 2));

    // A stale brush is taken out of the DC all the same when the canvas lets go of it.
    c.Brush()->SetColor(clYellow);
    c.SetHandle(nullptr);
    EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetCurrentObject(dc, OBJ_BRUSH));
}

TEST(Canvas, ForeignDcAndNoDc)
{
    TCanvas none;
    EXPECT_THROW(none.Handle(), EInvalidOperation);
    EXPECT_THROW(none.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);

    TBitmap bmp;
    MakeCanvasBitmap(bmp, 8, 8);
    int changes = 0;
    {
        TCanvas canvas;
        canvas.SetHandle(bmp.Canvas()->Handle());
        canvas.OnChange = [&](TObject*) { ++changes; };
        canvas.Brush()->SetColor(clMaroon);
        canvas.FillRect(Rect(0, 0, 4, 4));
        canvas.SetHandle(nullptr);
    }
    EXPECT_EQ(1, changes);
    EXPECT_EQ(clMaroon, Pixel32(bmp, 1, 1));
    // The other canvas left stock objects in the DC: Refresh makes this one select its own again.
    bmp.Canvas()->Refresh();
    bmp.Canvas()->Brush()->SetColor(clOlive);
    bmp.Canvas()->Rectangle(4, 4, 8, 8);
    EXPECT_EQ(clOlive, Pixel32(bmp, 6, 6));
}

TEST(Canvas, LockCountsNestedLocks)
{
    TCanvas c;
    c.Lock();
    EXPECT_TRUE(c.TryLock());
    EXPECT_EQ(2, c.LockCount());
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(0, c.LockCount());
}
