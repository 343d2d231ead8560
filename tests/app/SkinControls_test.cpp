// The skinned controls the forms are made of, where they do more than the framework controls
// under them: the date edit (its date as text, OnChange for dates set in code, the drop-down
// calendar), the combo box's text through the making of its window, the skin manager's settings.
#include "tests/app/AppTestSupport.h"

#include <commctrl.h>

#include "framework/system/FormatSettings.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sSkinManager.h"
#include "tests/support/PixelBuffer.h"

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
    TsEditButton* button = edit->Button();
    RECT client{};
    GetClientRect(edit->Handle(), &client);
    EXPECT_EQ(button->Left() + button->Width(), client.right);
    const LPARAM onButton = MAKELPARAM(button->Left() + 4, button->Top() + 4);
    SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onButton);
    SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, onButton);
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

// The main form's date edit under the program's own skin.
class MainFormDateEdit : public MainFormTest {
protected:
    COLORREF SectionColor(const wchar_t* Name)
    {
        TsSkinManager* manager = Form->sSkinManager1;
        const int index = manager->GetSkinIndex(Name);
        return index < 0 ? CLR_INVALID : SkinColorToRGB(manager->gd[static_cast<size_t>(index)].Props[0].Color);
    }
};

TEST_F(MainFormDateEdit, TheDateEditAndItsOpenCalendarAreDrawnByTheSkin)
{
    TsDateEdit* edit = Form->sDateEdit1;
    // The manager announces its skin to the application's forms while this one is read; the
    // test's form is not the application's, so it hears it here, as the program's form does.
    Application->InsertComponent(Form);
    Form->sSkinManager1->UpdateSkin(true);
    Application->ProcessMessages();
    ASSERT_TRUE(edit->SkinData()->Skinned());
    EXPECT_EQ(edit->SkinData()->SkinIndex, Form->sSkinManager1->GetSkinIndex(L"EDIT"));

    // Printed into a memory bitmap, the idle edit is its composed skin image, frame included,
    // with the calendar glyph's button over it.
    TPixelBuffer shown(edit->Width(), edit->Height());
    SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(shown.DC()), PRF_CLIENT | PRF_NONCLIENT);
    TBitmap* cache = edit->SkinData()->CacheBmp();
    ASSERT_NE(cache, nullptr);
    TsEditButton* button = edit->Button();
    int differing = 0;
    for (int y = 0; y < edit->Height(); ++y)
        for (int x = 0; x < button->Left(); ++x)
            differing += shown.At(x, y) != (GetPixel(cache->Canvas()->Handle(), x, y) & 0xFFFFFF) ? 1 : 0;
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(shown.At(edit->Width() / 4, edit->Height() - 4), SectionColor(L"EDIT"));
    const RECT buttonArea{button->Left() + 2, button->Top() + 2, button->Left() + 2 + button->Width(),
                          button->Top() + 2 + button->Height()};
    const RECT glyph = shown.Find(buttonArea, [](COLORREF c) { return GetRValue(c) < 0x80 && GetGValue(c) < 0x80; });
    EXPECT_GT(glyph.right - glyph.left, 8) << "the calendar glyph";

    // Opened with its button: the calendar's title bar and arrows come from the skin too.
    const LPARAM onButton = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onButton);
    SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, onButton);
    Application->ProcessMessages();
    ASSERT_TRUE(edit->DroppedDown());
    TsPopupCalendar* popup = edit->PopupCalendar();
    TsMonthCalendar* calendar = popup->FCalendar;
    EXPECT_TRUE(calendar->SkinData()->Skinned());
    TPixelBuffer open(popup->Width(), popup->Height());
    popup->PaintTo(open.DC(), 0, 0);
    TsDragBar* title = calendar->DragBar();
    TsTimerSpeedButton* previousMonth = calendar->NavButton(1);
    const int x = calendar->Left() + title->Left() + previousMonth->Left() + previousMonth->Width() + 3;
    const int y = calendar->Top() + title->Top() + 2;
    EXPECT_EQ(open.At(x, y), SectionColor(L"DRAGBAR"));
    EXPECT_NE(SectionColor(L"DRAGBAR"), ColorToRGB(clActiveCaption));
    for (int i = 0; i < 4; ++i) {
        TsTimerSpeedButton* arrow = calendar->NavButton(i);
        EXPECT_EQ(arrow->SkinData()->SkinIndex, Form->sSkinManager1->GetSkinIndex(L"WEBBUTTON")) << i;
        const int left = calendar->Left() + title->Left() + arrow->Left(), top = calendar->Top() + title->Top() + arrow->Top();
        const RECT area{left, top, left + arrow->Width(), top + arrow->Height()};
        const COLORREF face = SectionColor(L"DRAGBAR");
        const RECT ink = open.Find(area, [face](COLORREF c) { return c != face; });
        EXPECT_GT(ink.right - ink.left, 2) << "the arrows of button " << i;
    }
    edit->CloseUp();
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
