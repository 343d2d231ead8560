#pragma once
// The calendar library the program stands on: Library\initialize.dll in the program's folder.
// It is bound once at start-up by its full path (LoadLibraryExW, then each entry point by name)
// so that a missing file or entry point can be told to the user before anything starts. The
// wrappers below turn its answers into the program's types: BSTR texts become String (and are
// freed), dates are TDateTime. Calling a wrapper while the library is not bound raises
// EInvalidOperation.
#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

// Binds <ProgramFolder>\Library\initialize.dll. Answers an empty text when it and all its entry
// points are there; otherwise a message for the user saying what is missing (nothing stays
// bound then). Binding again first releases what was bound.
String BindCalendarLibrary(const String& ProgramFolder);
void UnbindCalendarLibrary();
bool CalendarLibraryBound();

String ThisYear();
String ThisMonth();
// Weekday of the 1st, "1" (Sunday) to "7".
String WeekOfFirstDay(const String& Month, const String& Year);
// The month's last day, "28" to "31".
String LastDay(const String& Month, const String& Year);
int DaysOfFeb(int Year);
// The day of the month of the day before a lunar holiday's sixteen-day stretch.
int DaysOfBegin(int YearIndex, int HolidayIndex);
// The date of that same day.
TDateTime DateOfBegin(int YearIndex, int HolidayIndex);

// "Red" when Day is a duty day of the rotation (24-hour: _72, 48-hour: _48, 12-hour: _36).
String H_judget_72(TDateTime Day, TDateTime FirstDutyDay);
String H_judget_48(TDateTime Day, TDateTime FirstDutyDay);
String H_judget_36(TDateTime Day, TDateTime FirstDutyDay);
// The same for the day at Offset (0 to 15) of a lunar holiday's stretch.
String L_judget_72(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay);
String L_judget_48(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay);
String L_judget_36(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay);
