#include "framework/stdctrls/ComboBox.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"

namespace {

const wchar_t* const ComboOwnerProp = L"KvlComboOwner";
const wchar_t* const ComboProcProp = L"KvlComboProc";

const TWinListStrings::TMessages ComboMessages = {CB_GETCOUNT,    CB_GETLBTEXTLEN, CB_GETLBTEXT,   CB_GETITEMDATA,
                                                  CB_SETITEMDATA, CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING,
                                                  CB_RESETCONTENT, CB_FINDSTRINGEXACT};

} // namespace

// ---- TCustomComboBox ------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TWinListStrings>(this, ComboMessages)),
      FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox()
{
    // The inner edit's procedure calls into this object: let go of it while it is whole.
    if (HandleAllocated()) DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"COMBOBOX");
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    static const DWORD charCases[] = {0, CBS_UPPERCASE, CBS_LOWERCASE};
    Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[FStyle] | (FSorted ? CBS_SORT : 0);
    if (HasEdit()) Params.Style |= charCases[FCharCase];
}

void TCustomComboBox::CreateWnd()
{
    String savedText = FText;
    TWinControl::CreateWnd();
    SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    FEditHandle = nullptr;
    FListHandle = nullptr;
    if (GetComboBoxInfo(FHandle, &info)) {
        if (HasEdit() && info.hwndItem != FHandle) FEditHandle = info.hwndItem;
        FListHandle = info.hwndList;
    }
    HookEdit();
    if (FEditHandle != nullptr) SendMessageW(FEditHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (FStyle == csOwnerDrawFixed) SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, FItemHeight);
    FItems->WindowCreated();
    if (FItemIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    else if (!savedText.empty() && HasEdit()) SetTextQuietly(savedText);
}

void TCustomComboBox::DestroyWnd()
{
    FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
    FItems->WindowDestroying();
    UnhookEdit();
    FListHandle = nullptr;
    TWinControl::DestroyWnd();
}

void TCustomComboBox::HookEdit()
{
    if (FEditHandle == nullptr) return;
    SetPropW(FEditHandle, ComboOwnerProp, this);
    FDefEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::EditProc)));
    SetPropW(FEditHandle, ComboProcProp, reinterpret_cast<HANDLE>(FDefEditProc));
}

void TCustomComboBox::UnhookEdit()
{
    if (FEditHandle == nullptr) return;
    if (IsWindow(FEditHandle)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FEditHandle, GWLP_WNDPROC)) == &TCustomComboBox::EditProc)
            SetWindowLongPtrW(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefEditProc));
        RemovePropW(FEditHandle, ComboOwnerProp);
        RemovePropW(FEditHandle, ComboProcProp);
    }
    FEditHandle = nullptr;
}

LRESULT CALLBACK TCustomComboBox::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* owner = static_cast<TCustomComboBox*>(GetPropW(Wnd, ComboOwnerProp));
    auto old = reinterpret_cast<WNDPROC>(GetPropW(Wnd, ComboProcProp));
    if (owner == nullptr || old == nullptr) return DefWindowProcW(Wnd, Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        owner->UnhookEdit();
        return CallWindowProcW(old, Wnd, Msg, WParam, LParam);
    }
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    try {
        owner->EditWndProc(message);
    } catch (...) {
        Application->HandleException(owner);
    }
    return message.Result;
}

void TCustomComboBox::EditWndProc(TMessage& Message)
{
    if (Message.Msg == WM_SYSCOMMAND) {
        WndProc(Message);
        return;
    }
    ComboWndProc(Message, FEditHandle, FDefEditProc);
    if (Message.Msg == WM_SETFONT && FEditHandle != nullptr)
        SendMessageW(FEditHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // Focus straight into the edit: the form still has to learn that this control has it.
        if (FocusMessageDone(Message)) return;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (ComboWnd != FListHandle && DoKeyDown(Message)) return;
        break;
    case WM_CHAR:
        if (DoKeyPress(Message)) return;
        if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && DroppedDown()) {
            SetDroppedDown(false);
            return;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message)) return;
        break;
    case CN_KEYDOWN:
    case CN_CHAR:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR:
        WndProc(Message);
        return;
    }
    Message.Result = CallWindowProcW(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
    if (Message.Msg == WM_LBUTTONDBLCLK && FControlStyle.Contains(csDoubleClicks)) DblClick();
}

