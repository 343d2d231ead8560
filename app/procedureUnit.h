#pragma once
// Unit procedureUnit: the computations of the main form's two pages. The month page lays a month
// out as a calendar in caleGrid and marks and counts its duty days; the holiday page writes the
// sixteen days around a holiday into AdvStringGrid1, names the holiday's date and marks and
// counts the duty days. Everything is read from Form1's controls and asked of the calendar
// library; the only date arithmetic here is adding whole days to a start date and wrapping day
// numbers at a month's length.
//
// Each caller clears the page's grid first and then runs its two procedures in order. Before
// clearing, it asks the input check of the page: a year or month text that is no number raises
// EConvertError there, and a number the library must not see (a month outside 1 to 12, a year
// outside 1 to 9999, for lunar holidays a year outside the list) is told in a message box and
// answered with false, so the page keeps what it shows. The procedures repeat the check, so
// nothing out of range ever reaches the library.

// Month page.
void FillMonthLayout();
void MarkMonthDutyDays();
bool MonthInputsValid();

// Holiday page. With no holiday chosen (or no holiday kind selected) the procedures do nothing,
// and the check passes.
void ShowHolidayDate();
void FillHolidayTable();
bool HolidayInputsValid();
