// The grid at scale: each row operation a large table needs (create, fill, read back, changing
// the row count, block insert and removal, appending row by row, hiding and showing a block, a
// list and single rows, removing with rows hidden) timed on a TAdvStringGrid beside the same work
// on a plain vector of rows of strings, in this process, at 10,000, 100,000 and 1,000,000 rows of
// 10 columns. Like is compared with like: a block operation against one block step on the
// vector, one call per row against one step per row. Every operation runs twice: on a grid shown
// on a form (no BeginUpdate; the window paints between operations, outside the timings) and on
// a grid without a window. Then the memory each filled cell takes in both, and the time to paint
// one screenful of a 1,000,000-row grid beside a 100-row grid, once with plain texts and once
// with mixed cells (pictures, check boxes, progress bars and markup beside plain texts, over a
// tiled background), the two grids painting in turns.
//
//   bench_grid.exe [shown|windowless] [rows...]   (default: both kinds, 10000 100000 1000000)
//   bench_grid.exe paint [rows]                   only the screenfuls (default: 1000000 rows beside 100)
// With KVL_BENCH_PROBE set it also prints each repetition's create and fill times, and before the
// windowless grid's create the same rows allocated in a plain vector (the grid's row shape, no
// grid code) and the grid's construction and row count apart: that tells the heap's share from
// the grid's.
#include <windows.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "framework/controls/Forms.h"
#include "grid/control/AdvGrid.h"

// ---- Live heap bytes, counted at the C++ allocator ----------------------------------------

namespace {
long long LiveBytes = 0;
}

void* operator new(size_t Size)
{
    void* p = std::malloc(Size ? Size : 1);
    if (p == nullptr) throw std::bad_alloc();
    LiveBytes += static_cast<long long>(_msize(p));
    return p;
}
void operator delete(void* P) noexcept
{
    if (P == nullptr) return;
    LiveBytes -= static_cast<long long>(_msize(P));
    std::free(P);
}
void operator delete(void* P, size_t) noexcept { operator delete(P); }
void* operator new[](size_t Size) { return operator new(Size); }
void operator delete[](void* P) noexcept { operator delete(P); }
void operator delete[](void* P, size_t) noexcept { operator delete(P); }

