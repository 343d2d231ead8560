// A screenful of markup cells (40 rows x 10 columns of a two-line text with a colour, a bold run
// and an anchor) painted by RenderMarkup into a memory bitmap, beside the same cells painted as
// plain text with DrawText. Prints both times and their ratio, then the cost per cell of the same
// text with one kind of tag at a time, which shows what each costs on top of the runs themselves.
// The renderer keeps what a painting call of a text painted before drew for the next identical
// call, so the frames (after two warming calls) show the cost of repainting; the first paint of
// a cell is timed apart, over cells whose texts all differ. Each side is timed in several rounds, the two taking turns at going
// first, and the best round of each counts: on a loaded machine a round is easily slowed by
// others, never sped up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "grid/foundation/AsgHTMLE.h"
#include "MarkupProbe.h"

// Counts the heap allocations a first paint makes.
static long long Allocations = 0;
void* operator new(size_t Size)
{
    ++Allocations;
    if (void* p = std::malloc(Size ? Size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* P) noexcept { std::free(P); }
void operator delete(void* P, size_t) noexcept { std::free(P); }

namespace {

constexpr int Rows = 40, Cols = 10, CellWidth = 96, CellHeight = 34, Frames = 20, Rounds = 5;

const wchar_t* const Markup = L"<FONT COLOR=\"clRed\">Shift</FONT> <B>day 12</B><BR><A href=\"d12\">details</A> here";
const wchar_t* const Plain = L"Shift day 12\r\ndetails here";

double Seconds(LARGE_INTEGER From, LARGE_INTEGER To)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(To.QuadPart - From.QuadPart) / static_cast<double>(f.QuadPart);
}

template <class Paint> double Time(Paint PaintCell)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int frame = 0; frame < Frames; ++frame)
        for (int row = 0; row < Rows; ++row)
            for (int col = 0; col < Cols; ++col)
                PaintCell(TRect{col * CellWidth, row * CellHeight, (col + 1) * CellWidth, (row + 1) * CellHeight});
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

// The best of Rounds timings of each side, the two taking turns at going first.
template <class PaintA, class PaintB> void BestOf(PaintA A, PaintB B, double& TimeA, double& TimeB)
{
    TimeA = TimeB = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        if (round % 2 == 0) {
            TimeA = std::min(TimeA, Time(A));
            TimeB = std::min(TimeB, Time(B));
        } else {
            TimeB = std::min(TimeB, Time(B));
            TimeA = std::min(TimeA, Time(A));
        }
    }
}

// First paints only, of the benchmark's text and of the same text with one kind of tag at a
// time, each beside the plain cells in the same rounds, with the heap allocations a cell makes.
template <class Render, class Plain> void FirstPaintsByTag(Render RenderText, Plain PaintPlain)
{
    const wchar_t* const shapes[][2] = {
        {L"<FONT COLOR=\"clRed\">Shift</FONT> <B>day ", L"</B><BR><A href=\"d12\">details</A> here"},
        {L"Shift day ", L"<BR>details here"},
        {L"<FONT COLOR=\"clRed\">Shift</FONT> day ", L"<BR>details here"},
        {L"Shift <B>day ", L"</B><BR>details here"},
        {L"Shift day ", L"<BR><A href=\"d12\">details</A> here"},
    };
    int serial = 0;
    for (const auto& shape : shapes) {
        std::vector<String> texts;
        for (int i = 0; i < (Rounds + 1) * Frames * Rows * Cols; ++i)
            texts.push_back(shape[0] + std::to_wstring(serial++) + shape[1]);
        size_t next = 0;
        auto fresh = [&](TRect Cell) { RenderText(texts[next++].c_str(), Cell); };
        const long long before = Allocations;
        fresh(TRect{0, 0, CellWidth, CellHeight});
        const long long allocations = Allocations - before;
        double firstTime = 0, plainTime = 0;
        BestOf(fresh, PaintPlain, firstTime, plainTime);
        std::printf("  first paints %6.2f us a cell, DrawText %5.2f us, ratio %.2f, %lld allocations: %ls#%ls\n",
                    firstTime * 1e6 / (Frames * Rows * Cols), plainTime * 1e6 / (Frames * Rows * Cols),
                    firstTime / plainTime, allocations, shape[0], shape[1]);
    }
}

} // namespace

