#include "framework/comctrls/DateTimePicker.h"

#include <commctrl.h>
#include <algorithm>
#include <cmath>

#include "framework/comctrls/CalendarDates.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/system/DateTimeUtils.h"

// ---- TDateTimePicker ---------------------------------------------------------------------

TDateTimePicker::TDateTimePicker(TComponent* AOwner)
    : TWinControl(AOwner), FDateTime(Now()), FCalColors(std::make_unique<TMonthCalColors>(this))
{
    SetControlStyle(TControlStyle{csOpaque, csClickEvents, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TDateTimePicker::~TDateTimePicker() = default;

TDateTime TDateTimePicker::Date() const
{
    return DatePart(FDateTime);
}

TDateTime TDateTimePicker::Time() const
{
    return TimePart(FDateTime);
}

void TDateTimePicker::SetDate(TDateTime Value)
{
    SetDateTime(DatePart(Value) + TimePart(FDateTime));
}

void TDateTimePicker::SetTime(TDateTime Value)
{
    SetDateTime(DatePart(FDateTime) + TimePart(Value));
}

void TDateTimePicker::CheckRange(TDateTime Value) const
{
    CheckDateRange(Value, FMinDate, FMaxDate);
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
    CheckRange(Value);
    FDateTime = Value;
    UpdateValue();
}

void TDateTimePicker::UpdateValue()
{
    if (!HandleAllocated()) return;
    if (FShowCheckbox && !FChecked) {
        SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_NONE, 0);
    } else {
        SYSTEMTIME st = ToSystemTime(FDateTime);
        if (SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)) == 0)
            throw ECommonCalendarError(L"Failed to set calendar date or time");
    }
}

void TDateTimePicker::UpdateRange()
{
    if (HandleAllocated()) SendDateRange(Handle(), DTM_SETRANGE, FMinDate, FMaxDate, EndOfDay);
}

void TDateTimePicker::SetMinDate(TDateTime Value)
{
    if (Value != 0) CheckDateRange(Value, 0, FMaxDate);
    FMinDate = Value;
    UpdateRange();
    if (Value != 0 && DatePart(FDateTime) < DatePart(Value)) {
        FDateTime = DatePart(Value) + TimePart(FDateTime);
        UpdateValue();
    }
}

void TDateTimePicker::SetMaxDate(TDateTime Value)
{
    if (Value != 0) CheckDateRange(Value, FMinDate, 0);
    FMaxDate = Value;
    UpdateRange();
    if (Value != 0 && DatePart(FDateTime) > DatePart(Value)) {
        FDateTime = DatePart(Value) + TimePart(FDateTime);
        UpdateValue();
    }
}

bool TDateTimePicker::Checked() const
{
    if (!FShowCheckbox) return true;
    if (FHandle != nullptr) {
        SYSTEMTIME st{};
        return SendMessageW(FHandle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
    }
    return FChecked;
}

void TDateTimePicker::SetChecked(bool Value)
{
    FChecked = Value;
    if (FShowCheckbox) UpdateValue();
}

void TDateTimePicker::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    StyleChanged();
}

void TDateTimePicker::SetFormat(const String& Value)
{
    FFormat = Value;
    if (HandleAllocated())
        SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(FFormat.empty() ? nullptr : FFormat.c_str()));
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value)
{
    if (FDateFormat == Value) return;
    FDateFormat = Value;
    StyleChanged();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
    if (FDateMode == Value) return;
    FDateMode = Value;
    StyleChanged();
}

void TDateTimePicker::SetShowCheckbox(bool Value)
{
    if (FShowCheckbox == Value) return;
    FShowCheckbox = Value;
    StyleChanged();
}

void TDateTimePicker::SetParseInput(bool Value)
{
    if (FParseInput == Value) return;
    FParseInput = Value;
    StyleChanged();
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment Value)
{
    if (FCalAlignment == Value) return;
    FCalAlignment = Value;
    StyleChanged();
}

void TDateTimePicker::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, DATETIMEPICK_CLASSW);
    if (FKind == dtkTime)
        Params.Style |= DTS_TIMEFORMAT;
    else {
        if (FDateFormat == dfLong) Params.Style |= DTS_LONGDATEFORMAT;
        if (FDateMode == dmUpDown) Params.Style |= DTS_UPDOWN;
    }
    if (FShowCheckbox) Params.Style |= DTS_SHOWNONE;
    if (FParseInput) Params.Style |= DTS_APPCANPARSE;
    if (FCalAlignment == dtaRight) Params.Style |= DTS_RIGHTALIGN;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TDateTimePicker::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateRange();
    if (!FFormat.empty()) SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(FFormat.c_str()));
    UpdateValue();
    FCalColors->Apply();
    FCalendarHandle = nullptr;
    FDroppedDown = false;
}

void TDateTimePicker::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}

void TDateTimePicker::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case DTN_DATETIMECHANGE: {
        const NMDATETIMECHANGE* info = reinterpret_cast<const NMDATETIMECHANGE*>(Message.LParam);
        if (info->dwFlags == GDT_NONE)
            FChecked = false;
        else {
            FChecked = true;
            TDateTime value = SystemTimeToDateTime(info->st);
            if (FKind == dtkDate)
                FDateTime = DatePart(value) + TimePart(FDateTime);
            else
                FDateTime = DatePart(FDateTime) + TimePart(value);
        }
        Message.Result = 0;
        Change();
        break;
    }
    case DTN_DROPDOWN:
        FDroppedDown = true;
        FCalendarHandle = reinterpret_cast<HWND>(SendMessageW(Handle(), DTM_GETMONTHCAL, 0, 0));
        FCalColors->Apply();
        Message.Result = 0;
        DoDropDown();
        break;
    case DTN_CLOSEUP:
        FDroppedDown = false;
        FCalendarHandle = nullptr;
        Message.Result = 0;
        DoCloseUp();
        break;
    case DTN_USERSTRINGW: {
        NMDATETIMESTRINGW* info = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
        TDateTime value = FDateTime;
        bool allow = true;
        String text = info->pszUserString != nullptr ? info->pszUserString : L"";
        if (OnUserInput)
            OnUserInput(this, text, value, allow);
        else
            allow = TryStrToDateTime(text, value);
        // A value outside the range is refused like text that could not be read.
        if (allow && (BelowMinDate(value, FMinDate) || AboveMaxDate(value, FMaxDate))) allow = false;
        info->st = ToSystemTime(allow ? value : FDateTime);
        info->dwFlags = GDT_VALID;
        Message.Result = 0;
        break;
    }
    default: TWinControl::Dispatch(Message); break;
    }
}

void TDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

void TDateTimePicker::DoDropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::DoCloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}
