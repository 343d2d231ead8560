// The grid's dimensions, layout arithmetic, current cell and selection.
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/grids/Grids.h"
#include "framework/system/ScopeGuards.h"

namespace {

const wchar_t* const SIndexOutOfRange = L"Grid index out of range";
const wchar_t* const SFixedColTooBig = L"Fixed column count must be less than column count";
const wchar_t* const SFixedRowTooBig = L"Fixed row count must be less than row count";

// Where a cell ends up when the row or column at FromIndex moves to ToIndex.
void MoveAdjust(int& CellPos, int FromIndex, int ToIndex)
{
    if (CellPos == FromIndex) {
        CellPos = ToIndex;
        return;
    }
    int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    if (CellPos >= lo && CellPos <= hi) CellPos += FromIndex > ToIndex ? 1 : -1;
}

template <class T>
void MoveEntry(std::vector<T>& List, int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= static_cast<int>(List.size()) || ToIndex >= static_cast<int>(List.size()))
        return;
    T value = List[FromIndex];
    List.erase(List.begin() + FromIndex);
    List.insert(List.begin() + ToIndex, value);
}

} // namespace

// ---- Row heights and column widths -----------------------------------------------------------

void TGridExtents::Set(int Index, int Value)
{
    ++FVersion;
    const int old = FSizes[static_cast<size_t>(Index)];
    FSizes[static_cast<size_t>(Index)] = Value;
    if (!FTreeValid) return;
    for (size_t i = static_cast<size_t>(Index); i < FTree.size(); i |= i + 1) FTree[i] += Value - old;
}

void TGridExtents::Assign(int Count, int Value)
{
    ++FVersion;
    FSizes.assign(static_cast<size_t>(Count), Value);
    FTreeValid = false;
}

void TGridExtents::Resize(int Count, int Value)
{
    ++FVersion;
    // Each node of the tree covers entries at or before its own index: cutting the end leaves
    // the rest right, and new entries are added node by node when the next sum asks.
    FSizes.resize(static_cast<size_t>(Count), Value);
    if (FTree.size() > FSizes.size()) FTree.resize(FSizes.size());
}

void TGridExtents::Move(int FromIndex, int ToIndex)
{
    ++FVersion;
    MoveEntry(FSizes, FromIndex, ToIndex);
    FTreeValid = false;
}

void TGridExtents::Rotate(int First, int Middle, int Last)
{
    ++FVersion;
    std::rotate(FSizes.begin() + First, FSizes.begin() + Middle, FSizes.begin() + Last);
    FTreeValid = false;
}

void TGridExtents::BuildTree() const
{
    FTree.assign(FSizes.begin(), FSizes.end());
    for (size_t i = 0; i < FTree.size(); ++i) {
        const size_t parent = i | (i + 1);
        if (parent < FTree.size()) FTree[parent] += FTree[i];
    }
    FTreeValid = true;
}

void TGridExtents::GrowTree() const
{
    // Node i holds the entries (i & (i + 1)) .. i: the part before i is a difference of two
    // prefixes the nodes below i already answer.
    while (FTree.size() < FSizes.size()) {
        const size_t i = FTree.size();
        const size_t first = i & (i + 1);
        FTree.push_back(Prefix(static_cast<int>(i)) - Prefix(static_cast<int>(first)) + FSizes[i]);
    }
}

long long TGridExtents::Prefix(int Count) const
{
    long long sum = 0;
    for (int i = Count - 1; i >= 0; i = (i & (i + 1)) - 1) sum += FTree[static_cast<size_t>(i)];
    return sum;
}

long long TGridExtents::Sum(int From, int To) const
{
    From = std::clamp(From, 0, Size());
    To = std::clamp(To, 0, Size());
    if (To <= From) return 0;
    // A grid grown from a few rows to a million is summed faster afresh than node by node.
    if (!FTreeValid || FTree.size() * 2 < FSizes.size()) BuildTree();
    else if (FTree.size() < FSizes.size()) GrowTree();
    return Prefix(To) - Prefix(From);
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    FColWidths.Assign(FColCount, FDefaultColWidth);
    FRowHeights.Assign(FRowCount, FDefaultRowHeight);
    FTabStops.assign(FColCount, true);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(Left(), Top(), FColCount * FDefaultColWidth, FRowCount * FDefaultRowHeight);
    Initialize();
}

