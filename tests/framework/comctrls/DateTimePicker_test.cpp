// Date-time pickers: the value round trip through the window (also across a new window), OnChange
// only for the user's changes, the check box, the drop-down calendar's events and handle, the
// range rules, and typed text.
#include "framework/comctrls/DateTimePicker.h"

#include <commctrl.h>
#include <cstddef>
#include <string>
#include <vector>

#include "framework/system/DateTimeUtils.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TDateTime WindowValue(HWND Picker, DWORD* Flags = nullptr)
{
    SYSTEMTIME st{};
    DWORD flags = static_cast<DWORD>(SendMessageW(Picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)));
    if (Flags != nullptr) *Flags = flags;
    return flags == GDT_VALID ? SystemTimeToDateTime(st) : 0;
}

String Text(TDateTime Value)
{
    return FormatDateTime(L"yyyy-mm-dd hh:nn:ss", Value);
}

class DateTimePickers : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Picker = Add<TDateTimePicker>(Form, 10, 10, 186, 21);
        Picker->OnChange = [this](TObject*) { Log.push_back(L"change " + Text(Picker->DateTime())); };
        Picker->OnDropDown = [this](TObject*) { Log.push_back(L"dropdown"); };
        Picker->OnCloseUp = [this](TObject*) { Log.push_back(L"closeup"); };
    }
    TDateTimePicker* Picker = nullptr;
    std::vector<String> Log;
    const TDateTime Value = EncodeDate(2012, 5, 7) + EncodeTime(13, 45, 10, 0);
};

TEST_F(DateTimePickers, ValueRoundTripsThroughTheWindow)
{
    Picker->SetDateTime(Value);
    ShowActive();
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"2012-05-07 13:45:10");
    EXPECT_EQ(Picker->Date(), EncodeDate(2012, 5, 7));
    EXPECT_EQ(Text(Picker->Time()), L"1899-12-30 13:45:10");

    Picker->SetDate(EncodeDate(2032, 2, 29) + 0.25);
    EXPECT_EQ(Text(Picker->DateTime()), L"2032-02-29 13:45:10");
    Picker->SetTime(EncodeTime(6, 30, 0, 0) + 100);
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"2032-02-29 06:30:00");
    EXPECT_TRUE(Log.empty());

    Picker->SetKind(dtkTime);
    EXPECT_NE(GetWindowLongW(Picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, 0);
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"2032-02-29 06:30:00");
    Picker->SetDateMode(dmUpDown);
    Picker->SetKind(dtkDate);
    EXPECT_NE(GetWindowLongW(Picker->Handle(), GWL_STYLE) & DTS_UPDOWN, 0);
    EXPECT_EQ(Text(Picker->DateTime()), L"2032-02-29 06:30:00");
}

TEST_F(DateTimePickers, KeysChangeTheFieldsAndFireOnChange)
{
    Picker->SetFormat(L"yyyy'/'MM'/'dd");
    Picker->SetDateTime(Value);
    ShowActive();
    Picker->SetFocus();
    HWND wnd = Picker->Handle();
    for (WORD key : {VK_RIGHT, VK_UP, VK_RIGHT, VK_UP, VK_UP, VK_RIGHT, VK_DOWN}) SendMessageW(wnd, WM_KEYDOWN, key, 1);
    EXPECT_EQ(Log, (std::vector<String>{L"change 2013-05-07 13:45:10", L"change 2013-06-07 13:45:10",
                                        L"change 2013-07-07 13:45:10", L"change 2013-07-06 13:45:10"}));
    EXPECT_EQ(Text(WindowValue(wnd)), L"2013-07-06 13:45:10");
    // A new window shows what the user chose.
    Picker->RecreateWnd();
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"2013-07-06 13:45:10");
}

TEST_F(DateTimePickers, CheckBoxClearsAndRestoresTheValue)
{
    Picker->SetDateTime(Value);
    Picker->SetShowCheckbox(true);
    Picker->SetChecked(false);
    ShowActive();
    DWORD flags = 0;
    WindowValue(Picker->Handle(), &flags);
    EXPECT_EQ(flags, static_cast<DWORD>(GDT_NONE));
    EXPECT_FALSE(Picker->Checked());
    Picker->SetChecked(true);
    EXPECT_EQ(Text(WindowValue(Picker->Handle(), &flags)), L"2012-05-07 13:45:10");
    EXPECT_TRUE(Picker->Checked());
    EXPECT_TRUE(Log.empty());

    // The user's click on the box.
    HWND box = FindWindowExW(Picker->Handle(), nullptr, L"Button", nullptr);
    ASSERT_NE(box, nullptr);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_FALSE(Picker->Checked());
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(Picker->Checked());
    EXPECT_EQ(Log, (std::vector<String>{L"change 2012-05-07 13:45:10", L"change 2012-05-07 13:45:10"}));
    EXPECT_EQ(Picker->DateTime(), Value);
}

