// The masked edit over the mask engine.
#include "framework/stdctrls/MaskEdit.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value)
{
    if (Value == FEditMask) return;
    if (ComponentState().Contains(csDesigning) && !Value.empty() && !ComponentState().Contains(csLoading)) SetEditText(L"");
    int start = 0, stop = 0;
    if (HandleAllocated()) GetSel(start, stop);
    // The value survives the change of mask: read it with the old mask, lay it into the new one.
    String value = Text();
    FEditMask = Value;
    FMask = TEditMask(Value);
    if (HandleAllocated()) DoSetMaxLength(FMaxLength);
    if (IsMasked()) TCustomEdit::SetText(FMask.TextToEditText(value));
    else TCustomEdit::SetText(value);
    if (HandleAllocated()) SetSel(start, stop);
}

void TCustomMaskEdit::SetEditText(const String& Value)
{
    TCustomEdit::SetText(Value);
}

String TCustomMaskEdit::Text()
{
    String edit = EditText();
    if (!IsMasked()) return edit;
    return FMask.EditTextToText(edit);
}

void TCustomMaskEdit::SetText(const String& Value)
{
    if (!IsMasked()) TCustomEdit::SetText(Value);
    else SetEditText(FMask.TextToEditText(Value));
}

void TCustomMaskEdit::DoSetMaxLength(int Value)
{
    TCustomEdit::DoSetMaxLength(IsMasked() ? FMask.Length() : Value);
}

void TCustomMaskEdit::GetSel(int& SelStart, int& SelStop)
{
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    SelStart = static_cast<int>(start);
    SelStop = static_cast<int>(stop);
}

void TCustomMaskEdit::SetSel(int SelStart, int SelStop)
{
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(SelStart), SelStop);
}

bool TCustomMaskEdit::IsBlank()
{
    return EditText() == FMask.BlankEditText();
}

void TCustomMaskEdit::SetCaret(int Pos)
{
    if (!HandleAllocated()) return;
    if (!IsMasked()) {
        SetSel(Pos, Pos);
        return;
    }
    Pos = std::clamp(Pos, 0, FMask.Length());
    int next = FMask.NextEditable(Pos);
    SetSel(next, next);
}

void TCustomMaskEdit::CheckCursor()
{
    if (!HandleAllocated() || !IsMasked()) return;
    int start = 0, stop = 0;
    GetSel(start, stop);
    if (start == stop) SetCaret(start);
}

void TCustomMaskEdit::ApplyChange(const TMaskEditChange& Change)
{
    String old = EditText();
    const String& now = Change.EditText;
    if (old.size() == now.size()) {
        size_t first = 0;
        while (first < old.size() && old[first] == now[first]) ++first;
        if (first < old.size()) {
            size_t last = old.size() - 1;
            while (last > first && old[last] == now[last]) --last;
            String part = now.substr(first, last - first + 1);
            SetSel(static_cast<int>(first), static_cast<int>(last + 1));
            SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(part.c_str()));
        }
    } else {
        SetSel(0, -1);
        SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(now.c_str()));
    }
    SetSel(Change.Cursor, Change.Cursor);
}

void TCustomMaskEdit::Reset()
{
    if (!Modified()) return;
    SetEditText(FOldValue);
    SetModified(false);
}

bool TCustomMaskEdit::Validate(const String& Value, int& Pos)
{
    return FMask.Validate(Value, Pos);
}

