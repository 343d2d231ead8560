// The skinned controls the forms are made of, where they do more than the framework controls
// under them: the date edit (its date as text, OnChange for dates set in code, the drop-down
// calendar), the combo box's text through the making of its window, the skin manager's settings.
#include "tests/app/AppTestSupport.h"

#include <commctrl.h>

#include "framework/system/FormatSettings.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sSkinManager.h"

using namespace kvltest;

namespace {

class SkinControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(100, 100, 300, 200);
    }
    void TearDown() override { delete Form; }

    template <class T>
    T* Add(int Left, int Top, int Width, int Height)
    {
        T* control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }

    TForm* Form = nullptr;
};

TEST_F(SkinControls, DateEditShowsItsDateInItsMaskAndReadsItBack)
{
    TFormatSettings yearFirst = FormatSettings;
    yearFirst.ShortDateFormat = L"yyyy/M/d";
    yearFirst.DateSeparator = L'/';
    TFormatSettingsOverride locale(yearFirst);
    auto* edit = Add<TsDateEdit>(10, 10, 100, 21);
    EXPECT_EQ(edit->EditMask(), L"!9999/99/99;1; ");
    EXPECT_EQ(edit->EditText(), L"    /  /  ");
    EXPECT_EQ(edit->Date(), NullDate);

    edit->SetDate(EncodeDate(2013, 5, 7) + 0.75);
    EXPECT_EQ(edit->Text(), L"2013/05/07");
    EXPECT_EQ(edit->Date(), EncodeDate(2013, 5, 7));

    // The null date and dates outside the calendar empty the edit, or give today with DefaultToday.
    edit->SetDate(NullDate);
    EXPECT_EQ(edit->EditText(), L"    /  /  ");
    edit->SetDate(1e9);
    EXPECT_EQ(edit->Date(), NullDate);
    TClockOverride clock(EncodeDate(2024, 2, 29) + 0.5);
    edit->SetDefaultToday(true);
    EXPECT_EQ(edit->Date(), EncodeDate(2024, 2, 29));
    edit->SetDate(NullDate);
    EXPECT_EQ(edit->Text(), L"2024/02/29");

    // Typed digits are read with the edit's own picture.
    edit->SetDefaultToday(false);
    edit->SetDate(NullDate);
    Form->Show();
    TypeDate(edit, L"20120229");
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 2, 29));
    // A half-typed or impossible date is no date.
    TypeDate(edit, L"20130229");
    EXPECT_EQ(edit->Date(), NullDate);
}

TEST_F(SkinControls, SettingTheDateFiresOnChangeOnceWithOrWithoutAWindow)
{
    auto* edit = Add<TsDateEdit>(10, 10, 100, 21);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    ASSERT_FALSE(edit->HandleAllocated());
    edit->SetDate(EncodeDate(2012, 1, 1));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit->Modified());
    edit->SetDate(EncodeDate(2012, 1, 1));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(edit->Modified());

    edit->HandleNeeded();
    changes = 0;
    edit->SetDate(EncodeDate(2012, 1, 2));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 1, 2));
}

TEST_F(SkinControls, TheDropDownCalendarPutsThePickedDayIntoTheEdit)
{
    auto* edit = Add<TsDateEdit>(10, 10, 100, 21);
    edit->SetPopupWidth(280);
    edit->SetDate(EncodeDate(2012, 5, 7));
    int changes = 0, buttonClicks = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnButtonClick = [&](TObject*) { ++buttonClicks; };
    Form->Show();
    Application->ProcessMessages();

    // The button at the right edge, pressed with the mouse.
    TWinControl* button = edit->Button();
    ASSERT_TRUE(button->HandleAllocated());
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    EXPECT_EQ(button->Left() + button->Width(), client.right);
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_TRUE(edit->DroppedDown());
    EXPECT_EQ(buttonClicks, 1);
    TsPopupCalendar* popup = edit->PopupCalendar();
    EXPECT_EQ(popup->Width(), 280);
    RECT below{};
    GetWindowRect(edit->Handle(), &below);
    EXPECT_EQ(popup->Top(), below.bottom);
    TsMonthCalendar* calendar = popup->FCalendar;
    EXPECT_EQ(calendar->CalendarDate(), EncodeDate(2012, 5, 7));

    // A click on the 20th of the month shown.
    const int offset = calendar->MonthOffset();
    TRect cell = calendar->Grid()->CellRect((20 - offset) % 7, (20 - offset) / 7 + 1);
    const LPARAM at = MAKELPARAM(cell.left + 4, cell.top + 4);
    SendMessageW(calendar->Grid()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(calendar->Grid()->Handle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 5, 20));
    EXPECT_EQ(changes, 1);

    // Opened again and closed with Escape: nothing changes.
    edit->DropDown();
    ASSERT_TRUE(edit->DroppedDown());
    PostMessageW(calendar->Grid()->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(calendar->Grid()->Handle(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    Application->ProcessMessages();
    EXPECT_FALSE(edit->DroppedDown());
    EXPECT_EQ(edit->Date(), EncodeDate(2012, 5, 20));
    EXPECT_EQ(changes, 1);
}

TEST_F(SkinControls, ComboBoxKeepsATextWrittenAfterItsSelectionWhenItsWindowIsMade)
{
    auto* combo = Add<TsComboBox>(10, 10, 80, 21);
    combo->Items()->Add(L"2012");
    combo->Items()->Add(L"2013");
    combo->SetItemIndex(0);
    combo->SetText(L"2026");
    combo->HandleNeeded();
    EXPECT_EQ(combo->Text(), L"2026");
    EXPECT_EQ(combo->Items()->IndexOf(combo->Text()), -1);

    // Without a text of its own the selected entry shows.
    auto* other = Add<TsComboBox>(10, 40, 80, 21);
    other->Items()->Add(L"2012");
    other->SetItemIndex(0);
    other->HandleNeeded();
    EXPECT_EQ(other->Text(), L"2012");
}

TEST(SkinManager, KeepsItsStoredSettingsAndTheFirstOneIsTheDefault)
{
    TsSkinManager first(nullptr);
    TsSkinManager second(nullptr);
    EXPECT_TRUE(first.IsDefault());
    EXPECT_FALSE(second.IsDefault());
    EXPECT_EQ(first.SkinDirectory(), L"c:\\Skins");
    EXPECT_TRUE(first.Active());
    EXPECT_EQ(first.SkinInfo(), L"N/A");
    second.SetIsDefault(true);
    EXPECT_EQ(TsSkinManager::DefaultSkinManager(), &second);
    first.SetSkinDirectory(L"");
    first.Loaded();
    EXPECT_EQ(first.SkinDirectory(), L"c:\\Skins");
}

} // namespace
