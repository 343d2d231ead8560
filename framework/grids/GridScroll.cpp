// The view of the grid: LeftCol and TopRow, the window's scroll bars (positions 0 .. 127
// spread over the scrollable cells), scrolling the window's pixels when the view moves, and
// keeping a cell in view.
#include <algorithm>

#include "framework/grids/Grids.h"
#include "framework/system/ScopeGuards.h"

namespace {

// The range the scroll bars report positions in.
constexpr int MaxScrollPos = 127;

int MulDivInt(int Number, int Numerator, int Denominator)
{
    if (Denominator == 0) return 0;
    return static_cast<int>(static_cast<long long>(Number) * Numerator / Denominator);
}

} // namespace

void TCustomGrid::SetLeftCol(int Value)
{
    Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, FColCount - 1));
    if (FTopLeft.X != Value) MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value)
{
    Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    if (FTopLeft.Y != Value) MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    Update();
    TGridCoord oldTopLeft = FTopLeft;
    FTopLeft = {ALeft, ATop};
    TopLeftMoved(oldTopLeft);
}

void TCustomGrid::TopLeftMoved(const TGridCoord& OldTopLeft)
{
    UpdateScrollPos();
    if (HandleAllocated()) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        // The pixels the view moved by; false (and a full repaint) when that is more than a screen.
        auto calcScroll = [this](const TGridAxisDrawInfo& Axis, int OldPos, int CurrentPos, int& Amount) {
            int start = std::min(OldPos, CurrentPos), stop = std::max(OldPos, CurrentPos);
            Amount = 0;
            for (int i = start; i < stop; ++i) {
                Amount += Axis.GetExtent(i) + Axis.EffectiveLineWidth;
                if (Amount > Axis.GridBoundary - Axis.FixedBoundary) {
                    InvalidateGrid();
                    return false;
                }
            }
            if (OldPos < CurrentPos) Amount = -Amount;
            return true;
        };
        int dx = 0, dy = 0;
        if (calcScroll(info.Horz, OldTopLeft.X, FTopLeft.X, dx) && calcScroll(info.Vert, OldTopLeft.Y, FTopLeft.Y, dy))
            ScrollDataInfo(dx, dy, info);
    }
    TopLeftChanged();
}

void TCustomGrid::ScrollData(int DX, int DY)
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    ScrollDataInfo(DX, DY, info);
}

void TCustomGrid::ScrollDataInfo(int DX, int DY, TGridDrawInfo& DrawInfo)
{
    if (!HandleAllocated()) return;
    UINT flags = SW_INVALIDATE;
    if (!FDefaultDrawing) flags |= SW_ERASE;
    auto scroll = [&](int dx, int dy, TRect area) { ScrollWindowEx(FHandle, dx, dy, &area, &area, nullptr, nullptr, flags); };
    const TGridAxisDrawInfo& h = DrawInfo.Horz;
    const TGridAxisDrawInfo& v = DrawInfo.Vert;
    if (DY == 0) {
        // The column titles and the cells move together.
        scroll(DX, 0, Rect(h.FixedBoundary, 0, h.GridExtent, v.GridExtent));
    } else if (DX == 0) {
        scroll(0, DY, Rect(0, v.FixedBoundary, h.GridExtent, v.GridExtent));
    } else {
        scroll(DX, 0, Rect(h.FixedBoundary, 0, h.GridExtent, v.FixedBoundary));
        scroll(0, DY, Rect(0, v.FixedBoundary, h.FixedBoundary, v.GridExtent));
        scroll(DX, DY, Rect(h.FixedBoundary, v.FixedBoundary, h.GridExtent, v.GridExtent));
    }
    if (FOptions.Contains(goRowSelect)) InvalidateRect(Selection());
}

