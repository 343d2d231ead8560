#pragma once
// Hand-built locale conventions for tests, so results do not depend on Wine's locale tables.
#include "framework/system/FormatSettings.h"

namespace kvltest {

inline TFormatSettings EnglishUS()
{
    TFormatSettings fs;
    fs.DecimalSeparator = L'.';
    fs.ThousandSeparator = L',';
    fs.DateSeparator = L'/';
    fs.TimeSeparator = L':';
    fs.ShortDateFormat = L"M/d/yyyy";
    fs.LongDateFormat = L"dddd, MMMM d, yyyy";
    fs.ShortTimeFormat = L"h:mm AMPM";
    fs.LongTimeFormat = L"h:mm:ss AMPM";
    fs.TimeAMString = L"AM";
    fs.TimePMString = L"PM";
    fs.CurrencyString = L"$";
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 0;
    fs.CurrencyDecimals = 2;
    return fs;
}

inline TFormatSettings GermanDE()
{
    TFormatSettings fs;
    fs.DecimalSeparator = L',';
    fs.ThousandSeparator = L'.';
    fs.DateSeparator = L'.';
    fs.TimeSeparator = L':';
    fs.ShortDateFormat = L"dd.MM.yyyy";
    fs.LongDateFormat = L"dddd, d. MMMM yyyy";
    fs.ShortTimeFormat = L"hh:mm";
    fs.LongTimeFormat = L"hh:mm:ss";
    fs.TimeAMString = L"";
    fs.TimePMString = L"";
    fs.ShortMonthNames = {L"Jan", L"Feb", L"M\u00E4r", L"Apr", L"Mai", L"Jun",
                          L"Jul", L"Aug", L"Sep", L"Okt", L"Nov", L"Dez"};
    fs.LongMonthNames = {L"Januar", L"Februar", L"M\u00E4rz",    L"April",   L"Mai",      L"Juni",
                         L"Juli",   L"August",  L"September", L"Oktober", L"November", L"Dezember"};
    fs.ShortDayNames = {L"So", L"Mo", L"Di", L"Mi", L"Do", L"Fr", L"Sa"};
    fs.LongDayNames = {L"Sonntag", L"Montag", L"Dienstag", L"Mittwoch", L"Donnerstag", L"Freitag", L"Samstag"};
    fs.CurrencyString = L"\u20AC";
    fs.CurrencyFormat = 3;
    fs.NegCurrFormat = 8;
    fs.CurrencyDecimals = 2;
    return fs;
}

inline TFormatSettings ChineseCN()
{
    TFormatSettings fs;
    fs.DecimalSeparator = L'.';
    fs.ThousandSeparator = L',';
    fs.DateSeparator = L'/';
    fs.TimeSeparator = L':';
    fs.ShortDateFormat = L"yyyy/M/d";
    fs.LongDateFormat = L"yyyy'\u5E74'M'\u6708'd'\u65E5'";
    fs.ShortTimeFormat = L"h:mm";
    fs.LongTimeFormat = L"h:mm:ss";
    fs.TimeAMString = L"\u4E0A\u5348";
    fs.TimePMString = L"\u4E0B\u5348";
    fs.LongDayNames = {L"\u661F\u671F\u65E5", L"\u661F\u671F\u4E00", L"\u661F\u671F\u4E8C", L"\u661F\u671F\u4E09",
                       L"\u661F\u671F\u56DB", L"\u661F\u671F\u4E94", L"\u661F\u671F\u516D"};
    fs.CurrencyString = L"\u00A5";
    fs.CurrencyFormat = 0;
    fs.NegCurrFormat = 2;
    return fs;
}

} // namespace kvltest
