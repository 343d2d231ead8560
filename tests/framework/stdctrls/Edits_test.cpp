// Edits: OnChange from the window's EN_CHANGE (typing and code, not creation), Modified,
// the selection and undo, the settings mirrored into the window, and the memo's lines and keys.
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Memo.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

class Edits : public FormTest {};

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

TEST_F(Edits, MemoLinesAreTheWindowTextAsLines)
{
    auto* memo = Add<TMemo>(Form, 10, 10, 200, 100);
    TStrings* lines = memo->Lines();
    lines->Add(L"one");
    lines->Add(L"two");
    lines->Insert(1, L"half");
    EXPECT_EQ(memo->Text(), L"one\r\nhalf\r\ntwo");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(2), L"two");
    lines->Delete(0);
    lines->SetStrings(0, L"first");
    EXPECT_EQ(memo->Text(), L"first\r\ntwo");
    memo->SetText(L"a\nb\r\nc\r\n");
    EXPECT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(1), L"b");
    EXPECT_THROW(lines->Strings(3), EStringListError);
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
    EXPECT_NE(GetWindowLongW(memo->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
}

TEST_F(Edits, MemoWantsReturnsAndTabsOnlyWhenAsked)
{
    auto* memo = Add<TMemo>(Form, 10, 10, 200, 100);
    auto code = [&] { return SendMessageW(memo->Handle(), WM_GETDLGCODE, 0, 0); };
    EXPECT_NE(code() & DLGC_WANTALLKEYS, 0);
    EXPECT_EQ(code() & DLGC_WANTTAB, 0);
    memo->SetWantTabs(true);
    memo->SetWantReturns(false);
    EXPECT_NE(code() & DLGC_WANTTAB, 0);
    EXPECT_EQ(code() & DLGC_WANTALLKEYS, 0);
    TypeChars(memo->Handle(), L"a\rb");
    EXPECT_EQ(memo->Text(), L"ab");
    memo->SetWantReturns(true);
    TypeChars(memo->Handle(), L"\rc");
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

} // namespace
