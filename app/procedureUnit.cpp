#include "app/procedureUnit.h"

#include <algorithm>
#include <functional>

#include "app/CalendarLibrary.h"
#include "app/KVLUnit.h"
#include "framework/system/Conversions.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/StringUtils.h"
#include "skin/core/sDialogs.h"

namespace {

const wchar_t* const DutyAnswer = L"Red";
constexpr int StretchDays = 16;

using THolidayJudge = String (*)(TDateTime Day, TDateTime FirstDutyDay);
using TLunarJudge = String (*)(int Offset, int YearIndex, int HolidayIndex, TDateTime FirstDutyDay);

enum TInputCheck { icCompute, icNothing, icFault };

// Every refusal of a typed year or month looks alike: Chinese, under the program's caption.
void TellInputFault(const String& Text)
{
    MessageBoxPos(Form1->Caption(), Text, mtWarning, {mbOK}, 0, -1, -1);
}

enum TNumberRead { nrNumber, nrEmpty, nrNoNumber };

// Years and months are decimal numbers with blanks around them allowed; hexadecimal and every
// other notation the framework's conversion takes are no numbers here. Values too large for the
// ranges below saturate instead of overflowing.
TNumberRead ReadDecimal(const String& Text, int& Value)
{
    String text = Trim(Text);
    if (text.empty()) return nrEmpty;
    size_t at = 0;
    bool negative = text[0] == L'-';
    if (text[0] == L'-' || text[0] == L'+') ++at;
    if (at == text.size()) return nrNoNumber;
    long long value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < L'0' || text[at] > L'9') return nrNoNumber;
        value = std::min(value * 10 + (text[at] - L'0'), 1000000000LL);
    }
    Value = static_cast<int>(negative ? -value : value);
    return nrNumber;
}

// An empty box is an entry not yet finished: nothing to tell, nothing to compute. Otherwise the
// number must lie in [Lowest, Highest]; Name is the box's name in the messages.
TInputCheck ReadNumberBox(const String& Text, const String& Name, int Lowest, int Highest, int& Value)
{
    String range = Name + L"是 " + IntToStr(Lowest) + L" 到 " + IntToStr(Highest) + L" 之间的整数。";
    switch (ReadDecimal(Text, Value)) {
    case nrEmpty: return icNothing;
    case nrNoNumber: TellInputFault(Name + L"“" + Text + L"”不是整数：" + range); return icFault;
    case nrNumber: break;
    }
    if (Value < Lowest || Value > Highest) {
        TellInputFault(Name + L"“" + Text + L"”超出范围：" + range);
        return icFault;
    }
    return icCompute;
}

// The first duty day is read only while the date edit holds a date; leaving the edit otherwise
// is refused by the edit itself.
bool FirstDutyDayReadable()
{
    return Form1->sDateEdit1->HasValidDate();
}

// ---- Month page ------------------------------------------------------------------------------

struct TMonthInputs {
    String YearText, MonthText; // as the library is given them: plain decimal
    int Year = 0, Month = 0;
};

TInputCheck ReadMonthInputs(TMonthInputs& In)
{
    TInputCheck year = ReadNumberBox(Form1->sComboBox3->Text(), L"年份", 1, 9999, In.Year);
    if (year == icFault) return icFault;
    TInputCheck month = ReadNumberBox(Form1->sComboBox4->Text(), L"月份", 1, 12, In.Month);
    if (month == icFault) return icFault;
    if (year != icCompute || month != icCompute) return icNothing;
    In.YearText = IntToStr(In.Year);
    In.MonthText = IntToStr(In.Month);
    return icCompute;
}

struct TMonthShape {
    int First = 0; // column of the 1st (0 = Sunday)
    int Last = 0;  // the month's last day
};

TMonthShape AskMonthShape(const TMonthInputs& In)
{
    TMonthShape shape;
    shape.First = StrToInt(WeekOfFirstDay(In.MonthText, In.YearText)) - 1;
    shape.Last = StrToInt(LastDay(In.MonthText, In.YearText));
    return shape;
}

// Where day Day of the month lies: row 1 from the column of the 1st on, then whole weeks.
void DayCell(const TMonthShape& Shape, int Day, int& Col, int& Row)
{
    int index = std::max(Shape.First, 0) + Day - 1;
    Col = index % 7;
    Row = 1 + index / 7;
}

THolidayJudge SelectedDateJudge()
{
    if (Form1->sRadioButton3->Checked()) return H_judget_72;
    if (Form1->sRadioButton4->Checked()) return H_judget_48;
    if (Form1->sRadioButton5->Checked()) return H_judget_36;
    return nullptr;
}

