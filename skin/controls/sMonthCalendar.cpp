// The calendar itself: its date and the ways it moves, its bounds and settings, the layout of
// the month in the grid, the title bar, the buttons and the month and year menu.
#include "skin/controls/sMonthCalendar.h"

#include <algorithm>
#include <cmath>

#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/Conversions.h"
#include "framework/system/ScopeGuards.h"
#include "skin/controls/sDateUtils.h"
#include "skin/controls/sPopupClndr.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int CalendarCode = 59;
// The system calendar's "Today:" in comctl32's string table.
constexpr UINT TodayStringId = 4163;
// How far above the mouse the month and year menu opens.
constexpr int MenuLift = 120;

TDateTime Today()
{
    return std::trunc(Now());
}

void DecodeDay(TDateTime Value, int& Year, int& Month, int& Day)
{
    DecodeDate(Value, Year, Month, Day);
}

} // namespace

const wchar_t* const WeekHeaderText = L"\x2116/w";

const String& TodayText()
{
    static const String text = [] {
        String result;
        if (HMODULE library = LoadLibraryW(L"comctl32.dll")) {
            wchar_t buffer[256] = {};
            const int length = LoadStringW(library, TodayStringId, buffer, 255);
            if (length > 0) result.assign(buffer, static_cast<size_t>(length));
            FreeLibrary(library);
        }
        return result;
    }();
    return text;
}

int CalendarWeekNumber(TDateTime Day)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Day, year, month, day);
    const TDateTime newYear = EncodeDate(year, 1, 1);
    const int days = static_cast<int>(std::trunc(Day) - newYear);
    return (days + DayOfWeek(newYear) - 1) / 7 + 1;
}

// ---- Construction -----------------------------------------------------------------------------

TsMonthCalendar::TsMonthCalendar(TComponent* AOwner) : TsPanel(AOwner)
{
    FCommonData->COC = CalendarCode;
    FCommonData->SetUpdating(false);
    FDate = Today();

    FDragBar = new TsDragBar(this);
    FDragBar->SkinData()->SetSkinSection(L"DRAGBAR");
    FDragBar->SetParent(this);
    FDragBar->SetColor(clActiveCaption);
    FDragBar->SetAlign(alTop);
    FDragBar->SetTop(-1);
    FDragBar->OnDblClick = [this](TObject*) { SetCalendarDate(Today()); };
    FDragBar->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        TitleMouseDown(Sender, Button, Shift, X, Y);
    };

    FSeparator = new TsPanel(this);
    FSeparator->SetParent(this);
    FSeparator->SetAlign(alTop);
    FSeparator->SetHeight(3);
    FSeparator->SkinData()->SetSkinSection(L"CHECKBOX");
    FSeparator->SetCaption(L"");
    FSeparator->SetBevelOuter(bvNone);
    FSeparator->SetTop(FDragBar->Height());

    FGrid = new TsCalendGrid(this);
    FGrid->SetParent(this);
    FGrid->SetParentColor(true);

    SetBorderWidth(3);
    SetBevelWidth(1);
    SetCaption(L" ");
    SetBounds(Left(), Top(), 178, 139);

    struct TButtonSpec {
        const wchar_t* Caption;
        TAlign Align;
        void (TsMonthCalendar::*Step)();
    };
    const TButtonSpec buttons[4] = {{L"<<", alLeft, &TsMonthCalendar::PrevYear},
                                    {L"<", alLeft, &TsMonthCalendar::PrevMonth},
                                    {L">", alRight, &TsMonthCalendar::NextMonth},
                                    {L">>", alRight, &TsMonthCalendar::NextYear}};
    for (size_t i = 0; i < FBtns.size(); ++i) {
        auto* button = new TsTimerSpeedButton(this);
        button->SkinData()->SetSkinSection(L"WEBBUTTON");
        button->SetFlat(true);
        button->SetCaption(buttons[i].Caption);
        button->SetAlign(buttons[i].Align);
        button->SetWidth(20);
        button->SetParent(FDragBar);
        const auto step = buttons[i].Step;
        button->OnClick = [this, step](TObject*) { (this->*step)(); };
        FBtns[i] = button;
    }
    // The outer buttons sit outside the inner ones.
    FBtns[1]->SetLeft(FBtns[0]->Left() + FBtns[0]->Width());
    FBtns[2]->SetLeft(FBtns[3]->Left() - FBtns[2]->Width());

    FTodayBtn = new TsSpeedButton(this);
    FTodayBtn->SkinData()->SetSkinSection(L"TOOLBUTTON");
    FTodayBtn->SetVisible(false);
    FTodayBtn->SetAlign(alBottom);
    FTodayBtn->SetHeight(18);
    FTodayBtn->SetFlat(true);
    FTodayBtn->SetAnimatEvents(TacAnimatEvents{});
    FTodayBtn->Font()->SetStyle(TFontStyles{fsBold});
    FTodayBtn->SetCaption(TodayText().empty() ? FormatDateTime(L"\"Today: \" mmmm d, yyyy", Today())
                                              : TodayText() + FormatDateTime(L" mmmm d, yyyy", Today()));
    FTodayBtn->OnClick = [this](TObject* Sender) { TodayClick(Sender); };

    FillGrid(false);
}

