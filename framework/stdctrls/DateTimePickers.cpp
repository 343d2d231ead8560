#include "framework/stdctrls/DateTimePickers.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "framework/stdctrls/PageControls.h"
#include "framework/system/DateTimeUtils.h"

namespace {

double DatePart(TDateTime Value)
{
    return std::trunc(Value);
}

double TimePart(TDateTime Value)
{
    return std::fabs(Value - std::trunc(Value));
}

SYSTEMTIME ToSystemTime(TDateTime Value)
{
    SYSTEMTIME st{};
    DateTimeToSystemTime(Value, st);
    return st;
}

// The last moment of a day: a bound's date counts as a whole day.
constexpr double EndOfDay = 86399999.0 / 86400000.0;

// Whether Value's date lies before MinDate's / after MaxDate's; a bound of 0 is none.
bool BelowMinDate(TDateTime Value, TDateTime MinDate)
{
    return MinDate != 0 && DatePart(Value) < DatePart(MinDate);
}

bool AboveMaxDate(TDateTime Value, TDateTime MaxDate)
{
    return MaxDate != 0 && DatePart(Value) > DatePart(MaxDate);
}

// Raises when Value's date lies outside MinDate .. MaxDate.
void CheckDateRange(TDateTime Value, TDateTime MinDate, TDateTime MaxDate)
{
    if (BelowMinDate(Value, MinDate)) throw ECommonCalendarError(DateBelowMinimumText(MinDate));
    if (AboveMaxDate(Value, MaxDate)) throw ECommonCalendarError(DateExceedsMaximumText(MaxDate));
}

// Gives the control the bounds it has (0: none) by Message (DTM_SETRANGE, MCM_SETRANGE); the
// upper bound's date goes with the time of day MaxTime.
void SendDateRange(HWND Wnd, UINT Message, TDateTime MinDate, TDateTime MaxDate, double MaxTime)
{
    SYSTEMTIME range[2]{};
    WPARAM flags = 0;
    if (MinDate != 0) {
        range[0] = ToSystemTime(DatePart(MinDate));
        flags |= GDTR_MIN;
    }
    if (MaxDate != 0) {
        range[1] = ToSystemTime(DatePart(MaxDate) + MaxTime);
        flags |= GDTR_MAX;
    }
    SendMessageW(Wnd, Message, flags, reinterpret_cast<LPARAM>(range));
}

} // namespace

String DateExceedsMaximumText(TDateTime MaxDate)
{
    return L"Date exceeds maximum of " + DateToStr(MaxDate);
}

String DateBelowMinimumText(TDateTime MinDate)
{
    return L"Date is less than minimum of " + DateToStr(MinDate);
}

// ---- TMonthCalColors ---------------------------------------------------------------------

void TMonthCalColors::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TMonthCalColors*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    for (int i = 0; i < 6; ++i) FColors[i] = other->FColors[i];
    Apply();
}

void TMonthCalColors::SetColor(int Index, TColor Value)
{
    if (FColors[Index] == Value) return;
    FColors[Index] = Value;
    Apply();
}

void TMonthCalColors::Apply()
{
    if (FOwner == nullptr || !FOwner->HandleAllocated()) return;
    UINT message = dynamic_cast<TMonthCalendar*>(FOwner) != nullptr ? MCM_SETCOLOR : DTM_SETMCCOLOR;
    // The index of each colour is the system's MCSC_ value.
    for (int i = 0; i < 6; ++i)
        SendMessageW(FOwner->Handle(), message, static_cast<WPARAM>(i), static_cast<LPARAM>(ColorToRGB(FColors[i])));
}

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

// ---- TMonthCalendar ----------------------------------------------------------------------