void TCustomGrid::ClampInView(const TGridCoord& Coord)
{
    if (!HandleAllocated()) return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    bool scrollX = Coord.X >= FFixedCols && (Coord.X > info.Horz.LastFullVisibleCell || Coord.X < FTopLeft.X);
    bool scrollY = Coord.Y >= FFixedRows && (Coord.Y > info.Vert.LastFullVisibleCell || Coord.Y < FTopLeft.Y);
    if (!scrollX && !scrollY) return;
    TGridCoord oldTopLeft = FTopLeft;
    TGridCoord maxTopLeft = CalcMaxTopLeft(Coord, info);
    Update();
    if (scrollX) {
        if (Coord.X < FTopLeft.X)
            FTopLeft.X = Coord.X;
        else if (Coord.X > info.Horz.LastFullVisibleCell)
            FTopLeft.X = maxTopLeft.X;
    }
    if (scrollY) {
        if (Coord.Y < FTopLeft.Y)
            FTopLeft.Y = Coord.Y;
        else if (Coord.Y > info.Vert.LastFullVisibleCell)
            FTopLeft.Y = maxTopLeft.Y;
    }
    if (!(oldTopLeft == FTopLeft)) TopLeftMoved(oldTopLeft);
}

void TCustomGrid::ForgetScrollBars()
{
    for (int bar : {SB_HORZ, SB_VERT}) {
        FWindow.BarMax[bar] = -1;
        FWindow.BarPos[bar] = -1;
    }
    FWindow.InputsKnown = false;
}

void TCustomGrid::SetBarPos(int Bar, int Value)
{
    int& known = FWindow.BarPos[Bar];
    if (known < 0) known = GetScrollPos(FHandle, Bar);
    if (known == Value) return;
    SetScrollPos(FHandle, Bar, Value, TRUE);
    known = Value;
}

void TCustomGrid::UpdateScrollPos()
{
    if (!HandleAllocated() || FScrollBars == ssNone) return;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, info);
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        SetBarPos(SB_HORZ, MulDivInt(FTopLeft.X - FFixedCols, MaxScrollPos, maxTopLeft.X - FFixedCols));
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        SetBarPos(SB_VERT, MulDivInt(FTopLeft.Y - FFixedRows, MaxScrollPos, maxTopLeft.Y - FFixedRows));
}

TCustomGrid::TScrollInputs TCustomGrid::CurrentScrollInputs()
{
    TRect client = ClientRect();
    TScrollInputs inputs;
    inputs.ClientWidth = client.right;
    inputs.ClientHeight = client.bottom;
    inputs.ColCount = FColCount;
    inputs.FixedCols = FFixedCols;
    inputs.FixedRows = FFixedRows;
    inputs.TopLeft = FTopLeft;
    inputs.GridLineWidth = FGridLineWidth;
    inputs.Options = FOptions;
    inputs.ScrollBars = FScrollBars;
    inputs.ColWidthsVersion = FColWidths.Version();
    return inputs;
}

bool TCustomGrid::RowsChangeLeavesBars(const TScrollInputs& Inputs, int RowCount)
{
    if (!FWindow.InputsKnown || !(Inputs == FWindow.Inputs)) return false;
    const bool vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
    if (!vertical) return true;
    // The rows from the top row on do not fit twice in the window: the last top row lies below
    // the top row, so the top row stays and the bar keeps its range.
    const long long below = FRowHeights.Sum(FTopLeft.Y, RowCount);
    return FWindow.BarMax[SB_VERT] == MaxScrollPos && below > 2LL * std::max(Inputs.ClientHeight, Height());
}

