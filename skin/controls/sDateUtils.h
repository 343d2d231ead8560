#pragma once
// Unit sDateUtils: what the date edit and the month calendar share about dates as text: month
// lengths, the day/month/year order of the user's short date format, the fixed date pictures and
// edit masks derived from that order, date validation, and the tolerant reading of a date back
// from a masked edit's text (first by the positions of the picture's letters, then by scanning
// numbers between date separators). Nothing here raises and nothing keeps state but the
// four-digit-year flag read once from the locale.
#include "framework/system/SystemTypes.h"

// Date orders of a picture.
inline constexpr int doMDY = 0;
inline constexpr int doDMY = 1;
inline constexpr int doYMD = 2;

// Whether the locale's short date format writes four-digit years ("YYYY"), read on first use.
bool FourDigitYearDefault();

int DaysPerMonth(int Year, int Month);
// The first of D, M, Y (either case) in Format decides; none gives doDMY.
int DateOrder(const String& Format);
// "MM/DD/YYYY", "DD/MM/YYYY" or "YYYY/MM/DD" by the locale's order ("YY" with two digits).
String DefDateFormat(bool FourDigits);
// The edit mask of DefDateFormat, ending with the blank character.
String DefDateMask(wchar_t BlanksChar, bool FourDigits);
// Year 1..9999, month 1..12, day within the month; each is taken as a 16-bit unsigned value, so
// negative numbers are out of range too.
bool ValidYMD(int Year, int Month, int Day);
// The day part of D is a date of years 1..9999.
bool ValidDateTime(TDateTime D);
// A year written with two digits falls into the window from 60 years before the clock's year to
// 39 years after it; larger years stay as they are.
int ExpandYear(int Year);

// ---- Reading a date back from text ----

// The characters of Text standing under Width copies of Letter in Format: Width 1 reads them as
// a number (-1 when they are none), a larger Width as the start of a month name (-1 when it names
// none). Initial when Text is longer than Format or Format lacks the letters; Default when only
// blanks stand there.
int ExtractFieldByFormat(const String& Format, const String& Text, wchar_t Letter, int Width, int Default,
                         int Initial);
// The month (1..12) whose long name starts with the first N characters of S, case ignored; 0 when
// none.
int MonthFromName(const String& S, int N);
// Reads Text by the positions of Format's letters, else by ScanDateNumbers.
bool ReadDateByFormat(const String& Format, const String& Text, int& Day, int& Month, int& Year);
// Two or three numbers joined by the locale's date separator, in Format's order; two numbers
// mean the current year. True only for a valid date that uses up the whole text.
bool ScanDateNumbers(const String& Text, const String& Format, int& Pos, int& Day, int& Month, int& Year);
// Pos is 1-based. Blanks before the number are skipped; at most MaxLength (and four) digits.
bool ReadNumberAt(const String& S, int MaxLength, int& Pos, int& Number);
bool ReadCharAt(const String& S, int& Pos, wchar_t Ch);
void SkipBlanks(const String& S, int& Pos);
// An empty text is the null date; otherwise the date read from it, false when unreadable.
bool TryStrToDateFmt(const String& Format, const String& Text, TDateTime& Date);
