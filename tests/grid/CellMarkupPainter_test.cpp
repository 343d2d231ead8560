// Markup cells: a grid cell holding markup shows it through the markup renderer (colours, bold
// runs, links, pictures of the grid's container) instead of its tags, and plain text again when
// markup is off. A grid of markup cells is also written as a picture under the build folder
// (screenshots/markup-cells.bmp beside the test program) for people to look at.
#include <cstdio>
#include <vector>

#include "framework/system/Conversions.h"
#include "grid/control/paint/CellMarkupPainter.h"
#include "grid/foundation/PictureContainer.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/grid/PictureFixtures.h"

using namespace gridtest;

namespace {

bool IsRed(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool IsBlue(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90; }
bool IsGreen(COLORREF c) { return GetGValue(c) > 160 && GetRValue(c) < 90 && GetBValue(c) < 90; }
bool IsDark(COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool None(const RECT& r) { return r.left >= r.right; }

// The pixels as a 24-bit BMP file, for people (tests never read it back).
void WriteBmp(const kvltest::TPixelBuffer& Pixels, const String& Name)
{
    const int w = Pixels.Width(), h = Pixels.Height(), stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * h);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> rows(info.biSizeImage, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = Pixels.At(x, h - 1 - y);
            unsigned char* p = &rows[static_cast<size_t>(y * stride + x * 3)];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    FILE* out = _wfopen(Name.c_str(), L"wb");
    if (out == nullptr) return;
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
}

String ScreenshotFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    String folder = path;
    folder.erase(folder.find_last_of(L'\\') + 1);
    folder += L"screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

class MarkupCells : public GridTest {
protected:
    MarkupCells() : Pictures(nullptr)
    {
        TPictureItem* item = Pictures.Items()->Add();
        item->SetName(L"dot");
        TBytesStream stream(picturetest::MakeGif(10, 10, {{1}}));
        item->Picture()->LoadFromStream(&stream);
    }

    // A borderless white grid of 120 x 40 cells with the grid's picture container.
    TAdvStringGrid* MakeGrid(int Cols, int Rows)
    {
        auto* grid = new TAdvStringGrid(Form);
        grid->SetParent(Form);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, Cols * 120, Rows * 40);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        grid->SetDefaultColWidth(120);
        grid->SetDefaultRowHeight(40);
        grid->SetColor(clWhite);
        grid->Font()->SetColor(clBlack);
        grid->SetPictureContainer(&Pictures);
        ShowForm();
        return grid;
    }

    TPictureContainer Pictures;
};

TEST_F(MarkupCells, MarkupShowsItsColoursLinksAndPicturesNotItsTags)
{
    TAdvStringGrid* grid = MakeGrid(4, 4);
    grid->SetCells(1, 2, L"<FONT COLOR=\"clRed\">red</FONT>");
    grid->SetCells(2, 2, L"<A HREF=\"x\">link</A>");
    grid->SetCells(3, 2, L"<IMG SRC=\"dot\"><B>x</B>");
    struct {
        int Col;
        bool (*Ink)(COLORREF);
        bool Dark; // other ink in the font's colour
    } cases[] = {{1, IsRed, false}, {2, IsBlue, false}, {3, IsGreen, true}};
    TGridPixels pixels(480, 160);
    grid->PaintTo(pixels.DC(), 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Col);
        TRect cell = grid->CellRect(c.Col, 2);
        EXPECT_FALSE(None(pixels.Find(cell, c.Ink)));
        EXPECT_EQ(!None(pixels.Find(cell, IsDark)), c.Dark) << "the tags are not drawn as text";
    }

    grid->EnableHTML = false;
    TGridPixels plain(480, 160);
    grid->PaintTo(plain.DC(), 0, 0);
    TRect cell = grid->CellRect(1, 2);
    EXPECT_TRUE(None(plain.Find(cell, IsRed)));
    EXPECT_FALSE(None(plain.Find(cell, IsDark))) << "without markup the text shows as written";

    grid->EnableHTML = true;
    grid->SetPictureContainer(nullptr);
    TGridPixels noPictures(480, 160);
    grid->PaintTo(noPictures.DC(), 0, 0);
    EXPECT_TRUE(None(noPictures.Find(grid->CellRect(3, 2), IsGreen))) << "no container, no picture";
}

TEST_F(MarkupCells, ScreenshotOfAGridWithMarkupCells)
{
    TAdvStringGrid* grid = MakeGrid(4, 5);
    const wchar_t* header[] = {L"", L"<B>Shift</B>", L"<B>Crew</B>", L"<B>Note</B>"};
    for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, header[c]);
    for (int r = 1; r < 5; ++r) grid->SetCells(0, r, L"<I>Day " + IntToStr(r) + L"</I>");
    grid->SetCells(1, 1, L"<FONT COLOR=\"clRed\">24 h</FONT> <B>duty</B><BR><A HREF=\"x\">details</A>");
    grid->SetCells(2, 1, L"<IMG SRC=\"dot\"> <U>Team A</U><BR><S>Team B</S>");
    grid->SetCells(3, 1, L"<P ALIGN=\"CENTER\">centred</P><FONT COLOR=\"#0000FF\" SIZE=\"1\">small blue</FONT>");
    grid->SetCells(1, 2, L"<HI>highlighted</HI> text");
    grid->SetCells(2, 2, L"a <FONT BGCOLOR=\"clYellow\">marked</FONT> word");
    grid->SetCells(3, 2, L"H<SUB>2</SUB>O and x<SUP>2</SUP>");
    grid->SetCells(1, 3, L"<CONTROL TYPE=\"CHECK\" WIDTH=\"16\" ID=\"c\" VALUE=\"TRUE\"> done");
    grid->SetCells(2, 3, L"<UL><LI>first<LI>second</UL>");
    grid->SetCells(3, 3, L"<E>mistaek</E> &amp; &lt;tag&gt;");
    grid->SetCells(1, 4, L"<FONT FACE=\"Courier New\">mono</FONT> <SH>shadow</SH>");
    grid->SetCells(2, 4, L"a long line that wraps inside its cell</B>");
    grid->SetCells(3, 4, L"<A HREF=\"a\">one</A>, <A HREF=\"b\">two</A>");
    TGridPixels pixels(480, 200);
    grid->PaintTo(pixels.DC(), 0, 0);
    String name = ScreenshotFolder() + L"\\markup-cells.bmp";
    WriteBmp(pixels, name);
    // (1, 1) is the current cell: its tags keep the selection's text colour.
    EXPECT_TRUE(None(pixels.Find(grid->CellRect(1, 1), IsRed)));
    EXPECT_FALSE(None(pixels.Find(grid->CellRect(2, 1), IsGreen)));
    EXPECT_FALSE(None(pixels.Find(grid->CellRect(3, 1), IsBlue)));
    FILE* written = _wfopen(name.c_str(), L"rb");
    EXPECT_NE(written, nullptr) << "the screenshot is written under the build folder";
    if (written != nullptr) std::fclose(written);
}

TEST(CellMarkupPainter, AnswersTheDrawnWidthAndIgnoresEmptyRectangles)
{
    kvltest::TPixelBuffer pixels(200, 60);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    canvas.Font()->SetName(L"Tahoma");
    TCellMarkupOptions options;
    EXPECT_EQ(PaintCellMarkup(&canvas, TRect{0, 0, 200, 60}, L"<B>ab</B>", options),
              [&] {
                  canvas.Font()->SetStyle(TFontStyles{fsBold});
                  int w = canvas.TextWidth(L"ab");
                  canvas.Font()->SetStyle(TFontStyles{});
                  return w + 2;
              }());
    EXPECT_EQ(PaintCellMarkup(&canvas, TRect{0, 0, 0, 60}, L"<B>ab</B>", options), 0);
    EXPECT_EQ(PaintCellMarkup(&canvas, TRect{0, 0, 200, 60}, L"", options), 0);
    canvas.SetHandle(nullptr);
}

} // namespace
