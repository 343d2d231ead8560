#include "framework/comctrls/MonthCalendar.h"

#include <commctrl.h>
#include <algorithm>
#include <cmath>

#include "framework/comctrls/CalendarDates.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/system/DateTimeUtils.h"

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
