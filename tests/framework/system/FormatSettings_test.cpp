#include <gtest/gtest.h>

#include <windows.h>

#include "framework/system/FormatSettings.h"
#include "tests/framework/system/FormatSettings_test.h"

TEST(FormatSettings, OverrideReplacesTheProcessSettingsAndRestoresThem)
{
    const TFormatSettings before = FormatSettings;
    {
        TFormatSettingsOverride german(kvltest::GermanDE());
        EXPECT_EQ(L',', FormatSettings.DecimalSeparator);
        {
            TFormatSettingsOverride chinese(kvltest::ChineseCN());
            EXPECT_EQ(L"yyyy/M/d", FormatSettings.ShortDateFormat);
        }
        EXPECT_EQ(L"dd.MM.yyyy", FormatSettings.ShortDateFormat);
    }
    EXPECT_EQ(before.DecimalSeparator, FormatSettings.DecimalSeparator);
    EXPECT_EQ(before.ShortDateFormat, FormatSettings.ShortDateFormat);
    EXPECT_EQ(before.LongMonthNames, FormatSettings.LongMonthNames);
}

TEST(FormatSettings, InvariantIsFixedEnglish)
{
    TFormatSettings fs = TFormatSettings::Invariant();
    EXPECT_EQ(L'.', fs.DecimalSeparator);
    EXPECT_EQ(L',', fs.ThousandSeparator);
    EXPECT_EQ(L"MM/dd/yyyy", fs.ShortDateFormat);
    EXPECT_EQ(L"January", fs.LongMonthNames[0]);
    EXPECT_EQ(L"Sun", fs.ShortDayNames[0]);
    EXPECT_EQ(L"Saturday", fs.LongDayNames[6]);
    EXPECT_EQ(50, fs.TwoDigitYearCenturyWindow);
}

TEST(FormatSettings, FromLocaleReadsTheSystemTables)
{
    // By identifier and by name the same locale gives the same settings.
    TFormatSettings byId = TFormatSettings::FromLocale(0x0407ul);
    TFormatSettings byName = TFormatSettings::FromLocale(String(L"de-DE"));
    for (const TFormatSettings* fs : {&byId, &byName}) {
        EXPECT_EQ(L',', fs->DecimalSeparator);
        EXPECT_EQ(L'.', fs->ThousandSeparator);
        EXPECT_EQ(L'.', fs->DateSeparator);
        EXPECT_EQ(L'd', fs->ShortDateFormat[0]) << fs->ShortDateFormat;   // day first, however padded
        EXPECT_EQ(L"Januar", fs->LongMonthNames[0]);
        EXPECT_EQ(L"Sonntag", fs->LongDayNames[0]);   // Sunday first although the locale counts from Monday
        EXPECT_EQ(L"Montag", fs->LongDayNames[1]);
        EXPECT_EQ(L"hh:mm:ss", fs->LongTimeFormat);  // 24-hour clock with a leading zero, no marker
    }

    TFormatSettings us = TFormatSettings::FromLocale(String(L"en-US"));
    EXPECT_EQ(L"M/d/yyyy", us.ShortDateFormat);
    EXPECT_EQ(L"h:mm:ss AMPM", us.LongTimeFormat);
    EXPECT_EQ(L"h:mm AMPM", us.ShortTimeFormat);
    EXPECT_EQ(L"AM", us.TimeAMString);
    EXPECT_EQ(L"PM", us.TimePMString);
    EXPECT_EQ(L"$", us.CurrencyString);

    TFormatSettings cn = TFormatSettings::FromLocale(String(L"zh-CN"));
    EXPECT_EQ(L"\u4E00\u6708", cn.LongMonthNames[0]);

    // An unknown locale leaves the neutral values in place.
    TFormatSettings unknown = TFormatSettings::FromLocale(String(L"xx-NOWHERE"));
    EXPECT_EQ(TFormatSettings::Invariant().ShortDateFormat, unknown.ShortDateFormat);
    EXPECT_EQ(L'.', unknown.DecimalSeparator);
}

TEST(FormatSettings, ProcessSettingsComeFromTheUserLocale)
{
    TFormatSettings user = TFormatSettings::FromLocale(static_cast<unsigned long>(LOCALE_USER_DEFAULT));
    EXPECT_EQ(user.DecimalSeparator, FormatSettings.DecimalSeparator);
    EXPECT_EQ(user.ShortDateFormat, FormatSettings.ShortDateFormat);
    EXPECT_EQ(user.LongTimeFormat, FormatSettings.LongTimeFormat);
}
