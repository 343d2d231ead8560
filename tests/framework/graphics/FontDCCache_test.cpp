// Text drawn through a font's own DC must leave the target byte for byte as DrawText with the font
// selected there would: over a busy background (so that blended edges show), with underlines,
// overhangs, opaque backgrounds, ellipses, clip regions and boxes partly outside the bitmap, on
// DIB sections and on bitmaps made compatible with the screen. Targets it cannot promise that for
// are refused, and the target's own font is never changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontDCCache.h"

namespace {

// A memory DC over a 32-bit bitmap: a top-down DIB section, or a bitmap compatible with the screen.
class TTarget {
public:
    TTarget(int Width, int Height, bool Dib) : FWidth(Width), FHeight(Height)
    {
        HDC screen = GetDC(nullptr);
        FDC = CreateCompatibleDC(screen);
        if (Dib) {
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = Width;
            info.bmiHeader.biHeight = -Height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            void* bits = nullptr;
            FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        } else {
            FBitmap = CreateCompatibleBitmap(screen, Width, Height);
        }
        ReleaseDC(nullptr, screen);
        FOld = SelectObject(FDC, FBitmap);
        // Stripes of changing colours, alpha bytes included, so every blended pixel is told apart.
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; x += 3) SetPixelV(FDC, x, y, RGB(x * 7 % 256, y * 13 % 256, (x + y) * 5 % 256));
    }
    ~TTarget()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    HDC DC() const { return FDC; }
    std::vector<unsigned char> Bytes() const
    {
        GdiFlush();
        std::vector<unsigned char> bytes(static_cast<size_t>(FWidth) * FHeight * 4);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = FWidth;
        info.bmiHeader.biHeight = -FHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, FBitmap, 0, FHeight, bytes.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        return bytes;
    }

private:
    int FWidth, FHeight;
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOld = nullptr;
};

struct TCase {
    const char* Name;
    const wchar_t* Text;
    TFontStyles Style;
    TRect Box;
    UINT Format;
    TColor Brush; // clNone: transparent background
    bool Clip;    // a clip region on the target that cuts through the text
};

constexpr UINT RunFormat = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX;

const TCase Cases[] = {
    {"plain", L"Shift day 12", {}, {10, 10, 150, 30}, RunFormat, clNone, false},
    {"bold", L"day 12", TFontStyles{fsBold}, {10, 10, 150, 30}, RunFormat, clNone, false},
    {"underline and strike-out", L"details", TFontStyles{fsUnderline, fsStrikeOut}, {10, 10, 150, 30}, RunFormat, clNone,
     false},
    {"italic overhanging a narrow box", L"Wolf", TFontStyles{fsItalic, fsBold}, {10, 10, 34, 30}, RunFormat, clNone, false},
    {"opaque background", L"highlight", {}, {10, 10, 150, 30}, RunFormat, clYellow, false},
    {"underlined text wider than its box", L"a long underlined run", TFontStyles{fsUnderline}, {10, 10, 60, 30},
     RunFormat, clNone, false},
    {"end ellipsis", L"a long run cut with dots", {}, {10, 10, 70, 30}, RunFormat | DT_END_ELLIPSIS, clNone, false},
    {"right aligned, centred vertically", L"right", TFontStyles{fsBold}, {10, 10, 150, 40},
     DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOPREFIX, clNone, false},
    {"clip region", L"clipped in the middle", TFontStyles{fsUnderline}, {10, 10, 150, 30}, RunFormat, clNone, true},
    {"box partly outside the bitmap", L"edge of the bitmap", TFontStyles{fsBold}, {-20, -8, 150, 8}, RunFormat, clNone,
     false},
    {"Chinese", L"\u672C\u6708\u5171\u5DE5\u4F5C", TFontStyles{fsBold}, {10, 10, 150, 30}, RunFormat, clNone, false},
    {"top of a short box, opaque", L"top line", TFontStyles{fsItalic}, {10, 10, 150, 18}, DT_SINGLELINE | DT_NOPREFIX,
     clAqua, false},
    {"end ellipsis on a text that fits", L"fits", TFontStyles{fsUnderline}, {10, 10, 150, 30},
     RunFormat | DT_END_ELLIPSIS, clNone, false},
    {"prefix character", L"a&bc", {}, {10, 10, 150, 30}, DT_SINGLELINE | DT_BOTTOM, clNone, false},
    {"character in a shaped script", L"\u0645\u0631\u062D\u0628\u0627 ok", {}, {10, 10, 150, 30}, RunFormat, clNone, false},
};