// "first": only the first paints of the text and of each tag alone (see FirstPaintsByTag).
int main(int argc, char** argv)
{
    const bool firstOnly = argc > 1 && std::string(argv[1]) == "first";
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = Cols * CellWidth;
    info.bmiHeader.biHeight = -Rows * CellHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font()->SetName(L"Tahoma");
        canvas.Font()->SetSize(8);
        canvas.Font()->SetColor(clBlack);

        String hitHref, plainText, focusHref, hitTitle, controlId, controlValue, controlKind;
        int extentX, extentY, anchors, hitNumber;
        TRect hitRect{}, controlRect{};
        bool sizeOnly = false;
        auto render = [&](const wchar_t* Text, TRect cell) {
            RenderMarkup(&canvas, Text, cell, nullptr, -1, -1, -1, 0, 1, false, sizeOnly, false, false, true, false,
                         true, false, 1.0, clBlue, clNone, clNone, clGray, hitHref, plainText, focusHref, hitTitle,
                         extentX, extentY, anchors, hitNumber, hitRect, controlRect, controlId, controlValue,
                         controlKind, nullptr, nullptr, nullptr, 0);
        };
        auto markup = [&](TRect cell) { render(Markup, cell); };
        auto plain = [&](TRect cell) {
            String text = Plain;
            canvas.TextRect(cell, text, DT_NOPREFIX | DT_WORDBREAK);
        };
        markup(TRect{0, 0, CellWidth, CellHeight}); // warm the font caches for both, and let the
        markup(TRect{0, 0, CellWidth, CellHeight}); // renderer keep the repeated text's drawing
        plain(TRect{0, 0, CellWidth, CellHeight});
        if (firstOnly) {
            FirstPaintsByTag(render, plain);
            canvas.SetHandle(nullptr);
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
            return 0;
        }
        double markupTime = 0, plainTime = 0;
        BestOf(markup, plain, markupTime, plainTime);
        std::printf("markup: %d frames of %d x %d cells, best of %d rounds\n", Frames, Rows, Cols, Rounds);
        std::printf("  RenderMarkup  %8.1f ms per frame\n", markupTime * 1000 / Frames);
        std::printf("  DrawText      %8.1f ms per frame\n", plainTime * 1000 / Frames);
        std::printf("  ratio         %8.2f (goal <= 3)\n", plainTime > 0 ? markupTime / plainTime : 0.0);
        const wchar_t* const parts[] = {L"", L"Shift day 12<BR>details here",
                                        L"<FONT COLOR=\"clRed\">Shift</FONT> day 12<BR>details here",
                                        L"Shift <B>day 12</B><BR>details here",
                                        L"Shift day 12<BR><A href=\"d12\">details</A> here"};
        // First paints: every cell's text differs from all before it, so nothing kept is found.
        std::vector<String> fresh;
        for (int i = 0; i < Rounds * Frames * Rows * Cols; ++i)
            fresh.push_back(L"<FONT COLOR=\"clRed\">Shift</FONT> <B>day " + std::to_wstring(i) +
                            L"</B><BR><A href=\"d12\">details</A> here");
        size_t next = 0;
        double firstTime = 1e30;
        for (int round = 0; round < Rounds; ++round)
            firstTime = std::min(firstTime, Time([&](TRect cell) { render(fresh[next++].c_str(), cell); }));
        std::printf("  first paints  %8.1f ms per frame, ratio %.2f (cells of texts never painted before)\n",
                    firstTime * 1000 / Frames, plainTime > 0 ? firstTime / plainTime : 0.0);
        std::printf("  per cell: DrawText %6.2f us\n", plainTime * 1e6 / (Frames * Rows * Cols));
        for (const wchar_t* part : parts) {
            double t = Time([&](TRect cell) { render(part, cell); });
            std::printf("  per cell: %-58ls %6.2f us\n", part, t * 1e6 / (Frames * Rows * Cols));
        }
        if (std::getenv("KVL_BENCH_PROBE")) {
            sizeOnly = true;
            double t = Time(markup);
            std::printf("  probe: %-62s %7.2f us\n", "the markup cell measured only (no second pass)",
                        t * 1e6 / (Frames * Rows * Cols));
            sizeOnly = false;
            t = Time([&](TRect cell) { render(L"<B> </B>", cell); });
            std::printf("  probe: %-62s %7.2f us\n", "a kept call that draws nothing (the work of every call)",
                        t * 1e6 / (Frames * Rows * Cols));
            ProbeMarkupCosts(dc, canvas);
        }
        canvas.SetHandle(nullptr);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
