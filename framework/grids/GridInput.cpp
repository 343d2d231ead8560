// The grid's input: keyboard navigation, typing into the editor, mouse selection, sizing rows
// and columns at their lines in the fixed cells, moving them by dragging fixed cells, the
// wheel, the cursor over sizing lines, and the timer that scrolls while the mouse drags
// outside the cells.
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/grids/Grids.h"
#include "framework/system/ScopeGuards.h"

namespace {

// The timer that scrolls while selecting or moving beyond the cells.
constexpr UINT_PTR ScrollTimerId = 1;
constexpr UINT ScrollTimerPeriod = 60;

} // namespace

void TCustomGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    default: TCustomControl::Dispatch(Message); break;
    }
}

// ---- Keys ----------------------------------------------------------------------------------

bool TCustomGrid::CanGridAcceptKey(WORD, TShiftState)
{
    return true;
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (!CanGridAcceptKey(Key, Shift)) Key = 0;
    TGridCoord newCurrent = FCurrent, newTopLeft = FTopLeft;
    TGridDrawInfo info;
    CalcDrawInfo(info);
    int pageWidth = std::max(info.Horz.LastFullVisibleCell - FTopLeft.X, 1);
    int pageHeight = std::max(info.Vert.LastFullVisibleCell - FTopLeft.Y, 1);
    bool rowSelect = FOptions.Contains(goRowSelect);
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP: --newTopLeft.Y; break;
        case VK_DOWN: ++newTopLeft.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                newCurrent.X -= pageWidth;
                newTopLeft.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                newCurrent.X += pageWidth;
                newTopLeft.X += pageWidth;
            }
            break;
        case VK_PRIOR: newCurrent.Y = FTopLeft.Y; break;
        case VK_NEXT: newCurrent.Y = info.Vert.LastFullVisibleCell; break;
        case VK_HOME:
            newCurrent.X = FFixedCols;
            newCurrent.Y = FFixedRows;
            break;
        case VK_END:
            newCurrent.X = FColCount - 1;
            newCurrent.Y = FRowCount - 1;
            break;
        }
    } else {
        switch (Key) {
        case VK_UP: --newCurrent.Y; break;
        case VK_DOWN: ++newCurrent.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --newTopLeft.X;
            else
                --newCurrent.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++newTopLeft.X;
            else
                ++newCurrent.X;
            break;
        case VK_NEXT:
            newCurrent.Y += pageHeight;
            newTopLeft.Y += pageHeight;
            break;
        case VK_PRIOR:
            newCurrent.Y -= pageHeight;
            newTopLeft.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect)
                newCurrent.Y = FFixedRows;
            else
                newCurrent.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect)
                newCurrent.Y = FRowCount - 1;
            else
                newCurrent.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt)) {
                // To the next column that stops Tab, wrapping into the next (previous) row.
                bool back = Shift.Contains(ssShift);
                int guard = FColCount * FRowCount + 1;
                do {
                    if (back) {
                        if (--newCurrent.X < FFixedCols) {
                            newCurrent.X = FColCount - 1;
                            if (--newCurrent.Y < FFixedRows) newCurrent.Y = FRowCount - 1;
                        }
                    } else if (++newCurrent.X >= FColCount) {
                        newCurrent.X = FFixedCols;
                        if (++newCurrent.Y >= FRowCount) newCurrent.Y = FFixedRows;
                    }
                } while (!FTabStops[newCurrent.X] && newCurrent.X != FCurrent.X && --guard > 0);
                // The selection does not grow with Shift+Tab.
                Shift.Exclude(ssShift);
            }
            break;
        case VK_F2: SetEditorMode(true); break;
        case VK_ESCAPE: CancelEdit(); break;
        }
    }
    TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, info);
    newTopLeft.X = std::clamp(newTopLeft.X, FFixedCols, std::max(FFixedCols, maxTopLeft.X));
    newTopLeft.Y = std::clamp(newTopLeft.Y, FFixedRows, std::max(FFixedRows, maxTopLeft.Y));
    if (!(newTopLeft == FTopLeft)) MoveTopLeft(newTopLeft.X, newTopLeft.Y);
    newCurrent.X = std::clamp(newCurrent.X, FFixedCols, FColCount - 1);
    newCurrent.Y = std::clamp(newCurrent.Y, FFixedRows, FRowCount - 1);
    if (!(newCurrent == FCurrent)) FocusCell(newCurrent.X, newCurrent.Y, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyPress(wchar_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (!FOptions.Contains(goAlwaysShowEditor) && Key == L'\r') {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::WMChar(TMessage& Message)
{
    wchar_t ch = static_cast<wchar_t>(Message.WParam);
    if (FOptions.Contains(goEditing) && (ch == L'\b' || ch >= L' '))
        ShowEditorChar(ch);
    else
        TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goRowSelect)) return;
    if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::CMWantSpecialKey(TMessage& Message)
{
    DefaultHandler(Message);
    // Enter starts and ends editing instead of pressing the form's default button.
    if (FOptions.Contains(goEditing) && Message.WParam == VK_RETURN) Message.Result = 1;
}

void TCustomGrid::DoExit()
{
    TCustomControl::DoExit();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

// ---- Mouse ---------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                  TGridDrawInfo& FixedInfo)
{
    State = gsNormal;
    Index = -1;
    auto calcAxisState = [&](const TGridAxisDrawInfo& Axis, int Pos, TGridState NewState) {
        int line = Axis.FixedBoundary;
        int range = Axis.EffectiveLineWidth;
        int back = 0;
        // A thin line is hard to hit: at least 7 pixels around it count.
        if (range < 7) {
            range = 7;
            back = (range - Axis.EffectiveLineWidth) >> 1;
        }
        for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
            line += Axis.GetExtent(i);
            if (line > Axis.GridBoundary) break;
            if (Pos >= line - back && Pos <= line - back + range) {
                State = NewState;
                SizingPos = line;
                SizingOfs = line - Pos;
                Index = i;
                return;
            }
            line += Axis.EffectiveLineWidth;
        }
        if (Axis.GridBoundary == Axis.GridExtent && Pos >= Axis.GridExtent - back && Pos <= Axis.GridExtent) {
            State = NewState;
            SizingPos = Axis.GridExtent;
            SizingOfs = Axis.GridExtent - Pos;
            Index = Axis.LastFullVisibleCell + 1;
        }
    };
    if ((TGridOptions{goColSizing, goRowSizing} * FOptions).Empty()) return;
    FixedInfo.Vert.GridExtent = ClientHeight();
    FixedInfo.Horz.GridExtent = ClientWidth();
    // Columns are sized in the fixed rows, rows in the fixed columns.
    if (X > FixedInfo.Horz.FixedBoundary && FOptions.Contains(goColSizing)) {
        if (Y >= FixedInfo.Vert.FixedBoundary) return;
        calcAxisState(FixedInfo.Horz, X, gsColSizing);
    } else if (Y > FixedInfo.Vert.FixedBoundary && FOptions.Contains(goRowSizing)) {
        if (X >= FixedInfo.Horz.FixedBoundary) return;
        calcAxisState(FixedInfo.Vert, Y, gsRowSizing);
    }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    HideEdit();
    if (!ComponentState().Contains(csDesigning)) {
        TCustomForm* form = GetParentForm(this);
        if (CanFocus())
            SetFocus();
        else if (form == nullptr && HandleAllocated())
            ::SetFocus(FHandle);
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    bool moveDrawn = false;
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, info);
        if (FGridState != gsNormal) {
            DrawSizingLine(info);
            return;
        }
        TGridCoord cellHit = CalcCoordFromPoint(X, Y, info);
        if (cellHit.X >= FFixedCols && cellHit.Y >= FFixedRows) {
            if (FOptions.Contains(goEditing)) {
                if (cellHit == FCurrent) {
                    ShowEditor();
                } else {
                    MoveCurrent(cellHit.X, cellHit.Y, true, true);
                    UpdateEdit();
                }
                Click();
            } else {
                FGridState = gsSelecting;
                SetTimer(FHandle, ScrollTimerId, ScrollTimerPeriod, nullptr);
                if (Shift.Contains(ssShift))
                    MoveAnchor(cellHit);
                else
                    MoveCurrent(cellHit.X, cellHit.Y, true, true);
            }
        } else if (FOptions.Contains(goRowMoving) && cellHit.X >= 0 && cellHit.X < FFixedCols && cellHit.Y >= FFixedRows) {
            moveDrawn = StartMoveDrag(false, cellHit.Y, Point(X, Y));
        } else if (FOptions.Contains(goColMoving) && cellHit.Y >= 0 && cellHit.Y < FFixedRows && cellHit.X >= FFixedCols) {
            moveDrawn = StartMoveDrag(true, cellHit.X, Point(X, Y));
        }
    }
    // A failing handler leaves no move line drawn (it is drawn by XOR: drawing it again removes it).
    TScopeExit removeMoveLine([this] { DrawMove(); });
    if (!moveDrawn) removeMoveLine.Dismiss();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    removeMoveLine.Dismiss();
}

bool TCustomGrid::StartMoveDrag(bool Columns, int Index, const TPoint& MousePt)
{
    FMoveIndex = Index;
    FMovePos = Index;
    bool started = Columns ? BeginColumnDrag(FMoveIndex, FMovePos, MousePt) : BeginRowDrag(FMoveIndex, FMovePos, MousePt);
    if (!started) return false;
    FGridState = Columns ? gsColMoving : gsRowMoving;
    Update();
    DrawMove();
    SetTimer(FHandle, ScrollTimerId, ScrollTimerPeriod, nullptr);
    return true;
}

void TCustomGrid::MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo& DrawInfo, bool Horizontal, const TPoint& MousePt)
{
    TGridAxisDrawInfo* axis = Horizontal ? &DrawInfo.Horz : &DrawInfo.Vert;
    if (CellHit == FMovePos) return;
    if (FMovePos == axis->FixedCellCount && Mouse < axis->FixedBoundary) return;
    if (FMovePos == axis->GridCellCount - 1 && Mouse > axis->GridBoundary) return;
    DrawMove();
    UINT bar = Horizontal ? SB_HORZ : SB_VERT;
    if (Mouse < axis->FixedBoundary) {
        if (FMovePos > axis->FixedCellCount) {
            ModifyScrollBar(bar, SB_LINEUP, 0, false);
            Update();
            CalcDrawInfo(DrawInfo);
        }
        CellHit = axis->FirstGridCell;
    } else if (Mouse >= axis->FullVisBoundary) {
        if (FMovePos == axis->LastFullVisibleCell && FMovePos < axis->GridCellCount - 1) {
            ModifyScrollBar(bar, SB_LINEDOWN, 0, false);
            Update();
            CalcDrawInfo(DrawInfo);
        }
        CellHit = axis->LastFullVisibleCell;
    } else if (CellHit < 0) {
        CellHit = FMovePos;
    }
    if ((FGridState == gsColMoving && CheckColumnDrag(FMoveIndex, CellHit, MousePt)) ||
        (FGridState == gsRowMoving && CheckRowDrag(FMoveIndex, CellHit, MousePt)))
        FMovePos = CellHit;
    DrawMove();
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TGridDrawInfo info;
    CalcDrawInfo(info);
    switch (FGridState) {
    case gsSelecting: {
        TGridCoord cellHit = CalcCoordFromPoint(X, Y, info);
        if (cellHit.X >= FFixedCols && cellHit.Y >= FFixedRows && cellHit.X <= info.Horz.LastFullVisibleCell + 1 &&
            cellHit.Y <= info.Vert.LastFullVisibleCell + 1 && !(cellHit == FAnchor))
            MoveAnchor(cellHit);
        break;
    }
    case gsColMoving: MoveAndScroll(X, CalcCoordFromPoint(X, Y, info).X, info, true, Point(X, Y)); break;
    case gsRowMoving: MoveAndScroll(Y, CalcCoordFromPoint(X, Y, info).Y, info, false, Point(X, Y)); break;
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(info);
        FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        DrawSizingLine(info);
        break;
    default: break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    struct TStateReset {
        TGridState& State;
        ~TStateReset() { State = gsNormal; }
    } reset{FGridState};
    switch (FGridState) {
    case gsSelecting:
        MouseMove(Shift, X, Y);
        if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
        UpdateEdit();
        Click();
        break;
    case gsRowSizing:
    case gsColSizing: {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        DrawSizingLine(info);
        // The new size: from the sized cell's start to the line.
        const TGridAxisDrawInfo& axis = FGridState == gsColSizing ? info.Horz : info.Vert;
        int start = 0;
        if (FSizingIndex < axis.FixedCellCount) {
            for (int i = 0; i < FSizingIndex; ++i) start += axis.GetExtent(i) + axis.EffectiveLineWidth;
        } else {
            start = axis.FixedBoundary;
            for (int i = axis.FirstGridCell; i < FSizingIndex; ++i) start += axis.GetExtent(i) + axis.EffectiveLineWidth;
        }
        int newSize = FSizingPos - start;
        if (newSize > 1) {
            if (FGridState == gsColSizing && FSizingIndex < FColCount)
                SetColWidths(FSizingIndex, newSize);
            else if (FGridState == gsRowSizing && FSizingIndex < FRowCount)
                SetRowHeights(FSizingIndex, newSize);
        }
        break;
    }
    case gsColMoving:
        DrawMove();
        if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
        if (EndColumnDrag(FMoveIndex, FMovePos, Point(X, Y)) && FMoveIndex != FMovePos) TCustomGrid::MoveColumn(FMoveIndex, FMovePos);
        UpdateEdit();
        break;
    case gsRowMoving:
        DrawMove();
        if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
        if (EndRowDrag(FMoveIndex, FMovePos, Point(X, Y)) && FMoveIndex != FMovePos) TCustomGrid::MoveRow(FMoveIndex, FMovePos);
        UpdateEdit();
        break;
    default: UpdateEdit(); break;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TCustomGrid::BeginColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::CheckColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::EndColumnDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::BeginRowDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::CheckRowDrag(int&, int&, const TPoint&) { return true; }
bool TCustomGrid::EndRowDrag(int&, int&, const TPoint&) { return true; }

void TCustomGrid::WMLButtonDown(TMessage& Message)
{
    TCustomControl::WMLButtonDown(Message);
    // A second press in the editor soon after this one counts as a double click there.
    if (FInplaceEdit != nullptr) FInplaceEdit->FClickTime = static_cast<DWORD>(GetMessageTime());
}

void TCustomGrid::WMTimer(TMessage& Message)
{
    if (Message.WParam != ScrollTimerId) {
        DefaultHandler(Message);
        return;
    }
    if (FGridState != gsSelecting && FGridState != gsRowMoving && FGridState != gsColMoving) return;
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TGridCoord cellHit = CalcCoordFromPoint(p.x, p.y, info);
    switch (FGridState) {
    case gsColMoving: MoveAndScroll(p.x, cellHit.X, info, true, p); break;
    case gsRowMoving: MoveAndScroll(p.y, cellHit.Y, info, false, p); break;
    case gsSelecting: {
        TGridScrollDirection direction;
        if (p.x < info.Horz.FixedBoundary)
            direction.Include(sdLeft);
        else if (p.x > info.Horz.FullVisBoundary)
            direction.Include(sdRight);
        if (p.y < info.Vert.FixedBoundary)
            direction.Include(sdUp);
        else if (p.y > info.Vert.FullVisBoundary)
            direction.Include(sdDown);
        if (!direction.Empty()) TimedScroll(direction);
        break;
    }
    default: break;
    }
}

void TCustomGrid::CancelMode()
{
    struct TStateReset {
        TGridState& State;
        ~TStateReset() { State = gsNormal; }
    } reset{FGridState};
    switch (FGridState) {
    case gsSelecting:
        if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
        break;
    case gsRowSizing:
    case gsColSizing: {
        TGridDrawInfo info;
        CalcDrawInfo(info);
        DrawSizingLine(info);
        break;
    }
    case gsColMoving:
    case gsRowMoving:
        DrawMove();
        if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
        break;
    default: break;
    }
}

void TCustomGrid::WMCancelMode(TMessage& Message)
{
    TCustomControl::WMCancelMode(Message);
    CancelMode();
}

void TCustomGrid::CMCancelMode(TMessage& Message)
{
    if (FInplaceEdit != nullptr) FInplaceEdit->WindowProc(Message);
    DefaultHandler(Message);
    TControl* sender = reinterpret_cast<TControl*>(Message.LParam);
    if (sender != this && sender != FInplaceEdit) CancelMode();
}

void TCustomGrid::WMSetCursor(TMessage& Message)
{
    HCURSOR cursor = nullptr;
    if (static_cast<short>(LOWORD(Message.LParam)) == HTCLIENT) {
        TGridState state = FGridState;
        if (state == gsNormal) {
            POINT p;
            GetCursorPos(&p);
            p = ScreenToClient(p);
            TGridDrawInfo info;
            CalcDrawInfo(info);
            int index, pos, ofs;
            CalcSizingState(p.x, p.y, state, index, pos, ofs, info);
        }
        if (state == gsRowSizing)
            cursor = Screen != nullptr ? Screen->Cursors(crVSplit) : LoadCursorW(nullptr, IDC_SIZENS);
        else if (state == gsColSizing)
            cursor = Screen != nullptr ? Screen->Cursors(crHSplit) : LoadCursorW(nullptr, IDC_SIZEWE);
    }
    if (cursor != nullptr) {
        ::SetCursor(cursor);
        Message.Result = 1;
    } else {
        TCustomControl::WMSetCursor(Message);
    }
}

// ---- Wheel ---------------------------------------------------------------------------------

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool result = TCustomControl::DoMouseWheelDown(Shift, MousePos);
    if (!result) {
        if (Row() < FRowCount - 1) TCustomGrid::SetRow(Row() + 1);
        result = true;
    }
    return result;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool result = TCustomControl::DoMouseWheelUp(Shift, MousePos);
    if (!result) {
        if (Row() > FFixedRows) TCustomGrid::SetRow(Row() - 1);
        result = true;
    }
    return result;
}