TCustomGrid::~TCustomGrid()
{
    // The editor is a child window of ours: it goes before our window does.
    delete FInplaceEdit;
    FInplaceEdit = nullptr;
}

void TCustomGrid::InvalidOp(const String& Message)
{
    throw EInvalidGridOperation(Message);
}

void TCustomGrid::Initialize()
{
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
}

// ---- Dimensions ----------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value)
{
    if (FColCount == Value) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedCols) TCustomGrid::SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = FColCount - 1;
        Invalidate();
    }
}

void TCustomGrid::SetRowCount(int Value)
{
    if (FRowCount == Value) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedRows) TCustomGrid::SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (FFixedCols == Value) return;
    if (Value < 0) InvalidOp(SIndexOutOfRange);
    if (Value >= FColCount) InvalidOp(SFixedColTooBig);
    FFixedCols = Value;
    Initialize();
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (FFixedRows == Value) return;
    if (Value < 0) InvalidOp(SIndexOutOfRange);
    if (Value >= FRowCount) InvalidOp(SFixedRowTooBig);
    FFixedRows = Value;
    Initialize();
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    int oldColCount = FColCount, oldRowCount = FRowCount;
    TGridCoord oldTopLeft = FTopLeft;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    if (FFixedCols > NewColCount) FFixedCols = NewColCount - 1;
    if (FFixedRows > NewRowCount) FFixedRows = NewRowCount - 1;
    FColWidths.Resize(FColCount, FDefaultColWidth);
    FTabStops.resize(FColCount, true);
    FRowHeights.Resize(FRowCount, FDefaultRowHeight);

    // The current cell and the anchor stay inside; so does the view.
    TGridCoord coord = FCurrent;
    if (coord.Y >= FRowCount) coord.Y = FRowCount - 1;
    if (coord.X >= FColCount) coord.X = FColCount - 1;
    if (!(coord == FCurrent)) MoveCurrent(coord.X, coord.Y, true, true);
    // A refusing SelectCell must not leave the current cell outside the grid.
    if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount) FCurrent = coord;
    if (FAnchor.X >= FColCount || FAnchor.Y >= FRowCount) {
        if (FOptions.Contains(goRowSelect))
            FAnchor = {FColCount - 1, std::min(FAnchor.Y, FRowCount - 1)};
        else
            FAnchor = {std::min(FAnchor.X, FColCount - 1), std::min(FAnchor.Y, FRowCount - 1)};
    }
    if (FTopLeft.X >= FColCount) FTopLeft.X = std::max(FFixedCols, FColCount - 1);
    if (FTopLeft.Y >= FRowCount) FTopLeft.Y = std::max(FFixedRows, FRowCount - 1);
    InvalidateGrid();
    UpdateScrollRange();
    if (!(oldTopLeft == FTopLeft) && HandleAllocated()) TopLeftChanged();
    SizeChanged(oldColCount, oldRowCount);
}

int TCustomGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= FColCount) InvalidOp(SIndexOutOfRange);
    return FColWidths[Index];
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= FColCount) InvalidOp(SIndexOutOfRange);
    if (FColWidths[Index] == Value) return;
    ResizeCol(Index, FColWidths[Index], Value);
    FColWidths.Set(Index, Value);
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= FRowCount) InvalidOp(SIndexOutOfRange);
    return FRowHeights[Index];
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= FRowCount) InvalidOp(SIndexOutOfRange);
    if (FRowHeights[Index] == Value) return;
    ResizeRow(Index, FRowHeights[Index], Value);
    FRowHeights.Set(Index, Value);
    RowHeightsChanged();
}

bool TCustomGrid::TabStops(int Index) const
{
    if (Index < 0 || Index >= FColCount) InvalidOp(SIndexOutOfRange);
    return FTabStops[Index];
}