TEST_F(DateTimePickers, DropDownShowsTheCalendarWhoseHandleIsKnownWhileOpen)
{
    Picker->SetDateTime(Value);
    ShowActive();
    EXPECT_EQ(Picker->CalendarHandle(), nullptr);
    ClickAt(Picker->Handle(), Picker->Width() - 8, Picker->Height() / 2);
    EXPECT_TRUE(Picker->DroppedDown());
    HWND calendar = Picker->CalendarHandle();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(IsWindowVisible(calendar));
    wchar_t cls[64] = {};
    GetClassNameW(calendar, cls, 64);
    EXPECT_STREQ(cls, MONTHCAL_CLASSW);
    SYSTEMTIME st{};
    SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(st.wYear, 2012);
    EXPECT_EQ(st.wMonth, 5);
    EXPECT_EQ(st.wDay, 7);

    ClickAt(Picker->Handle(), Picker->Width() - 8, Picker->Height() / 2);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Picker->CalendarHandle(), nullptr);
    EXPECT_EQ(Log, (std::vector<String>{L"dropdown", L"closeup"}));
}

TEST_F(DateTimePickers, RangeRules)
{
    const TDateTime min = EncodeDate(2012, 1, 1), max = EncodeDate(2032, 12, 31);
    Picker->SetDateTime(Value);
    Picker->SetMinDate(min);
    Picker->SetMaxDate(max + 0.5);
    ShowActive();
    struct Case {
        std::function<void()> Act;
        String Message;
    };
    const Case cases[] = {
        {[&] { Picker->SetDateTime(EncodeDate(2011, 12, 31) + 0.9); }, L"Date is less than minimum of " + DateToStr(min)},
        {[&] { Picker->SetDate(EncodeDate(2033, 1, 1)); }, L"Date exceeds maximum of " + DateToStr(max)},
        {[&] { Picker->SetMinDate(EncodeDate(2033, 1, 1)); }, L"Date exceeds maximum of " + DateToStr(max)},
        {[&] { Picker->SetMaxDate(EncodeDate(2011, 6, 1)); }, L"Date is less than minimum of " + DateToStr(min)},
    };
    for (const Case& c : cases) {
        try {
            c.Act();
            ADD_FAILURE() << "no error for " << Exception(c.Message).what();
        } catch (const ECommonCalendarError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
    EXPECT_EQ(Picker->DateTime(), Value);
    // The bounds are whole days: the last one counts until midnight.
    Picker->SetDateTime(max + 0.75);
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"2032-12-31 18:00:00");
    // A bound past the value brings the value along, keeping its time.
    Picker->SetMaxDate(EncodeDate(2020, 2, 2));
    EXPECT_EQ(Text(Picker->DateTime()), L"2020-02-02 18:00:00");
    Picker->SetMaxDate(0);
    Picker->SetMinDate(0);
    Picker->SetDateTime(EncodeDate(1999, 1, 1));
    EXPECT_EQ(Text(WindowValue(Picker->Handle())), L"1999-01-01 00:00:00");
}

TEST_F(DateTimePickers, TypedTextGoesToOnUserInput)
{
    Picker->SetDateTime(Value);
    Picker->SetParseInput(true);
    Picker->SetMaxDate(EncodeDate(2032, 12, 31));
    ShowActive();
    EXPECT_NE(GetWindowLongW(Picker->Handle(), GWL_STYLE) & DTS_APPCANPARSE, 0);
    std::vector<String> typed;
    Picker->OnUserInput = [&](TObject*, const String& text, TDateTime& value, bool& allow) {
        typed.push_back(text);
        if (text == L"today")
            value = EncodeDate(2020, 2, 2);
        else if (text == L"never")
            allow = false;
        else
            value = EncodeDate(2040, 1, 1);
    };
    // The picker asks its parent, as it does when the user has typed into it.
    auto ask = [&](const wchar_t* text) {
        NMDATETIMESTRINGW info{};
        info.nmhdr.hwndFrom = Picker->Handle();
        info.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Picker->Handle()));
        info.nmhdr.code = DTN_USERSTRINGW;
        info.pszUserString = text;
        SendMessageW(Form->Handle(), WM_NOTIFY, info.nmhdr.idFrom, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.dwFlags, static_cast<DWORD>(GDT_VALID));
        return Text(SystemTimeToDateTime(info.st));
    };
    EXPECT_EQ(ask(L"today"), L"2020-02-02 00:00:00");
    EXPECT_EQ(ask(L"never"), L"2012-05-07 13:45:10");
    EXPECT_EQ(ask(L"beyond the range"), L"2012-05-07 13:45:10");
    EXPECT_EQ(typed, (std::vector<String>{L"today", L"never", L"beyond the range"}));
}

} // namespace
