#include "skin/controls/sTooledit.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "framework/facts/SystemFacts.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/Exceptions.h"

namespace {

// Years 1 .. 9999.
constexpr TDateTime FirstValidDate = -693593;
constexpr TDateTime LastValidDate = 2958465;

bool IsValidDate(TDateTime Value)
{
    return std::isfinite(Value) && Value >= FirstValidDate && Value < LastValidDate + 1;
}

TDateTime DayOf(TDateTime Value)
{
    return std::trunc(Value);
}

} // namespace

// ---- The drop-down button --------------------------------------------------------------------

class TsDateEditButton : public TCustomControl {
public:
    explicit TsDateEditButton(TsCustomDateEdit* Edit) : TCustomControl(nullptr), FEdit(Edit)
    {
        SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csDoubleClicks});
        SetCursor(crArrow);
    }

    void Paint() override
    {
        TRect r = ClientRect();
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (FEdit->DroppedDown()) state |= DFCS_PUSHED | DFCS_FLAT;
        if (!FEdit->Enabled()) state |= DFCS_INACTIVE;
        DrawFrameControl(Canvas()->Handle(), &r, DFC_SCROLL, state);
    }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        if (Button == mbLeft) FEdit->ButtonPressed();
    }

private:
    TsCustomDateEdit* FEdit;
};

// ---- The drop-down calendar ------------------------------------------------------------------

void TsPopupMonthCalendar::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    UINT code = header->code;
    SYSTEMTIME picked{};
    if (code == MCN_SELECT) picked = reinterpret_cast<const NMSELCHANGE*>(Message.LParam)->stSelStart;
    TMonthCalendar::CNNotify(Message);
    if (code == MCN_SELECT && OnPick) OnPick(DayOf(SystemTimeToDateTime(picked)));
}

void TsPopupMonthCalendar::KeyDown(WORD& Key, TShiftState Shift)
{
    TMonthCalendar::KeyDown(Key, Shift);
    if (Key == VK_RETURN && OnPick) {
        Key = 0;
        OnPick(Date());
    }
}

TsPopupCalendar::TsPopupCalendar(TsCustomDateEdit* Edit) : TCustomForm(nullptr), FEdit(Edit)
{
    SetBorderStyle(bsNone);
    FCalendar = new TsPopupMonthCalendar(this);
    FCalendar->SetParent(this);
    FCalendar->SetAlign(alClient);
    FCalendar->OnPick = [this](TDateTime Day) {
        FCalendar->SetDate(Day);
        FEdit->CloseUp(true);
    };
    SetActiveControl(FCalendar);
}

void TsPopupCalendar::CreateParams(TCreateParams& Params)
{
    TCustomForm::CreateParams(Params);
    Params.Style |= WS_BORDER;
    // No task-bar button of its own, and it stays above the form it drops from.
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (TCustomForm* form = GetParentForm(FEdit))
        if (form->HandleAllocated()) Params.WndParent = form->Handle();
}

void TsPopupCalendar::Deactivate()
{
    TCustomForm::Deactivate();
    FEdit->PopupDeactivated();
}

void TsPopupCalendar::CMDialogKey(TMessage& Message)
{
    switch (Message.WParam) {
    case VK_ESCAPE:
        FEdit->CloseUp(false);
        Message.Result = 1;
        return;
    case VK_RETURN:
        FEdit->CloseUp(true);
        Message.Result = 1;
        return;
    }
    TCustomForm::CMDialogKey(Message);
}

// ---- The date edit ---------------------------------------------------------------------------

TsCustomDateEdit::TsCustomDateEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    SetEditMask(L"!9999/99/99;1; ");
    SetMaxLength(10);
    FButton = new TsDateEditButton(this);
    FButton->SetParent(this);
}

TsCustomDateEdit::~TsCustomDateEdit()
{
    FPopup.reset();
}

TFormatSettings TsCustomDateEdit::DateSettings() const
{
    TFormatSettings settings = FormatSettings;
    settings.ShortDateFormat = FDateFormat;
    settings.DateSeparator = L'/';
    return settings;
}

TDateTime TsCustomDateEdit::Date()
{
    TDateTime value = 0;
    if (TryStrToDate(Text(), value, DateSettings())) return DayOf(value);
    return FDefaultToday ? ::Date() : NullDate;
}

void TsCustomDateEdit::SetDate(TDateTime Value)
{
    if (!IsValidDate(Value) || DayOf(Value) == NullDate)
        Value = FDefaultToday ? ::Date() : NullDate;
    else
        Value = DayOf(Value);
    String before = EditText();
    SetText(Value == NullDate ? String() : FormatDateTime(FDateFormat, Value, DateSettings()));
    bool changed = EditText() != before;
    SetModified(changed);
    // With a window the edit reports the change itself (EN_CHANGE); without one nobody would.
    if (changed && !HandleAllocated()) Change();
}

