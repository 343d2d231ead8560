// What the pages look like, read from pixels: the month page's duty days are red wherever they
// lie (the top-left day cell is also the grid's current cell), and a first duty day picked in the
// drop-down calendar shows on both the table and the counts at once, as a typed one does.
#include "tests/app/AppTestSupport.h"

#include "skin/controls/sMonthCalendar.h"
#include "skin/controls/sPopupClndr.h"
#include "skin/forms/acDials.h"
#include "tests/support/PixelBuffer.h"

using namespace kvltest;

namespace {

bool IsRedInk(COLORREF c)
{
    return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

bool IsDarkInk(COLORREF c)
{
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

// What a window's client area holds: painted into a bitmap, or as the screen shows it now.
enum class TSource { Painted, Screen };

class PagePaint : public MainFormTest {
protected:
    void Read(TWinControl* Control, TPixelBuffer& Into, TSource Source)
    {
        if (Source == TSource::Painted) {
            Control->PaintTo(Into.DC(), 0, 0);
            return;
        }
        HDC dc = GetDC(Control->Handle());
        BitBlt(Into.DC(), 0, 0, Into.Width(), Into.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(Control->Handle(), dc);
    }

    // Checks every day cell of the month on show: red ink exactly on the duty days, the other
    // day numbers in dark ink.
    void ExpectDutyDaysRed(int Year, int Month, TRotation Rotation, TDateTime FirstDuty, TSource Source)
    {
        TAdvStringGrid* grid = Form->caleGrid;
        TPixelBuffer pixels(grid->Width(), grid->Height());
        Read(grid, pixels, Source);
        const int first = DayOfWeek(EncodeDate(Year, Month, 1)) - 1;
        for (int day = 1; day <= DaysInAMonth(Year, Month); ++day) {
            const int col = (first + day - 1) % 7, row = 1 + (first + day - 1) / 7;
            ASSERT_EQ(grid->Cells(col, row), IntToStr(day));
            const TRect cell = grid->CellRect(col, row);
            const RECT inside{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
            const RECT red = pixels.Find(inside, IsRedInk), dark = pixels.Find(inside, IsDarkInk);
            const bool hasRed = red.right > red.left, hasDark = dark.right > dark.left;
            const bool duty = IsDuty(Rotation, EncodeDate(Year, Month, day), FirstDuty);
            EXPECT_EQ(hasRed, duty) << Year << L"/" << Month << L"/" << day << " at (" << col << "," << row << ")";
            EXPECT_EQ(hasDark, !duty) << Year << L"/" << Month << L"/" << day << " at (" << col << "," << row << ")";
        }
    }

    int DutyCount(int Year, int Month, TRotation Rotation, TDateTime FirstDuty)
    {
        int n = 0;
        for (int day = 1; day <= DaysInAMonth(Year, Month); ++day) n += IsDuty(Rotation, EncodeDate(Year, Month, day), FirstDuty);
        return n;
    }
};

TEST_F(PagePaint, EveryDutyDayIsRedAlsoOnTheFirstDayCellOfASundayMonth)
{
    struct TCase {
        int Year, Month;
        const wchar_t* FirstDuty;
        TRotation Rotation;
    };
    // February and March 2026 begin on a Sunday: day 1 is the top-left day cell.
    const TCase cases[] = {
        {2026, 2, L"20260201", TRotation::Hours24}, {2026, 3, L"20260201", TRotation::Hours24},
        {2026, 3, L"20260201", TRotation::Hours48}, {2026, 3, L"20260201", TRotation::Hours12},
        {2026, 3, L"20260301", TRotation::Hours48},
    };
    for (const TCase& c : cases) {
        ChooseRotation(c.Rotation);
        SetFirstDutyDay(c.FirstDuty);
        ShowMonth(IntToStr(c.Year), IntToStr(c.Month));
        Application->ProcessMessages();
        const TDateTime firstDuty = Form->sDateEdit1->Date();
        SCOPED_TRACE(testing::Message() << c.Year << "/" << c.Month << " from " << c.FirstDuty);
        ExpectDutyDaysRed(c.Year, c.Month, c.Rotation, firstDuty, TSource::Painted);
        ExpectDutyDaysRed(c.Year, c.Month, c.Rotation, firstDuty, TSource::Screen);
    }
    // February 2026 from its 1st, 24-hour rotation: the 1st, 4th, … 28th.
    ChooseRotation(TRotation::Hours24);
    SetFirstDutyDay(L"20260201");
    ShowMonth(L"2026", L"2");
    EXPECT_EQ(Form->Label1->Caption(), L"本月共工作10天");
    EXPECT_TRUE(Boxes.empty());
}

// The form as the program runs it: its skinned frame is attached when it is first activated, and
// the drop-down calendar takes the activation while it is open.
class SkinnedPagePaint : public PagePaint {
protected:
    void SetUp() override
    {
        LinkSkinHook();
        PagePaint::SetUp();
        SetForegroundWindow(Form->Handle());
        SetActiveWindow(Form->Handle());
        Application->ProcessMessages();
    }
};

TEST_F(SkinnedPagePaint, ADayPickedInTheDropDownCalendarShowsOnTheTableAndTheCountsAtOnce)
{
    enum class TPick { Mouse, EnterKey };
    TsDateEdit* edit = Form->sDateEdit1;
    ChooseRotation(TRotation::Hours48);
    SetFirstDutyDay(L"20260202");
    ShowMonth(L"2026", L"2");
    Application->ProcessMessages();
    for (TPick pick : {TPick::Mouse, TPick::EnterKey}) {
        SCOPED_TRACE(pick == TPick::Mouse ? "mouse" : "Enter");
        // The 1st with the mouse (the odd days become duty days), the 2nd with the keyboard.
        const int day = pick == TPick::Mouse ? 1 : 2;
        TsEditButton* button = edit->Button();
        const LPARAM onButton = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onButton);
        SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, onButton);
        Application->ProcessMessages();
        ASSERT_TRUE(edit->DroppedDown());
        TsMonthCalendar* calendar = edit->PopupCalendar()->FCalendar;
        HWND days = calendar->Grid()->Handle();
        if (pick == TPick::Mouse) {
            const int offset = calendar->MonthOffset();
            const TRect cell = calendar->Grid()->CellRect((day - offset) % 7, (day - offset) / 7 + 1);
            const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
            SendMessageW(days, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageW(days, WM_LBUTTONUP, 0, at);
        } else {
            PostMessageW(days, WM_KEYDOWN, VK_RIGHT, 1);
            PostMessageW(days, WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC0000001));
            PostMessageW(days, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(days, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001));
        }
        Application->ProcessMessages();
        ASSERT_FALSE(edit->DroppedDown());
        ASSERT_EQ(edit->Date(), EncodeDate(2026, 2, day));
        const int duty = DutyCount(2026, 2, TRotation::Hours48, EncodeDate(2026, 2, day));
        EXPECT_EQ(Form->Label1->Caption(), L"本月共工作" + IntToStr(duty) + L"天");

        // The screen shows the new page: the table's cells, and the counts as the labels paint them.
        ExpectDutyDaysRed(2026, 2, TRotation::Hours48, EncodeDate(2026, 2, day), TSource::Screen);
        for (TLabel* label : {Form->Label1, Form->Label2}) {
            TWinControl* parent = label->Parent();
            TPixelBuffer painted(parent->Width(), parent->Height()), shown(parent->Width(), parent->Height());
            Read(parent, painted, TSource::Painted);
            Read(parent, shown, TSource::Screen);
            int differing = 0;
            for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
                for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
                    differing += painted.At(x, y) != shown.At(x, y) ? 1 : 0;
            EXPECT_EQ(differing, 0) << Form->Label1->Caption();
        }
    }
    EXPECT_TRUE(Boxes.empty());
}

} // namespace
