// Rich edit: lines as paragraphs, RTF and plain-text round trips through streams (Chinese
// included, formatting kept), character and paragraph attributes of the selection, searching,
// the content surviving a new window, and OnChange / OnSelectionChange from the control.
#include "framework/comctrls/RichEdit.h"

#include <string>
#include <vector>

#include "framework/classes/Streams.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

std::string Bytes(TMemoryStream& Stream)
{
    std::vector<uint8_t> b = Stream.Bytes();
    return std::string(b.begin(), b.end());
}

class RichEdits : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Edit = Add<TRichEdit>(Form, 10, 10, 300, 150);
        ShowActive();
    }
    TRichEdit* Edit = nullptr;
};

TEST_F(RichEdits, LinesAreParagraphs)
{
    TStrings* lines = Edit->Lines();
    EXPECT_EQ(lines->Count(), 0);
    lines->Add(L"第一行");
    lines->Add(L"second");
    lines->Insert(1, L"middle");
    // Empty lines at the end count like any other.
    lines->Add(L"");
    lines->Insert(4, L"");
    EXPECT_EQ(lines->Count(), 5);
    EXPECT_EQ(lines->Text(), L"第一行\r\nmiddle\r\nsecond\r\n\r\n\r\n");
    lines->SetStrings(2, L"2nd");
    lines->Delete(4);
    lines->Delete(3);
    lines->Delete(0);
    EXPECT_EQ(lines->Text(), L"middle\r\n2nd\r\n");
    EXPECT_EQ(lines->Strings(1), L"2nd");
    EXPECT_THROW(lines->Strings(2), EStringListError);
    lines->SetText(L"a\r\nb\r\n");
    EXPECT_EQ(lines->Count(), 2);
    // Wrapped display lines do not split a paragraph.
    Edit->SetWidth(60);
    lines->SetText(L"a long paragraph that surely wraps in a narrow control");
    EXPECT_EQ(lines->Count(), 1);
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
}

TEST_F(RichEdits, RtfRoundTripKeepsChineseAndFormatting)
{
    Edit->Lines()->SetText(L"本月共工作 12 天\r\nplain line\r\n");
    Edit->SetSelStart(0);
    Edit->SetSelLength(5);
    Edit->SelAttributes()->SetStyle(TFontStyles{fsBold});
    Edit->SelAttributes()->SetColor(clRed);
    TMemoryStream rtf;
    Edit->Lines()->SaveToStream(&rtf);
    EXPECT_EQ(Bytes(rtf).rfind("{\\rtf", 0), 0u);

    auto* copy = Add<TRichEdit>(Form, 10, 170, 300, 100);
    rtf.SetPosition(0);
    copy->Lines()->LoadFromStream(&rtf);
    EXPECT_EQ(copy->Lines()->Text(), L"本月共工作 12 天\r\nplain line\r\n");
    copy->SetSelStart(1);
    copy->SetSelLength(2);
    EXPECT_EQ(copy->SelText(), L"月共");
    EXPECT_TRUE(copy->SelAttributes()->Style().Contains(fsBold));
    EXPECT_EQ(copy->SelAttributes()->Color(), clRed);
    copy->SetSelStart(8);
    copy->SetSelLength(2);
    EXPECT_FALSE(copy->SelAttributes()->Style().Contains(fsBold));

    // The same through a new window.
    Edit->RecreateWnd();
    EXPECT_EQ(Edit->Lines()->Strings(0), L"本月共工作 12 天");
    Edit->SetSelStart(2);
    Edit->SetSelLength(1);
    EXPECT_TRUE(Edit->SelAttributes()->Style().Contains(fsBold));
}

TEST_F(RichEdits, PlainTextLoadsAndSavesText)
{
    Edit->SetPlainText(true);
    TStringStream in;
    in.WriteString(L"{\\rtf1 not read as rtf}\r\n节日\r\n");
    in.SetPosition(0);
    Edit->Lines()->LoadFromStream(&in);
    EXPECT_EQ(Edit->Lines()->Count(), 2);
    EXPECT_EQ(Edit->Lines()->Strings(0), L"{\\rtf1 not read as rtf}");
    TMemoryStream out;
    Edit->Lines()->SaveToStream(&out);
    EXPECT_EQ(Bytes(out), "{\\rtf1 not read as rtf}\r\n\xE8\x8A\x82\xE6\x97\xA5\r\n");

    // Without PlainText, text that is no RTF still loads as text.
    Edit->SetPlainText(false);
    TStringStream text;
    text.WriteString(L"just text");
    text.SetPosition(0);
    Edit->Lines()->LoadFromStream(&text);
    EXPECT_EQ(Edit->Lines()->Text(), L"just text\r\n");
}