void TCustomComboBox::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC) {
        // The inner edit and the list paint in the control's colours.
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(Brush()->Color())));
        Message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
    }
    TWinControl::WndProc(Message);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_MEASUREITEM: CNMeasureItem(Message); return;
    case WM_SETTEXT:
        if (!HandleAllocated()) {
            if (!HasEdit()) {
                auto* text = reinterpret_cast<const wchar_t*>(Message.LParam);
                FItemIndex = text != nullptr && *text != 0 ? FItems->IndexOf(text) : -1;
            }
            break;
        }
        if (!HasEdit()) {
            // A list style shows only its items: the text picks the item.
            auto* text = reinterpret_cast<const wchar_t*>(Message.LParam);
            String value = text != nullptr ? String(text) : String();
            int index = value.empty() ? -1 : FItems->IndexOf(value);
            SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            Message.Result = (index >= 0 || value.empty()) ? TRUE : CB_ERR;
            return;
        } else {
            bool saved = FSettingText;
            FSettingText = true;
            TWinControl::Dispatch(Message);
            FSettingText = saved;
            return;
        }
    case WM_WINDOWPOSCHANGED:
        if (FDroppingDown) {
            DefaultHandler(Message);
            return;
        }
        break;
    }
    TWinControl::Dispatch(Message);
}

void TCustomComboBox::CNCommand(TMessage& Message)
{
    switch (Message.WParamHi()) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE:
        if (!FSettingText) Change();
        break;
    case CBN_DROPDOWN:
        FFocusChanged = false;
        DropDown();
        AdjustDropDown();
        // OnDropDown moved the focus elsewhere: the list must not stay open.
        if (FFocusChanged) {
            PostMessageW(FHandle, WM_CANCELMODE, 0, 0);
            if (!FIsFocused) PostMessageW(FHandle, CB_SHOWDROPDOWN, FALSE, 0);
        }
        break;
    case CBN_SELCHANGE: {
        int index = ItemIndex();
        if (index >= 0 && HasEdit()) SetTextQuietly(FItems->Get(index));
        Click();
        Select();
        break;
    }
    case CBN_CLOSEUP: CloseUp(); break;
    case CBN_SETFOCUS:
        FIsFocused = true;
        FFocusChanged = true;
        break;
    case CBN_KILLFOCUS:
        FIsFocused = false;
        FFocusChanged = true;
        break;
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message)
{
    DrawOwnerDrawnItem(FCanvas.get(), this, Message,
                       [this](int Index, const TRect& Rect, TOwnerDrawState State) { DrawItem(Index, Rect, State); });
}