TsMonthCalendar::~TsMonthCalendar() = default;

void TsMonthCalendar::CreateWnd()
{
    TsPanel::CreateWnd();
    FTodayBtn->SetVisible(FShowTodayBtn);
    ApplyButtonVisibility();
    UpdateGrid();
}

void TsMonthCalendar::Loaded()
{
    TsPanel::Loaded();
    if (FDragBar->Visible()) {
        FDragBar->SkinData()->SetSkinManager(FCommonData->SkinManager());
        for (TsTimerSpeedButton* button : FBtns) button->SkinData()->SetSkinManager(FCommonData->SkinManager());
    }
    FillGrid(false);
}

// ---- The date ---------------------------------------------------------------------------------

int TsMonthCalendar::Day() const
{
    int y = 0, m = 0, d = 0;
    DecodeDay(FDate, y, m, d);
    return d;
}

int TsMonthCalendar::Month() const
{
    int y = 0, m = 0, d = 0;
    DecodeDay(FDate, y, m, d);
    return m;
}

int TsMonthCalendar::Year() const
{
    int y = 0, m = 0, d = 0;
    DecodeDay(FDate, y, m, d);
    return y;
}

void TsMonthCalendar::SetDay(int Value)
{
    SetDateElement(deDay, Value);
}

void TsMonthCalendar::SetMonth(int Value)
{
    SetDateElement(deMonth, Value);
}

void TsMonthCalendar::SetYear(int Value)
{
    SetDateElement(deYear, Value);
}

void TsMonthCalendar::SetDateElement(TDateElement Element, int Value)
{
    if (Value < 1) return;
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    switch (Element) {
    case deDay:
        if (Value > DaysPerMonth(year, month) || Value == day) return;
        day = Value;
        break;
    case deMonth:
        if (Value > 12 || Value == month) return;
        month = Value;
        day = std::min(day, DaysPerMonth(year, month));
        break;
    case deYear:
        if (Value == year) return;
        year = Value;
        // 29 February into a year without one: the month's last day, not a change refused.
        day = std::min(day, DaysPerMonth(year, month));
        break;
    }
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value)) return;
    FDate = value;
    FUseCurrentDate = false;
    FillGrid(Element == deDay);
    Changed();
}

void TsMonthCalendar::SetCalendarDate(TDateTime Value)
{
    if (Value == FDate || !ValidDateTime(Value)) return;
    FDate = Value;
    UpdateCalendar();
    Changed();
}

void TsMonthCalendar::Changed()
{
    if (OnChange) OnChange(this);
}

void TsMonthCalendar::ChangeMonth(int Delta)
{
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    // Step over the month's edge, then back to the same day as far as the month allows.
    const TDateTime edge = Delta < 0 ? EncodeDate(year, month, 1) - 1 : EncodeDate(year, month, DaysPerMonth(year, month)) + 1;
    if (!ValidDateTime(edge)) return;
    int newYear = 0, newMonth = 0, newDay = 0;
    DecodeDay(edge, newYear, newMonth, newDay);
    SetCalendarDate(EncodeDate(newYear, newMonth, std::min(day, DaysPerMonth(newYear, newMonth))));
}

