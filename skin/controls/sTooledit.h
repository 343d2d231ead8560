#pragma once
// Unit sTooledit: the date edit. Its text is a date under an edit mask made from the user's
// short date order ("!9999/99/99;1; " for year-month-day), its button drops down a month
// calendar, and Date reads and writes the value as a date. The text is the only storage of the
// date: reading is tolerant (by the positions of the picture's letters, else by scanning
// numbers; sDateUtils), and a text that is no date reads as today with DefaultToday, else as
// the null date (0), which shows as an empty edit. Nothing typed raises, except that with
// CheckOnExit a text that is no date refuses to be left: the focus comes back and
// EConvertError "Invalid Date" reaches the user.
//
// Setting Date changes the text the way typing does, so OnChange fires for it whether or not the
// edit has a window yet (an edit without window gets no EN_CHANGE, so it is fired here), but not
// while the drop-down shows: a date taken from it fires OnChange once, explicitly.
#include <functional>
#include <memory>

#include "framework/classes/StringList.h"
#include "framework/controls/Forms.h"
#include "skin/controls/sCustomComboEdit.h"
#include "skin/controls/sMonthCalendar.h"
#include "skin/controls/sPopupClndr.h"
#include "skin/core/sCommonData.h"

// The null date: no date at all.
constexpr TDateTime NullDate = 0;

enum TYearDigits { dyDefault, dyFour, dyTwo };
// Asked before a date picked in the drop-down is taken: may change it, or refuse it (Action false).
using TOnAcceptDate = std::function<void(TObject* Sender, TDateTime& ADate, bool& Action)>;

// The date read from Text under Format (sDateUtils), else Default's day.
TDateTime StrToDateFmtDef(const String& Format, const String& Text, TDateTime Default);

// A skinned combo edit whose button (the calendar glyph) drops down a month calendar.
class TsCustomDateEdit : public TsCustomComboEdit {
public:
    explicit TsCustomDateEdit(TComponent* AOwner);
    ~TsCustomDateEdit() override;

    // ---- The date ----
    TDateTime Date();
    void SetDate(TDateTime Value);
    // SetDate, then the whole text selected.
    virtual void ApplyDate(TDateTime Value);
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    bool DefaultToday() const { return FDefaultToday; }
    void SetDefaultToday(bool Value) { FDefaultToday = Value; }
    // The text holds characters other than blanks and separators.
    bool TextEntered();
    // The text holds a date (a blank edit does not, whatever DefaultToday says).
    bool HasValidDate();
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool Value) { FCheckOnExit = Value; }
    // False for a blank text. A text the locale reads as a date becomes that date; any other
    // raises EConvertError "Invalid Date" after the focus was put back into the edit.
    bool CheckValidDate();

    // ---- Format and mask ----
    // The picture of the text ("YYYY/MM/DD" ...); "/" stands for the locale's date separator.
    const String& DateFormat() const { return FDateFormat; }
    wchar_t BlanksChar() const { return FBlanksChar; }
    void SetBlanksChar(wchar_t Value);
    TYearDigits YearDigits() const { return FYearDigits; }
    void SetYearDigits(TYearDigits Value);
    // Makes the format and the mask again from the locale, keeping the date.
    virtual void UpdateMask();
    void UpdateFormat();
    // Whether the picture writes four-digit years.
    bool FourDigits() const;

    // ---- The drop-down calendar ----
    const String& DialogTitle() const { return FTitle; }
    void SetDialogTitle(const String& Value) { FTitle = Value; }
    TStrings* CalendarHints() const { return FCalendarHints.get(); }
    void SetCalendarHints(TStrings* Value);
    TCalDayOfWeek StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TCalDayOfWeek Value);
    TDaysOfWeek Weekends() const { return FWeekends; }
    void SetWeekends(TDaysOfWeek Value);
    TColor WeekendColor() const { return FWeekendColor; }
    void SetWeekendColor(TColor Value);
    bool ShowCurrentDate() const { return FShowCurrentDate; }
    void SetShowCurrentDate(bool Value) { FShowCurrentDate = Value; }
    bool ShowWeeks() const { return FShowWeeks; }
    void SetShowWeeks(bool Value) { FShowWeeks = Value; }
    bool ShowTodayBtn() const { return FShowTodayBtn; }
    void SetShowTodayBtn(bool Value) { FShowTodayBtn = Value; }
    // Hands the settings above to the calendar of the drop-down (when there is one).
    void UpdatePopup();
    // Opens the calendar under the edit (above it when there is no room below) on the shown
    // date, or today, with the keyboard in its day grid.
    void DropDown() override;
    TsPopupCalendar* PopupCalendar() const { return FPopup; }

    void Change() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void CMExit(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    TOnAcceptDate OnAcceptDate;
    TGetCellParams OnGetCellParams;
    TGetCellParams OnDrawDay;

protected:
    // The edit's date, or Now when it is null: where + and - step from.
    TDateTime DateOrNow();

private:
    void CalendarHintsChanged(TObject* Sender);
    void InstallLocaleHook();
    void RemoveLocaleHook();
    bool LocaleHook(TMessage& Message);

    String FTitle = L"Date select";
    bool FDefaultToday = false;
    bool FHooked = false;
    bool FCheckOnExit = false;
    wchar_t FBlanksChar = L' ';
    std::unique_ptr<TStringList> FCalendarHints;
    TCalDayOfWeek FStartOfWeek = dowLocaleDefault;
    TDaysOfWeek FWeekends{dowSunday};
    TColor FWeekendColor = clRed;
    TYearDigits FYearDigits = dyFour;
    String FDateFormat;
    bool FFormatting = false;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FShowCurrentDate = true;
    bool FShowWeeks = false;
    bool FShowTodayBtn = true;
    TsPopupCalendar* FPopup = nullptr;
};

class TsDateEdit : public TsCustomDateEdit {
public:
    explicit TsDateEdit(TComponent* AOwner);
};
