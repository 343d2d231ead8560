// The month page driven through the main form: the calendar layout of a month, the duty days of
// each rotation with their counts, and what happens to inputs that are no year or month.
#include "tests/app/AppTestSupport.h"

#include "framework/system/FormatSettings.h"

using namespace kvltest;

namespace {

const std::vector<String> Header = {L"日", L"一", L"二", L"三", L"四", L"五", L"六"};

using MonthPage = MainFormTest;

TEST_F(MonthPage, StartUpShowsTheLibrarysYearAndMonthAndLeavesTheHolidayPageAlone)
{
    using ::testing::AnyOf;
    using ::testing::Eq;
    const TToday& before = StartedBefore;
    const TToday& after = StartedAfter;
    String year = Form->sComboBox3->Text();
    String month = Form->sComboBox4->Text();
    EXPECT_THAT(year, AnyOf(Eq(before.Year), Eq(after.Year)));
    EXPECT_THAT(month, AnyOf(Eq(before.Month), Eq(after.Month)));
    EXPECT_THAT(Form->sComboBox2->Text(), AnyOf(Eq(before.Year), Eq(after.Year)));
    EXPECT_THAT(Form->sDateEdit1->Date(), AnyOf(Eq(before.Day), Eq(after.Day)));

    // The month page is the month shown: the 1st sits in the column of its weekday.
    TDateTime first = EncodeDate(StrToInt(year), StrToInt(month), 1);
    EXPECT_EQ(Texts(Form->caleGrid)[0], Header);
    EXPECT_EQ(Form->caleGrid->Cells(DayOfWeek(first) - 1, 1), L"1");
    EXPECT_EQ(Form->Label1->Caption().rfind(L"本月共工作", 0), 0u);

    // The holiday list has its six solar holidays, none chosen; the years run 2012 to 2032.
    ASSERT_EQ(Form->sComboBox1->Items()->Count(), 6);
    EXPECT_EQ(Form->sComboBox1->Items()->Get(0), L"元旦");
    EXPECT_EQ(Form->sComboBox1->Items()->Get(5), L"圣诞节");
    EXPECT_EQ(Form->sComboBox1->ItemIndex(), -1);
    ASSERT_EQ(Form->sComboBox2->Items()->Count(), 21);
    EXPECT_EQ(Form->sComboBox2->Items()->Get(0), L"2012");
    EXPECT_EQ(Form->sComboBox2->Items()->Get(20), L"2032");

    // Nothing was computed for the holiday page: its widgets keep the texts of the description.
    EXPECT_EQ(Form->sLabel3->Caption(), L"节日的 年月日");
    EXPECT_EQ(Form->Label3->Caption(), L"节日上班天数");
    EXPECT_EQ(Form->Label4->Caption(), L"节日下班天数");
    for (const auto& row : Texts(Form->AdvStringGrid1))
        for (const String& cell : row) EXPECT_EQ(cell, L"");
    EXPECT_TRUE(Boxes.empty());
}

struct TLayoutCase {
    const wchar_t* Year;
    const wchar_t* Month;
    std::vector<std::vector<String>> Weeks; // rows 1 to 6
};

TEST_F(MonthPage, MonthsAreLaidOutSundayFirst)
{
    const TLayoutCase cases[] = {
        // Begins on a Sunday: the first week is full.
        {L"2012", L"1",
         {{L"1", L"2", L"3", L"4", L"5", L"6", L"7"},
          {L"8", L"9", L"10", L"11", L"12", L"13", L"14"},
          {L"15", L"16", L"17", L"18", L"19", L"20", L"21"},
          {L"22", L"23", L"24", L"25", L"26", L"27", L"28"},
          {L"29", L"30", L"31", L"", L"", L"", L""},
          {L"", L"", L"", L"", L"", L"", L""}}},
        // 31 days from a Saturday: only the 1st in the first week, the 30th and 31st in the sixth.
        {L"2012", L"12",
         {{L"", L"", L"", L"", L"", L"", L"1"},
          {L"2", L"3", L"4", L"5", L"6", L"7", L"8"},
          {L"9", L"10", L"11", L"12", L"13", L"14", L"15"},
          {L"16", L"17", L"18", L"19", L"20", L"21", L"22"},
          {L"23", L"24", L"25", L"26", L"27", L"28", L"29"},
          {L"30", L"31", L"", L"", L"", L"", L""}}},
        // February of a common year from a Sunday: four full weeks, two empty ones.
        {L"2015", L"2",
         {{L"1", L"2", L"3", L"4", L"5", L"6", L"7"},
          {L"8", L"9", L"10", L"11", L"12", L"13", L"14"},
          {L"15", L"16", L"17", L"18", L"19", L"20", L"21"},
          {L"22", L"23", L"24", L"25", L"26", L"27", L"28"},
          {L"", L"", L"", L"", L"", L"", L""},
          {L"", L"", L"", L"", L"", L"", L""}}},
    };
    for (const TLayoutCase& c : cases) {
        ShowMonth(c.Year, c.Month);
        auto texts = Texts(Form->caleGrid);
        EXPECT_EQ(texts[0], Header) << c.Year << L"-" << c.Month;
        for (int week = 1; week <= 6; ++week) EXPECT_EQ(texts[week], c.Weeks[week - 1]) << c.Year << L"-" << c.Month << L" week " << week;
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(MonthPage, EachRotationMarksItsDutyDaysRedAndCountsThem)
{
    struct TCase {
        TRotation Rotation;
        int Duty;
    };
    // January 2012 from a first duty day on the 1st: 31 days.
    const TCase cases[] = {{TRotation::Hours48, 16}, {TRotation::Hours12, 21}, {TRotation::Hours24, 11}};
    ShowMonth(L"2012", L"1");
    SetFirstDutyDay(L"20120101");
    ASSERT_EQ(Form->sDateEdit1->Date(), EncodeDate(2012, 1, 1));
    TDateTime firstDuty = EncodeDate(2012, 1, 1);
    for (const TCase& c : cases) {
        ChooseRotation(c.Rotation);
        int red = 0;
        for (int day = 1; day <= 31; ++day) {
            int index = day - 1; // the 1st is a Sunday
            bool duty = IsDuty(c.Rotation, EncodeDate(2012, 1, day), firstDuty);
            EXPECT_EQ(IsRed(Form->caleGrid, index % 7, 1 + index / 7), duty) << "day " << day;
            red += duty ? 1 : 0;
        }
        EXPECT_EQ(red, c.Duty);
        // Only duty days carry properties: the others keep the grid's default looks.
        EXPECT_EQ(PropertyCells(Form->caleGrid), c.Duty);
        EXPECT_EQ(Form->Label1->Caption(), L"本月共工作" + IntToStr(c.Duty) + L"天");
        EXPECT_EQ(Form->Label2->Caption(), L"本月共休息" + IntToStr(31 - c.Duty) + L"天");
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(MonthPage, AFirstDutyDayInAnotherMonthCountsAcrossTheMonthBoundary)
{
    // February 2013 (28 days) seen from a first duty day of 30 December 2012, 48-hour rotation:
    // day 1 of February is 33 days later (odd: free), so the even days are duty days.
    ChooseRotation(TRotation::Hours48);
    SetFirstDutyDay(L"20121230");
    ShowMonth(L"2013", L"2");
    EXPECT_EQ(Form->Label1->Caption(), L"本月共工作14天");
    EXPECT_EQ(Form->Label2->Caption(), L"本月共休息14天");
    // 1 February 2013 is a Friday.
    EXPECT_FALSE(IsRed(Form->caleGrid, 5, 1));
    EXPECT_TRUE(IsRed(Form->caleGrid, 6, 1));
}

TEST_F(MonthPage, DatesDoNotDependOnTheLocalesDateFormat)
{
    TFormatSettings german = FormatSettings;
    german.ShortDateFormat = L"dd.MM.yyyy";
    german.DateSeparator = L'.';
    TFormatSettingsOverride locale(german);
    SetFirstDutyDay(L"20120101");
    ChooseRotation(TRotation::Hours48);
    ShowMonth(L"2012", L"3");
    EXPECT_TRUE(Boxes.empty());
    // 1 March 2012 is 60 days after 1 January: a duty day; 16 of March's 31 days are.
    EXPECT_EQ(Form->Label1->Caption(), L"本月共工作16天");
    EXPECT_EQ(Form->Label2->Caption(), L"本月共休息15天");
}

TEST_F(MonthPage, InputsThatAreNoYearOrMonthLeaveThePageAsItWas)
{
    ShowMonth(L"2012", L"1");
    struct TInput {
        TsComboBox* Combo;
        const wchar_t* Text;
        const wchar_t* Told; // a part of the last message box
    };
    const TInput inputs[] = {
        {Form->sComboBox3, L"abc", L"年份“abc”不是整数"},
        {Form->sComboBox4, L"x", L"月份“x”不是整数"},
        {Form->sComboBox4, L"13", L"月份“13”"},
        {Form->sComboBox4, L"0", L"月份“0”"},
        {Form->sComboBox3, L"0", L"年份“0”"},
        {Form->sComboBox3, L"10000", L"年份“10000”"},
    };
    for (const TInput& input : inputs) {
        // All but the last character may already be a (different) good input: the page before
        // the last keystroke is the one that must stay.
        String text = input.Text;
        TypeInto(input.Combo, text.substr(0, text.size() - 1));
        auto texts = Texts(Form->caleGrid);
        int properties = PropertyCells(Form->caleGrid);
        String duty = Form->Label1->Caption(), free = Form->Label2->Caption();
        Boxes.clear();
        TypeChars(input.Combo->EditHandle(), text.substr(text.size() - 1));
        ASSERT_FALSE(Boxes.empty()) << input.Text;
        EXPECT_NE(Boxes.back().find(input.Told), String::npos) << Boxes.back();
        EXPECT_EQ(Texts(Form->caleGrid), texts) << input.Text;
        EXPECT_EQ(PropertyCells(Form->caleGrid), properties) << input.Text;
        EXPECT_EQ(Form->Label1->Caption(), duty);
        EXPECT_EQ(Form->Label2->Caption(), free);
        // Back to a good input: the page follows again.
        TypeInto(input.Combo, input.Combo == Form->sComboBox3 ? L"2012" : L"1");
    }
    Boxes.clear();
    ShowMonth(L"2012", L"2");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Form->caleGrid->Cells(3, 1), L"1");
}

} // namespace