TLunarJudge SelectedLunarJudge()
{
    if (Form1->sRadioButton3->Checked()) return L_judget_72;
    if (Form1->sRadioButton4->Checked()) return L_judget_48;
    if (Form1->sRadioButton5->Checked()) return L_judget_36;
    return nullptr;
}

void MarkDuty(TAdvStringGrid* Grid, int Col, int Row)
{
    TCellProperties* props = Grid->GetCellProperties(Col, Row);
    props->SetFontColor(clRed);
    props->SetAlignment(taCenter);
}

// ---- Holiday page ----------------------------------------------------------------------------

enum THolidayKind { hkSolar, hkLunar };

struct THolidayInputs {
    THolidayKind Kind = hkSolar;
    int Index = -1;
    String YearText;
    int Year = 0;
    int YearIndex = -1;
};

struct TSolarHoliday {
    int Start;     // the number before the first cell
    int Wrap;      // the month length the numbers wrap at; 0: they do not
    int YearShift; // the stretch starts in the year before (元旦)
    int Month, Day;
};

const TSolarHoliday SolarHolidays[6] = {
    {27, 31, -1, 12, 28}, // 元旦: 28 December of the year before
    {9, 0, 0, 2, 10},     // 情人节
    {26, 30, 0, 4, 27},   // 劳动节
    {27, 31, 0, 5, 28},   // 儿童节
    {26, 30, 0, 9, 27},   // 国庆节
    {20, 31, 0, 12, 21},  // 圣诞节
};

constexpr int LanternFestival = 0; // 元宵节
constexpr int NewYearsEve = 5;     // 除夕

// The chosen holiday: the selected entry, as long as the box shows it.
int ChosenHoliday()
{
    TsComboBox* box = Form1->sComboBox1;
    int index = box->ItemIndex();
    if (index < 0 || index >= box->Items()->Count() || box->Items()->Get(index) != box->Text()) return -1;
    return index;
}

TInputCheck ReadHolidayInputs(THolidayInputs& In)
{
    if (Form1->sRadioButton1->Checked())
        In.Kind = hkSolar;
    else if (Form1->sRadioButton2->Checked())
        In.Kind = hkLunar;
    else
        return icNothing;
    In.Index = ChosenHoliday();
    if (In.Index < 0 || In.Index > 5) return icNothing;
    String typed = Form1->sComboBox2->Text();
    int lowest = In.Kind == hkSolar && SolarHolidays[In.Index].YearShift < 0 ? 2 : 1;
    TInputCheck year = ReadNumberBox(typed, L"年份", lowest, 9999, In.Year);
    if (year != icCompute) return year;
    In.YearText = IntToStr(In.Year);
    In.YearIndex = Form1->sComboBox2->Items()->IndexOf(In.YearText);
    // The lunar facts are asked by the year's position in the list.
    if (In.Kind == hkLunar && In.YearIndex < 0) {
        TellInputFault(L"年份“" + typed + L"”不在列表中：农历节日只能从列表里的年份中选择。");
        return icFault;
    }
    return icCompute;
}

// Writes the sixteen day numbers left to right, top to bottom: the running number starts at
// Start, goes back to 0 once it reached the wrap value, then counts on. Wrap answers the wrap
// value for the next cell: 0 for none, a negative value to leave that cell empty.
void WriteDayNumbers(TAdvStringGrid* Grid, int Start, const std::function<int()>& Wrap)
{
    int day = Start;
    for (int g = 0; g < StretchDays; ++g) {
        int wrap = Wrap();
        if (wrap < 0) continue;
        if (wrap > 0 && day >= wrap) day = 0;
        ++day;
        Grid->SetCells(g % 4, g / 4, IntToStr(day));
    }
}

// The length of the month the lunar stretch starts after: its numbers run as the calendar does.
int LunarWrap(const THolidayInputs& In)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(DateOfBegin(In.YearIndex, In.Index), year, month, day);
    return StrToInt(LastDay(IntToStr(month), IntToStr(year)));
}

} // namespace

// ---- Month page ------------------------------------------------------------------------------

bool MonthPageReady()
{
    TMonthInputs in;
    return ReadMonthInputs(in) == icCompute && FirstDutyDayReadable();
}

