// TInplaceEdit: the masked edit a grid shows over its current cell. The grid decides when it
// shows and where; the editor hands the keys that leave the cell back to the grid.
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/grids/Grids.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetDoubleBuffered(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    // Multi-line: setting the text of such an edit sends no EN_CHANGE, so loading a cell is no edit.
    Params.Style |= ES_MULTILINE;
    Params.Style &= ~static_cast<DWORD>(WS_VISIBLE);
}

void TInplaceEdit::CMShowingChanged(TMessage&)
{
    // Shown and hidden by Move and Hide only, whatever Visible says.
}

void TInplaceEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        // The form sees the grid as its focused control while the editor has the focus.
        TCustomForm* form = GetParentForm(this);
        if (form == nullptr || FGrid == nullptr || form->SetFocusedControl(FGrid)) Dispatch(Message);
        return;
    }
    case WM_LBUTTONDOWN:
        if (static_cast<DWORD>(GetMessageTime()) - FClickTime < GetDoubleClickTime()) Message.Msg = WM_LBUTTONDBLCLK;
        FClickTime = 0;
        break;
    }
    TCustomMaskEdit::WndProc(Message);
}

void TInplaceEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
        if (EditCanModify()) TCustomMaskEdit::Dispatch(Message);
        break;
    default: TCustomMaskEdit::Dispatch(Message); break;
    }
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message)
{
    TCustomMaskEdit::Dispatch(Message);
    if (FGrid != nullptr && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::CMWantSpecialKey(TMessage& Message)
{
    TCustomMaskEdit::Dispatch(Message);
}

void TInplaceEdit::DblClick()
{
    if (FGrid != nullptr) FGrid->DblClick();
}

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    return FGrid != nullptr ? FGrid->DoMouseWheel(Shift, WheelDelta, MousePos) : false;
}

bool TInplaceEdit::EditCanModify()
{
    return FGrid == nullptr || FGrid->CanEditModify();
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    auto sendToParent = [&] {
        FGrid->KeyDown(Key, Shift);
        Key = 0;
    };
    auto parentEvent = [&] {
        if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
    };
    if (FGrid == nullptr) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    // Left and right leave the cell only where editing never stops (goAlwaysShowEditor).
    bool forwardMovement = FGrid->Options().Contains(goAlwaysShowEditor);
    bool ctrl = Shift.Contains(ssCtrl);
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    DWORD length = static_cast<DWORD>(GetWindowTextLengthW(Handle()));
    bool rightSide = (selStart == 0 || selEnd == selStart) && selEnd == length;
    bool leftSide = selStart == 0 && (selEnd == 0 || selEnd == length);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: sendToParent(); break;
    case VK_INSERT:
        if (Shift.Empty())
            sendToParent();
        else if (Shift == TShiftState{ssShift} && !FGrid->CanEditModify())
            Key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forwardMovement && (ctrl || leftSide)) sendToParent();
        break;
    case VK_RIGHT:
    case VK_END:
        if (forwardMovement && (ctrl || rightSide)) sendToParent();
        break;
    case VK_F2:
        parentEvent();
        if (Key == VK_F2) {
            Deselect();
            return;
        }
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) sendToParent();
        break;
    case VK_DELETE:
        if (ctrl)
            sendToParent();
        else if (!FGrid->CanEditModify())
            Key = 0;
        break;
    }
    if (Key != 0) {
        parentEvent();
        TCustomMaskEdit::KeyDown(Key, Shift);
    }
}

void TInplaceEdit::KeyPress(wchar_t& Key)
{
    if (FGrid == nullptr) {
        TCustomMaskEdit::KeyPress(Key);
        return;
    }
    FGrid->KeyPress(Key);
    if (Key >= L' ' && !FGrid->CanEditAcceptKey(Key)) {
        Key = 0;
        SystemFacts().Beep(MB_OK);
    }
    switch (Key) {
    case L'\t':
    case 27: Key = 0; break;
    case L'\r': {
        // Enter that the grid did not take toggles between all selected and the caret at the end.
        DWORD selStart = 0, selEnd = 0;
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        if (selStart == 0 && selEnd == static_cast<DWORD>(GetWindowTextLengthW(Handle())))
            Deselect();
        else
            SelectAll();
        Key = 0;
        break;
    }
    case 8:
    case 22:
    case 24:
        if (!FGrid->CanEditModify()) Key = 0;
        break;
    default:
        if (Key >= L' ' && !FGrid->CanEditModify()) Key = 0;
        break;
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if (FGrid != nullptr) FGrid->KeyUp(Key, Shift);
}

// ---- Placement -----------------------------------------------------------------------------

void TInplaceEdit::Deselect()
{
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0x7FFFFFFF, static_cast<LPARAM>(-1));
}

bool TInplaceEdit::Visible()
{
    return HandleAllocated() && IsWindowVisible(FHandle);
}

void TInplaceEdit::Hide()
{
    if (!Visible()) return;
    Invalidate();
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOREDRAW);
    if (Focused() && FGrid != nullptr) ::SetFocus(FGrid->Handle());
}

void TInplaceEdit::Invalidate()
{
    if (!HandleAllocated() || FGrid == nullptr || !FGrid->HandleAllocated()) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    ValidateRect(FHandle, nullptr);
    ::InvalidateRect(FHandle, nullptr, TRUE);
    // The grid repaints what lies under the editor, so that nothing of an old cell shows.
    RECT cur;
    ::GetClientRect(FHandle, &cur);
    MapWindowPoints(FHandle, FGrid->Handle(), reinterpret_cast<POINT*>(&cur), 2);
    ValidateRect(FGrid->Handle(), &cur);
    ::InvalidateRect(FGrid->Handle(), &cur, FALSE);
}

void TInplaceEdit::InternalMove(const TRect& Loc, bool Redraw)
{
    if (IsRectEmpty(&Loc)) {
        Hide();
        return;
    }
    HandleNeeded();
    Redraw = Redraw || !IsWindowVisible(FHandle);
    Invalidate();
    SetWindowPos(FHandle, HWND_TOP, Loc.left, Loc.top, Loc.right - Loc.left, Loc.bottom - Loc.top, SWP_SHOWWINDOW | SWP_NOREDRAW);
    BoundsChanged();
    if (Redraw) Invalidate();
    if (FGrid != nullptr && FGrid->Focused()) ::SetFocus(FHandle);
}

void TInplaceEdit::Move(const TRect& Loc)
{
    InternalMove(Loc, true);
}

void TInplaceEdit::UpdateLoc(const TRect& Loc)
{
    InternalMove(Loc, false);
}

bool TInplaceEdit::PosEqual(const TRect& Rect)
{
    if (!HandleAllocated() || FGrid == nullptr) return false;
    RECT cur;
    GetWindowRect(FHandle, &cur);
    MapWindowPoints(HWND_DESKTOP, FGrid->Handle(), reinterpret_cast<POINT*>(&cur), 2);
    return EqualRect(&Rect, &cur) != FALSE;
}

void TInplaceEdit::SetFocus()
{
    if (Visible()) ::SetFocus(FHandle);
}

void TInplaceEdit::BoundsChanged()
{
    if (!HandleAllocated()) return;
    RECT r{2, 2, Width() - 2, Height()};
    SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(FHandle, EM_SCROLLCARET, 0, 0);
}

void TInplaceEdit::UpdateContents()
{
    if (FGrid == nullptr) return;
    SetText(L"");
    SetEditMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    int limit = FGrid->GetEditLimit();
    SetMaxLength(limit < 0 ? 0 : limit);
}
