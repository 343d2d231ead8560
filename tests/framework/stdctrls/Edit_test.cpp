// Edits: OnChange from the window's EN_CHANGE (typing and code, not creation), Modified, the
// selection and undo, the settings mirrored into the window, and the clipboard.
#include "framework/stdctrls/Edit.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Edits, OnChangeFollowsTypingAndCodeButNotCreation)
{
    auto* edit = new TEdit(Form);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText(L"before");
    edit->SetParent(Form);
    edit->HandleNeeded();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(edit->Text(), L"before");
    EXPECT_FALSE(edit->Modified());

    TypeChars(edit->Handle(), L"ab");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit->Modified());
    edit->SetModified(false);
    EXPECT_FALSE(edit->Modified());

    edit->SetText(L"code");
    EXPECT_EQ(changes, 3);
    // The text and Modified survive a new window.
    TypeChars(edit->Handle(), L"x");
    edit->RecreateWnd();
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->Text().size(), 5u);
    EXPECT_EQ(changes, 4);
}

TEST_F(Edits, SelectionReplaceAndUndo)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 150, 21);
    edit->SetText(L"Hello World");
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(edit->SelText(), L"World");
    edit->ClearUndo();
    edit->SetSelText(L"There");
    EXPECT_EQ(edit->Text(), L"Hello There");
    EXPECT_TRUE(edit->CanUndo());
    edit->Undo();
    EXPECT_EQ(edit->Text(), L"Hello World");
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 11);
    edit->ClearSelection();
    EXPECT_EQ(edit->Text(), L"");
}

TEST_F(Edits, SettingsReachTheWindow)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 150, 21);
    edit->SetMaxLength(3);
    TypeChars(edit->Handle(), L"abcdef");
    EXPECT_EQ(edit->Text(), L"abc");

    edit->SetReadOnly(true);
    TypeChars(edit->Handle(), L"x");
    EXPECT_EQ(edit->Text(), L"abc");
    EXPECT_NE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
    edit->SetReadOnly(false);

    edit->SetMaxLength(0);
    edit->SetCharCase(ecUpperCase);
    edit->SetText(L"");
    TypeChars(edit->Handle(), L"mixed");
    EXPECT_EQ(edit->Text(), L"MIXED");

    edit->SetPasswordChar(L'*');
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    // A single-line edit with a border is as high as its font needs.
    edit->Font()->SetSize(20);
    EXPECT_GT(edit->Height(), 30);
}

TEST_F(Edits, CutAndPasteGoThroughTheClipboard)
{
    auto* edit = Add<TEdit>(Form, 10, 10, 150, 21);
    edit->SetText(L"日本語 text");
    edit->SetSelStart(0);
    edit->SetSelLength(3);
    edit->CutToClipboard();
    EXPECT_EQ(edit->Text(), L" text");
    edit->SetSelStart(5);
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), L" text日本語");
}

} // namespace