void TCustomComboBox::CNMeasureItem(TMessage& Message)
{
    MeasureOwnerDrawnItem(Message, FItemHeight, FStyle == csOwnerDrawVariable,
                          [this](int Index, int& Height) { MeasureItem(Index, Height); });
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    FCanvas->UpdateTextFlags();
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FItems->Count()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Get(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::AdjustDropDown()
{
    int count = std::clamp(FItems->Count(), 1, std::max(FDropDownCount, 1));
    // The height a drop-down combo box is given is that of its open list.
    FDroppingDown = true;
    SetWindowPos(FHandle, nullptr, 0, 0, Width(), ItemHeight() * count + Height() + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
    FDroppingDown = false;
}

void TCustomComboBox::SetTextQuietly(const String& Value)
{
    bool saved = FSettingText;
    FSettingText = true;
    SetText(Value);
    FSettingText = saved;
}

bool TCustomComboBox::Focused()
{
    if (!HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus != nullptr && (focus == FHandle || focus == FEditHandle || focus == FListHandle);
}

void TCustomComboBox::Change()
{
    Perform(CM_CHANGED);
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

bool TCustomComboBox::SelectItem(const String& AnItem)
{
    if (AnItem.empty()) {
        SetItemIndex(-1);
        Change();
        return false;
    }
    LRESULT found = SendMessageW(Handle(), CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(AnItem.c_str()));
    if (found < 0) return false;
    int index = static_cast<int>(found);
    bool changed = index != ItemIndex();
    const String before = Text();
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (HasEdit()) {
        String item = FItems->Get(index);
        SetTextQuietly(AnItem + item.substr(std::min(AnItem.size(), item.size())));
        SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(AnItem.size(), Text().size()));
    } else {
        FFilter = AnItem;
    }
    if (changed) {
        Click();
        Select();
    } else if (Text() != before) {
        // The entry was selected already while the box showed another text (one written after
        // the selection): the text the user sees changed all the same.
        Change();
    }
    return true;
}

void TCustomComboBox::KeyPress(wchar_t& Key)
{
    TWinControl::KeyPress(Key);
    if (!FAutoComplete || Key == 0 || !HandleAllocated()) return;
    if (HasEdit()) {
        FFilter = Text();
    } else {
        DWORD now = SystemFacts().TickCount();
        if (now - FLastTime >= static_cast<DWORD>(FAutoCompleteDelay)) FFilter.clear();
        FLastTime = now;
    }
    DWORD start = 0, stop = 0;
    auto selection = [&] {
        if (!HasEdit()) return false;
        SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
        return stop > start;
    };
    switch (Key) {
    case VK_ESCAPE: return;
    case VK_TAB:
        if (FAutoDropDown && DroppedDown()) SetDroppedDown(false);
        return;
    case VK_BACK: {
        if (selection()) {
            String text = Text();
            SetTextQuietly(text.substr(0, start) + text.substr(std::min<size_t>(stop, text.size())));
            SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(start, start));
        } else if (HasEdit() && !Text().empty()) {
            if (start == 0) return;
            String text = Text();
            SetTextQuietly(text.substr(0, start - 1) + text.substr(std::min<size_t>(stop, text.size())));
            SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(start - 1, start - 1));
        } else if (!FFilter.empty()) {
            FFilter.pop_back();
        }
        if (HasEdit()) FFilter = Text();
        Key = 0;
        Change();
        return;
    }
    default:
        if (Key < L' ') return;
        if (FAutoDropDown && !DroppedDown()) SetDroppedDown(true);
        String typed = selection() ? FFilter.substr(0, std::min<size_t>(start, FFilter.size())) + Key : FFilter + Key;
        if (SelectItem(typed)) Key = 0;
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomComboBox::ItemIndex()
{
    if (!HandleAllocated()) return FItemIndex < FItems->Count() ? FItemIndex : -1;
    return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (!HandleAllocated()) {
        FItemIndex = Value;
        return;
    }
    if (ItemIndex() != Value) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

bool TCustomComboBox::DroppedDown()
{
    return HandleAllocated() && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    FDropDownCount = Value;
}

int TCustomComboBox::ItemHeight()
{
    if (IsOwnerDraw() || !HandleAllocated()) return FItemHeight;
    return static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int Value)
{
    if (Value <= 0) return;
    FItemHeight = Value;
    if (!HandleAllocated()) return;
    if (FStyle == csOwnerDrawFixed) {
        SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, Value);
        Invalidate();
    } else if (FStyle == csOwnerDrawVariable) {
        RecreateWnd();
    }
}

void TCustomComboBox::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = std::max(Value, 0);
    if (HandleAllocated()) SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomComboBox::SetCharCase(TEditCharCase Value)
{
    if (FCharCase == Value) return;
    FCharCase = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetTextHint(const String& Value)
{
    FTextHint = Value;
    if (FEditHandle != nullptr) SendMessageW(FEditHandle, 0x1501 /* EM_SETCUEBANNER */, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

int TCustomComboBox::SelStart()
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0, stop = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int Value)
{
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(Value, Value));
}

int TCustomComboBox::SelLength()
{
    if (!HandleAllocated()) return 0;
    DWORD start = 0, stop = 0;
    SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    return static_cast<int>(stop - start);
}

void TCustomComboBox::SetSelLength(int Value)
{
    int start = SelStart();
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + Value));
}

String TCustomComboBox::SelText()
{
    String text = Text();
    size_t start = static_cast<size_t>(SelStart());
    if (start >= text.size()) return L"";
    return text.substr(start, static_cast<size_t>(SelLength()));
}

void TCustomComboBox::SetSelText(const String& Value)
{
    if (FEditHandle != nullptr) SendMessageW(FEditHandle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomComboBox::SelectAll()
{
    if (HandleAllocated()) SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
}

void TCustomComboBox::Clear()
{
    SetText(L"");
    FItems->Clear();
    FItemIndex = -1;
}
