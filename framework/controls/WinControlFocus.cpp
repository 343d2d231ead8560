// TWinControl's focus and keyboard: tab order, taking and giving up the focus, the key methods
// with the form's KeyPreview first, and the key preprocessing that offers a key to the control
// (CN_KEYDOWN, CN_CHAR ...) before the form routes it as a dialog key or accelerator.
#include <algorithm>
#include <climits>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"

// ---- Tab order -----------------------------------------------------------------------------

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle != nullptr) {
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        SetWindowLongW(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const
{
    if (FParent == nullptr) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::UpdateTabOrder(int Value)
{
    int current = TabOrder();
    if (current < 0) return;
    auto& list = FParent->FTabList;
    int count = static_cast<int>(list.size());
    Value = std::clamp(Value, 0, count - 1);
    if (Value == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabOrder(int Value)
{
    // While a form is read, siblings that come later are not there yet: keep the value for
    // FixupTabList.
    if (ComponentState().Contains(csLoading) || FControlState.Contains(csReadingState))
        FTabOrder = Value;
    else
        UpdateTabOrder(Value);
}

void TWinControl::FixupTabList()
{
    bool read = std::any_of(FTabList.begin(), FTabList.end(), [](TWinControl* c) { return c->FTabOrder >= 0; });
    if (!read) return;
    std::vector<TWinControl*> sorted = FTabList;
    std::stable_sort(sorted.begin(), sorted.end(), [](TWinControl* a, TWinControl* b) {
        int ka = a->FTabOrder < 0 ? INT_MAX : a->FTabOrder;
        int kb = b->FTabOrder < 0 ? INT_MAX : b->FTabOrder;
        return ka < kb;
    });
    FTabList = sorted;
    for (TWinControl* child : FWinControls) child->FTabOrder = -1;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
    for (TWinControl* control : FTabList) {
        List.push_back(control);
        control->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int count = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    int i = start;
    do {
        if (GoForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TWinControl* candidate = list[static_cast<size_t>(i)];
        if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()) && (!CheckParent || candidate->Parent() == this))
            return candidate;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
    if (next != nullptr) next->SetFocus();
}

// ---- Focus ---------------------------------------------------------------------------------

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) return false;
    for (TControl* control = this; control != form; control = control->Parent())
        if (!control->Visible() || !control->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr)
        form->FocusControl(this);
    else if (FParentWindow != nullptr)
        ::SetFocus(Handle());
    else
        ValidParentForm(this);
}

bool TWinControl::Focused() { return FHandle != nullptr && GetFocus() == FHandle; }

void TWinControl::RemoveFocus(bool Removing)
{
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, Removing);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

// ---- Keys ----------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyDown(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    WORD key = static_cast<WORD>(Message.WParam);
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyUp(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    WORD key = static_cast<WORD>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyPress(Message))
        return true;
    if (FControlStyle.Contains(csNoStdEvents)) return false;
    wchar_t ch = static_cast<wchar_t>(Message.WParam);
    KeyPress(ch);
    Message.WParam = ch;
    return ch == 0;
}

void TWinControl::WMKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message)
{
    if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message)
{
    if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
    if (!DoKeyPress(Message)) DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message)
{
    if (ComponentState().Contains(csDesigning)) return false;
    if (PopupMenuShortCutHandler) {
        for (TControl* control = this; control != nullptr; control = control->Parent())
            if (control->PopupMenu() != nullptr && PopupMenuShortCutHandler(control->PopupMenu(), Message)) return true;
    }
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->IsShortCut(Message)) return true;
    if (Application != nullptr && Application->HandleAllocated() &&
        SendMessageW(Application->Handle(), CM_APPKEYDOWN, Message.WParam, Message.LParam) != 0)
        return true;
    return false;
}

void TWinControl::CNKeyDown(TMessage& Message)
{
    Message.Result = 1;
    if (IsMenuKey(Message)) return;
    if (!ComponentState().Contains(csDesigning)) {
        WORD key = static_cast<WORD>(Message.WParam);
        if (Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(this)) != 0) return;
        LRESULT mask = 0;
        switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        }
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, Message.LParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
            TCustomForm* form = GetParentForm(this);
            if (form != nullptr && form->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message)
{
    Message.Result = 0;
    if (ComponentState().Contains(csDesigning)) return;
    WORD key = static_cast<WORD>(Message.WParam);
    switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        Message.Result = Perform(CM_WANTSPECIALKEY, key, Message.LParam);
        break;
    }
}

void TWinControl::CNChar(TMessage& Message)
{
    Message.Result = 0;
    if (ComponentState().Contains(csDesigning)) return;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form != nullptr && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) Message.Result = 1;
    }
}

void TWinControl::CNSysKeyDown(TMessage& Message)
{
    Message.Result = IsMenuKey(Message) ? 1 : 0;
}

void TWinControl::CNSysChar(TMessage& Message)
{
    Message.Result = 0;
    if (ComponentState().Contains(csDesigning) || Message.WParam == VK_SPACE) return;
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr) Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMChildKey(TMessage& Message)
{
    Message.Result = FParent != nullptr ? FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam) : 0;
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

// ---- Loading -------------------------------------------------------------------------------

void TWinControl::Loaded()
{
    TControl::Loaded();
    FixupTabList();
    if (FParent != nullptr) Perform(CM_PARENTCTL3DCHANGED);
    UpdateControlState();
    Realign();
}
