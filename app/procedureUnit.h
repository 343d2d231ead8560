#pragma once
// Unit procedureUnit: the computations of the main form's two pages. The month page lays a month
// out as a calendar in caleGrid and marks and counts its duty days; the holiday page writes the
// sixteen days around a holiday into AdvStringGrid1, names the holiday's date and marks and
// counts the duty days. Everything is read from Form1's controls and asked of the calendar
// library; the only date arithmetic here is adding whole days to a start date and wrapping day
// numbers at a month's length.
//
// Each caller clears the page's grid first and then runs its two procedures in order, but only
// once the page's readiness check says yes. Years and months are decimal numbers (blanks around
// them allowed); a text that is none, or a number the library must not see (a month outside 1 to
// 12, a year outside 1 to 9999, for lunar holidays a year outside the list), is told in a message
// box and answered with no, as are an empty box (an entry not yet finished, told nothing), no
// chosen holiday and a first duty day that is no date (the date edit tells that when it is left):
// the page then keeps what it shows. The procedures repeat the input check, so nothing out of
// range ever reaches the library.

// Month page.
void FillMonthLayout();
void MarkMonthDutyDays();
bool MonthPageReady();

// Holiday page. With no holiday chosen (or no holiday kind selected) the procedures do nothing.
// A holiday is chosen while the box shows the selected entry.
void ShowHolidayDate();
void FillHolidayTable();
bool HolidayPageReady();