void TCustomGrid::SetTabStops(int Index, bool Value)
{
    if (Index < 0 || Index >= FColCount) InvalidOp(SIndexOutOfRange);
    FTabStops[Index] = Value;
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = Value;
    FColWidths.Assign(FColCount, Value);
    ColWidthsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = Value;
    FRowHeights.Assign(FRowCount, Value);
    RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    if (FGridLineWidth == Value) return;
    FGridLineWidth = Value;
    InvalidateGrid();
    UpdateScrollRange();
    UpdateEdit();
}

int TCustomGrid::GridWidth()
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Horz.GridBoundary;
}

int TCustomGrid::GridHeight()
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Vert.GridBoundary;
}

void TCustomGrid::ResizeCol(int Index, int OldSize, int NewSize)
{
    if (!HandleAllocated()) return;
    // Everything from the column on moves; its left edge stays.
    TGridRect r{Index, 0, std::max(FColCount - 1, Index), FRowCount - 1};
    TRect screen;
    GridRectToScreenRect(r, screen, true);
    if (screen.right > screen.left) {
        screen.right = ClientWidth();
        ::InvalidateRect(FHandle, &screen, FALSE);
    } else {
        Invalidate();
    }
}

void TCustomGrid::ResizeRow(int Index, int OldSize, int NewSize)
{
    if (!HandleAllocated()) return;
    TGridRect r{0, Index, FColCount - 1, std::max(FRowCount - 1, Index)};
    TRect screen;
    GridRectToScreenRect(r, screen, true);
    if (screen.bottom > screen.top) {
        screen.bottom = ClientHeight();
        ::InvalidateRect(FHandle, &screen, FALSE);
    } else {
        Invalidate();
    }
}

// ---- Looks ---------------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (FOptions == Value) return;
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    FOptions = Value;
    if (!FEditorMode) {
        if (Value.Contains(goAlwaysShowEditor))
            ShowEditor();
        else
            HideEditor();
    }
    if (Value.Contains(goRowSelect)) MoveCurrent(Col(), Row(), true, false);
    InvalidateGrid();
    UpdateScrollRange();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (FDefaultDrawing == Value) return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (FFixedColor == Value) return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle Value)
{
    if (FDrawingStyle == Value) return;
    FDrawingStyle = Value;
    InvalidateGrid();
}

void TCustomGrid::SetGradientStartColor(TColor Value)
{
    if (FGradientStartColor == Value) return;
    FGradientStartColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetGradientEndColor(TColor Value)
{
    if (FGradientEndColor == Value) return;
    FGradientEndColor = Value;
    InvalidateGrid();
}

void TCustomGrid::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_TABSTOP;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    // No CS_HREDRAW/CS_VREDRAW: a resize repaints only what it uncovers.
    Params.WindowClass.style = CS_DBLCLKS;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D()) {
            Params.Style &= ~static_cast<DWORD>(WS_BORDER);
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        } else {
            Params.Style |= WS_BORDER;
        }
    }
}

