// The date edit: its mask and picture from the locale's order, the date's round trip through
// the text, what any text reads as, the keys that set dates, the bounds, leaving with
// CheckOnExit, and the drop-down calendar taking a date.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/Exceptions.h"
#include "framework/system/FormatSettings.h"
#include "skin/controls/sTooledit.h"
#include "support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TFormatSettings Locale(const String& ShortDateFormat, wchar_t Separator)
{
    TFormatSettings settings;
    settings.ShortDateFormat = ShortDateFormat;
    settings.DateSeparator = Separator;
    return settings;
}

class DateEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(100, 100, 320, 200);
    }
    void TearDown() override { delete Form; }

    TsDateEdit* Add()
    {
        auto* edit = new TsDateEdit(Form);
        edit->SetParent(Form);
        edit->SetBounds(10, 10, 100, 21);
        edit->OnChange = [this](TObject*) { ++Changes; };
        return edit;
    }

    TForm* Form = nullptr;
    int Changes = 0;
};

TEST_F(DateEdit, MaskAndPictureFollowTheLocaleAndTheDateMakesTheRoundTrip)
{
    struct TCase {
        const wchar_t* Locale;
        wchar_t Separator;
        TYearDigits Digits;
        const wchar_t* Mask;
        const wchar_t* Format;
        const wchar_t* Shown; // 7 May 2012
    };
    const TCase cases[] = {
        {L"yyyy/M/d", L'/', dyFour, L"!9999/99/99;1; ", L"YYYY/MM/DD", L"2012/05/07"},
        {L"yyyy-MM-dd", L'-', dyFour, L"!9999/99/99;1; ", L"YYYY/MM/DD", L"2012-05-07"},
        {L"M/d/yyyy", L'/', dyFour, L"!99/99/9999;1; ", L"MM/DD/YYYY", L"05/07/2012"},
        {L"dd.MM.yyyy", L'.', dyFour, L"!99/99/9999;1; ", L"DD/MM/YYYY", L"07.05.2012"},
        {L"yyyy/M/d", L'/', dyTwo, L"!99/99/99;1; ", L"YY/MM/DD", L"12/05/07"},
    };
    TClockOverride clock(EncodeDate(2026, 12, 11));
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Locale);
        TFormatSettingsOverride locale(Locale(c.Locale, c.Separator));
        TsDateEdit* edit = Add();
        edit->SetYearDigits(c.Digits);
        EXPECT_EQ(edit->EditMask(), c.Mask);
        EXPECT_EQ(edit->DateFormat(), c.Format);
        edit->SetDate(EncodeDate(2012, 5, 7) + 0.75);
        EXPECT_EQ(edit->Text(), c.Shown);
        EXPECT_EQ(edit->Date(), EncodeDate(2012, 5, 7));
        // The window keeps it.
        edit->HandleNeeded();
        EXPECT_EQ(edit->Date(), EncodeDate(2012, 5, 7));
        delete edit;
    }
}

TEST_F(DateEdit, AnyTextReadsAsADateTodayOrTheNullDateWithoutRaising)
{
    TFormatSettingsOverride locale(Locale(L"yyyy/M/d", L'/'));
    TClockOverride clock(EncodeDate(2026, 12, 11) + 0.5);
    TsDateEdit* edit = Add();
    Form->Show();
    struct TCase {
        const wchar_t* Text; // written into the window as it is, past the mask
        TDateTime Date;      // 0: no date
    };
    const TCase cases[] = {
        {L"2012/05/07", EncodeDate(2012, 5, 7)},
        {L"abcd/ef/gh", 0},
        {L"    /  /  ", 0},
        {L"", 0},
        {L"20125/05/07", 0},
        {L"2012.05.07", EncodeDate(2012, 5, 7)},
        {L"2013/02/31", 0},
        {L"0000/05/07", 0},
        {L"10000/05/07", 0},
    };
    for (bool defaultToday : {false, true}) {
        edit->SetDefaultToday(defaultToday);
        for (const TCase& c : cases) {
            SCOPED_TRACE(testing::Message() << (defaultToday ? "DefaultToday " : "") << "'" << std::string(c.Text, c.Text + wcslen(c.Text)) << "'");
            SetWindowTextW(edit->Handle(), c.Text);
            const TDateTime fallback = defaultToday ? EncodeDate(2026, 12, 11) : NullDate;
            EXPECT_NO_THROW(EXPECT_EQ(edit->Date(), c.Date != 0 ? c.Date : fallback));
            EXPECT_EQ(edit->HasValidDate(), c.Date != 0);
        }
    }
    // Writing the null date or a date outside years 1 .. 9999 clears the text, or gives today.
    edit->SetDefaultToday(false);
    for (TDateTime value : {0.0, 1e9, -1e9}) {
        edit->SetDate(EncodeDate(2012, 5, 7));
        edit->SetDate(value);
        EXPECT_FALSE(edit->TextEntered());
        EXPECT_EQ(edit->Date(), NullDate);
    }
    edit->SetDefaultToday(true);
    edit->SetDate(0);
    EXPECT_EQ(edit->Text(), L"2026/12/11");
    EXPECT_EQ(StrToDateFmtDef(L"YYYY/MM/DD", L"junk", EncodeDate(2012, 1, 2) + 0.7), EncodeDate(2012, 1, 2));
}