void TCustomGrid::UpdateScrollRange()
{
    if (FScrollBars == ssNone || !HandleAllocated() || !Showing()) return;
    // A change of rows far below the view (appending, removing, hiding rows one by one) leaves
    // the bars as they are but for the vertical position, which at the first row is 0 whatever
    // the rows below: then nothing needs laying out or asking of the window.
    const TScrollInputs inputs = CurrentScrollInputs();
    if (RowsChangeLeavesBars(inputs, FRowCount)) {
        if (FTopLeft.Y == FFixedRows && (FScrollBars == ssVertical || FScrollBars == ssBoth)) {
            SetBarPos(SB_VERT, 0);
            return;
        }
        UpdateScrollPos();
        return;
    }
    TGridDrawInfo info;
    int horzExtent = inputs.ClientWidth, vertExtent = inputs.ClientHeight;
    // Decide as if no bar took room, then take the room of the bars that are needed.
    auto barVisible = [this](int Code) {
        if (FScrollBars != ssBoth && !((Code == SB_HORZ && FScrollBars == ssHorizontal) || (Code == SB_VERT && FScrollBars == ssVertical)))
            return false;
        if (FWindow.BarMax[Code] >= 0) return FWindow.BarMax[Code] != 0;
        int lo = 0, hi = 0;
        GetScrollRange(FHandle, Code, &lo, &hi);
        if (lo == 0) FWindow.BarMax[Code] = hi;
        return lo != hi;
    };
    if (barVisible(SB_HORZ)) vertExtent += GetSystemMetrics(SM_CYHSCROLL);
    if (barVisible(SB_VERT)) horzExtent += GetSystemMetrics(SM_CXVSCROLL);
    TGridCoord oldTopLeft = FTopLeft;
    TScrollStyle oldScrollBars = FScrollBars;
    {
        // Setting a range resizes the client area, whose WM_SIZE comes back here: not again.
        TValueRestore<TScrollStyle> noBars(FScrollBars, ssNone);
        bool updated = false;
        auto setAxisRange = [&](bool Horizontal) {
            CalcDrawInfoXY(info, horzExtent, vertExtent);
            TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, info);
            int max = Horizontal ? maxTopLeft.X : maxTopLeft.Y;
            int fixeds = Horizontal ? FFixedCols : FFixedRows;
            const int bar = Horizontal ? SB_HORZ : SB_VERT;
            const int rangeMax = fixeds < max ? MaxScrollPos : 0;
            // The same range again would change nothing the window shows.
            if (FWindow.BarMax[bar] != rangeMax) {
                FWindow.BarMax[bar] = -1;
                FWindow.BarPos[bar] = -1;
                SetScrollRange(FHandle, bar, 0, rangeMax, TRUE);
                FWindow.BarMax[bar] = rangeMax;
                FWindow.BarPos[bar] = -1;
            }
            int& current = Horizontal ? FTopLeft.X : FTopLeft.Y;
            int old = Horizontal ? oldTopLeft.X : oldTopLeft.Y;
            if (old > max) {
                if (!updated) {
                    Update();
                    updated = true;
                }
                current = std::max(max, fixeds);
            }
        };
        if (oldScrollBars == ssHorizontal || oldScrollBars == ssBoth) setAxisRange(true);
        vertExtent = ClientHeight();
        if (oldScrollBars == ssVertical || oldScrollBars == ssBoth) setAxisRange(false);
        if (horzExtent != ClientWidth()) {
            horzExtent = ClientWidth();
            if (oldScrollBars == ssHorizontal || oldScrollBars == ssBoth) setAxisRange(true);
        }
    }
    UpdateScrollPos();
    if (!(FTopLeft == oldTopLeft)) TopLeftMoved(oldTopLeft);
    // What the bars were made from, for the next change of rows.
    FWindow.Inputs = CurrentScrollInputs();
    FWindow.InputsKnown = FWindow.BarMax[SB_HORZ] >= 0 || FWindow.BarMax[SB_VERT] >= 0;
}