bool TsCustomDateEdit::HasValidDate()
{
    TDateTime value = 0;
    return TryStrToDate(Text(), value, DateSettings()) && IsValidDate(value);
}

void TsCustomDateEdit::CheckValidDate()
{
    if (HasValidDate()) return;
    // As the mask's own check does: the user stays in the edit to mend the date.
    TCustomForm* form = GetParentForm(this);
    if (HandleAllocated() && !Focused() && form != nullptr && form->Visible() && CanFocus()) {
        FReEnter = true;
        SetFocus();
    }
    throw EConvertError(L"Invalid Date");
}

void TsCustomDateEdit::CMExit(TMessage& Message)
{
    if (FCheckOnExit && !ComponentState().Contains(csDesigning)) CheckValidDate();
    TCustomMaskEdit::CMExit(Message);
}

void TsCustomDateEdit::SetDateFormat(const String& Value)
{
    if (Value == FDateFormat) return;
    TDateTime shown = 0;
    bool hasDate = TryStrToDate(Text(), shown, DateSettings());
    FDateFormat = Value;
    if (hasDate) SetText(FormatDateTime(FDateFormat, shown, DateSettings()));
}

bool TsCustomDateEdit::DroppedDown() const
{
    return FPopup != nullptr && FPopup->Visible();
}

void TsCustomDateEdit::DropDown()
{
    if (DroppedDown()) {
        CloseUp(false);
        return;
    }
    if (!FPopup) FPopup = std::make_unique<TsPopupCalendar>(this);
    TsPopupCalendar* popup = FPopup.get();
    TDateTime shown = Date();
    popup->Calendar()->SetDate(shown == NullDate ? ::Date() : shown);

    TRect need = popup->Calendar()->MinReqRect();
    int width = std::max(FPopupWidth, static_cast<int>(need.right) + 2);
    int height = static_cast<int>(need.bottom) + 2;
    RECT edit{};
    GetWindowRect(Handle(), &edit);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&edit, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = std::max<int>(work.left, std::min<int>(edit.left, work.right - width));
    int y = edit.bottom + height <= work.bottom ? edit.bottom : edit.top - height;
    popup->SetBounds(x, y, width, height);

    if (OnDropDown) OnDropDown(this);
    popup->Show();
    if (popup->Calendar()->CanFocus()) popup->Calendar()->SetFocus();
    FButton->Invalidate();
}

void TsCustomDateEdit::CloseUp(bool Accept)
{
    if (!DroppedDown()) return;
    TDateTime picked = FPopup->Calendar()->Date();
    FPopup->Hide();
    FButton->Invalidate();
    if (CanFocus()) SetFocus();
    if (Accept) SetDate(picked);
    if (OnCloseUp) OnCloseUp(this);
}

void TsCustomDateEdit::ButtonPressed()
{
    if (FSkipNextDrop) {
        FSkipNextDrop = false;
        return;
    }
    if (CanFocus() && !Focused()) SetFocus();
    DropDown();
}

void TsCustomDateEdit::PopupDeactivated()
{
    if (!DroppedDown()) return;
    // A press on our own button took the activation away: that press closes the calendar, and
    // must not open it again when it reaches the button.
    POINT cursor{};
    GetCursorPos(&cursor);
    FSkipNextDrop = FButton->HandleAllocated() && WindowFromPoint(cursor) == FButton->Handle() &&
                    (SystemFacts().KeyState(VK_LBUTTON) & 0x8000) != 0;
    CloseUp(false);
}

void TsCustomDateEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    // The button is a child window: the edit must not paint over it.
    Params.Style |= WS_CLIPCHILDREN;
}

void TsCustomDateEdit::CreateWnd()
{
    TCustomMaskEdit::CreateWnd();
    PlaceButton();
}

void TsCustomDateEdit::WMSize(TMessage& Message)
{
    TCustomMaskEdit::WMSize(Message);
    PlaceButton();
}

void TsCustomDateEdit::PlaceButton()
{
    if (!HandleAllocated() || FButton == nullptr) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    int width = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.right);
    FButton->SetBounds(client.right - width, 0, width, client.bottom);
    // The text stops short of the button.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

void TsCustomDateEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_F4 || (Key == VK_DOWN && Shift.Contains(ssAlt))) {
        Key = 0;
        DropDown();
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}
