// Proportional scroll bars: the thumb shows how much of the rows (columns) the control shows,
// while positions keep the framework's 0 .. 127 scale.
#include <cmath>

#include "grid/control/AdvGrid.h"

namespace {

// The page and range that make a thumb cover the Shown fraction while positions run 0 .. 127.
void SetProportionalInfo(HWND Wnd, int Bar, float Shown, int Pos)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = static_cast<int>((Shown + 127) / (1 - Shown));
    info.nPage = static_cast<UINT>(info.nMax - 126);
    info.nPos = Pos;
    SetScrollInfo(Wnd, Bar, &info, TRUE);
}

// The columns (rows) From .. To - 1 with the grid line after each. Summed, not walked: the bars
// are recalculated before every paint of a grid that may hold a million rows.
long long ColumnsExtent(const TAdvStringGrid& Grid, int From, int To)
{
    return To > From ? Grid.ColWidthsSum(From, To) + static_cast<long long>(To - From) * Grid.GridLineWidth() : 0;
}

long long RowsExtent(const TAdvStringGrid& Grid, int From, int To)
{
    return To > From ? Grid.RowHeightsSum(From, To) + static_cast<long long>(To - From) * Grid.GridLineWidth() : 0;
}

} // namespace

bool TAdvStringGrid::ProportionalScrollActive() const
{
    return ScrollProportional && HandleAllocated() && !ComponentState().Contains(csLoading) &&
           !ComponentState().Contains(csDesigning);
}

void TAdvStringGrid::UpdateProportionalHorz()
{
    if (!ProportionalScrollActive()) return;
    const int line = GridLineWidth();
    const long long widths = ColWidthsSum(0, ColCount());
    const long long fixed = line + ColumnsExtent(*this, 0, FixedCols());
    const long long total = line + ColumnsExtent(*this, FixedCols(), ColCount());
    const long long scrolled = line + ColumnsExtent(*this, FixedCols(), LeftCol());
    const float shown = static_cast<float>(Width() - fixed) / static_cast<float>(total);
    if (shown >= 0.9999f) return;
    int pos = Width() < total ? static_cast<int>(static_cast<double>(scrolled) / (total - Width()) * 128)
                              : GetScrollPos(FHandle, SB_HORZ);
    SetProportionalInfo(FHandle, SB_HORZ, shown, pos);
    bool horizontalBar = ScrollBars() == ssHorizontal || ScrollBars() == ssBoth;
    if (ScrollBarAlways != saHorz && ScrollBarAlways != saBoth && !(widths >= Width() && horizontalBar))
        ShowScrollBar(FHandle, SB_HORZ, FALSE);
    ForgetScrollBars();
}

void TAdvStringGrid::UpdateProportionalVert()
{
    if (!ProportionalScrollActive() || VisibleRowCount() + FixedRows() >= RowCount()) return;
    const int line = GridLineWidth();
    const long long fixed = line + RowsExtent(*this, 0, FixedRows());
    const long long total = line + RowsExtent(*this, FixedRows(), RowCount());
    const long long scrolled = line + RowsExtent(*this, FixedRows(), TopRow());
    if (total == 0) return;
    const float shown = static_cast<float>(Height() - fixed) / static_cast<float>(total);
    if (shown >= 0.9999f) return;
    int pos = Height() < total ? static_cast<int>(static_cast<double>(scrolled) / (total - Height()) * 128) : 127;
    SetProportionalInfo(FHandle, SB_VERT, shown, pos);
    ForgetScrollBars();
}