void TsMonthCalendar::PrevMonth()
{
    ChangeMonth(-1);
}

void TsMonthCalendar::NextMonth()
{
    ChangeMonth(1);
}

void TsMonthCalendar::NextYear()
{
    if (IsLeapYear(Year()) && Month() == 2 && Day() == 29) SetDay(28);
    if (ValidYMD(Year() + 1, Month(), Day())) SetYear(Year() + 1);
}

void TsMonthCalendar::PrevYear()
{
    if (IsLeapYear(Year()) && Month() == 2 && Day() == 29) SetDay(28);
    if (ValidYMD(Year() - 1, Month(), Day())) SetYear(Year() - 1);
}

void TsMonthCalendar::SetMinDate(TDateTime Value)
{
    if (Value == FMinDate) return;
    FMinDate = Value;
    if (FMinDate != 0 && std::trunc(FDate) < std::trunc(FMinDate) && !ComponentState().Contains(csLoading))
        SetCalendarDate(std::trunc(FMinDate));
    UpdateCalendar();
}

void TsMonthCalendar::SetMaxDate(TDateTime Value)
{
    if (Value == FMaxDate) return;
    FMaxDate = Value;
    if (FMaxDate != 0 && std::trunc(FDate) > std::trunc(FMaxDate) && !ComponentState().Contains(csLoading))
        SetCalendarDate(std::trunc(FMaxDate));
    UpdateCalendar();
}

bool TsMonthCalendar::IsValidDate(TDateTime D) const
{
    return (FMinDate == 0 || std::trunc(FMinDate) <= std::trunc(D)) && (FMaxDate == 0 || std::trunc(D) <= std::trunc(FMaxDate));
}

void TsMonthCalendar::SetUseCurrentDate(bool Value)
{
    FUseCurrentDate = Value;
    if (Value) {
        FDate = Today();
        UpdateCalendar();
    }
}

void TsMonthCalendar::TodayClick(TObject*)
{
    SetCalendarDate(Today());
    // Inside a date edit's drop-down the button takes the date like a click on a day does.
    if (TsPopupCalendar* popup = PopupOwner()) popup->CalendarClick();
}

TsPopupCalendar* TsMonthCalendar::PopupOwner() const
{
    return dynamic_cast<TsPopupCalendar*>(Owner());
}

// ---- Settings ---------------------------------------------------------------------------------

int TsMonthCalendar::FirstDayOfWeek() const
{
    if (FStartOfWeek != dowLocaleDefault) return static_cast<int>(FStartOfWeek);
    wchar_t value[4] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, value, 4) > 0 && value[0] >= L'0' && value[0] <= L'6')
        return value[0] - L'0';
    return static_cast<int>(dowSunday);
}

void TsMonthCalendar::SetStartOfWeek(TCalDayOfWeek Value)
{
    if (Value == FStartOfWeek) return;
    FStartOfWeek = Value;
    UpdateCalendar();
}

void TsMonthCalendar::SetWeekends(TDaysOfWeek Value)
{
    if (Value == FWeekends) return;
    FWeekends = Value;
    UpdateCalendar();
}

void TsMonthCalendar::SetWeekendColor(TColor Value)
{
    if (Value == FWeekendColor) return;
    FWeekendColor = Value;
    FCommonData->Invalidate();
    FGrid->Invalidate();
}

void TsMonthCalendar::SetShowTitle(bool Value)
{
    FShowTitle = Value;
    FDragBar->SetVisible(Value);
    FDragBar->SetParent(Value ? this : nullptr);
}

void TsMonthCalendar::SetShowCurrentDate(bool Value)
{
    FShowCurrentDate = Value;
    FGrid->Invalidate();
}

void TsMonthCalendar::SetShowWeeks(bool Value)
{
    if (Value == FShowWeeks) return;
    FShowWeeks = Value;
    FGrid->SetDefaultColWidth(FGrid->Width() / (7 + WeekColumns()));
    UpdateGrid();
    FGrid->Invalidate();
}