// ---- Geometry ------------------------------------------------------------------------------

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo)
{
    auto calcAxis = [this](TGridAxisDrawInfo& Axis, TGridOptions LineOptions, int FixedCount, int FirstCell,
                           int CellCount, std::function<int(int)> GetExtent) {
        Axis.EffectiveLineWidth = (LineOptions * FOptions).Empty() ? 0 : FGridLineWidth;
        Axis.FixedBoundary = 0;
        for (int i = 0; i < FixedCount; ++i) Axis.FixedBoundary += GetExtent(i) + Axis.EffectiveLineWidth;
        Axis.FixedCellCount = FixedCount;
        Axis.FirstGridCell = FirstCell;
        Axis.GridCellCount = CellCount;
        Axis.GetExtent = std::move(GetExtent);
    };
    calcAxis(DrawInfo.Horz, TGridOptions{goFixedVertLine, goVertLine}, FFixedCols, FTopLeft.X, FColCount,
             [this](int i) { return i >= 0 && i < FColCount ? FColWidths[i] : 0; });
    calcAxis(DrawInfo.Vert, TGridOptions{goFixedHorzLine, goHorzLine}, FFixedRows, FTopLeft.Y, FRowCount,
             [this](int i) { return i >= 0 && i < FRowCount ? FRowHeights[i] : 0; });
}

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight)
{
    CalcFixedInfo(DrawInfo);
    auto calcAxis = [](TGridAxisDrawInfo& Axis, int UseExtent) {
        Axis.GridExtent = UseExtent;
        Axis.GridBoundary = Axis.FixedBoundary;
        Axis.FullVisBoundary = Axis.FixedBoundary;
        Axis.LastFullVisibleCell = Axis.FirstGridCell;
        for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
            Axis.GridBoundary += Axis.GetExtent(i) + Axis.EffectiveLineWidth;
            if (Axis.GridBoundary > Axis.GridExtent + Axis.EffectiveLineWidth) {
                Axis.GridBoundary = Axis.GridExtent;
                break;
            }
            Axis.LastFullVisibleCell = i;
            Axis.FullVisBoundary = Axis.GridBoundary;
        }
    };
    calcAxis(DrawInfo.Horz, UseWidth);
    calcAxis(DrawInfo.Vert, UseHeight);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo)
{
    CalcDrawInfoXY(DrawInfo, ClientWidth(), ClientHeight());
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo)
{
    auto doCalc = [](const TGridAxisDrawInfo& Axis, int N) {
        if (N < 0) return -1;
        int start, stop, line;
        if (N < Axis.FixedBoundary) {
            start = 0;
            stop = Axis.FixedCellCount - 1;
            line = 0;
        } else {
            start = Axis.FirstGridCell;
            stop = Axis.GridCellCount - 1;
            line = Axis.FixedBoundary;
        }
        for (int i = start; i <= stop; ++i) {
            line += Axis.GetExtent(i) + Axis.EffectiveLineWidth;
            if (N < line) return i;
        }
        return -1;
    };
    return {doCalc(DrawInfo.Horz, X), doCalc(DrawInfo.Vert, Y)};
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord result = CalcCoordFromPoint(X, Y, info);
    if (result.X < 0)
        result.Y = -1;
    else if (result.Y < 0)
        result.X = -1;
    return result;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow)
{
    TGridCoord coord = MouseCoord(X, Y);
    ACol = coord.X;
    ARow = coord.Y;
}

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo)
{
    auto calcMaxCell = [](const TGridAxisDrawInfo& Axis, int Start) {
        int result = Start;
        int line = Axis.GridExtent + Axis.EffectiveLineWidth;
        for (int i = Start; i >= Axis.FixedCellCount; --i) {
            int extent = Axis.GetExtent(i);
            if (extent > 0) {
                line -= extent + Axis.EffectiveLineWidth;
                if (line < Axis.FixedBoundary) {
                    if (result == Start && Axis.GetExtent(Start) <= 0) result = i;
                    break;
                }
                result = i;
            }
        }
        return result;
    };
    return {calcMaxCell(DrawInfo.Horz, Coord.X), calcMaxCell(DrawInfo.Vert, Coord.Y)};
}

void TCustomGrid::GridRectToScreenRect(TGridRect GridRect, TRect& ScreenRect, bool IncludeLine)
{
    ScreenRect = Rect(0, 0, 0, 0);
    if (GridRect.Left > GridRect.Right || GridRect.Top > GridRect.Bottom) return;
    TGridDrawInfo info;
    CalcDrawInfo(info);

    // The part of [Min, Max] on the screen along one axis; false when none of it is.
    auto calcAxis = [IncludeLine](const TGridAxisDrawInfo& Axis, int Min, int Max, LONG& ScreenMin, LONG& ScreenMax) {
        Min = std::max(Min, 0);
        Max = std::min(Max, Axis.GridCellCount - 1);
        // Scrolled out on the near side.
        if (Min >= Axis.FixedCellCount && Min < Axis.FirstGridCell) Min = Axis.FirstGridCell;
        if (Max >= Axis.FixedCellCount && Max < Axis.FirstGridCell) Max = Axis.FixedCellCount - 1;
        if (Min > Max) return false;
        // The position of each cell's start: fixed cells from 0, the others after the fixed ones.
        auto startOf = [&Axis](int Cell) {
            int pos = 0;
            int from = 0;
            if (Cell >= Axis.FixedCellCount) {
                pos = Axis.FixedBoundary;
                from = Axis.FirstGridCell;
            }
            for (int i = from; i < Cell && pos <= Axis.GridExtent; ++i) pos += Axis.GetExtent(i) + Axis.EffectiveLineWidth;
            return pos;
        };
        int lo = startOf(Min);
        if (lo >= Axis.GridExtent) return false;
        int hi = startOf(Max) + Axis.GetExtent(Max);
        if (IncludeLine) hi += Axis.EffectiveLineWidth;
        if (hi > Axis.GridExtent) hi = Axis.GridExtent;
        if (hi <= lo) return false;
        ScreenMin = lo;
        ScreenMax = hi;
        return true;
    };
    TRect r = Rect(0, 0, 0, 0);
    if (calcAxis(info.Horz, GridRect.Left, GridRect.Right, r.left, r.right) &&
        calcAxis(info.Vert, GridRect.Top, GridRect.Bottom, r.top, r.bottom))
        ScreenRect = r;
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom)
{
    TRect result;
    GridRectToScreenRect(TGridRect{ALeft, ATop, ARight, ABottom}, result, false);
    return result;
}

