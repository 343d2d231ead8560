#include "framework/stdctrls/Edit.h"

#include "framework/system/ScopeGuards.h"

// ---- TCustomEdit ----------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"EDIT");
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD charCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | alignments[FAlignment] | charCases[FCharCase];
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    if (FPasswordChar != 0) Params.Style |= ES_PASSWORD;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
    if (FNumbersOnly) Params.Style |= ES_NUMBER;
}

void TCustomEdit::CreateWnd()
{
    {
        FCreating = true;
        TScopeExit created([this] { FCreating = false; });
        TWinControl::CreateWnd();
    }
    DoSetMaxLength(FMaxLength);
    SetModified(FModified);
    if (FPasswordChar != 0) SendMessageW(Handle(), EM_SETPASSWORDCHAR, FPasswordChar, 0);
    UpdateHeight();
}

void TCustomEdit::DestroyWnd()
{
    FModified = Modified();
    TWinControl::DestroyWnd();
}

void TCustomEdit::DoSetMaxLength(int Value)
{
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

void TCustomEdit::SetMaxLength(int Value)
{
    if (FMaxLength == Value) return;
    FMaxLength = Value;
    if (HandleAllocated()) DoSetMaxLength(Value);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, Value, 0);
}

bool TCustomEdit::Modified()
{
    if (HandleAllocated()) return SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
    return FModified;
}

void TCustomEdit::SetModified(bool Value)
{
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETMODIFY, Value, 0);
    else FModified = Value;
}

void TCustomEdit::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    UpdateHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    UpdateHeight();
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetPasswordChar(wchar_t Value)
{
    if (FPasswordChar == Value) return;
    FPasswordChar = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), EM_SETPASSWORDCHAR, Value, 0);
        Invalidate();
    }
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (FCharCase == Value) return;
    FCharCase = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool Value)
{
    if (FOEMConvert == Value) return;
    FOEMConvert = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetNumbersOnly(bool Value)
{
    if (FNumbersOnly == Value) return;
    FNumbersOnly = Value;
    if (HandleAllocated()) {
        LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        style = Value ? (style | ES_NUMBER) : (style & ~static_cast<LONG_PTR>(ES_NUMBER));
        SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    }
}

int TCustomEdit::SelStart()
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value)
{
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength()
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    return static_cast<int>(stop - start);
}

void TCustomEdit::SetSelLength(int Value)
{
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    SendMessageW(Handle(), EM_SETSEL, start, static_cast<LPARAM>(start) + Value);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

String TCustomEdit::SelText()
{
    String text = Text();
    int start = SelStart(), length = SelLength();
    if (start >= static_cast<int>(text.size())) return L"";
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const String& Value)
{
    Perform(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
    Perform(WM_CLEAR);
}

void TCustomEdit::CopyToClipboard()
{
    Perform(WM_COPY);
}

void TCustomEdit::CutToClipboard()
{
    Perform(WM_CUT);
}

void TCustomEdit::PasteFromClipboard()
{
    Perform(WM_PASTE);
}

void TCustomEdit::Undo()
{
    if (HandleAllocated()) Perform(WM_UNDO);
}

bool TCustomEdit::CanUndo()
{
    return HandleAllocated() && SendMessageW(Handle(), EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::ClearUndo()
{
    if (HandleAllocated()) SendMessageW(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::Clear()
{
    SetText(L"");
}

void TCustomEdit::Change()
{
    Perform(CM_CHANGED);
    if (OnChange) OnChange(this);
}

void TCustomEdit::AdjustHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int border = GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6);
    SetHeight(metrics.tmHeight + border);
}

void TCustomEdit::UpdateHeight()
{
    if (FAutoSize && FBorderStyle == bsSingle) {
        FControlStyle.Include(csFixedHeight);
        AdjustHeight();
    } else {
        FControlStyle.Exclude(csFixedHeight);
    }
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case WM_SETFONT: WMSetFont(Message); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The focus a click brings must not select the whole text (see CMEnter).
        bool wasDown = FControlState.Contains(csLButtonDown);
        FControlState.Include(csLButtonDown);
        TWinControl::Dispatch(Message);
        if (!wasDown) FControlState.Exclude(csLButtonDown);
        return;
    }
    }
    TWinControl::Dispatch(Message);
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::WMSetFont(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    if (HandleAllocated() && !(GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE))
        SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TCustomEdit::CMEnter(TMessage& Message)
{
    if (FAutoSelect && !FControlState.Contains(csLButtonDown) && HandleAllocated() &&
        !(GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (FControlStyle.Contains(csFixedHeight) &&
        !(ComponentState().Contains(csDesigning) && ComponentState().Contains(csLoading)))
        AdjustHeight();
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message)
{
    if (FBorderStyle == bsSingle) {
        UpdateHeight();
        if (HandleAllocated()) RecreateWnd();
    }
    TWinControl::CMCtl3DChanged(Message);
}