void TsMonthCalendar::SetShowTodayBtn(bool Value)
{
    FShowTodayBtn = Value;
    FTodayBtn->SetParent(Value ? this : nullptr);
    FTodayBtn->SetVisible(Value);
    FillGrid(false);
}

void TsMonthCalendar::SetShowSelectAlways(bool Value)
{
    FShowSelectAlways = Value;
    FillGrid(false);
}

void TsMonthCalendar::SetShowYearBtns(bool Value)
{
    FShowYearBtns = Value;
    ApplyButtonVisibility();
}

void TsMonthCalendar::SetShowMonthBtns(bool Value)
{
    FShowMonthBtns = Value;
    ApplyButtonVisibility();
}

void TsMonthCalendar::ApplyButtonVisibility()
{
    FBtns[0]->SetVisible(FShowYearBtns);
    FBtns[3]->SetVisible(FShowYearBtns);
    FBtns[1]->SetVisible(FShowMonthBtns);
    FBtns[2]->SetVisible(FShowMonthBtns);
}

// ---- Layout of the month ----------------------------------------------------------------------

void TsMonthCalendar::UpdateGrid()
{
    FTodayBtn->SetParent(FShowTodayBtn ? this : nullptr);
    const int w = WeekColumns();
    FGrid->SetColCount(7 + w);
    FGrid->SetFixedCols(w);
    UpdateCalendar();
}

void TsMonthCalendar::UpdateCalendar()
{
    FillGrid(false);
}

void TsMonthCalendar::FillGrid(bool KeepTitle)
{
    TValueRestore<bool> updating(FUpdating, true);
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    TDateTime first = 0;
    if (!TryEncodeDate(year, month, 1, first)) return;
    const int shift = (DayOfWeek(first) - (FirstDayOfWeek() + 1) + 7) % 7;
    FMonthOffset = shift == 0 ? -5 : 2 - shift;
    const int w = WeekColumns();
    const int col = (day - FMonthOffset) % 7 + w;
    const int row = (day - FMonthOffset) / 7 + 1;
    if (col < FGrid->ColCount() && row < FGrid->RowCount()) FGrid->MoveColRow(col, row, true, false);
    if (!KeepTitle) {
        FDragBar->SetCaption(FormatSettings.LongMonthNames[static_cast<size_t>(month - 1)] + L" " + IntToStr(year));
        FGrid->Invalidate();
    }
}

int TsMonthCalendar::CellDay(int ACol, int ARow) const
{
    const int w = WeekColumns();
    if (ARow < 1 || ACol < w) return 0;
    const int n = (ACol - w) + FMonthOffset + 7 * (ARow - 1);
    int year = 0, month = 0, day = 0;
    DecodeDay(FDate, year, month, day);
    return n >= 1 && n <= DaysPerMonth(year, month) ? n : 0;
}

String TsMonthCalendar::CellText(int ACol, int ARow)
{
    const int w = WeekColumns();
    if (ARow == 0) {
        if (w == 1 && ACol == 0) return WeekHeaderText;
        const int dayNumber = (FirstDayOfWeek() + ACol - w + 1) % 7 + 1;
        return FormatSettings.ShortDayNames[static_cast<size_t>(dayNumber - 1)];
    }
    if (w == 1 && ACol == 0) {
        if (ARow > 6) return String();
        // The row's reference day: its Saturday in the first row, its Monday below (a column
        // further left in a Monday-first grid); counted from day 1 so that days before or
        // after the month are real dates of the months around it.
        int reference = ARow == 1 ? FMonthOffset + 6 : FMonthOffset + 7 * (ARow - 1) + 1;
        if (FirstDayOfWeek() == 0) --reference;
        int year = 0, month = 0, day = 0;
        DecodeDay(FDate, year, month, day);
        const TDateTime date = EncodeDate(year, month, 1) + (reference - 1);
        if (!ValidDateTime(date)) return String();
        return IntToStr(CalendarWeekNumber(date));
    }
    const int n = CellDay(ACol, ARow);
    return n > 0 ? IntToStr(n) : String();
}