namespace {

constexpr int Cols = 10;
constexpr int BlockRows = 1000;
constexpr int AppendRows = 10000;
constexpr int OneByOneHides = 100;
constexpr int ScreenfulPaints = 20;

// Cell texts come from a pool, so that both sides copy the same strings and neither formats.
std::vector<std::wstring> Pool;
const std::wstring& Text(long long R, int C) { return Pool[static_cast<size_t>((R * Cols + C) % Pool.size())]; }

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Time(const std::function<void()>& Work)
{
    double start = Now();
    Work();
    return Now() - start;
}

// ---- The baseline: rows of strings, hidden rows kept aside with their real index -----------

struct TBaseline {
    std::vector<std::vector<std::wstring>> Rows;
    std::vector<std::pair<int, std::vector<std::wstring>>> Hidden; // ascending real index
};

// The real index of a display row: the hidden rows at or before it push it down.
int BaselineRealRow(const TBaseline& B, int Display)
{
    int real = Display;
    for (const auto& h : B.Hidden) {
        if (h.first > real) break;
        ++real;
    }
    return real;
}

// Hides the display rows (ascending) in one pass, as the grid's row-list hiding does.
void BaselineHideList(TBaseline& B, const std::vector<int>& Display)
{
    size_t next = 0, target = 0;
    for (size_t r = 0; r < B.Rows.size(); ++r) {
        if (next < Display.size() && Display[next] == static_cast<int>(r)) {
            B.Hidden.emplace_back(static_cast<int>(r), std::move(B.Rows[r]));
            ++next;
        } else {
            if (target != r) B.Rows[target] = std::move(B.Rows[r]);
            ++target;
        }
    }
    B.Rows.resize(target);
}

// Hides one real row, as HideRows (r, r) does: into the ordered store, out of the rows.
void BaselineHideOne(TBaseline& B, int Real)
{
    auto at = std::lower_bound(B.Hidden.begin(), B.Hidden.end(), Real, [](const auto& h, int r) { return h.first < r; });
    int display = Real - static_cast<int>(at - B.Hidden.begin());
    B.Hidden.emplace(at, Real, std::move(B.Rows[display]));
    B.Rows.erase(B.Rows.begin() + display);
}

// Hides the real rows From .. To (all shown) in one step, as HideRows (From, To) does: the
// block moves into the ordered store at its place and leaves the rows in one erase.
void BaselineHideBlock(TBaseline& B, int From, int To)
{
    auto at = std::lower_bound(B.Hidden.begin(), B.Hidden.end(), From, [](const auto& h, int r) { return h.first < r; });
    const int display = From - static_cast<int>(at - B.Hidden.begin());
    const int count = To - From + 1;
    std::vector<std::pair<int, std::vector<std::wstring>>> block;
    block.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) block.emplace_back(From + k, std::move(B.Rows[static_cast<size_t>(display + k)]));
    B.Hidden.insert(at, std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
    B.Rows.erase(B.Rows.begin() + display, B.Rows.begin() + display + count);
}

// The hidden real rows From .. To (consecutive) back in one step, as UnHideRows (From, To) does.
void BaselineUnhideBlock(TBaseline& B, int From, int To)
{
    auto first = std::lower_bound(B.Hidden.begin(), B.Hidden.end(), From, [](const auto& h, int r) { return h.first < r; });
    auto last = std::upper_bound(B.Hidden.begin(), B.Hidden.end(), To, [](int r, const auto& h) { return r < h.first; });
    const int display = From - static_cast<int>(first - B.Hidden.begin());
    std::vector<std::vector<std::wstring>> block;
    block.reserve(static_cast<size_t>(last - first));
    for (auto it = first; it != last; ++it) block.push_back(std::move(it->second));
    B.Rows.insert(B.Rows.begin() + display, std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
    B.Hidden.erase(first, last);
}

// Every hidden row back at its real index, in one pass.
void BaselineUnhideAll(TBaseline& B)
{
    std::vector<std::vector<std::wstring>> rows;
    rows.reserve(B.Rows.size() + B.Hidden.size());
    size_t shown = 0;
    for (auto& h : B.Hidden) {
        while (static_cast<int>(rows.size()) < h.first && shown < B.Rows.size()) rows.push_back(std::move(B.Rows[shown++]));
        rows.push_back(std::move(h.second));
    }
    while (shown < B.Rows.size()) rows.push_back(std::move(B.Rows[shown++]));
    B.Rows = std::move(rows);
    B.Hidden.clear();
}

// Removes display rows; each hidden row moves up by the real rows removed before it.
void BaselineRemove(TBaseline& B, int At, int Count)
{
    std::vector<int> removed;
    size_t h = 0;
    for (int real = 0, display = 0; static_cast<int>(removed.size()) < Count; ++real) {
        while (h < B.Hidden.size() && B.Hidden[h].first < real) ++h;
        if (h < B.Hidden.size() && B.Hidden[h].first == real) continue;
        if (display++ >= At) removed.push_back(real);
    }
    B.Rows.erase(B.Rows.begin() + At, B.Rows.begin() + At + Count);
    for (auto& hidden : B.Hidden)
        hidden.first -= static_cast<int>(std::lower_bound(removed.begin(), removed.end(), hidden.first) - removed.begin());
}

// ---- One scale ----------------------------------------------------------------------------

// The grid as a program holds it: on a form that shows it, or without a window at all.
enum TGridKind { ShownGrid, WindowlessGrid };
const char* const KindNames[] = {"shown grid (on a form, no BeginUpdate)", "grid without a window"};

struct TResult {
    double Grid = 1e30;
    double Base = 1e30;
};

std::vector<std::string> OpNames;
std::map<int, std::map<std::string, std::map<int, TResult>>> Results; // kind, operation, rows

void Record(TGridKind Kind, const std::string& Name, int Rows, double Grid, double Base)
{
    if (std::find(OpNames.begin(), OpNames.end(), Name) == OpNames.end()) OpNames.push_back(Name);
    TResult& r = Results[Kind][Name][Rows];
    r.Grid = std::min(r.Grid, Grid);
    r.Base = std::min(r.Base, Base);
}

std::vector<int> EveryTenth(int RowCount, int From)
{
    std::vector<int> rows;
    for (int r = From; r < RowCount; r += 10) rows.push_back(r);
    return rows;
}

std::vector<int> SpreadRows(int RowCount, int Count)
{
    std::vector<int> rows;
    for (int i = 0; i < Count; ++i) rows.push_back((1 + static_cast<int>(static_cast<long long>(RowCount - 2) * i / Count)) | 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

struct TMemory {
    double Grid = 0;
    double Base = 0;
};
std::map<int, TMemory> Memory;

// Lets a shown grid paint what the last operation left, outside the timings: each operation
// then starts from a window that is up to date, as it would between a program's actions.
void Settle(TGridKind Kind)
{
    if (Kind == ShownGrid) Application->ProcessMessages();
}

void RunScale(int N, bool GridFirst, TGridKind Kind)
{
    const int mid = N / 2;
    double g = 0, b = 0;
    long long before = 0;
    TBaseline base;
    TAdvStringGrid* grid = nullptr;
    // A shown grid's form and window are made before the clock starts: what is timed is the
    // grid's own work, the window's share of it included.
    TForm* form = nullptr;
    if (Kind == ShownGrid) {
        form = TForm::CreateNew(nullptr);
        form->SetBounds(0, 0, 820, 640);
        form->Show();
        Settle(Kind);
    }
    auto newGrid = [&] {
        auto* made = new TAdvStringGrid(form);
        if (form != nullptr) {
            made->SetParent(form);
            made->SetBounds(0, 0, 800, 600);
        }
        return made;
    };

    // Create and fill: the memory of a filled table is read right after. Which side allocates
    // first alternates between repetitions: the heap's free blocks, left by the repetition before,
    // go to whoever asks first, and a row size that fits them is far cheaper to allocate there.
    double bFill = 0, gFill = 0;
    auto baseSide = [&] {
        before = LiveBytes;
        b = Time([&] { base.Rows.assign(static_cast<size_t>(N), std::vector<std::wstring>(Cols)); });
        bFill = Time([&] {
            for (int r = 0; r < N; ++r)
                for (int c = 0; c < Cols; ++c) base.Rows[r][c] = Text(r, c);
        });
        Memory[N].Base = static_cast<double>(LiveBytes - before) / (static_cast<double>(N) * Cols);
    };
    auto gridSide = [&] {
        if (Kind == WindowlessGrid && getenv("KVL_BENCH_PROBE")) {
            using TSlotRow = std::vector<std::pair<std::wstring, void*>>;
            double pa = 0, pe = 0;
            {
                std::vector<TSlotRow> probe;
                pa = Time([&] { probe.assign(static_cast<size_t>(N), TSlotRow(Cols)); });
            }
            {
                std::vector<TSlotRow> probe;
                pe = Time([&] { for (int r = 0; r < N; ++r) probe.emplace_back(static_cast<size_t>(Cols)); });
            }
            double tc = 0, tcols = 0, trows = 0;
            TAdvStringGrid* probeGrid = nullptr;
            tc = Time([&] { probeGrid = new TAdvStringGrid(nullptr); });
            tcols = Time([&] { probeGrid->SetColCount(Cols); });
            trows = Time([&] { probeGrid->SetRowCount(N); });
            double tdel = Time([&] { delete probeGrid; });
            std::fprintf(stderr, "probe %d: rows of the grid's row shape in a plain vector: assign %.2f, emplace %.2f; grid ctor %.2f, cols %.2f, rows %.2f, delete %.2f ms\n",
                         N, pa * 1000, pe * 1000, tc * 1000, tcols * 1000, trows * 1000, tdel * 1000);
        }
        if (Kind == ShownGrid) {
            grid = newGrid();
            grid->SetColCount(Cols);
            Settle(Kind);
        }
        before = LiveBytes;
        g = Time([&] {
            if (Kind == WindowlessGrid) {
                grid = newGrid();
                grid->SetColCount(Cols);
            }
            grid->SetRowCount(N);
        });
        Settle(Kind);
        gFill = Time([&] {
            for (int r = 0; r < N; ++r)
                for (int c = 0; c < Cols; ++c) grid->SetCells(c, r, Text(r, c));
        });
        if (Kind == WindowlessGrid) Memory[N].Grid = static_cast<double>(LiveBytes - before) / (static_cast<double>(N) * Cols);
    };
    if (GridFirst) {
        gridSide();
        baseSide();
    } else {
        baseSide();
        gridSide();
    }
    Record(Kind, "create (SetRowCount)", N, g, b);
    Record(Kind, "fill (SetCells)", N, gFill, bFill);
    if (getenv("KVL_BENCH_PROBE"))
        std::fprintf(stderr, "%s, %s first, %d: create grid %.2f ms, base %.2f ms; fill grid %.2f ms, base %.2f ms\n",
                     KindNames[Kind], GridFirst ? "grid" : "vector", N, g * 1000, b * 1000, gFill * 1000, bFill * 1000);
    Settle(Kind);

    long long gSum = 0, bSum = 0;
    g = Time([&] {
        for (int r = 0; r < N; ++r)
            for (int c = 0; c < Cols; ++c) gSum += static_cast<long long>(grid->Cells(c, r).size());
    });
    b = Time([&] {
        for (int r = 0; r < N; ++r)
            for (int c = 0; c < Cols; ++c) {
                std::wstring text = base.Rows[r][c];
                bSum += static_cast<long long>(text.size());
            }
    });
    if (gSum != bSum) std::printf("read back differs: %lld / %lld\n", gSum, bSum);
    Record(Kind, "read back", N, g, b);

    // Each timed step below starts from a settled window.
    auto step = [&](const std::string& Name, const std::function<void()>& Grid, const std::function<void()>& Base) {
        Settle(Kind);
        if (getenv("KVL_BENCH_PROBE")) std::fprintf(stderr, "%s, %d: %s\n", KindNames[Kind], N, Name.c_str());
        const double gt = Time(Grid);
        const double bt = Time(Base);
        Record(Kind, Name, N, gt, bt);
    };

    step("SetRowCount 1,000 more", [&] { grid->SetRowCount(grid->RowCount() + BlockRows); },
         [&] { base.Rows.resize(base.Rows.size() + BlockRows, std::vector<std::wstring>(Cols)); });
    step("SetRowCount 1,000 fewer", [&] { grid->SetRowCount(grid->RowCount() - BlockRows); },
         [&] { base.Rows.resize(base.Rows.size() - BlockRows); });
    step("InsertRows 1,000 in the middle", [&] { grid->InsertRows(mid, BlockRows); },
         [&] { base.Rows.insert(base.Rows.begin() + mid, BlockRows, std::vector<std::wstring>(Cols)); });
    step("RemoveRows 1,000 in the middle", [&] { grid->RemoveRows(mid, BlockRows); },
         [&] { base.Rows.erase(base.Rows.begin() + mid, base.Rows.begin() + mid + BlockRows); });
    step("AddRow + 10 SetCells, 10,000 rows", [&] {
            for (int i = 0; i < AppendRows; ++i) {
                grid->AddRow();
                int row = grid->RowCount() - 1;
                for (int c = 0; c < Cols; ++c) grid->SetCells(c, row, Text(row, c));
            }
        },
        [&] {
            for (int i = 0; i < AppendRows; ++i) {
                base.Rows.emplace_back(Cols);
                int row = static_cast<int>(base.Rows.size()) - 1;
                for (int c = 0; c < Cols; ++c) base.Rows[row][c] = Text(row, c);
            }
        });

    // A block: one call on each side.
    step("HideRows of 1,000 in the middle", [&] { grid->HideRows(mid, mid + BlockRows - 1); },
         [&] { BaselineHideBlock(base, mid, mid + BlockRows - 1); });
    step("UnHideRows of those 1,000", [&] { grid->UnHideRows(mid, mid + BlockRows - 1); },
         [&] { BaselineUnhideBlock(base, mid, mid + BlockRows - 1); });

    // A list: every tenth row in one call, back in one call.
    std::vector<int> tenth = EveryTenth(grid->RowCount(), 1);
    step("HideRowList of every tenth row", [&] {
            TIntList list;
            for (int r : tenth) list.Add(r);
            grid->HideRowList(&list);
        },
        [&] { BaselineHideList(base, tenth); });
    step("UnHideRowList of those", [&] { grid->UnHideRowList(); }, [&] { BaselineUnhideAll(base); });

    // One row per call: each call costs one pass, on both sides.
    std::vector<int> spread = SpreadRows(grid->RowCount(), OneByOneHides);
    step("HideRows of 100 rows one by one", [&] { for (int r : spread) grid->HideRows(r, r); },
         [&] { for (int r : spread) BaselineHideOne(base, r); });
    step("UnHideRowsAll of those 100", [&] { grid->UnHideRowsAll(); }, [&] { BaselineUnhideAll(base); });

    {
        TIntList list;
        for (int r : tenth) list.Add(r);
        grid->HideRowList(&list);
        BaselineHideList(base, tenth);
    }
    int at = grid->RowCount() / 2;
    step("RemoveRows 1,000, every tenth hidden", [&] { grid->RemoveRows(at, BlockRows); }, [&] { BaselineRemove(base, at, BlockRows); });

    if (grid->RowCount() != static_cast<int>(base.Rows.size()) || grid->NumHiddenRows() != static_cast<int>(base.Hidden.size()))
        std::printf("row counts differ: %d+%d / %zu+%zu\n", grid->RowCount(), grid->NumHiddenRows(), base.Rows.size(), base.Hidden.size());
    if (grid->RowCount() > 3 && grid->Cells(3, 2) != base.Rows[2][3])
        std::printf("cells differ after the row operations\n");

    step("free", [&] { delete grid; },
         [&] {
             base.Rows.clear();
             base.Rows.shrink_to_fit();
             base.Hidden.clear();
             base.Hidden.shrink_to_fit();
         });
    delete form;
}

// What a screenful shows: plain texts only, or every other column a cell graphic (a picture, a
// check box, a progress bar) or markup, over a tiled background.
enum TScreenful { PlainCells, MixedCells };

// The screenful's cells from row Top on: in mixed screenfuls columns 1, 3, 5 and 7 hold a
// picture, a check box, a progress bar and markup, the others plain text.
void FillScreenful(TAdvStringGrid* Grid, int Top, TScreenful Kind, TBitmap* Picture)
{
    const int last = std::min(Grid->RowCount(), Top + 60);
    for (int r = Top; r < last; ++r)
        for (int c = 0; c < Cols; ++c) {
            if (Kind == PlainCells || c % 2 == 0 || c > 7) {
                Grid->SetCells(c, r, Text(r, c));
                continue;
            }
            switch (c) {
            case 1:
                Grid->AddBitmap(c, r, Picture, true, haBeforeText, vaCenter);
                Grid->SetCells(c, r, Text(r, c));
                break;
            case 3:
                Grid->AddCheckBox(c, r, r % 2 == 0, false);
                Grid->SetCells(c, r, L"done");
                break;
            case 5:
                Grid->AddProgress(c, r, clBlue, clWhite);
                Grid->SetCells(c, r, std::to_wstring(r % 101));
                break;
            default:
                Grid->SetCells(c, r, L"<B>day</B> <FONT COLOR=\"clRed\">" + std::to_wstring(r % 31) + L"</FONT>");
                break;
            }
        }
}

// The screenful at the middle of an N-row grid, shown, with a memory bitmap to paint it into.
class TScreenfulPaint {
public:
    TScreenfulPaint(int N, TScreenful Kind) : FForm(TForm::CreateNew(nullptr))
    {
        FForm->SetBounds(0, 0, 820, 640);
        auto* grid = new TAdvStringGrid(FForm);
        FGrid = grid;
        grid->SetParent(FForm);
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(Cols);
        grid->SetRowCount(N);
        grid->BeginUpdate();
        const int top = std::max(N / 2, 1);
        if (Kind == MixedCells) {
            FPicture.SetSize(12, 12);
            FPicture.Canvas()->Brush()->SetColor(clTeal);
            FPicture.Canvas()->FillRect(TRect{0, 0, 12, 12});
            TBitmap tile;
            tile.SetSize(32, 32);
            tile.Canvas()->Brush()->SetColor(0xF0F0F0);
            tile.Canvas()->FillRect(TRect{0, 0, 32, 32});
            tile.Canvas()->Brush()->SetColor(0xE0E8F0);
            tile.Canvas()->FillRect(TRect{0, 0, 16, 16});
            grid->BackGround()->SetBitmap(&tile);
            grid->EnableHTML = true;
        }
        FillScreenful(grid, top, Kind, &FPicture);
        grid->EndUpdate();
        FForm->Show();
        grid->SetTopRow(top);
        HDC screen = GetDC(nullptr);
        FDC = CreateCompatibleDC(screen);
        FBitmap = CreateCompatibleBitmap(screen, 800, 600);
        ReleaseDC(nullptr, screen);
        FOldBitmap = SelectObject(FDC, FBitmap);
    }
    ~TScreenfulPaint()
    {
        SelectObject(FDC, FOldBitmap);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
        delete FForm;
    }
    TScreenfulPaint(const TScreenfulPaint&) = delete;
    TScreenfulPaint& operator=(const TScreenfulPaint&) = delete;

    // Seconds for one paint of the whole screenful.
    double Paint()
    {
        return Time([this] { FGrid->PaintTo(FDC, 0, 0); });
    }

private:
    TForm* FForm;
    TAdvStringGrid* FGrid = nullptr;
    TBitmap FPicture; // the mixed cells refer to it
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

// Paints each kind of screenful of a Rows-row grid and of a 100-row grid, Times paints each after
// a warm-up, and prints the best paints' ratio. The two grids paint in turns, taking turns at going
// first, so that a slow phase of the machine falls on both sides rather than on one grid's paints.
void PrintScreenfuls(int Rows, int Times)
{
    const struct {
        TScreenful Kind;
        const char* Name;
    } screenfuls[] = {{PlainCells, "plain text"}, {MixedCells, "mixed cells"}};
    for (const auto& screenful : screenfuls) {
        TScreenfulPaint large(Rows, screenful.Kind);
        TScreenfulPaint small(100, screenful.Kind);
        large.Paint();
        small.Paint();
        double largeBest = 1e30, smallBest = 1e30;
        for (int i = 0; i < Times; ++i) {
            const bool largeFirst = i % 2 == 0;
            TScreenfulPaint& first = largeFirst ? large : small;
            TScreenfulPaint& second = largeFirst ? small : large;
            const double firstTime = first.Paint();
            const double secondTime = second.Paint();
            largeBest = std::min(largeBest, largeFirst ? firstTime : secondTime);
            smallBest = std::min(smallBest, largeFirst ? secondTime : firstTime);
        }
        std::printf("paint a screenful of %s: %d rows %.2f ms, 100 rows %.2f ms: %.2fx\n", screenful.Name, Rows,
                    largeBest * 1000, smallBest * 1000, largeBest / smallBest);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The screenfuls alone take seconds where the whole run takes minutes.
    const bool paintOnly = argc > 1 && std::string(argv[1]) == "paint";
    std::vector<TGridKind> kinds{ShownGrid, WindowlessGrid};
    int firstScale = paintOnly ? 2 : 1;
    if (!paintOnly && argc > 1 && (std::string(argv[1]) == "shown" || std::string(argv[1]) == "windowless")) {
        kinds = {std::string(argv[1]) == "shown" ? ShownGrid : WindowlessGrid};
        firstScale = 2;
    }
    std::vector<int> scales;
    for (int i = firstScale; i < argc; ++i) scales.push_back(std::atoi(argv[i]));
    if (scales.empty()) scales = paintOnly ? std::vector<int>{1000000} : std::vector<int>{10000, 100000, 1000000};
    for (int i = 0; i < 1000; ++i) Pool.push_back(L"cell " + std::to_wstring(i * 7919 % 100000));
    if (paintOnly) {
        PrintScreenfuls(scales.back(), ScreenfulPaints);
        return 0;
    }

    for (TGridKind kind : kinds)
        for (int n : scales) {
            // Small tables run a few times (the best run counts): single runs of a few milliseconds are noise.
            int repeats = n <= 10000 ? 5 : n <= 100000 ? 2 : 1;
            for (int i = 0; i < repeats; ++i) RunScale(n, i % 2 == 1, kind);
            std::fprintf(stderr, "bench_grid: %s, %d rows done\n", KindNames[kind], n);
        }

    for (TGridKind kind : kinds) {
        std::printf("%s beside a vector of rows of strings (%d columns; ratio = grid time / vector time)\n", KindNames[kind], Cols);
        std::printf("%-38s", "operation");
        for (int n : scales) std::printf(" %20d", n);
        std::printf("\n");
        for (const std::string& name : OpNames) {
            std::printf("%-38s", name.c_str());
            for (int n : scales) {
                const TResult& r = Results[kind][name][n];
                char cell[64];
                std::snprintf(cell, sizeof cell, "%.2fx (%.1f ms)", r.Grid / std::max(r.Base, 1e-7), r.Grid * 1000);
                std::printf(" %20s", cell);
            }
            std::printf("\n");
        }
        if (kind == WindowlessGrid) {
            std::printf("%-38s", "memory per filled cell (bytes)");
            for (int n : scales) {
                char cell[64];
                std::snprintf(cell, sizeof cell, "%.2fx (%.1f/%.1f)", Memory[n].Grid / Memory[n].Base, Memory[n].Grid, Memory[n].Base);
                std::printf(" %20s", cell);
            }
            std::printf("\n");
        }
        std::printf("\n");
    }

    PrintScreenfuls(*std::max_element(scales.begin(), scales.end()), ScreenfulPaints);
    return 0;
}