TEST_F(DateEdit, KeysSetTodayAndStepDays)
{
    TFormatSettingsOverride locale(Locale(L"yyyy/M/d", L'/'));
    TClockOverride clock(EncodeDate(2026, 12, 11) + 0.5);
    TsDateEdit* edit = Add();
    Form->Show();
    edit->SetFocus();
    TypeChars(edit->Handle(), L"t");
    EXPECT_EQ(edit->Date(), EncodeDate(2026, 12, 11));
    EXPECT_EQ(edit->SelLength(), 10);
    edit->SetDate(0);
    PressKey(VK_ADD);
    EXPECT_EQ(edit->Date(), EncodeDate(2026, 12, 12));
    PressKey(VK_SUBTRACT);
    PressKey(VK_SUBTRACT);
    EXPECT_EQ(edit->Date(), EncodeDate(2026, 12, 10));
    // Without direct input the keys leave the date alone.
    edit->SetDirectInput(false);
    TypeChars(edit->Handle(), L"T");
    EXPECT_EQ(edit->Date(), EncodeDate(2026, 12, 10));
}

TEST_F(DateEdit, BoundsPullTheDateInAndAreKeptApart)
{
    TFormatSettingsOverride locale(Locale(L"yyyy/M/d", L'/'));
    TsDateEdit* edit = Add();
    edit->SetDate(EncodeDate(2011, 6, 1));
    edit->SetMinDate(EncodeDate(2012, 1, 1));
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 1, 1));
    edit->SetMaxDate(EncodeDate(2011, 12, 1));
    EXPECT_EQ(edit->MaxDate(), 0);
    edit->SetMinDate(0);
    EXPECT_EQ(edit->MinDate(), 0);
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 1, 1));
    edit->SetMaxDate(EncodeDate(2011, 12, 1));
    EXPECT_EQ(edit->Date(), EncodeDate(2011, 12, 1));
}

TEST_F(DateEdit, LeavingWithCheckOnExitClampsOrRaisesInvalidDateWithTheFocusBack)
{
    TFormatSettingsOverride locale(Locale(L"yyyy/M/d", L'/'));
    TsDateEdit* edit = Add();
    auto* other = new TsDateEdit(Form);
    other->SetParent(Form);
    other->SetBounds(10, 50, 100, 21);
    edit->SetCheckOnExit(true);
    Form->Show();

    // A blank edit may be left.
    edit->SetFocus();
    EXPECT_NO_THROW(other->SetFocus());
    // A date after MaxDate becomes MaxDate on leaving.
    edit->SetFocus();
    SetWindowTextW(edit->Handle(), L"2012/05/20");
    edit->SetMaxDate(EncodeDate(2012, 12, 31));
    edit->SetMinDate(EncodeDate(2012, 6, 1));
    other->SetFocus();
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 6, 1));
    // No date: "Invalid Date", and the focus comes back.
    edit->SetFocus();
    SetWindowTextW(edit->Handle(), L"2013/02/31");
    try {
        edit->CheckValidDate();
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Invalid Date");
    }
    EXPECT_TRUE(edit->Focused());
}

class DateEditPopup : public DateEdit {
protected:
    void SetUp() override
    {
        DateEdit::SetUp();
        locale = std::make_unique<TFormatSettingsOverride>(Locale(L"yyyy/M/d", L'/'));
        Edit = Add();
        Edit->SetDate(EncodeDate(2012, 5, 7));
        Form->Show();
        Application->ProcessMessages();
        Changes = 0;
    }
    void TearDown() override
    {
        DateEdit::TearDown();
        locale.reset();
    }
    // Presses and releases the drop-down button, through the edit's window as the mouse does.
    void ClickButton()
    {
        TsEditButton* button = Edit->Button();
        ClickAt(Edit->Handle(), button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        Application->ProcessMessages();
    }
    // Alt+Down, the click key, in the focused window.
    void PressClickKey()
    {
        constexpr LPARAM altDown = 1 | (1 << 29);
        PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_DOWN, altDown);
        PostMessageW(GetFocus(), WM_SYSKEYUP, VK_DOWN, altDown | static_cast<LPARAM>(0xC0000000));
        Application->ProcessMessages();
    }
    // Clicks the cell of Day in the month the calendar shows.
    void ClickDay(int Day)
    {
        TsMonthCalendar* calendar = Edit->PopupCalendar()->FCalendar;
        const int offset = calendar->MonthOffset();
        TRect cell = calendar->Grid()->CellRect((Day - offset) % 7, (Day - offset) / 7 + 1);
        ClickAt(calendar->Grid()->Handle(), cell.left + 4, cell.top + 4);
        Application->ProcessMessages();
    }