bool TsMonthCalendar::IsWeekendColumn(int ACol) const
{
    const int k = (ACol + FirstDayOfWeek() - WeekColumns()) % 7;
    return k >= 0 && FWeekends.Contains(static_cast<TCalDayOfWeek>(k));
}

// ---- Title bar and menu -----------------------------------------------------------------------

void TsMonthCalendar::BuildMonthYearMenu()
{
    if (PopMenu != nullptr) return;
    PopMenu = new TPopupMenu(this);
    const int year = Year();
    const int month = Month();
    auto addYear = [&](TMenuItem* Parent, int Y, const String& Caption) {
        auto* item = new TMenuItem(this);
        item->SetCaption(Caption);
        item->SetTag(Y);
        for (int m = 1; m <= 12; ++m) {
            auto* monthItem = new TMenuItem(this);
            monthItem->SetCaption(FormatSettings.LongMonthNames[static_cast<size_t>(m - 1)]);
            monthItem->OnClick = [this, monthItem](TObject*) {
                SetYear(static_cast<int>(monthItem->Parent()->Tag()));
                SetMonth(monthItem->MenuIndex() + 1);
            };
            if (Y == year && m == month) {
                monthItem->SetDefault(true);
                monthItem->SetChecked(true);
            }
            item->Add(monthItem);
        }
        if (Y == year) {
            item->SetDefault(true);
            item->SetChecked(true);
        }
        Parent->Add(item);
    };
    auto addDecade = [&](int From) {
        auto* decade = new TMenuItem(this);
        decade->SetCaption(IntToStr(From) + L".." + IntToStr(From + 9));
        for (int y = From; y < From + 10; ++y) addYear(decade, y, IntToStr(y));
        PopMenu->Items()->Add(decade);
    };
    for (int from : {year - 54, year - 44, year - 34, year - 24, year - 14}) addDecade(from);
    for (int y = year - 4; y <= year + 5; ++y) addYear(PopMenu->Items(), y, L"  " + IntToStr(y));
    for (int from : {year + 6, year + 16, year + 26, year + 36}) addDecade(from);
    TsSkinManager* manager = FCommonData->SkinManager();
    if (FCommonData->Skinned() && manager != nullptr && manager->SkinnedPopups()) HookPopupMenu(manager, PopMenu);
}

void TsMonthCalendar::TitleMouseDown(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    BuildMonthYearMenu();
    POINT cursor{};
    GetCursorPos(&cursor);
    PopMenu->Popup(cursor.x, std::max(0, static_cast<int>(cursor.y) - MenuLift));
}

// ---- Messages ---------------------------------------------------------------------------------

void TsMonthCalendar::FontChanged()
{
    for (TControl* control : {static_cast<TControl*>(FTodayBtn), static_cast<TControl*>(FDragBar)}) {
        control->Font()->Assign(Font());
        control->Font()->SetStyle(TFontStyles{fsBold});
    }
    TSize size{0, 0};
    FontTextSize(FDragBar->Font(), L"W", size);
    FTodayBtn->SetHeight(size.cy + 4);
    FDragBar->SetHeight(size.cy + 4);
    for (TsTimerSpeedButton* button : FBtns) button->SetWidth(size.cx + 10);
}

void TsMonthCalendar::WndProc(TMessage& Message)
{
    TsPanel::WndProc(Message);
    if (Message.Msg == SM_LUMACMD) {
        const int sub = SkinCmdSub(Message.WParam);
        const bool own = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
        if ((sub == AC_SKINUNLOADED || sub == AC_RESKIN) && own) {
            TsSkinManager* manager = FCommonData->SkinManager();
            if (PopMenu != nullptr && manager != nullptr && manager->SkinnedPopups() && PopupMenuSkinner)
                PopupMenuSkinner(manager, PopMenu, sub == AC_RESKIN);
            UpdateCalendar();
            FGrid->Invalidate();
            if (FShowTitle && FDragBar->HandleAllocated())
                SendMessageW(FDragBar->Handle(), Message.Msg, Message.WParam, Message.LParam);
        }
    } else if (Message.Msg == CM_FONTCHANGED) {
        FontChanged();
    }
}