void Prepare(TCanvas& Canvas, HDC DC, const TCase& C)
{
    Canvas.SetHandle(DC);
    Canvas.Font()->SetName(L"Tahoma");
    Canvas.Font()->SetSize(9);
    Canvas.Font()->SetStyle(C.Style);
    Canvas.Font()->SetColor(clNavy);
    SetTextCharacterExtra(DC, C.Brush == clAqua ? 2 : 0);
    if (C.Brush == clNone)
        Canvas.Brush()->SetStyle(bsClear);
    else
        Canvas.Brush()->SetColor(C.Brush);
    if (C.Clip) {
        HRGN region = CreateRectRgn(0, 0, 60, 100);
        HRGN right = CreateRectRgn(80, 0, 200, 100);
        CombineRgn(region, region, right, RGN_OR);
        SelectClipRgn(DC, region);
        DeleteObject(right);
        DeleteObject(region);
    }
}

} // namespace

TEST(FontDCCache, DrawsTheSameBytesAsDrawTextWithTheFontSelected)
{
    for (bool dib : {true, false}) {
        for (const TCase& c : Cases) {
            SCOPED_TRACE(std::string(c.Name) + (dib ? " (DIB section)" : " (screen-compatible bitmap)"));
            TTarget viaFontDC(200, 50, dib), direct(200, 50, dib);
            TCanvas side, plain;
            Prepare(side, viaFontDC.DC(), c);
            Prepare(plain, direct.DC(), c);
            HGDIOBJ fontBefore = GetCurrentObject(viaFontDC.DC(), OBJ_FONT);
            String text = c.Text;
            TRect box = c.Box;
            ASSERT_TRUE(DrawTextInFontDC(&side, box, text, c.Format));
            plain.TextRect(box, text, c.Format);
            EXPECT_EQ(GetCurrentObject(viaFontDC.DC(), OBJ_FONT), fontBefore) << "the target's font stays";
            EXPECT_TRUE(viaFontDC.Bytes() == direct.Bytes());
            side.SetHandle(nullptr);
            plain.SetHandle(nullptr);
        }
    }
    ReleaseFontDCs();
}

TEST(FontDCCache, LinesDrawnTheCheapestWayLeaveTheBytesDrawTextLeaves)
{
    // The canvas's font either already is the DC's (drawn there) or not (drawn in its font's DC);
    // a line whose place is known is drawn with ExtTextOut, any other through DrawText.
    for (bool fontSelected : {false, true}) {
        for (const TCase& c : Cases) {
            SCOPED_TRACE(std::string(c.Name) + (fontSelected ? " (font selected)" : " (font not selected)"));
            TTarget viaLine(200, 50, true), direct(200, 50, true);
            TCanvas line, plain;
            Prepare(line, viaLine.DC(), c);
            Prepare(plain, direct.DC(), c);
            if (fontSelected) (void)line.TextExtent(L"x");
            String text = c.Text;
            TRect box = c.Box;
            DrawTextLine(&line, box, text, c.Format);
            plain.TextRect(box, text, c.Format);
            EXPECT_TRUE(viaLine.Bytes() == direct.Bytes());
            line.SetHandle(nullptr);
            plain.SetHandle(nullptr);
        }
    }
    ReleaseFontDCs();
}

TEST(FontDCCache, RefusesWhatItCannotDrawTheSameAndTellsTheCanvasOfChanges)
{
    TTarget target(200, 50, true);
    TCanvas canvas;
    canvas.SetHandle(target.DC());
    canvas.Font()->SetName(L"Tahoma");
    canvas.Font()->SetStyle(TFontStyles{fsBold});
    TRect box{0, 0, 150, 30};
    int changes = 0;
    canvas.OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(DrawTextInFontDC(&canvas, box, L"drawn", RunFormat));
    EXPECT_EQ(changes, 1);

    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"tab\there", RunFormat));
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"two lines", DT_WORDBREAK));
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"measure", RunFormat | DT_CALCRECT));
    SetMapMode(target.DC(), MM_LOMETRIC);
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"mapped", RunFormat));
    SetMapMode(target.DC(), MM_TEXT);
    SetTextAlign(target.DC(), TA_BASELINE);
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"baseline", RunFormat));
    SetTextAlign(target.DC(), TA_TOP | TA_LEFT);
    canvas.Font()->SetOrientation(900);
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"rotated", RunFormat));
    canvas.Font()->SetOrientation(0);
    String text = L"selected";
    canvas.TextRect(box, text, RunFormat); // the canvas selects its font: drawing there is cheaper
    EXPECT_FALSE(DrawTextInFontDC(&canvas, box, L"current font", RunFormat));
    canvas.SetHandle(nullptr);

    // A 24-bit bitmap.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 50;
    info.bmiHeader.biHeight = 20;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    TCanvas other;
    other.SetHandle(dc);
    other.Font()->SetStyle(TFontStyles{fsItalic});
    EXPECT_FALSE(DrawTextInFontDC(&other, box, L"24 bits", RunFormat));
    other.SetHandle(nullptr);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseFontDCs();
}
