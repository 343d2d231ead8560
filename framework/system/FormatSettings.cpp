#include "framework/system/FormatSettings.h"

#include <windows.h>

#include <functional>

namespace {

using TLocaleReader = std::function<String(LCTYPE)>;

String ReadLocaleInfo(LCID locale, LCTYPE type)
{
    wchar_t buffer[256];
    int length = GetLocaleInfoW(locale, type, buffer, 256);
    return length > 1 ? String(buffer, static_cast<size_t>(length - 1)) : String();
}

String ReadLocaleInfoEx(const String& locale, LCTYPE type)
{
    wchar_t buffer[256];
    int length = GetLocaleInfoEx(locale.c_str(), type, buffer, 256);
    return length > 1 ? String(buffer, static_cast<size_t>(length - 1)) : String();
}

void ReadString(const TLocaleReader& read, LCTYPE type, String& target)
{
    String value = read(type);
    if (!value.empty()) target = value;
}

void ReadChar(const TLocaleReader& read, LCTYPE type, wchar_t& target)
{
    String value = read(type);
    if (!value.empty()) target = value[0];
}

void ReadInt(const TLocaleReader& read, LCTYPE type, int& target)
{
    String value = read(type);
    if (value.empty()) return;
    int number = 0;
    for (wchar_t c : value) {
        if (c < L'0' || c > L'9') return;
        number = number * 10 + (c - L'0');
    }
    target = number;
}

TFormatSettings Build(const TLocaleReader& read)
{
    TFormatSettings result;
    // A locale the system does not know answers nothing: keep the neutral settings whole.
    if (read(LOCALE_SDECIMAL).empty()) return result;
    ReadChar(read, LOCALE_SDECIMAL, result.DecimalSeparator);
    ReadChar(read, LOCALE_STHOUSAND, result.ThousandSeparator);
    ReadChar(read, LOCALE_SDATE, result.DateSeparator);
    ReadChar(read, LOCALE_STIME, result.TimeSeparator);
    ReadChar(read, LOCALE_SLIST, result.ListSeparator);
    ReadString(read, LOCALE_SSHORTDATE, result.ShortDateFormat);
    ReadString(read, LOCALE_SLONGDATE, result.LongDateFormat);
    // The runtime's AM/PM marker is "ampm" (its own strings) rather than the locale's "tt".
    result.TimeAMString = read(LOCALE_S1159);
    result.TimePMString = read(LOCALE_S2359);

    int leadingZero = 0, twentyFourHour = 0, markerFirst = 0;
    ReadInt(read, LOCALE_ITLZERO, leadingZero);
    ReadInt(read, LOCALE_ITIME, twentyFourHour);
    ReadInt(read, LOCALE_ITIMEMARKPOSN, markerFirst);
    String prefix, suffix;
    if (twentyFourHour == 0) {
        if (markerFirst == 0) suffix = L" AMPM";
        else prefix = L"AMPM ";
    }
    String hour = leadingZero == 0 ? L"h" : L"hh";
    result.ShortTimeFormat = prefix + hour + L":mm" + suffix;
    result.LongTimeFormat = prefix + hour + L":mm:ss" + suffix;

    for (int i = 0; i < 12; ++i) {
        ReadString(read, LOCALE_SABBREVMONTHNAME1 + i, result.ShortMonthNames[i]);
        ReadString(read, LOCALE_SMONTHNAME1 + i, result.LongMonthNames[i]);
    }
    // The locale counts days from Monday (DAYNAME1) to Sunday (DAYNAME7); ours from Sunday.
    for (int i = 0; i < 7; ++i) {
        int localeIndex = (i + 6) % 7;
        ReadString(read, LOCALE_SABBREVDAYNAME1 + localeIndex, result.ShortDayNames[i]);
        ReadString(read, LOCALE_SDAYNAME1 + localeIndex, result.LongDayNames[i]);
    }

    ReadString(read, LOCALE_SCURRENCY, result.CurrencyString);
    ReadInt(read, LOCALE_ICURRENCY, result.CurrencyFormat);
    ReadInt(read, LOCALE_INEGCURR, result.NegCurrFormat);
    ReadInt(read, LOCALE_ICURRDIGITS, result.CurrencyDecimals);
    return result;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(unsigned long localeId)
{
    LCID locale = static_cast<LCID>(localeId);
    return Build([locale](LCTYPE type) { return ReadLocaleInfo(locale, type); });
}

TFormatSettings TFormatSettings::FromLocale(const String& localeName)
{
    return Build([&localeName](LCTYPE type) { return ReadLocaleInfoEx(localeName, type); });
}

TFormatSettings TFormatSettings::Invariant()
{
    return TFormatSettings();
}

// Built before ordinary globals so that start-up code elsewhere may already format text.
TFormatSettings FormatSettings __attribute__((init_priority(1000))) = TFormatSettings::FromLocale(LOCALE_USER_DEFAULT);

TFormatSettingsOverride::TFormatSettingsOverride(const TFormatSettings& replacement) : FSaved(FormatSettings)
{
    FormatSettings = replacement;
}

TFormatSettingsOverride::~TFormatSettingsOverride()
{
    FormatSettings = FSaved;
}
