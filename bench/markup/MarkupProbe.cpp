// With KVL_BENCH_PROBE set, the markup benchmark also times the system calls and framework steps a
// markup cell is made of, one at a time on the same DC, so that its cost can be told apart: font
// selection (the same font again, and two fonts in turn), text drawn with DrawText and with
// ExtTextOut, measuring, the framework's font objects changing style, and a run drawn the ways the
// renderer draws it.
#include "MarkupProbe.h"

#include <cstdio>

#include "framework/graphics/FontDCCache.h"

namespace {

constexpr int Calls = 20000;

double Microseconds(LARGE_INTEGER From, LARGE_INTEGER To)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(To.QuadPart - From.QuadPart) * 1e6 / static_cast<double>(f.QuadPart);
}

template <class Step> void Report(const char* What, Step DoStep)
{
    DoStep(0);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < Calls; ++i) DoStep(i);
    QueryPerformanceCounter(&end);
    std::printf("  probe: %-62s %7.2f us\n", What, Microseconds(start, end) / Calls);
}

HFONT MakeFont(const wchar_t* Face, int Height, bool Bold, bool Underline)
{
    LOGFONTW lf{};
    lf.lfHeight = Height;
    lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = Underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, Face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

} // namespace

void ProbeMarkupCosts(HDC DC, TCanvas& Canvas)
{
    const int height = Canvas.Font()->Height();
    HFONT normal = MakeFont(L"Tahoma", height, false, false);
    HFONT bold = MakeFont(L"Tahoma", height, true, false);
    HFONT underline = MakeFont(L"Tahoma", height, false, true);
    HGDIOBJ old = SelectObject(DC, normal);
    SetBkMode(DC, TRANSPARENT);
    const wchar_t run[] = L"day 12";
    const int length = 6;
    const UINT flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX;
    RECT box{10, 10, 106, 30};
    SIZE size{};

    Report("SelectObject, the font already selected", [&](int) { SelectObject(DC, normal); });
    Report("SelectObject, two fonts in turn", [&](int i) { SelectObject(DC, i % 2 ? bold : normal); });
    Report("SelectObject, three fonts in turn", [&](int i) {
        SelectObject(DC, i % 3 == 0 ? normal : i % 3 == 1 ? bold : underline);
    });
    SelectObject(DC, normal);
    // The questions a renderer asks a DC before it trusts a shortcut.
    Report("GetObjectType of the DC", [&](int) { (void)GetObjectType(DC); });
    Report("GetMapMode", [&](int) { (void)GetMapMode(DC); });
    Report("GetGraphicsMode", [&](int) { (void)GetGraphicsMode(DC); });
    Report("GetLayout", [&](int) { (void)GetLayout(DC); });
    Report("GetTextAlign", [&](int) { (void)GetTextAlign(DC); });
    Report("GetTextCharacterExtra", [&](int) { (void)GetTextCharacterExtra(DC); });
    Report("GetDeviceCaps TECHNOLOGY", [&](int) { (void)GetDeviceCaps(DC, TECHNOLOGY); });
    Report("GetCurrentObject OBJ_FONT", [&](int) { (void)GetCurrentObject(DC, OBJ_FONT); });
    Report("GetObject of the selected bitmap (DIBSECTION)", [&](int) {
        DIBSECTION dib;
        (void)GetObjectW(GetCurrentObject(DC, OBJ_BITMAP), sizeof(dib), &dib);
    });
    Report("GetClipBox", [&](int) {
        RECT r;
        (void)GetClipBox(DC, &r);
    });
    Report("SetBkMode and SetBkColor", [&](int i) {
        SetBkMode(DC, TRANSPARENT);
        SetBkColor(DC, i % 2 ? RGB(255, 0, 0) : RGB(0, 0, 0));
    });
    Report("GetTextExtentPoint32 \"day 12\"", [&](int) { GetTextExtentPoint32W(DC, run, length, &size); });
    Report("GetTextMetrics", [&](int) {
        TEXTMETRICW tm;
        GetTextMetricsW(DC, &tm);
    });
    Report("SetTextColor", [&](int i) { SetTextColor(DC, i % 2 ? RGB(255, 0, 0) : RGB(0, 0, 0)); });
    Report("DrawText \"day 12\", one line, the renderer's flags", [&](int) {
        RECT r = box;
        DrawTextW(DC, run, length, &r, flags);
    });
    Report("DrawText \"day 12\" with end ellipsis", [&](int) {
        RECT r = box;
        DrawTextW(DC, run, length, &r, flags | DT_END_ELLIPSIS);
    });
    Report("ExtTextOut \"day 12\", clipped", [&](int) {
        ExtTextOutW(DC, box.left, box.bottom - 13, ETO_CLIPPED, &box, run, length, nullptr);
    });
    Report("ExtTextOut \"day 12\", bold and normal in turn (select + draw)", [&](int i) {
        SelectObject(DC, i % 2 ? bold : normal);
        ExtTextOutW(DC, box.left, box.bottom - 13, ETO_CLIPPED, &box, run, length, nullptr);
    });
    Report("ExtTextOut \"day 12\", underline and normal in turn", [&](int i) {
        SelectObject(DC, i % 2 ? underline : normal);
        ExtTextOutW(DC, box.left, box.bottom - 13, ETO_CLIPPED, &box, run, length, nullptr);
    });
    SelectObject(DC, normal);
    Report("DrawText two lines with word break (the baseline's call)", [&](int) {
        RECT r{0, 0, 96, 34};
        DrawTextW(DC, L"Shift day 12\r\ndetails here", -1, &r, DT_NOPREFIX | DT_WORDBREAK);
    });
    // A second memory DC that keeps the bold font selected: the run is drawn there over a copy of
    // the target's pixels and copied back, so the target's font never changes.
    HDC side = CreateCompatibleDC(DC);
    HBITMAP sideBitmap = CreateCompatibleBitmap(DC, 96, 20);
    HGDIOBJ sideOld = SelectObject(side, sideBitmap);
    HGDIOBJ sideFont = SelectObject(side, bold);
    SetBkMode(side, TRANSPARENT);
    Report("BitBlt 96 x 20 between two memory DCs", [&](int) { BitBlt(side, 0, 0, 96, 20, DC, 10, 10, SRCCOPY); });
    Report("side DC run: BitBlt in, DrawText, BitBlt out", [&](int) {
        BitBlt(side, 0, 0, 96, 20, DC, 10, 10, SRCCOPY);
        RECT r{0, 0, 96, 20};
        DrawTextW(side, run, length, &r, flags);
        BitBlt(DC, 10, 10, 96, 20, side, 0, 0, SRCCOPY);
    });
    Report("side DC run: BitBlt in, ExtTextOut, BitBlt out (50 x 14)", [&](int) {
        BitBlt(side, 0, 0, 50, 14, DC, 10, 10, SRCCOPY);
        RECT r{0, 0, 50, 14};
        ExtTextOutW(side, 0, 0, ETO_CLIPPED, &r, run, length, nullptr);
        BitBlt(DC, 10, 10, 50, 14, side, 0, 0, SRCCOPY);
    });
    Report("ExtTextOut \"day 12\" in a DC that keeps the bold font", [&](int) {
        RECT r{0, 0, 50, 14};
        ExtTextOutW(side, 0, 0, ETO_CLIPPED, &r, run, length, nullptr);
    });
    SelectObject(side, underline);
    Report("ExtTextOut \"day 12\" in a DC that keeps the underlined font", [&](int) {
        RECT r{0, 0, 50, 14};
        ExtTextOutW(side, 0, 0, ETO_CLIPPED, &r, run, length, nullptr);
    });
    SelectObject(side, sideFont);
    SelectObject(side, sideOld);
    DeleteObject(sideBitmap);
    DeleteDC(side);
    SelectObject(DC, old);
    DeleteObject(normal);
    DeleteObject(bold);
    DeleteObject(underline);

    // The same run drawn as the renderer draws it: in the DC's own font, in a font DC, and in an
    // underlined font (the text in the DC's font, then the line).
    {
        TRect cell{10, 10, 106, 30};
        String text = run;
        auto draw = [&](int) { DrawTextLine(&Canvas, cell, text, flags); };
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.TextOutClipped(cell, 10, 17, text); // the canvas font is now the DC's
        Report("DrawTextLine \"day 12\", the DC's font", draw);
        TFontStyles plain = Canvas.Font()->Style();
        Canvas.Font()->SetStyle(TFontStyles{fsBold});
        Report("DrawTextLine \"day 12\", bold through its font DC", draw);
        Canvas.Font()->SetStyle(TFontStyles{fsUnderline});
        Report("DrawTextLine \"day 12\", underlined", draw);
        Canvas.Font()->SetStyle(plain);
        Canvas.Brush()->SetStyle(bsSolid);
    }

    TFont font;
    font.Assign(Canvas.Font());
    TFont other;
    other.Assign(Canvas.Font());
    Report("TFont::SetStyle bold on and off", [&](int i) {
        font.SetStyle(i % 2 ? TFontStyles{fsBold} : TFontStyles{});
    });
    other.SetStyle(TFontStyles{fsBold});
    Report("TFont::Assign of another font", [&](int i) { font.Assign(i % 2 ? &other : Canvas.Font()); });
    Report("TFont::SetColor", [&](int i) { font.SetColor(i % 2 ? clRed : clBlack); });
    Report("TFont::Name", [&](int) { (void)font.Name(); });
    Report("TCanvas::TextExtent", [&](int) { (void)Canvas.TextExtent(L"day 12"); });
}
