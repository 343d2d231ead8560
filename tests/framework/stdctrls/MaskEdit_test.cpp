// The masked edit driven by real keys: typing over positions and stepping over literals, letters
// refused with a beep, Backspace/Delete blanking, the caret put on an editable position, EditText
// versus Text, validation, and OnChange.
#include "framework/stdctrls/MaskEdit.h"
#include "framework/system/FormatSettings.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TFormatSettings Separators()
{
    TFormatSettings s;
    s.DateSeparator = L'/';
    s.TimeSeparator = L':';
    return s;
}

class MaskEdit : public FormTest {
protected:
    TMaskEdit* MakeEdit(const String& Mask)
    {
        auto* edit = Add<TMaskEdit>(Form, 10, 10, 150, 21);
        edit->SetEditMask(Mask);
        return edit;
    }
    int Caret(TMaskEdit* Edit)
    {
        DWORD start = 0, stop = 0;
        SendMessageW(Edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
        return static_cast<int>(start);
    }
    void Key(TMaskEdit* Edit, WORD VirtualKey)
    {
        SendMessageW(Edit->Handle(), WM_KEYDOWN, VirtualKey, 1);
        SendMessageW(Edit->Handle(), WM_KEYUP, VirtualKey, static_cast<LPARAM>(0xC0000001));
    }
    TFormatSettingsOverride FLocale{Separators()};
};

TEST_F(MaskEdit, DateMaskAcceptsDigitsCharByCharAndRefusesLetters)
{
    TMaskEdit* edit = MakeEdit(L"!9999/99/99;1; ");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(edit->EditText(), L"    /  /  ");
    ShowActive();
    edit->SetFocus();
    EXPECT_EQ(Caret(edit), 0);

    TBeeps beeps;
    TypeChars(edit->Handle(), L"2012/05/07");
    EXPECT_EQ(edit->EditText(), L"2012/05/07");
    EXPECT_EQ(edit->Text(), L"2012/05/07");
    EXPECT_EQ(beeps.Count, 0);
    EXPECT_EQ(changes, 8);
    EXPECT_TRUE(edit->Modified());

    // Letters do not fit a digit position: refused, with a beep, the text unchanged.
    edit->SetText(L"");
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    TypeChars(edit->Handle(), L"2a0b1c2");
    EXPECT_EQ(beeps.Count, 3);
    EXPECT_EQ(edit->EditText(), L"2012/  /  ");
    // The literals are skipped when only digits are typed.
    TypeChars(edit->Handle(), L"0507");
    EXPECT_EQ(edit->Text(), L"2012/05/07");
}

TEST_F(MaskEdit, TimeMaskAndTextWithoutSavedLiterals)
{
    TMaskEdit* time = MakeEdit(L"!90:00:00;1; ");
    time->HandleNeeded();
    SendMessageW(time->Handle(), EM_SETSEL, 0, 0);
    TypeChars(time->Handle(), L"123456");
    EXPECT_EQ(time->Text(), L"12:34:56");

    TMaskEdit* code = MakeEdit(L">LL<ll;0;_");
    code->HandleNeeded();
    SendMessageW(code->Handle(), EM_SETSEL, 0, 0);
    TypeChars(code->Handle(), L"abCD");
    EXPECT_EQ(code->EditText(), L"ABcd");
    EXPECT_EQ(code->Text(), L"ABcd");

    TMaskEdit* phone = MakeEdit(L"(999)000-0000;0;_");
    phone->SetText(L"5551234567");
    EXPECT_EQ(phone->EditText(), L"(555)123-4567");
    EXPECT_EQ(phone->Text(), L"5551234567");
    EXPECT_TRUE(phone->IsMasked());
    phone->SetEditMask(L"");
    EXPECT_FALSE(phone->IsMasked());
}

TEST_F(MaskEdit, BackspaceAndDeleteBlankPositionsInsteadOfShifting)
{
    TMaskEdit* edit = MakeEdit(L"!9999/99/99;1;_");
    edit->SetText(L"2012/05/07");
    SendMessageW(edit->Handle(), EM_SETSEL, 10, 10);
    Key(edit, VK_BACK);
    EXPECT_EQ(edit->EditText(), L"2012/05/0_");
    EXPECT_EQ(Caret(edit), 9);
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    Key(edit, VK_DELETE);
    EXPECT_EQ(edit->EditText(), L"_012/05/0_");
    // A selection is blanked as a whole.
    SendMessageW(edit->Handle(), EM_SETSEL, 2, 7);
    Key(edit, VK_DELETE);
    EXPECT_EQ(edit->EditText(), L"_0__/__/0_");
    // The arrows step over literals.
    SendMessageW(edit->Handle(), EM_SETSEL, 3, 3);
    Key(edit, VK_RIGHT);
    EXPECT_EQ(Caret(edit), 5);
    Key(edit, VK_LEFT);
    EXPECT_EQ(Caret(edit), 3);
}

TEST_F(MaskEdit, CaretStartsOnTheFirstEditablePosition)
{
    TMaskEdit* edit = MakeEdit(L"(999)000-0000;1;_");
    auto* other = MakeEdit(L"");
    ShowActive();
    other->SetFocus();
    edit->SetFocus();
    EXPECT_EQ(Caret(edit), 1);
    // A click into an empty edit starts there too; a click on a literal of a filled one moves
    // to the position after it.
    other->SetFocus();
    ClickAt(edit->Handle(), 100, 5);
    EXPECT_EQ(Caret(edit), 1);
    edit->SetText(L"5551234567");
    SendMessageW(edit->Handle(), EM_SETSEL, 4, 4);
    ClickAt(edit->Handle(), 0, 5);
    EXPECT_EQ(Caret(edit), 1);
}

TEST_F(MaskEdit, ValidateEditRaisesWhileRequiredPositionsAreEmpty)
{
    TMaskEdit* edit = MakeEdit(L"!99/99/0000;1;_");
    edit->HandleNeeded();
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    TypeChars(edit->Handle(), L"123120");
    EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
    EXPECT_EQ(Caret(edit), 8);
    TypeChars(edit->Handle(), L"12");
    EXPECT_NO_THROW(edit->ValidateEdit());
    EXPECT_EQ(edit->Text(), L"12/31/2012");
    // An unmodified text is not checked.
    edit->SetText(L"");
    edit->SetModified(false);
    EXPECT_NO_THROW(edit->ValidateEdit());
}

TEST_F(MaskEdit, EscapeRestoresTheTextOfEntering)
{
    TMaskEdit* edit = MakeEdit(L"!9999/99/99;1; ");
    edit->SetText(L"2012/05/07");
    auto* other = MakeEdit(L"");
    ShowActive();
    other->SetFocus();
    edit->SetFocus();
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    TypeChars(edit->Handle(), L"1999");
    EXPECT_EQ(edit->Text(), L"1999/05/07");
    TypeChars(edit->Handle(), L"\x1b");
    EXPECT_EQ(edit->Text(), L"2012/05/07");
    EXPECT_FALSE(edit->Modified());
}

} // namespace
