#pragma once
// TMonthCalendar over SysMonthCal32, and the calendar vocabulary the date-time picker shares with
// it: the range error, the first day of the week and the calendar colours. The calendar keeps its
// value while it has no window and writes it into the window when it is made; the user's changes
// come back as MCN_SELCHANGE / MCN_GETDAYSTATE reflected by the parent. A bound (MinDate,
// MaxDate) of 0 means none.
#include <windows.h>
#include <functional>
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/system/Exceptions.h"

KVL_DECLARE_EXCEPTION(ECommonCalendarError, Exception);

enum TCalDayOfWeek { dowMonday, dowTuesday, dowWednesday, dowThursday, dowFriday, dowSaturday, dowSunday, dowLocaleDefault };

// Text of the range errors: "Date exceeds maximum of <date>", "Date is less than minimum of <date>".
String DateExceedsMaximumText(TDateTime MaxDate);
String DateBelowMinimumText(TDateTime MinDate);

// The colours of a month calendar (of a TMonthCalendar, or of a picker's drop-down calendar).
class TMonthCalColors : public TPersistent {
public:
    // Owner is the calendar or the picker the colours go to.
    explicit TMonthCalColors(TWinControl* Owner) : FOwner(Owner) {}
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override { return FOwner; }

    TColor BackColor() const { return FColors[0]; }
    void SetBackColor(TColor Value) { SetColor(0, Value); }
    TColor TextColor() const { return FColors[1]; }
    void SetTextColor(TColor Value) { SetColor(1, Value); }
    TColor TitleBackColor() const { return FColors[2]; }
    void SetTitleBackColor(TColor Value) { SetColor(2, Value); }
    TColor TitleTextColor() const { return FColors[3]; }
    void SetTitleTextColor(TColor Value) { SetColor(3, Value); }
    TColor MonthBackColor() const { return FColors[4]; }
    void SetMonthBackColor(TColor Value) { SetColor(4, Value); }
    TColor TrailingTextColor() const { return FColors[5]; }
    void SetTrailingTextColor(TColor Value) { SetColor(5, Value); }

    // Writes every colour into the owner's window (when it has one).
    void Apply();

private:
    void SetColor(int Index, TColor Value);
    TWinControl* FOwner;
    TColor FColors[6] = {clWindow, clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText};
};

// Asks for the days of Month (1 .. 12) to show bold: bit n-1 of MonthBoldInfo for day n.
using TOnGetMonthInfoEvent = std::function<void(TObject* Sender, unsigned Month, unsigned& MonthBoldInfo)>;

class TMonthCalendar : public TWinControl {
public:
    explicit TMonthCalendar(TComponent* AOwner);
    ~TMonthCalendar() override;

    // The selected date (the first of the range with MultiSelect).
    TDateTime Date() const { return FDate; }
    void SetDate(TDateTime Value);
    // The last selected date with MultiSelect.
    TDateTime EndDate() const { return FEndDate; }
    void SetEndDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    int MaxSelectRange() const { return FMaxSelectRange; }
    void SetMaxSelectRange(int Value);
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value);
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value);
    bool WeekNumbers() const { return FWeekNumbers; }
    void SetWeekNumbers(bool Value);
    TCalDayOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TCalDayOfWeek Value);
    TMonthCalColors* CalColors() const { return FCalColors.get(); }
    void SetCalColors(TMonthCalColors* Value) { FCalColors->Assign(Value); }
    // The smallest size that shows one whole month.
    TRect MinReqRect();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNNotify(TMessage& Message);
    // The user selected another date (OnChange).
    virtual void Change();

    TNotifyEvent OnChange;
    TOnGetMonthInfoEvent OnGetMonthInfo;

private:
    void CheckRange(TDateTime Value) const;
    void UpdateRange();
    void UpdateSelection();
    void UpdateFirstDay();
    void StyleChanged();

    TDateTime FDate;
    TDateTime FEndDate;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FMultiSelect = false;
    int FMaxSelectRange = 7;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
    bool FWeekNumbers = false;
    TCalDayOfWeek FFirstDayOfWeek = dowLocaleDefault;
    std::unique_ptr<TMonthCalColors> FCalColors;
};
