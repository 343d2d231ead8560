// The month calendar: where day 1 lands, week numbers, how the date steps and what is ignored,
// bounds, the grid's keys and clicks, and what a day cell looks like.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "framework/system/DateTimeUtils.h"
#include "skin/controls/sMonthCalendar.h"
#include "skin/core/sGraphUtils.h"
#include "support/ControlTestSupport.h"
#include "support/PixelBuffer.h"

using namespace kvltest;

namespace {

class MonthCalendar : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(50, 50, 300, 260);
        Calendar = new TsMonthCalendar(Form);
        Calendar->SetParent(Form);
        Calendar->SetBounds(10, 10, 231, 180);
        Calendar->OnChange = [this](TObject*) { ++Changes; };
    }
    void TearDown() override { delete Form; }

    // The grid cell of the selection.
    std::pair<int, int> Selected() const { return {Calendar->Grid()->Col(), Calendar->Grid()->Row()}; }

    TForm* Form = nullptr;
    TsMonthCalendar* Calendar = nullptr;
    int Changes = 0;
};

TEST_F(MonthCalendar, DayOnePlacementFollowsTheFirstDayOfTheWeek)
{
    struct TCase {
        int Year, Month;
        TCalDayOfWeek Start;
        int Col, Row; // of day 1
    };
    const TCase cases[] = {
        {2017, 1, dowSunday, 0, 1},   // 1 January 2017 is a Sunday
        {2016, 10, dowSunday, 6, 1},  // 1 October 2016 is a Saturday
        {2017, 1, dowMonday, 6, 1},
        {2017, 5, dowMonday, 0, 1},   // 1 May 2017 is a Monday
        {2012, 2, dowSunday, 3, 1},   // 1 February 2012 is a Wednesday
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Year << "-" << c.Month << " start " << c.Start);
        Calendar->SetStartOfWeek(c.Start);
        Calendar->SetCalendarDate(EncodeDate(c.Year, c.Month, 1));
        EXPECT_EQ(Selected(), std::make_pair(c.Col, c.Row));
        EXPECT_EQ(Calendar->CellText(c.Col, c.Row), L"1");
        EXPECT_EQ(Calendar->CellDay(c.Col, c.Row), 1);
    }
    // Weekday names start with the first day of the week; cells around the month are empty.
    Calendar->SetStartOfWeek(dowMonday);
    EXPECT_EQ(Calendar->CellText(0, 0), FormatSettings.ShortDayNames[1]);
    EXPECT_EQ(Calendar->CellText(6, 0), FormatSettings.ShortDayNames[0]);
    EXPECT_EQ(Calendar->CellText(0, 1), L"");
    EXPECT_TRUE(Calendar->IsWeekendColumn(6));
    EXPECT_FALSE(Calendar->IsWeekendColumn(0));
}

TEST_F(MonthCalendar, WeekNumbersCountSundayWeeksFromTheWeekOfFirstJanuary)
{
    Calendar->SetShowWeeks(true);
    Calendar->SetStartOfWeek(dowSunday);
    Calendar->SetCalendarDate(EncodeDate(2017, 1, 10));
    EXPECT_EQ(Calendar->CellText(0, 0), WeekHeaderText);
    EXPECT_EQ(Calendar->CellText(1, 1), L"1");  // the day column starts after the week column
    EXPECT_EQ(Calendar->CellText(0, 1), L"1");  // the row of 1 January
    EXPECT_EQ(Calendar->CellText(0, 2), L"2");  // the row of 8 January
    EXPECT_EQ(Calendar->CellText(0, 7), L"");

    // Monday first: the first row runs from Monday 26 December 2016 to Sunday 1 January 2017.
    // Its number comes from its own days in December (the last week of 2016), not from
    // 1 December.
    Calendar->SetStartOfWeek(dowMonday);
    EXPECT_EQ(Calendar->CellText(7, 1), L"1");
    EXPECT_EQ(Calendar->CellText(0, 1), L"53");
    EXPECT_EQ(Calendar->CellText(0, 2), L"1");  // Monday 2 January is still in the week of 1 January
    // December's last rows reach into January of the next year.
    Calendar->SetCalendarDate(EncodeDate(2016, 12, 31));
    EXPECT_EQ(Calendar->CellText(0, 5), L"53");
    EXPECT_EQ(CalendarWeekNumber(EncodeDate(2017, 1, 7)), 1);
    EXPECT_EQ(CalendarWeekNumber(EncodeDate(2017, 1, 8)), 2);
}

