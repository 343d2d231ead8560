#pragma once
// Locale conventions for turning numbers and dates into text and back: separators, date and time
// pictures, AM/PM markers, month and day names, currency. The process-wide FormatSettings is read
// from the user's default locale at start-up and is what the functions without a settings
// parameter use; tests swap it for a hand-built one with TFormatSettingsOverride.
#include <array>

#include "framework/system/SystemTypes.h"

struct TFormatSettings {
    // A default-constructed value holds neutral English conventions (the same as Invariant()).
    wchar_t DecimalSeparator = L'.';
    wchar_t ThousandSeparator = L',';
    wchar_t DateSeparator = L'/';
    wchar_t TimeSeparator = L':';
    wchar_t ListSeparator = L',';

    // Date and time pictures in FormatDateTime's letters; "/" and ":" in a picture stand for
    // DateSeparator and TimeSeparator. The order of d, m and y in ShortDateFormat also decides
    // how StrToDate reads its numbers.
    String ShortDateFormat = L"MM/dd/yyyy";
    String LongDateFormat = L"dddd, dd MMMMM yyyy";
    String ShortTimeFormat = L"hh:nn";
    String LongTimeFormat = L"hh:nn:ss";
    String TimeAMString = L"AM";
    String TimePMString = L"PM";

    // Zero-based: [0] is January, and for the day names [0] is Sunday.
    std::array<String, 12> ShortMonthNames{L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                           L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    std::array<String, 12> LongMonthNames{L"January", L"February", L"March",     L"April",
                                          L"May",     L"June",     L"July",      L"August",
                                          L"September", L"October", L"November", L"December"};
    std::array<String, 7> ShortDayNames{L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    std::array<String, 7> LongDayNames{L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                       L"Thursday", L"Friday", L"Saturday"};

    // Currency: CurrencyFormat 0..3 places the symbol ("$1", "1$", "$ 1", "1 $"); NegCurrFormat
    // 0..15 picks one of the sixteen classic negative layouts ("($1)", "-$1", ...).
    String CurrencyString = L"\x00A4";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;

    // Two-digit years read by StrToDate land in the hundred years starting this many years
    // before the current year; 0 puts them in the current century.
    int TwoDigitYearCenturyWindow = 50;

    // The conventions of a Windows locale, by identifier (LOCALE_USER_DEFAULT, 0x0407, ...) or by
    // name (L"de-DE"). Time pictures are derived from the locale's hour and AM/PM settings.
    static TFormatSettings FromLocale(unsigned long localeId);
    static TFormatSettings FromLocale(const String& localeName);
    // Fixed conventions for files and other machine-read text.
    static TFormatSettings Invariant();
};

// The settings every locale-dependent function uses when none is passed.
extern TFormatSettings FormatSettings;

// Replaces the process-wide FormatSettings for the lifetime of the guard and then restores it.
class TFormatSettingsOverride {
public:
    explicit TFormatSettingsOverride(const TFormatSettings& replacement);
    ~TFormatSettingsOverride();
    TFormatSettingsOverride(const TFormatSettingsOverride&) = delete;
    TFormatSettingsOverride& operator=(const TFormatSettingsOverride&) = delete;

private:
    TFormatSettings FSaved;
};
