// The holiday page driven through the main form: switching between solar and lunar holidays,
// each solar holiday's sixteen days and date line, the lunar holidays whose day numbers follow
// the real month lengths, the two-line date line of 除夕, and inputs the library must not see.
#include "tests/app/AppTestSupport.h"

using namespace kvltest;

namespace {

class HolidayPage : public MainFormTest {
protected:
    // The user's first step: a click on the second tab.
    void SetUp() override
    {
        MainFormTest::SetUp();
        TsPageControl* pages = Form->sPageControl1;
        TRect tab = pages->TabRect(1);
        LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
        ASSERT_EQ(pages->ActivePage(), Form->sTabSheet2);
        ASSERT_TRUE(Form->sComboBox1->HandleAllocated());
    }
    void ShowHoliday(const String& Year, const String& Holiday)
    {
        TypeInto(Form->sComboBox2, Year);
        TypeInto(Form->sComboBox1, Holiday);
    }
    // The sixteen numbers, left to right and top to bottom.
    std::vector<String> Stretch()
    {
        std::vector<String> days;
        for (int g = 0; g < 16; ++g) days.push_back(Form->AdvStringGrid1->Cells(g % 4, g / 4));
        return days;
    }
    static std::vector<String> DaysFrom(TDateTime First)
    {
        std::vector<String> days;
        for (int g = 0; g < 16; ++g) days.push_back(IntToStr(DayOfMonth(First + g)));
        return days;
    }
};

TEST_F(HolidayPage, SolarHolidaysShowSixteenDaysFromFourDaysBefore)
{
    struct TCase {
        const wchar_t* Name;
        TDateTime Holiday;
        const wchar_t* Line;
    };
    const TCase cases[] = {
        {L"元旦", EncodeDate(2013, 1, 1), L"2013年元旦是1号"},
        {L"情人节", EncodeDate(2013, 2, 14), L"2013年情人节是14号"},
        {L"劳动节", EncodeDate(2013, 5, 1), L"2013年劳动节是1号"},
        {L"儿童节", EncodeDate(2013, 6, 1), L"2013年儿童节是1号"},
        {L"国庆节", EncodeDate(2013, 10, 1), L"2013年国庆节是1号"},
        {L"圣诞节", EncodeDate(2013, 12, 25), L"2013年圣诞节是25号"},
    };
    // First duty day 28 December 2012, 24-hour rotation.
    TDateTime firstDuty = EncodeDate(2012, 12, 28);
    SetFirstDutyDay(L"20121228");
    for (const TCase& c : cases) {
        ShowHoliday(L"2013", c.Name);
        ASSERT_EQ(Form->sComboBox1->Text(), c.Name);
        TDateTime first = c.Holiday - 4;
        EXPECT_EQ(Stretch(), DaysFrom(first)) << c.Name;
        EXPECT_EQ(Form->sLabel3->Caption(), c.Line);
        int duty = 0;
        for (int g = 0; g < 16; ++g) {
            bool expected = IsDuty(TRotation::Hours24, first + g, firstDuty);
            EXPECT_EQ(IsRed(Form->AdvStringGrid1, g % 4, g / 4), expected) << c.Name << " day " << g;
            duty += expected ? 1 : 0;
        }
        EXPECT_EQ(Form->Label3->Caption(), L"节日共工作" + IntToStr(duty) + L"天");
        EXPECT_EQ(Form->Label4->Caption(), L"节日共休息" + IntToStr(16 - duty) + L"天");
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(HolidayPage, TheFirstYearTypedAfterStartUpComputesThePage)
{
    // The year box shows this year as the program starts; the first entry of its list is 2012.
    TypeInto(Form->sComboBox1, L"元旦");
    ASSERT_EQ(Form->sLabel3->Caption(), Form->sComboBox2->Text() + L"年元旦是1号");
    for (const wchar_t* year : {L"2012", L"2013", L"2012"}) {
        TypeInto(Form->sComboBox2, year);
        EXPECT_EQ(Form->sComboBox2->Text(), year);
        EXPECT_EQ(Form->sLabel3->Caption(), String(year) + L"年元旦是1号");
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(HolidayPage, ChangingTheRotationRecomputesTheHolidayToo)
{
    SetFirstDutyDay(L"20121228");
    ShowHoliday(L"2013", L"元旦");
    ASSERT_EQ(Form->Label3->Caption(), L"节日共工作6天");
    ChooseRotation(TRotation::Hours48);
    EXPECT_EQ(Form->Label3->Caption(), L"节日共工作8天");
    ChooseRotation(TRotation::Hours12);
    EXPECT_EQ(Form->Label3->Caption(), L"节日共工作11天");
    EXPECT_EQ(Form->Label4->Caption(), L"节日共休息5天");
    EXPECT_TRUE(IsRed(Form->AdvStringGrid1, 1, 0));  // 29 December: the day after a first duty day
    EXPECT_FALSE(IsRed(Form->AdvStringGrid1, 2, 0)); // 30 December: the rest day
}

TEST_F(HolidayPage, SwitchingToLunarEmptiesTheTableAndListsTheLunarHolidays)
{
    ShowHoliday(L"2013", L"国庆节");
    String line = Form->sLabel3->Caption();
    String duty = Form->Label3->Caption();
    ASSERT_EQ(line, L"2013年国庆节是1号");

    ClickButton(Form->sRadioButton2);
    for (const String& day : Stretch()) EXPECT_EQ(day, L"");
    EXPECT_EQ(PropertyCells(Form->AdvStringGrid1), 0);
    const std::vector<String> lunar = {L"元宵节", L"清明节", L"端午节", L"中秋节", L"重阳节", L"除夕"};
    std::vector<String> listed;
    for (int i = 0; i < Form->sComboBox1->Items()->Count(); ++i) listed.push_back(Form->sComboBox1->Items()->Get(i));
    EXPECT_EQ(listed, lunar);
    EXPECT_EQ(Form->sComboBox1->ItemIndex(), -1);
    EXPECT_EQ(Form->sComboBox1->Text(), L"");
    // The date line and the counts keep the last solar result until a lunar holiday is picked.
    EXPECT_EQ(Form->sLabel3->Caption(), line);
    EXPECT_EQ(Form->Label3->Caption(), duty);
    // A change of the rotation now computes nothing for the holiday page.
    ChooseRotation(TRotation::Hours48);
    EXPECT_EQ(Form->sLabel3->Caption(), line);

    ClickButton(Form->sRadioButton1);
    EXPECT_EQ(Form->sComboBox1->Items()->Get(0), L"元旦");
    EXPECT_EQ(Form->sComboBox1->ItemIndex(), -1);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(HolidayPage, LunarDayNumbersFollowTheRealMonthLengths)
{
    struct TCase {
        const wchar_t* Year;
        const wchar_t* Name;
        TDateTime Holiday;
        const wchar_t* Line;
    };
    const TCase cases[] = {
        // 23 June 2012: June has 30 days, so no 31 follows the 30.
        {L"2012", L"端午节", EncodeDate(2012, 6, 23), L"2012年端午节是23号"},
        // 23 October 2012: the 31st of October is there.
        {L"2012", L"重阳节", EncodeDate(2012, 10, 23), L"2012年重阳节是23号"},
        // 6 February 2012 and 30 September 2012.
        {L"2012", L"元宵节", EncodeDate(2012, 2, 6), L"2012年元宵节是6号"},
        {L"2012", L"中秋节", EncodeDate(2012, 9, 30), L"2012年中秋节是30号"},
        {L"2013", L"清明节", EncodeDate(2013, 4, 4), L"2013年清明节是4号"},
    };
    ClickButton(Form->sRadioButton2);
    for (const TCase& c : cases) {
        ShowHoliday(c.Year, c.Name);
        EXPECT_EQ(Stretch(), DaysFrom(c.Holiday - 4)) << c.Name;
        EXPECT_EQ(Form->sLabel3->Caption(), c.Line);
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(HolidayPage, NewYearsEveNamesTheEveAndTheSpringFestivalOnTwoLines)
{
    // 除夕 of 2013 is 9 February, the spring festival 10 February.
    ClickButton(Form->sRadioButton2);
    SetFirstDutyDay(L"20130205");
    ShowHoliday(L"2013", L"除夕");
    EXPECT_EQ(Stretch(), DaysFrom(EncodeDate(2013, 2, 5)));
    EXPECT_EQ(Form->sLabel3->Caption(), L"2012年除夕是9号\r2013年春节是10号");
    // The label is two lines high: both lines show.
    TRect one{0, 0, Form->sLabel3->Width(), 0}, two = one;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Form->sLabel3->Font()->Handle());
    DrawTextW(dc, L"2012", -1, &one, DT_CALCRECT | DT_WORDBREAK);
    String caption = Form->sLabel3->Caption();
    DrawTextW(dc, caption.c_str(), -1, &two, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(two.bottom, 2 * one.bottom);
    EXPECT_LE(two.bottom, Form->sLabel3->Height());
    // The lunar judgement, 24-hour rotation from 5 February: every third day of the stretch.
    for (int g = 0; g < 16; ++g) EXPECT_EQ(IsRed(Form->AdvStringGrid1, g % 4, g / 4), g % 3 == 0) << g;
    EXPECT_EQ(Form->Label3->Caption(), L"节日共工作6天");
}

TEST_F(HolidayPage, YearsTheLibraryMustNotSeeLeaveThePageAsItWas)
{
    // Types Year; the page as it was before the last keystroke must stay, and a message box tell
    // what is wrong.
    auto rejected = [this](const String& Year, const String& Told) {
        TypeInto(Form->sComboBox2, Year.substr(0, Year.size() - 1));
        auto days = Stretch();
        String line = Form->sLabel3->Caption();
        String duty = Form->Label3->Caption();
        int properties = PropertyCells(Form->AdvStringGrid1);
        Boxes.clear();
        TypeChars(Form->sComboBox2->EditHandle(), Year.substr(Year.size() - 1));
        ASSERT_FALSE(Boxes.empty()) << Year;
        EXPECT_NE(Boxes.back().find(Told), String::npos) << Boxes.back();
        EXPECT_EQ(Stretch(), days) << Year;
        EXPECT_EQ(Form->sLabel3->Caption(), line);
        EXPECT_EQ(Form->Label3->Caption(), duty);
        EXPECT_EQ(PropertyCells(Form->AdvStringGrid1), properties);
    };

    // Lunar facts are asked by the year's position in the list: a year outside it is refused.
    ClickButton(Form->sRadioButton2);
    ShowHoliday(L"2013", L"中秋节");
    rejected(L"2040", L"年份“2040”");
    rejected(L"abc", L"年份“abc”");

    // Solar holidays take any year a date can have, but no text that is not a number.
    ClickButton(Form->sRadioButton1);
    ShowHoliday(L"2013", L"圣诞节");
    rejected(L"abc", L"年份“abc”不是整数");
    rejected(L"10000", L"年份“10000”");
    Boxes.clear();
    TypeInto(Form->sComboBox2, L"1999");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Form->sLabel3->Caption(), L"1999年圣诞节是25号");
    EXPECT_EQ(Form->AdvStringGrid1->Cells(3, 3), L"5");
}

} // namespace
