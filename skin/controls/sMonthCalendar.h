#pragma once
// Unit sMonthCalendar: TsMonthCalendar, a skinned panel showing one month: a title bar with the
// month's name and year, four buttons stepping a year or a month back and forth, and a grid of
// weekday names and day numbers with optional week numbers and an optional Today button. The
// title bar opens a menu of decades, years and months. The calendar holds one date; the grid's
// selection marks its day, and everything that moves the date moves through CalendarDate or
// the Day, Month and Year elements, so OnChange fires once for each change.
//
// Week numbers count from 1 with weeks starting on Sunday, week 1 being the week of 1 January.
#include <array>
#include <functional>

#include "framework/comctrls/MonthCalendar.h"
#include "framework/grids/Grids.h"
#include "framework/menus/Menus.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"

class TsMonthCalendar;
class TsPopupCalendar;

using TDaysOfWeek = TEnumSet<TCalDayOfWeek>;
// Lets the owner colour one day: Background comes in as $FF00FF (none) and a colour other than
// that becomes the cell's fill.
using TGetCellParams = std::function<void(TObject* Sender, TFont* Font, TColor& Background, TDateTime ADate)>;

// The localised "Today:" of the system's calendar (empty when the system has none) and the
// week column's header.
const String& TodayText();
extern const wchar_t* const WeekHeaderText;

// Week number as the calendar shows it (1-based, Sunday weeks, week 1 holds 1 January).
int CalendarWeekNumber(TDateTime Day);

class TsCalendGrid : public TDrawGrid {
public:
    explicit TsCalendGrid(TsMonthCalendar* AOwner);

    void CreateWnd() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void Click() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

    // Guards the popup's handling of one click.
    bool Clicked = false;

private:
    // The day cells' and the gap's background: the calendar's, behind this cell.
    void FillCalendarBackground(HDC DC, const TRect& R);
    void LeftButtonReleased(TMessage& Message);

    TsMonthCalendar* FOwner;
};

class TsMonthCalendar : public TsPanel {
public:
    explicit TsMonthCalendar(TComponent* AOwner);
    ~TsMonthCalendar() override;

    // ---- The date ----
    TDateTime CalendarDate() const { return FDate; }
    void SetCalendarDate(TDateTime Value);
    int Day() const;
    int Month() const;
    int Year() const;
    // Values below 1, the current value and values the month cannot hold are ignored.
    void SetDay(int Value);
    void SetMonth(int Value);
    void SetYear(int Value);
    void PrevMonth();
    void NextMonth();
    void PrevYear();
    void NextYear();
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    // Inside MinDate .. MaxDate (a bound of 0 is none).
    bool IsValidDate(TDateTime D) const;
    bool UseCurrentDate() const { return FUseCurrentDate; }
    void SetUseCurrentDate(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }

    // ---- Looks ----
    TCalDayOfWeek StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TCalDayOfWeek Value);
    // 0 Monday .. 6 Sunday: StartOfWeek, or the locale's first day.
    int FirstDayOfWeek() const;
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek Value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor Value);
    bool ShowTitle() const { return FShowTitle; }
    void SetShowTitle(bool Value);
    bool ShowCurrentDate() const { return FShowCurrentDate; }
    void SetShowCurrentDate(bool Value);
    bool ShowWeeks() const { return FShowWeeks; }
    void SetShowWeeks(bool Value);
    bool ShowTodayBtn() const { return FShowTodayBtn; }
    void SetShowTodayBtn(bool Value);
    bool ShowSelectAlways() const { return FShowSelectAlways; }
    void SetShowSelectAlways(bool Value);
    bool ShowYearBtns() const { return FShowYearBtns; }
    void SetShowYearBtns(bool Value);
    bool ShowMonthBtns() const { return FShowMonthBtns; }
    void SetShowMonthBtns(bool Value);

    // ---- Layout of the grid ----
    // 1 while the week column shows, else 0.
    int WeekColumns() const { return FShowWeeks ? 1 : 0; }
    // Grid position of day 1 (see FillGrid).
    int MonthOffset() const { return FMonthOffset; }
    // The text of a grid cell: weekday names, day numbers, week numbers.
    String CellText(int ACol, int ARow);
    // The day a cell shows, 0 for none.
    int CellDay(int ACol, int ARow) const;
    bool IsWeekendColumn(int ACol) const;
    virtual void UpdateCalendar();
    void UpdateGrid();

    TsCalendGrid* Grid() const { return FGrid; }
    TsDragBar* DragBar() const { return FDragBar; }
    TsSpeedButton* TodayButton() const { return FTodayBtn; }
    // "<<", "<", ">", ">>".
    TsTimerSpeedButton* NavButton(int Index) const { return FBtns[static_cast<size_t>(Index)]; }
    // The month and year menu; null until first opened.
    TPopupMenu* MonthYearMenu() const { return PopMenu; }
    // Builds the menu around the current year (once).
    void BuildMonthYearMenu();

    void CreateWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;
    TGetCellParams OnGetCellParams;
    TGetCellParams OnDrawDay;

private:
    friend class TsCalendGrid;
    enum TDateElement { deDay, deMonth, deYear };
    void SetDateElement(TDateElement Element, int Value);
    void ChangeMonth(int Delta);
    void FillGrid(bool KeepTitle);
    void Changed();
    void TodayClick(TObject* Sender);
    // The date edit's drop-down this calendar serves, or null.
    TsPopupCalendar* PopupOwner() const;
    void TitleMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ApplyButtonVisibility();
    void FontChanged();

    TDateTime FDate = 0;
    int FMonthOffset = 0;
    bool FReadOnly = false;
    TCalDayOfWeek FStartOfWeek = dowLocaleDefault;
    bool FUpdating = false;
    bool FUseCurrentDate = true;
    TDaysOfWeek FWeekends{dowSunday};
    TColor FWeekendColor = clRed;
    bool FShowTitle = true;
    bool FShowCurrentDate = true;
    bool FShowWeeks = false;
    bool FShowTodayBtn = false;
    bool FShowSelectAlways = true;
    bool FShowYearBtns = true;
    bool FShowMonthBtns = true;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    TPopupMenu* PopMenu = nullptr;
    TsCalendGrid* FGrid = nullptr;
    TsDragBar* FDragBar = nullptr;
    TsPanel* FSeparator = nullptr;
    TsSpeedButton* FTodayBtn = nullptr;
    std::array<TsTimerSpeedButton*, 4> FBtns{};
};
