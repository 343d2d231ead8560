// Memos: the lines are the window's text, and Return and Tab are the memo's only when asked.
#include "framework/stdctrls/Memo.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

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