void TCustomGrid::ModifyScrollBar(UINT ScrollBar, UINT ScrollCode, UINT Pos, bool)
{
    if (Visible() && CanFocus() && TabStop() && !ComponentState().Contains(csDesigning)) SetFocus();
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, info);
    bool horz = ScrollBar == SB_HORZ;
    int minPos = horz ? FFixedCols : FFixedRows;
    int maxPos = horz ? maxTopLeft.X : maxTopLeft.Y;
    auto pageUp = [&] {
        TGridCoord maxTop = CalcMaxTopLeft(FTopLeft, info);
        int result = horz ? FTopLeft.X - maxTop.X : FTopLeft.Y - maxTop.Y;
        return std::max(result, 1);
    };
    auto pageDown = [&] {
        int result = horz ? info.Horz.LastFullVisibleCell - FTopLeft.X : info.Vert.LastFullVisibleCell - FTopLeft.Y;
        return std::max(result, 1);
    };
    auto calcScrollBar = [&](int Value) {
        switch (ScrollCode) {
        case SB_LINEUP: return Value - 1;
        case SB_LINEDOWN: return Value + 1;
        case SB_PAGEUP: return Value - pageUp();
        case SB_PAGEDOWN: return Value + pageDown();
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            if (FOptions.Contains(goThumbTracking) || ScrollCode == SB_THUMBPOSITION)
                return minPos + MulDivInt(static_cast<int>(Pos), maxPos - minPos, MaxScrollPos);
            return Value;
        case SB_BOTTOM: return maxPos;
        case SB_TOP: return minPos;
        default: return Value;
        }
    };
    TGridCoord newTopLeft = FTopLeft;
    // Rows and columns of no extent are stepped over.
    if (horz) {
        do {
            newTopLeft.X = calcScrollBar(newTopLeft.X);
        } while (newTopLeft.X > FFixedCols && newTopLeft.X < maxTopLeft.X && FColWidths[newTopLeft.X] <= 0);
    } else {
        do {
            newTopLeft.Y = calcScrollBar(newTopLeft.Y);
        } while (newTopLeft.Y > FFixedRows && newTopLeft.Y < maxTopLeft.Y && FRowHeights[newTopLeft.Y] <= 0);
    }
    newTopLeft.X = std::max(FFixedCols, std::min(maxTopLeft.X, newTopLeft.X));
    newTopLeft.Y = std::max(FFixedRows, std::min(maxTopLeft.Y, newTopLeft.Y));
    if (!(newTopLeft == FTopLeft)) MoveTopLeft(newTopLeft.X, newTopLeft.Y);
}

void TCustomGrid::WMHScroll(TMessage& Message)
{
    if (Message.LParam != 0) {
        TCustomControl::WMHScroll(Message);
        return;
    }
    if (!AcquireFocus()) return;
    ModifyScrollBar(SB_HORZ, LOWORD(Message.WParam), HIWORD(Message.WParam), true);
}

void TCustomGrid::WMVScroll(TMessage& Message)
{
    if (Message.LParam != 0) {
        TCustomControl::WMVScroll(Message);
        return;
    }
    if (!AcquireFocus()) return;
    ModifyScrollBar(SB_VERT, LOWORD(Message.WParam), HIWORD(Message.WParam), true);
}

void TCustomGrid::TimedScroll(TGridScrollDirection Direction)
{
    TGridCoord newAnchor = FAnchor;
    if (Direction.Contains(sdLeft) && FAnchor.X > FFixedCols) --newAnchor.X;
    if (Direction.Contains(sdRight) && FAnchor.X < FColCount - 1) ++newAnchor.X;
    if (Direction.Contains(sdUp) && FAnchor.Y > FFixedRows) --newAnchor.Y;
    if (Direction.Contains(sdDown) && FAnchor.Y < FRowCount - 1) ++newAnchor.Y;
    if (!(newAnchor == FAnchor)) MoveAnchor(newAnchor);
}

void TCustomGrid::WMSize(TMessage& Message)
{
    TCustomControl::WMSize(Message);
    UpdateScrollRange();
}

void TCustomGrid::CMShowingChanged(TMessage& Message)
{
    TCustomControl::CMShowingChanged(Message);
    if (Showing()) UpdateScrollRange();
}