TEST_F(MonthCalendar, StepsKeepTheDayWithinTheMonthAndFireOnChangeOncePerStep)
{
    Calendar->SetCalendarDate(EncodeDate(2012, 3, 31));
    Changes = 0;
    Calendar->PrevMonth();
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 2, 29));
    Calendar->SetCalendarDate(EncodeDate(2013, 3, 31));
    Calendar->PrevMonth();
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2013, 2, 28));
    Calendar->SetCalendarDate(EncodeDate(2012, 12, 31));
    Calendar->NextMonth();
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2013, 1, 31));
    Calendar->SetCalendarDate(EncodeDate(2012, 2, 29));
    Changes = 0;
    Calendar->NextYear();
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2013, 2, 28));
    Calendar->PrevYear();
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 2, 28));
    EXPECT_GE(Changes, 2);
    EXPECT_FALSE(Calendar->UseCurrentDate());
    EXPECT_EQ(Calendar->DragBar()->Caption(), FormatSettings.LongMonthNames[1] + L" 2012");

    // A month without the day gives its last day; a year without 29 February gives the 28th.
    Calendar->SetCalendarDate(EncodeDate(2012, 1, 31));
    Calendar->SetMonth(4);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 4, 30));
    Calendar->SetCalendarDate(EncodeDate(2012, 2, 29));
    Calendar->SetYear(2013);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2013, 2, 28));
}

TEST_F(MonthCalendar, ElementsOutsideTheCalendarAreIgnored)
{
    Calendar->SetCalendarDate(EncodeDate(2012, 5, 7));
    Changes = 0;
    for (int value : {0, -1, 32}) Calendar->SetDay(value);
    for (int value : {0, 13, 32}) Calendar->SetMonth(value);
    for (int value : {0, 10000}) Calendar->SetYear(value);
    Calendar->SetDay(7);
    Calendar->SetCalendarDate(1e9);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 5, 7));
    EXPECT_EQ(Changes, 0);
    Calendar->SetDay(13);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 5, 13));
    EXPECT_EQ(Changes, 1);
}

TEST_F(MonthCalendar, BoundsMoveTheDateAndAreKeptApart)
{
    Calendar->SetCalendarDate(EncodeDate(2012, 5, 20));
    Calendar->SetMaxDate(EncodeDate(2012, 5, 10));
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 5, 10));
    EXPECT_FALSE(Calendar->IsValidDate(EncodeDate(2012, 5, 11)));
    EXPECT_TRUE(Calendar->IsValidDate(EncodeDate(2012, 5, 10) + 0.5));
    Calendar->SetMinDate(EncodeDate(2012, 6, 1));
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 6, 1));
    Calendar->SetMinDate(0);
    Calendar->SetMaxDate(0);
    EXPECT_TRUE(Calendar->IsValidDate(EncodeDate(1900, 1, 1)));
}