    std::unique_ptr<TFormatSettingsOverride> locale;
    TsDateEdit* Edit = nullptr;
};

TEST_F(DateEditPopup, AClickOnADayInRangeWritesItFiresOnChangeOnceAndCloses)
{
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    TsPopupCalendar* popup = Edit->PopupCalendar();
    EXPECT_EQ(popup->Tag(), -98);
    EXPECT_EQ(popup->FCalendar->CalendarDate(), EncodeDate(2012, 5, 7));
    RECT below{};
    GetWindowRect(Edit->Handle(), &below);
    EXPECT_EQ(popup->Top(), below.bottom);

    ClickDay(20);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 5, 20));
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(DateEditPopup, ADayOutOfRangeOrRefusedLeavesThePopupOpenAndTheEditAlone)
{
    Edit->SetMaxDate(EncodeDate(2012, 5, 25));
    Changes = 0;
    Edit->DropDown();
    ClickDay(28);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 5, 7));

    bool refuse = true;
    Edit->OnAcceptDate = [&](TObject* Sender, TDateTime& Date, bool& Action) {
        EXPECT_EQ(Sender, Edit);
        if (refuse)
            Action = false;
        else
            Date = EncodeDate(2012, 5, 1);
    };
    ClickDay(10);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 5, 7));
    EXPECT_EQ(Changes, 0);
    // Changing the date in OnAcceptDate writes the changed date.
    refuse = false;
    ClickDay(10);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 5, 1));
    EXPECT_EQ(Changes, 1);
}

TEST_F(DateEditPopup, WorksFromTheKeyboard)
{
    Edit->SetFocus();
    PressClickKey();
    ASSERT_TRUE(Edit->DroppedDown());
    HWND grid = Edit->PopupCalendar()->FCalendar->Grid()->Handle();
    EXPECT_EQ(GetFocus(), grid);
    // Arrows move the day, PageDown the month; Enter takes it.
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    PressKey(VK_NEXT);
    EXPECT_EQ(Edit->PopupCalendar()->FCalendar->CalendarDate(), EncodeDate(2012, 6, 15));
    EXPECT_EQ(Changes, 0);
    PressKey(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 6, 15));
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Edit->Focused());

    // Escape closes without a change; so does a refused Enter, which still closes.
    PressClickKey();
    ASSERT_TRUE(Edit->DroppedDown());
    PressKey(VK_LEFT);
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 6, 15));
    EXPECT_TRUE(Edit->Focused());
    Edit->OnAcceptDate = [](TObject*, TDateTime&, bool& Action) { Action = false; };
    PressClickKey();
    PressKey(VK_LEFT);
    PressKey(VK_RETURN);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 6, 15));
    EXPECT_EQ(Changes, 1);
}

// The left mouse button held down, as the facts report it.
class TLeftButtonDown : public TForwardingFacts {
public:
    SHORT KeyState(int VirtualKey) override
    {
        return VirtualKey == VK_LBUTTON ? static_cast<SHORT>(0x8000) : TForwardingFacts::KeyState(VirtualKey);
    }

private:
    TSystemFactsOverride FUse{*this};
};

TEST_F(DateEditPopup, APressOnTheButtonClosesTheOpenCalendarWithoutOpeningItAgain)
{
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    // The press takes the activation from the calendar before it reaches the button.
    TsEditButton* button = Edit->Button();
    const TPoint center = Edit->ClientToScreen(TPoint{button->Left() + button->Width() / 2, button->Top() + button->Height() / 2});
    SetCursorPos(center.x, center.y);
    {
        TLeftButtonDown pressed;
        SetActiveWindow(Form->Handle());
        Application->ProcessMessages();
    }
    EXPECT_FALSE(Edit->DroppedDown());
    ClickButton();
    EXPECT_FALSE(Edit->DroppedDown()) << "the press that closed it must not open it again";
    // The next press opens it; one elsewhere that closes it leaves the button's next click alone.
    ClickButton();
    ASSERT_TRUE(Edit->DroppedDown());
    SetCursorPos(0, 0);
    {
        TLeftButtonDown pressed;
        SetActiveWindow(Form->Handle());
        Application->ProcessMessages();
    }
    EXPECT_FALSE(Edit->DroppedDown());
    ClickButton();
    EXPECT_TRUE(Edit->DroppedDown());
    Edit->CloseUp();
}

TEST_F(DateEditPopup, ClosesWhenAnotherWindowIsActivated)
{
    Edit->DropDown();
    ASSERT_TRUE(Edit->DroppedDown());
    TForm* other = TForm::CreateNew(nullptr);
    other->SetBounds(400, 300, 100, 100);
    other->Show();
    SetActiveWindow(other->Handle());
    Application->ProcessMessages();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Date(), EncodeDate(2012, 5, 7));
    delete other;
}

} // namespace