void TCustomMaskEdit::ValidateError()
{
    SystemFacts().Beep(MB_OK);
    throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::ValidateEdit()
{
    if (!IsMasked() || !Modified()) return;
    int pos = 0;
    if (Validate(EditText(), pos)) return;
    // The user stays in the control to complete it (entering it again keeps the old value).
    TCustomForm* form = GetParentForm(this);
    if (!ComponentState().Contains(csDesigning) && HandleAllocated() && !Focused() && form != nullptr && form->Visible() &&
        CanFocus()) {
        FReEnter = true;
        SetFocus();
    }
    SetCaret(pos);
    ValidateError();
}

bool TCustomMaskEdit::CharKeys(wchar_t& Key)
{
    if (Key == VK_ESCAPE) {
        Reset();
        return false;
    }
    if (!EditCanModify() || ReadOnly()) return false;
    if (Key < L' ') return false;
    int start = 0, stop = 0;
    GetSel(start, stop);
    TMaskEditChange change = FMask.TypeChar(EditText(), start, stop, Key);
    if (!change.Accepted) {
        SystemFacts().Beep(MB_OK);
        return false;
    }
    ApplyChange(change);
    return true;
}

void TCustomMaskEdit::DeleteKeys(WORD Key)
{
    int start = 0, stop = 0;
    GetSel(start, stop);
    TMaskEditChange change = FMask.DeleteKey(EditText(), start, stop, Key == VK_BACK);
    if (change.Accepted) ApplyChange(change);
}

void TCustomMaskEdit::PasteText()
{
    String text;
    if (OpenClipboard(Handle())) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = p;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    if (text.empty()) return;
    int start = 0, stop = 0;
    GetSel(start, stop);
    TMaskEditChange change = FMask.InsertText(EditText(), start, stop, text);
    if (change.Accepted) ApplyChange(change);
    else SystemFacts().Beep(MB_OK);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (!FSettingCursor) TCustomEdit::KeyDown(Key, Shift);
    if (!IsMasked() || Key == 0 || Shift.Contains(ssAlt)) return;
    bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl);
    int start = 0, stop = 0;
    GetSel(start, stop);
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (!plain) return;
        if (Key == VK_LEFT) {
            int prior = std::max(start == stop ? FMask.PriorEditable(start - 1) : start, FMask.NextEditable(0));
            SetSel(prior, prior);
        } else {
            int next = start == stop ? FMask.NextEditable(start + 1) : stop;
            SetCaret(next);
        }
        Key = 0;
        return;
    case VK_UP:
    case VK_DOWN:
        Key = 0;
        return;
    case VK_HOME:
    case VK_END:
        if (!plain) return;
        if (Key == VK_HOME) SetCaret(0);
        else SetSel(FMask.Length(), FMask.Length());
        Key = 0;
        return;
    case VK_DELETE:
    case VK_BACK:
        if (Key == VK_DELETE && !plain) return;
        if (EditCanModify() && !ReadOnly()) DeleteKeys(Key);
        Key = 0;
        return;
    }
    CheckCursor();
}

void TCustomMaskEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if (!FSettingCursor) TCustomEdit::KeyUp(Key, Shift);
    if (IsMasked() && Key != 0 && (Key == VK_LEFT || Key == VK_RIGHT) && Shift.Contains(ssCtrl)) CheckCursor();
}

void TCustomMaskEdit::KeyPress(wchar_t& Key)
{
    if (!FSettingCursor) TCustomEdit::KeyPress(Key);
    // Ctrl+V, Ctrl+X and Ctrl+C stay with the window (they come back as WM_PASTE/WM_CUT/WM_COPY).
    if (IsMasked() && Key != 0 && Key != 0x16 && Key != 0x18 && Key != 0x03) {
        CharKeys(Key);
        Key = 0;
    }
}

void TCustomMaskEdit::Dispatch(TMessage& Message)
{
    if (IsMasked() && HandleAllocated()) {
        switch (Message.Msg) {
        case WM_PASTE:
            if (EditCanModify() && !ReadOnly()) PasteText();
            return;
        case WM_CUT:
            Perform(WM_COPY);
            if (EditCanModify() && !ReadOnly()) DeleteKeys(VK_DELETE);
            return;
        case WM_CLEAR:
            if (EditCanModify() && !ReadOnly()) DeleteKeys(VK_DELETE);
            return;
        case WM_LBUTTONDOWN:
            FBtnDownX = Message.XPos();
            break;
        case WM_LBUTTONUP: {
            TCustomEdit::Dispatch(Message);
            int start = 0, stop = 0;
            GetSel(start, stop);
            // A click into an empty edit starts at the first position; elsewhere the caret
            // goes to the editable position at or after the click.
            if (start == stop) SetCaret(IsBlank() ? 0 : start);
            return;
        }
        }
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMaskEdit::CMEnter(TMessage& Message)
{
    if (!IsMasked() || ComponentState().Contains(csDesigning)) {
        TCustomEdit::CMEnter(Message);
        return;
    }
    if (!FReEnter) {
        FOldValue = EditText();
        TCustomEdit::CMEnter(Message);
    }
    FReEnter = false;
    if (!HandleAllocated()) return;
    int start = 0, stop = 0;
    GetSel(start, stop);
    // A selected value stays selected (typing replaces it from the first position); otherwise
    // the caret starts on the first editable position.
    if (start == stop || IsBlank()) SetCaret(FControlState.Contains(csLButtonDown) ? start : 0);
}

void TCustomMaskEdit::CMExit(TMessage& Message)
{
    if (IsMasked() && !ComponentState().Contains(csDesigning)) {
        ValidateEdit();
        CheckCursor();
    }
    TCustomEdit::CMExit(Message);
}
