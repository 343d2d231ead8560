#pragma once
// The application's tests drive the real main form, read from its description, through the
// messages a user's actions send: characters typed into the inner edit of a combo box or into the
// date edit, clicks on radio buttons. Message boxes are caught through the framework's
// message-box function. The calendar library is the real one, bound from Library\ beside the
// test program. Expected duty days come from the rotation rules, not from the library:
// 24-hour every third day, 48-hour every other day, 12-hour two days of every three.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutUnit.h"
#include "app/CalendarLibrary.h"
#include "app/KVLUnit.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Colors.h"
#include "framework/system/Conversions.h"
#include "framework/system/DateTimeUtils.h"
#include "skin/controls/sDateUtils.h"
#include "tests/support/TestSupport.h"

namespace kvltest {

enum class TRotation { Hours24, Hours48, Hours12 };

inline bool IsDuty(TRotation Rotation, TDateTime Day, TDateTime FirstDuty)
{
    long long n = static_cast<long long>(Day) - static_cast<long long>(FirstDuty);
    switch (Rotation) {
    case TRotation::Hours24: return ((n % 3) + 3) % 3 == 0;
    case TRotation::Hours48: return ((n % 2) + 2) % 2 == 0;
    case TRotation::Hours12: return ((n % 3) + 3) % 3 != 2;
    }
    return false;
}

inline int DayOfMonth(TDateTime Value)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(Value, y, m, d);
    return d;
}

// Characters as the keyboard delivers them, one WM_CHAR each.
inline void TypeChars(HWND Wnd, const String& Text)
{
    for (wchar_t c : Text) SendMessageW(Wnd, WM_CHAR, c, 1);
}

// Selects the whole text of a combo box's edit part and types Text over it.
inline void TypeInto(TCustomComboBox* Combo, const String& Text)
{
    Combo->HandleNeeded();
    SendMessageW(Combo->EditHandle(), EM_SETSEL, 0, -1);
    TypeChars(Combo->EditHandle(), Text);
}

// A date's eight digits, year, month and day ("20130501"), in the order the date edit's picture
// writes them (the locale's order).
inline String DateDigitsFor(TsDateEdit* Edit, const String& YearMonthDay)
{
    const String year = YearMonthDay.substr(0, 4), month = YearMonthDay.substr(4, 2), day = YearMonthDay.substr(6, 2);
    switch (DateOrder(Edit->DateFormat())) {
    case doMDY: return month + day + year;
    case doDMY: return day + month + year;
    default: return YearMonthDay;
    }
}

// Types a date's eight digits ("20120101", year first) into the date edit from its first
// position, in the edit's own order.
inline void TypeDate(TsDateEdit* Edit, const String& Digits)
{
    SendMessageW(Edit->Handle(), EM_SETSEL, 0, 0);
    TypeChars(Edit->Handle(), DateDigitsFor(Edit, Digits));
}

// A click the way the mouse makes it (BM_CLICK: button down and up).
inline void ClickButton(TWinControl* Button)
{
    SendMessageW(Button->Handle(), BM_CLICK, 0, 0);
}

// The calendar library, bound once for the whole test program.
inline bool CalendarBound()
{
    if (!CalendarLibraryBound()) BindCalendarLibrary(ExeDir());
    return CalendarLibraryBound();
}

// The date as the form reads it at start-up: the library's year and month, the framework's today.
struct TToday {
    String Year, Month;
    TDateTime Day;
};

inline TToday Today()
{
    return {ThisYear(), ThisMonth(), Date()};
}

// A fresh main form for each test: read from its description, created (FormCreate has run) and
// shown; message boxes are collected instead of shown.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CalendarBound()) << "Library\\initialize.dll is missing beside the test program";
        FOldBox = SetMessageBoxFunction([this](HWND, const String& Text, const String&, UINT) {
            Boxes.push_back(Text);
            return IDOK;
        });
        // The day may turn while the form starts (midnight, a month's or the year's end): what it
        // shows is then the date of one side or the other.
        StartedBefore = Today();
        Form1 = new TForm1(nullptr);
        Form = Form1;
        Form->AfterConstruction();
        StartedAfter = Today();
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        delete Form;
        Form1 = nullptr;
        SetMessageBoxFunction(FOldBox);
    }

    // The month page for a year and month, picked the way the user does.
    void ShowMonth(const String& Year, const String& Month)
    {
        TypeInto(Form->sComboBox3, Year);
        TypeInto(Form->sComboBox4, Month);
    }
    void SetFirstDutyDay(const String& Digits) { TypeDate(Form->sDateEdit1, Digits); }
    void ChooseRotation(TRotation Rotation)
    {
        switch (Rotation) {
        case TRotation::Hours24: ClickButton(Form->sRadioButton3); break;
        case TRotation::Hours48: ClickButton(Form->sRadioButton4); break;
        case TRotation::Hours12: ClickButton(Form->sRadioButton5); break;
        }
    }

    // Cell texts of a grid, row by row, "" for empty cells.
    static std::vector<std::vector<String>> Texts(TAdvStringGrid* Grid)
    {
        std::vector<std::vector<String>> rows;
        for (int r = 0; r < Grid->RowCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < Grid->ColCount(); ++c) rows.back().push_back(Grid->Cells(c, r));
        }
        return rows;
    }
    // Whether a cell is marked as a duty day: red and centred in its own properties.
    static bool IsRed(TAdvStringGrid* Grid, int Col, int Row)
    {
        if (!Grid->HasCellProperties(Col, Row)) return false;
        TCellProperties* props = Grid->GetCellProperties(Col, Row);
        return props->FontColor() == clRed && props->Alignment() == taCenter;
    }
    // The cells that carry properties at all.
    static int PropertyCells(TAdvStringGrid* Grid)
    {
        int n = 0;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->ColCount(); ++c) n += Grid->HasCellProperties(c, r) ? 1 : 0;
        return n;
    }

    TForm1* Form = nullptr;
    std::vector<String> Boxes;
    TToday StartedBefore, StartedAfter;

private:
    TMessageBoxFunction FOldBox;
};

} // namespace kvltest