TRect TCustomGrid::CellRect(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return Rect(0, 0, 0, 0);
    return BoxRect(ACol, ARow, ACol, ARow);
}

int TCustomGrid::VisibleColCount()
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Horz.LastFullVisibleCell - FTopLeft.X + 1;
}

int TCustomGrid::VisibleRowCount()
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Vert.LastFullVisibleCell - FTopLeft.Y + 1;
}

// ---- Current cell and selection ------------------------------------------------------------

TGridRect TCustomGrid::Selection() const
{
    return GridRect(FCurrent, FAnchor);
}

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    TGridRect oldSel = Selection();
    FAnchor = Value.TopLeft();
    FCurrent = Value.BottomRight();
    SelectionMoved(oldSel);
}

void TCustomGrid::SetCol(int Value)
{
    if (Col() != Value) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Row() != Value) FocusCell(Col(), Value, true);
}

bool TCustomGrid::SelectCell(int, int)
{
    return true;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) InvalidOp(SIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    TGridRect oldSel = Selection();
    TGridCoord oldCurrent = FCurrent;
    FCurrent = {ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
    if (Show) ClampInView(FCurrent);
    SelectionMoved(oldSel);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(ACol, ARow);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if ((TGridOptions{goRangeSelect, goEditing} * FOptions) == TGridOptions{goRangeSelect}) {
        TGridRect oldSel = Selection();
        FAnchor = NewAnchor;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
        ClampInView(NewAnchor);
        SelectionMoved(oldSel);
    } else {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    }
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    if (!HandleAllocated()) return;
    TRect oldRect, newRect;
    GridRectToScreenRect(OldSel, oldRect, true);
    GridRectToScreenRect(Selection(), newRect, true);
    if (EqualRect(&oldRect, &newRect)) return;
    ::InvalidateRect(FHandle, &oldRect, FALSE);
    ::InvalidateRect(FHandle, &newRect, FALSE);
}

// ---- Moving rows and columns ---------------------------------------------------------------

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount) InvalidOp(SIndexOutOfRange);
    FColWidths.Move(FromIndex, ToIndex);
    MoveEntry(FTabStops, FromIndex, ToIndex);
    MoveAdjust(FCurrent.X, FromIndex, ToIndex);
    MoveAdjust(FAnchor.X, FromIndex, ToIndex);
    if (FInplaceCol >= 0) MoveAdjust(FInplaceCol, FromIndex, ToIndex);
    InvalidateRect(TGridRect{std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex), FRowCount - 1});
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
    UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount) InvalidOp(SIndexOutOfRange);
    FRowHeights.Move(FromIndex, ToIndex);
    MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
    MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
    if (FInplaceRow >= 0) MoveAdjust(FInplaceRow, FromIndex, ToIndex);
    InvalidateRect(TGridRect{0, std::min(FromIndex, ToIndex), FColCount - 1, std::max(FromIndex, ToIndex)});
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
    UpdateEdit();
}

void TCustomGrid::DeleteColumn(int ACol)
{
    TCustomGrid::MoveColumn(ACol, FColCount - 1);
    TCustomGrid::SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    TCustomGrid::MoveRow(ARow, FRowCount - 1);
    TCustomGrid::SetRowCount(FRowCount - 1);
}