TEST_F(MonthCalendar, KeysAndClicksMoveTheDateUnlessReadOnly)
{
    Form->Show();
    Calendar->SetCalendarDate(EncodeDate(2012, 5, 31));
    TsCalendGrid* grid = Calendar->Grid();
    grid->SetFocus();
    struct TStep {
        WORD Key;
        TShiftState Shift;
        TDateTime Expected;
    };
    const TStep steps[] = {
        {VK_RIGHT, {}, EncodeDate(2012, 6, 1)},      {VK_LEFT, {}, EncodeDate(2012, 5, 31)},
        {VK_ADD, {}, EncodeDate(2012, 6, 1)},        {VK_SUBTRACT, {}, EncodeDate(2012, 5, 31)},
        {VK_NEXT, {}, EncodeDate(2012, 6, 30)},      {VK_PRIOR, {ssCtrl}, EncodeDate(2011, 6, 30)},
        {VK_UP, {}, EncodeDate(2011, 6, 23)},
    };
    for (const TStep& step : steps) {
        WORD key = step.Key;
        grid->KeyDown(key, step.Shift);
        EXPECT_EQ(Calendar->CalendarDate(), step.Expected) << step.Key;
    }
    TClockOverride clock(EncodeDate(2026, 12, 11) + 0.4);
    wchar_t t = L't';
    grid->KeyPress(t);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2026, 12, 11));

    // A click on the cell of the 20th.
    Calendar->SetCalendarDate(EncodeDate(2012, 5, 7));
    const int offset = Calendar->MonthOffset();
    const int col = (20 - offset) % 7, row = (20 - offset) / 7 + 1;
    TRect cell = grid->CellRect(col, row);
    ClickAt(grid->Handle(), cell.left + 3, cell.top + 3);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 5, 20));
    Calendar->SetReadOnly(true);
    cell = grid->CellRect(col, row + 1);
    ClickAt(grid->Handle(), cell.left + 3, cell.top + 3);
    EXPECT_EQ(Calendar->CalendarDate(), EncodeDate(2012, 5, 20));
    EXPECT_EQ(Selected(), std::make_pair(col, row));
}

TEST_F(MonthCalendar, DaysShowWeekendColourSelectionTodayAndDimmedDaysOutOfRange)
{
    TClockOverride clock(EncodeDate(2012, 5, 16) + 0.5);
    Calendar->SetStartOfWeek(dowSunday);
    Calendar->SetCalendarDate(EncodeDate(2012, 5, 7));
    Calendar->SetMaxDate(EncodeDate(2012, 5, 25));
    Form->Show();
    Application->ProcessMessages();
    TsCalendGrid* grid = Calendar->Grid();
    TPixelBuffer pixels(grid->Width(), grid->Height());
    grid->PaintTo(pixels.DC(), 0, 0);
    const int offset = Calendar->MonthOffset();
    auto cellOf = [&](int Day) {
        TRect r = grid->CellRect((Day - offset) % 7, (Day - offset) / 7 + 1);
        return RECT{r.left, r.top, r.right, r.bottom};
    };
    auto pure = [](COLORREF Wanted) { return [Wanted](COLORREF c) { return c == Wanted; }; };
    auto found = [](const RECT& r) { return r.right > r.left; };
    // 13 May 2012 is a Sunday: its digits are red; 27 May too, but dimmed beyond MaxDate.
    EXPECT_TRUE(found(pixels.Find(cellOf(13), pure(RGB(255, 0, 0)))));
    EXPECT_FALSE(found(pixels.Find(cellOf(27), pure(RGB(255, 0, 0)))));
    EXPECT_TRUE(found(pixels.Find(cellOf(27), [](COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 100; })));
    // The selected day is filled with the highlight colour.
    EXPECT_TRUE(found(pixels.Find(cellOf(7), pure(SysColor(COLOR_HIGHLIGHT)))));
    // Today carries a mark of weekend red mixed into the face colour, with white digits.
    const COLORREF mark = MixColors(clRed, ColorToRGB(clBtnFace), 0.3);
    EXPECT_TRUE(found(pixels.Find(cellOf(16), pure(mark))));
    EXPECT_TRUE(found(pixels.Find(cellOf(16), pure(RGB(255, 255, 255)))));
    // An ordinary day has neither.
    EXPECT_FALSE(found(pixels.Find(cellOf(15), pure(mark))));
}

} // namespace