TEST_F(RichEdits, AttributesOfTheSelectionAndOfNewText)
{
    Edit->Lines()->SetText(L"one two three");
    Edit->SetSelStart(4);
    Edit->SetSelLength(3);
    TTextAttributes* sel = Edit->SelAttributes();
    sel->SetName(L"Tahoma");
    sel->SetSize(14);
    sel->SetStyle(TFontStyles{fsItalic, fsUnderline});
    EXPECT_EQ(sel->Name(), L"Tahoma");
    EXPECT_EQ(sel->Size(), 14);
    EXPECT_EQ(sel->Style(), (TFontStyles{fsItalic, fsUnderline}));
    EXPECT_TRUE(sel->ConsistentAttributes().Contains(caSize));
    // Over mixed text the size is no longer consistent.
    Edit->SetSelStart(0);
    Edit->SetSelLength(7);
    EXPECT_FALSE(sel->ConsistentAttributes().Contains(caSize));

    // Assign copies a font in one go; AssignTo fills a font.
    TFont font;
    font.SetName(L"Courier New");
    font.SetSize(9);
    font.SetColor(clBlue);
    font.SetStyle(TFontStyles{fsBold});
    Edit->DefAttributes()->Assign(&font);
    TFont back;
    back.Assign(Edit->DefAttributes());
    EXPECT_EQ(back.Name(), L"Courier New");
    EXPECT_EQ(back.Size(), 9);
    EXPECT_EQ(back.Color(), clBlue);
    EXPECT_TRUE(back.Style().Contains(fsBold));

    TParaAttributes* para = Edit->Paragraph();
    para->SetAlignment(taCenter);
    para->SetFirstIndent(10);
    para->SetLeftIndent(5);
    EXPECT_EQ(para->Alignment(), taCenter);
    EXPECT_EQ(para->FirstIndent(), 10);
    EXPECT_EQ(para->LeftIndent(), 5);
    para->SetNumbering(nsBullet);
    EXPECT_EQ(para->Numbering(), nsBullet);
}

TEST_F(RichEdits, FindTextAndSelection)
{
    Edit->Lines()->SetText(L"Shift one, shift two, SHIFT");
    EXPECT_EQ(Edit->FindText(L"shift", 0, 100, {}), 0);
    EXPECT_EQ(Edit->FindText(L"shift", 0, 100, {stMatchCase}), 11);
    EXPECT_EQ(Edit->FindText(L"shift", 12, 100, {}), 22);
    EXPECT_EQ(Edit->FindText(L"shif", 0, 100, {stWholeWord}), -1);
    EXPECT_EQ(Edit->FindText(L"two", 0, 10, {}), -1);
    Edit->SetSelStart(6);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->SelText(), L"one");
    Edit->SetSelText(L"1");
    EXPECT_EQ(Edit->Lines()->Strings(0), L"Shift 1, shift two, SHIFT");
    // Everything, up to the control's closing paragraph mark.
    Edit->SelectAll();
    EXPECT_EQ(Edit->SelText().substr(0, 25), L"Shift 1, shift two, SHIFT");
    EXPECT_GE(Edit->SelLength(), 25);
}

TEST_F(RichEdits, ChangeAndSelectionEventsComeFromTheControl)
{
    std::vector<std::string> log;
    Edit->OnChange = [&](TObject*) { log.push_back("change"); };
    Edit->OnSelectionChange = [&](TObject*) { log.push_back("selection " + std::to_string(Edit->SelStart())); };
    Edit->SetFocus();
    TypeChars(Edit->Handle(), L"ab");
    EXPECT_EQ(Edit->Lines()->Text(), L"ab\r\n");
    EXPECT_TRUE(Edit->Modified());
    log.erase(std::remove(log.begin(), log.end(), "selection 0"), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"selection 1", "change", "selection 2", "change"}));

    log.clear();
    Edit->SetSelStart(0);
    EXPECT_EQ(log, (std::vector<std::string>{"selection 0"}));
    SendMessageW(Edit->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"selection 0", "selection 1"}));
}

TEST(RichEditWithoutWindow, LinesWaitForTheWindow)
{
    TRichEdit edit(nullptr);
    edit.Lines()->Add(L"before");
    edit.Lines()->Add(L"the window");
    EXPECT_EQ(edit.Lines()->Count(), 2);
    TForm* form = TForm::CreateNew(nullptr);
    edit.SetParent(form);
    edit.HandleNeeded();
    EXPECT_EQ(edit.Lines()->Text(), L"before\r\nthe window\r\n");
    EXPECT_FALSE(edit.Modified());
    edit.SetParent(nullptr);
    delete form;
}

} // namespace