void TCustomGrid::DeleteRows(int ARow, int ACount)
{
    ACount = std::min(ACount, FRowCount - ARow);
    if (ARow < 0 || ACount <= 0) return;
    if (ACount == 1) {
        DeleteRow(ARow);
        return;
    }
    FRowHeights.Rotate(ARow, ARow + ACount, FRowHeights.Size());
    RowBlockToEnd(ARow, ACount);
    // Each step keeps what one DeleteRow does to the current cell, the anchor, the editor's
    // row and the count; the rows themselves are already where those steps would leave them.
    FRowMovesDone = true;
    TScopeExit done([this] { FRowMovesDone = false; });
    for (int i = 0; i < ACount; ++i) {
        int last = FRowCount - 1;
        if (ARow != last) {
            MoveAdjust(FCurrent.Y, ARow, last);
            MoveAdjust(FAnchor.Y, ARow, last);
            if (FInplaceRow >= 0) MoveAdjust(FInplaceRow, ARow, last);
            RowMoved(ARow, last);
        }
        ShrinkByOneRow();
    }
    InvalidateGrid();
    RowHeightsChanged();
    UpdateEdit();
}

void TCustomGrid::ShrinkByOneRow()
{
    // While nothing but the count changes (the current cell, the anchor and the top row stay
    // inside, the bars stay as they are) one step is the count, the heights and SizeChanged:
    // DeleteRows repaints and updates the bars once at its end.
    const int value = FRowCount - 1;
    const bool plain = value > FFixedRows && FCurrent.Y < value && FAnchor.Y < value && FTopLeft.Y < value &&
                       (FScrollBars == ssNone || !HandleAllocated() || !Showing() ||
                        RowsChangeLeavesBars(CurrentScrollInputs(), value));
    if (!plain) {
        TCustomGrid::SetRowCount(value);
        return;
    }
    const int oldRowCount = FRowCount;
    FRowCount = value;
    FRowHeights.Resize(FRowCount, FDefaultRowHeight);
    SizeChanged(FColCount, oldRowCount);
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

// ---- Invalidation --------------------------------------------------------------------------

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    if (!HandleAllocated() || InvalidationSuspended() || FWindow.WholeInvalid) return;
    // Rows scrolled out above the view, or starting below the window's height even without
    // their lines, show nothing: known from the sums of the heights, without laying the view
    // out (a fill writes millions of cells far below the view).
    const int top = std::max(ARect.Top, 0);
    if (top >= FFixedRows && ARect.Bottom < FTopLeft.Y) return;
    if (top >= FTopLeft.Y && FRowHeights.Sum(0, FFixedRows) + FRowHeights.Sum(FTopLeft.Y, top) >= Height()) return;
    TRect r;
    GridRectToScreenRect(ARect, r, true);
    if (r.right > r.left && r.bottom > r.top) ::InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::Invalidate()
{
    if (FWindow.WholeInvalid && HandleAllocated()) return;
    TCustomControl::Invalidate();
    FWindow.WholeInvalid = HandleAllocated();
}

void TCustomGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_SETREDRAW:
        // A paint validates the window; turning redrawing off or on leaves what the window
        // still waits for to the system (and to the code that turns it on again).
        FWindow.WholeInvalid = false;
        break;
    case WM_CREATE:
    case WM_DESTROY:
        FWindow = TGridWindowState();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SIZE:
        // Someone may have set a bar before telling the grid (a skinned bar's thumb does).
        ForgetScrollBars();
        break;
    default: break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(TGridRect{ACol, 0, ACol, FRowCount - 1});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(TGridRect{0, ARow, FColCount - 1, ARow});
}

// ---- Focus ---------------------------------------------------------------------------------

bool TCustomGrid::IsActiveControl()
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr) return form->ActiveControl() == this;
    if (!HandleAllocated()) return false;
    for (HWND h = GetFocus(); h != nullptr && IsWindow(h); h = GetParent(h))
        if (h == FHandle) return true;
    return false;
}

bool TCustomGrid::AcquireFocus()
{
    if (FAcquireFocus && CanFocus() && !ComponentState().Contains(csDesigning)) {
        SetFocus();
        return IsActiveControl() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
    }
    return true;
}
