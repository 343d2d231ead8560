// Plain cell texts: the DrawText format follows word wrap, multi-line cells and the alignments;
// lines end at CR, and a single-line cell shows only the first line.
#include "grid/control/paint/CellTextPainter.h"
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

TEST(CellTextPainter, FormatFollowsWrapLinesAndAlignment)
{
    const UINT common = DT_EXPANDTABS | DT_NOPREFIX;
    struct Case {
        const wchar_t* Text;
        bool WordWrap, Multiline, Ellipsis;
        TAlignment HA;
        TVAlignment VA;
        UINT Expected;
    } cases[] = {
        {L"88", false, false, false, taCenter, vtaCenter, common | DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {L"88", false, false, true, taRightJustify, vtaBottom, common | DT_SINGLELINE | DT_END_ELLIPSIS | DT_RIGHT | DT_BOTTOM},
        {L"a\r\nb", false, false, false, taLeftJustify, vtaTop, common | DT_SINGLELINE},
        {L"a\r\nb", false, true, false, taLeftJustify, vtaTop, common | DT_EDITCONTROL},
        // Only CR counts as a line break: "a\nb" is one line, also in a multi-line cell.
        {L"a\nb", false, true, false, taLeftJustify, vtaTop, common | DT_SINGLELINE},
        {L"a b", true, false, false, taLeftJustify, vtaTop, common | DT_EDITCONTROL | DT_WORDBREAK},
        {L"a b", true, false, true, taLeftJustify, vtaTop, common | DT_EDITCONTROL | DT_WORDBREAK | DT_END_ELLIPSIS},
        {L"a\rb", true, true, true, taLeftJustify, vtaTop, common | DT_EDITCONTROL | DT_WORDBREAK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.Text));
        TCellTextOptions options;
        options.Multilinecells = c.Multiline;
        options.EnhTextSize = c.Ellipsis;
        EXPECT_EQ(CellTextFormat(c.Text, c.WordWrap, c.HA, c.VA, options), c.Expected)
            << "wrap " << c.WordWrap << " multi " << c.Multiline;
    }
}

TEST(CellTextPainter, SingleLineCellShowsTheTextUpToTheFirstCR)
{
    auto inkWidth = [](const String& Text) {
        kvltest::TPixelBuffer pixels(200, 20); // white
        TCanvas canvas;
        canvas.SetHandle(pixels.DC());
        canvas.Font()->SetColor(clBlack);
        TCellVisual v;
        v.WordWrap = false;
        PaintCellText(&canvas, v, TRect{0, 0, 200, 20}, Text, TCellTextOptions{});
        canvas.SetHandle(nullptr);
        RECT ink = pixels.Find(RECT{0, 0, 200, 20}, [](COLORREF p) { return p != static_cast<COLORREF>(clWhite); });
        return ink.right > ink.left ? ink.right - ink.left : 0;
    };
    EXPECT_EQ(inkWidth(L"WWW\r\nWWWWWWWW"), inkWidth(L"WWW"));
    EXPECT_GT(inkWidth(L"WWW"), 0);
    EXPECT_EQ(inkWidth(L""), 0);
}

TEST(CellTextPainter, WrappedTextIsCentredAsABlock)
{
    kvltest::TPixelBuffer pixels(30, 100); // white
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    canvas.Font()->SetColor(clBlack);
    TCellVisual v;
    v.WordWrap = true;
    v.VAlign = vtaCenter;
    EXPECT_EQ(PaintCellText(&canvas, v, TRect{0, 0, 30, 100}, L"WW WW", TCellTextOptions{}), static_cast<UINT>(DT_VCENTER));
    canvas.SetHandle(nullptr);
    RECT ink = pixels.Find(RECT{0, 0, 30, 100}, [](COLORREF p) { return p != static_cast<COLORREF>(clWhite); });
    ASSERT_LT(ink.top, ink.bottom);
    EXPECT_GT(ink.bottom - ink.top, 15) << "two lines";
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 50, 4);
}

} // namespace
