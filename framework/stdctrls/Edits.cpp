// Single- and multi-line edits over the system EDIT class.
#include "framework/stdctrls/Edits.h"

namespace {

std::vector<String> SplitLines(const String& Text)
{
    std::vector<String> lines;
    size_t start = 0, i = 0;
    while (i < Text.size()) {
        wchar_t c = Text[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(Text.substr(start, i - start));
            if (c == L'\r' && i + 1 < Text.size() && Text[i + 1] == L'\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < Text.size()) lines.push_back(Text.substr(start));
    return lines;
}

String JoinLines(const std::vector<String>& Lines)
{
    String text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) text += L"\r\n";
        text += Lines[i];
    }
    return text;
}

} // namespace

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
    FCreating = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
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

// ---- TMemoStrings ---------------------------------------------------------------------------

std::vector<String> TMemoStrings::Lines() const
{
    return SplitLines(FMemo->Text());
}

void TMemoStrings::SetLines(const std::vector<String>& Lines)
{
    FMemo->SetText(JoinLines(Lines));
}

String TMemoStrings::Get(int Index) const
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    return lines[static_cast<size_t>(Index)];
}

int TMemoStrings::GetCount() const
{
    return static_cast<int>(Lines().size());
}

void TMemoStrings::Put(int Index, const String& S)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines[static_cast<size_t>(Index)] = S;
    SetLines(lines);
}

void TMemoStrings::Insert(int Index, const String& S)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
    // A line may itself hold line breaks; they become lines of their own.
    std::vector<String> parts = SplitLines(S);
    if (parts.empty()) parts.push_back(L"");
    lines.insert(lines.begin() + Index, parts.begin(), parts.end());
    SetLines(lines);
}

void TMemoStrings::Delete(int Index)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines.erase(lines.begin() + Index);
    SetLines(lines);
}

void TMemoStrings::Clear()
{
    FMemo->Clear();
}

String TMemoStrings::Text() const
{
    return FMemo->Text();
}

void TMemoStrings::SetText(const String& Value)
{
    FMemo->SetText(Value);
}

void TMemoStrings::SetUpdateState(bool Updating)
{
    if (!FMemo->HandleAllocated()) return;
    SendMessageW(FMemo->Handle(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) FMemo->Invalidate();
}

// ---- TCustomMemo ----------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FAutoSize = false;
    FControlStyle.Exclude(csFixedHeight);
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    static const DWORD scrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE | scrollBars[FScrollBars];
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

TPoint TCustomMemo::CaretPos()
{
    if (!HandleAllocated()) return TPoint{0, 0};
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    int line = static_cast<int>(SendMessageW(Handle(), EM_LINEFROMCHAR, stop, 0));
    int lineStart = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    return TPoint{static_cast<LONG>(stop) - lineStart, line};
}

void TCustomMemo::SetCaretPos(const TPoint& Value)
{
    int start = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(Value.y), 0));
    if (start < 0) return;
    SetSelStart(start + Value.x);
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        if (FWantTabs) Message.Result |= DLGC_WANTTAB;
        else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMemo::KeyPress(wchar_t& Key)
{
    TCustomEdit::KeyPress(Key);
    if (Key == L'\r' && !FWantReturns) Key = 0;
}