void FillMonthLayout()
{
    TMonthInputs in;
    if (ReadMonthInputs(in) != icCompute) return;
    TAdvStringGrid* grid = Form1->caleGrid;
    for (int col = 0; col < 7; ++col) grid->SetCells(col, 0, WeekDayNames[col]);
    TMonthShape shape = AskMonthShape(in);
    int day = 1;
    if (shape.First <= 6)
        for (int col = std::max(shape.First, 0); col <= 6; ++col) grid->SetCells(col, 1, IntToStr(day++));
    for (int row = 2; row <= 6; ++row)
        for (int col = 0; col <= 6 && day <= shape.Last; ++col) grid->SetCells(col, row, IntToStr(day++));
}

void MarkMonthDutyDays()
{
    TMonthInputs in;
    if (ReadMonthInputs(in) != icCompute) return;
    TMonthShape shape = AskMonthShape(in);
    THolidayJudge judge = SelectedDateJudge();
    if (judge == nullptr) return;
    TDateTime firstDuty = Form1->sDateEdit1->Date();
    int count = 0;
    for (int day = 1; day <= shape.Last; ++day) {
        if (judge(EncodeDate(in.Year, in.Month, day), firstDuty) != DutyAnswer) continue;
        int col = 0, row = 0;
        DayCell(shape, day, col, row);
        MarkDuty(Form1->caleGrid, col, row);
        ++count;
    }
    Form1->Label1->SetCaption(L"本月共工作" + IntToStr(count) + L"天");
    Form1->Label2->SetCaption(L"本月共休息" + IntToStr(shape.Last - count) + L"天");
}

// ---- Holiday page ----------------------------------------------------------------------------

bool HolidayPageReady()
{
    THolidayInputs in;
    return ReadHolidayInputs(in) == icCompute && FirstDutyDayReadable();
}

void ShowHolidayDate()
{
    THolidayInputs in;
    if (ReadHolidayInputs(in) != icCompute) return;
    TAdvStringGrid* grid = Form1->AdvStringGrid1;
    if (in.Kind == hkSolar) {
        const TSolarHoliday& holiday = SolarHolidays[in.Index];
        WriteDayNumbers(grid, holiday.Start, [&] { return holiday.Wrap; });
        Form1->sLabel3->SetCaption(in.YearText + L"年" + SolarHolidayNames[in.Index] + L"是" + grid->Cells(0, 1) + L"号");
        return;
    }
    int start = DaysOfBegin(in.YearIndex, in.Index);
    if (in.Index == LanternFestival) {
        // February's length, asked for every cell; an answer that is no February leaves the cell empty.
        WriteDayNumbers(grid, start, [&] {
            int days = DaysOfFeb(in.Year);
            return days == 28 || days == 29 ? days : -1;
        });
    } else {
        int wrap = LunarWrap(in);
        WriteDayNumbers(grid, start, [wrap] { return wrap; });
    }
    if (in.Index == NewYearsEve)
        Form1->sLabel3->SetCaption(IntToStr(in.Year - 1) + L"年除夕是" + grid->Cells(0, 1) + L"号" + L"\r" + in.YearText +
                                   L"年春节是" + grid->Cells(1, 1) + L"号");
    else
        Form1->sLabel3->SetCaption(in.YearText + L"年" + LunarHolidayNames[in.Index] + L"是" + grid->Cells(0, 1) + L"号");
}

void FillHolidayTable()
{
    THolidayInputs in;
    if (ReadHolidayInputs(in) != icCompute) return;
    THolidayJudge dateJudge = SelectedDateJudge();
    TLunarJudge lunarJudge = SelectedLunarJudge();
    if (dateJudge == nullptr || lunarJudge == nullptr) return;
    TDateTime firstDuty = Form1->sDateEdit1->Date();
    TDateTime firstDay = 0;
    if (in.Kind == hkSolar) {
        const TSolarHoliday& holiday = SolarHolidays[in.Index];
        firstDay = EncodeDate(in.Year + holiday.YearShift, holiday.Month, holiday.Day);
    }
    int count = 0;
    for (int g = 0; g < StretchDays; ++g) {
        String answer = in.Kind == hkSolar ? dateJudge(firstDay + g, firstDuty)
                                           : lunarJudge(g, in.YearIndex, in.Index, firstDuty);
        if (answer != DutyAnswer) continue;
        MarkDuty(Form1->AdvStringGrid1, g % 4, g / 4);
        ++count;
    }
    Form1->Label3->SetCaption(L"节日共工作" + IntToStr(count) + L"天");
    Form1->Label4->SetCaption(L"节日共休息" + IntToStr(StretchDays - count) + L"天");
}