TMonthCalendar::TMonthCalendar(TComponent* AOwner)
    : TWinControl(AOwner), FDate(DatePart(Now())), FEndDate(FDate), FCalColors(std::make_unique<TMonthCalColors>(this))
{
    SetControlStyle(TControlStyle{csOpaque, csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 225, 160);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TMonthCalendar::~TMonthCalendar() = default;

void TMonthCalendar::CheckRange(TDateTime Value) const
{
    CheckDateRange(Value, FMinDate, FMaxDate);
}

void TMonthCalendar::SetDate(TDateTime Value)
{
    CheckRange(Value);
    FDate = DatePart(Value);
    if (!FMultiSelect || FEndDate < FDate || FEndDate - FDate >= FMaxSelectRange) FEndDate = FDate;
    UpdateSelection();
}

void TMonthCalendar::SetEndDate(TDateTime Value)
{
    CheckRange(Value);
    if (!FMultiSelect) return;
    FEndDate = std::max(DatePart(Value), FDate);
    if (FEndDate - FDate >= FMaxSelectRange) FEndDate = FDate + FMaxSelectRange - 1;
    UpdateSelection();
}

void TMonthCalendar::SetMinDate(TDateTime Value)
{
    if (Value != 0) CheckDateRange(Value, 0, FMaxDate);
    FMinDate = Value;
    UpdateRange();
    if (Value != 0 && FDate < DatePart(Value)) SetDate(Value);
}

void TMonthCalendar::SetMaxDate(TDateTime Value)
{
    if (Value != 0) CheckDateRange(Value, FMinDate, 0);
    FMaxDate = Value;
    UpdateRange();
    if (Value != 0 && FDate > DatePart(Value)) SetDate(Value);
}

void TMonthCalendar::UpdateRange()
{
    if (HandleAllocated()) SendDateRange(Handle(), MCM_SETRANGE, FMinDate, FMaxDate, 0);
}

void TMonthCalendar::UpdateSelection()
{
    if (!HandleAllocated()) return;
    if (FMultiSelect) {
        SYSTEMTIME range[2] = {ToSystemTime(FDate), ToSystemTime(FEndDate)};
        SendMessageW(Handle(), MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range));
    } else {
        SYSTEMTIME st = ToSystemTime(FDate);
        SendMessageW(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    }
}

void TMonthCalendar::UpdateFirstDay()
{
    if (!HandleAllocated()) return;
    int day = static_cast<int>(FFirstDayOfWeek);
    if (FFirstDayOfWeek == dowLocaleDefault) {
        wchar_t buf[4] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, buf, 4);
        day = buf[0] >= L'0' && buf[0] <= L'6' ? buf[0] - L'0' : 6;
    }
    SendMessageW(Handle(), MCM_SETFIRSTDAYOFWEEK, 0, day);
}

void TMonthCalendar::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TMonthCalendar::SetMultiSelect(bool Value)
{
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    if (!Value) FEndDate = FDate;
    StyleChanged();
}

void TMonthCalendar::SetMaxSelectRange(int Value)
{
    if (Value < 1) Value = 1;
    FMaxSelectRange = Value;
    if (HandleAllocated() && FMultiSelect) SendMessageW(Handle(), MCM_SETMAXSELCOUNT, static_cast<WPARAM>(Value), 0);
}

void TMonthCalendar::SetShowToday(bool Value)
{
    if (FShowToday == Value) return;
    FShowToday = Value;
    StyleChanged();
}

void TMonthCalendar::SetShowTodayCircle(bool Value)
{
    if (FShowTodayCircle == Value) return;
    FShowTodayCircle = Value;
    StyleChanged();
}

void TMonthCalendar::SetWeekNumbers(bool Value)
{
    if (FWeekNumbers == Value) return;
    FWeekNumbers = Value;
    StyleChanged();
}

void TMonthCalendar::SetFirstDayOfWeek(TCalDayOfWeek Value)
{
    FFirstDayOfWeek = Value;
    UpdateFirstDay();
}

TRect TMonthCalendar::MinReqRect()
{
    TRect r{0, 0, 0, 0};
    SendMessageW(Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TMonthCalendar::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, MONTHCAL_CLASSW);
    Params.Style |= MCS_DAYSTATE;
    if (FMultiSelect) Params.Style |= MCS_MULTISELECT;
    if (!FShowToday) Params.Style |= MCS_NOTODAY;
    if (!FShowTodayCircle) Params.Style |= MCS_NOTODAYCIRCLE;
    if (FWeekNumbers) Params.Style |= MCS_WEEKNUMBERS;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TMonthCalendar::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FMultiSelect) SendMessageW(Handle(), MCM_SETMAXSELCOUNT, static_cast<WPARAM>(FMaxSelectRange), 0);
    UpdateRange();
    UpdateFirstDay();
    UpdateSelection();
    FCalColors->Apply();
}

void TMonthCalendar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}

void TMonthCalendar::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case MCN_SELCHANGE: {
        const NMSELCHANGE* info = reinterpret_cast<const NMSELCHANGE*>(Message.LParam);
        TDateTime start = DatePart(SystemTimeToDateTime(info->stSelStart));
        TDateTime end = FMultiSelect ? DatePart(SystemTimeToDateTime(info->stSelEnd)) : start;
        Message.Result = 0;
        if (start != FDate || end != FEndDate) {
            FDate = start;
            FEndDate = end;
            Change();
        }
        break;
    }
    case MCN_GETDAYSTATE: {
        NMDAYSTATE* info = reinterpret_cast<NMDAYSTATE*>(Message.LParam);
        unsigned month = info->stStart.wMonth;
        for (int i = 0; i < info->cDayState; ++i) {
            unsigned bold = 0;
            if (OnGetMonthInfo) OnGetMonthInfo(this, month, bold);
            info->prgDayState[i] = bold;
            month = month % 12 + 1;
        }
        Message.Result = 0;
        break;
    }
    default: TWinControl::Dispatch(Message); break;
    }
}

void TMonthCalendar::Change()
{
    if (OnChange) OnChange(this);
}
