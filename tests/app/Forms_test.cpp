// The two forms as their descriptions build them, the About window shown from the main form,
// its link, and the start-up's binding of the calendar library.
#include "tests/app/AppTestSupport.h"

#include "framework/facts/SystemFacts.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Panel.h"
#include "skin/controls/sLabel.h"

using namespace kvltest;

namespace {

using MainFormDescription = MainFormTest;

bool SawModalAbout = false;

// Runs inside the About window's modal loop: looks at the window and closes it.
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR Id, DWORD)
{
    KillTimer(nullptr, Id);
    SawModalAbout = Aboutfrm->Visible() && Aboutfrm->FormState().Contains(fsModal);
    Aboutfrm->SetModalResult(mrOk);
}

TEST_F(MainFormDescription, HoldsEveryComponentWithItsClassParentAndCaption)
{
    struct TEntry {
        const wchar_t* Name;
        const wchar_t* Class;
        const wchar_t* Parent; // "" for the form itself, nullptr for a component without parent
        const wchar_t* Caption;
    };
    const TEntry entries[] = {
        {L"sSkinManager1", L"TsSkinManager", nullptr, nullptr},
        {L"sBitBtn1", L"TsBitBtn", L"", L"关 于"},
        {L"sGroupBox7", L"TsGroupBox", L"", L"轮班制"},
        {L"sRadioButton3", L"TsRadioButton", L"sGroupBox7", L"24小时轮班"},
        {L"sRadioButton4", L"TsRadioButton", L"sGroupBox7", L"48小时轮班"},
        {L"sRadioButton5", L"TsRadioButton", L"sGroupBox7", L"12小时轮班"},
        {L"上班日期", L"TsGroupBox", L"", L"上班日期"},
        {L"sLabel1", L"TsLabel", L"上班日期", L"选择："},
        {L"sDateEdit1", L"TsDateEdit", L"上班日期", nullptr},
        {L"sPageControl1", L"TsPageControl", L"", nullptr},
        {L"sTabSheet1", L"TsTabSheet", L"sPageControl1", L"每月轮班"},
        {L"Label1", L"TLabel", L"sTabSheet1", nullptr},
        {L"Label2", L"TLabel", L"sTabSheet1", nullptr},
        {L"sGroupBox6", L"TsGroupBox", L"sTabSheet1", L"月度上班表"},
        {L"caleGrid", L"TAdvStringGrid", L"sGroupBox6", nullptr},
        {L"sGroupBox5", L"TsGroupBox", L"sTabSheet1", L"选择"},
        {L"sLabel4", L"TsLabel", L"sGroupBox5", L"年份："},
        {L"sLabel5", L"TsLabel", L"sGroupBox5", L"月份："},
        {L"sComboBox3", L"TsComboBox", L"sGroupBox5", nullptr},
        {L"sComboBox4", L"TsComboBox", L"sGroupBox5", nullptr},
        {L"sTabSheet2", L"TsTabSheet", L"sPageControl1", L"节日轮班"},
        {L"Label3", L"TLabel", L"sTabSheet2", L"节日上班天数"},
        {L"Label4", L"TLabel", L"sTabSheet2", L"节日下班天数"},
        {L"sGroupBox2", L"TsGroupBox", L"sTabSheet2", L"节日期间上班表"},
        {L"sLabel3", L"TsLabel", L"sGroupBox2", L"节日的 年月日"},
        {L"AdvStringGrid1", L"TAdvStringGrid", L"sGroupBox2", nullptr},
        {L"sGroupBox3", L"TsGroupBox", L"sTabSheet2", L"选择"},
        {L"sLabel2", L"TsLabel", L"sGroupBox3", L"  节日："},
        {L"sComboBox1", L"TsComboBox", L"sGroupBox3", nullptr},
        {L"sRadioButton1", L"TsRadioButton", L"sGroupBox3", L"阳历"},
        {L"sRadioButton2", L"TsRadioButton", L"sGroupBox3", L"阴历"},
        {L"sComboBox2", L"TsComboBox", L"sGroupBox3", nullptr},
        {L"sBevel1", L"TsBevel", L"sTabSheet1", nullptr},
        {L"sBevel2", L"TsBevel", L"sTabSheet2", nullptr},
    };
    EXPECT_EQ(Form->ComponentCount(), static_cast<int>(std::size(entries)));
    for (const TEntry& e : entries) {
        TComponent* component = Form->FindComponent(e.Name);
        ASSERT_NE(component, nullptr) << e.Name;
        EXPECT_EQ(component->ClassName(), e.Class) << e.Name;
        auto* control = dynamic_cast<TControl*>(component);
        if (e.Parent == nullptr) {
            EXPECT_EQ(control, nullptr) << e.Name;
            continue;
        }
        ASSERT_NE(control, nullptr) << e.Name;
        TWinControl* parent = control->Parent();
        ASSERT_NE(parent, nullptr) << e.Name;
        EXPECT_EQ(parent == Form ? String() : parent->Name(), e.Parent) << e.Name;
        if (e.Caption != nullptr) {
            EXPECT_EQ(control->Caption(), e.Caption) << e.Name;
        }
    }
    // The fields are bound to them.
    EXPECT_EQ(Form->上班日期, Form->FindComponent(L"上班日期"));
    EXPECT_EQ(Form->caleGrid, Form->FindComponent(L"caleGrid"));
}

TEST_F(MainFormDescription, FormGridsAndEditsHaveTheirSettings)
{
    EXPECT_EQ(Form->Caption(), L"Kelvane v2.0");
    EXPECT_EQ(Form->ClientWidth(), 367);
    EXPECT_EQ(Form->ClientHeight(), 343);
    EXPECT_EQ(Form->BorderStyle(), bsSingle);
    EXPECT_EQ(Form->BorderIcons(), (TBorderIcons{biSystemMenu, biMinimize}));
    EXPECT_EQ(Form->Position(), poScreenCenter);
    EXPECT_EQ(Form->Font()->Name(), L"Tahoma");
    EXPECT_EQ(Form->Font()->Size(), 8);
    LONG style = GetWindowLongW(Form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    TAdvStringGrid* month = Form->caleGrid;
    EXPECT_EQ(month->ColCount(), 7);
    EXPECT_EQ(month->RowCount(), 7);
    EXPECT_EQ(month->FixedRows(), 1);
    EXPECT_EQ(month->FixedCols(), 0);
    EXPECT_EQ(month->ColWidths(3), 23);
    EXPECT_EQ(month->RowHeights(0), 20);
    EXPECT_EQ(month->RowHeights(6), 20);
    EXPECT_FALSE(month->Enabled());
    EXPECT_EQ(month->DefaultAlignment(), taCenter);
    EXPECT_EQ(month->VAlignment(), vtaCenter);
    EXPECT_EQ(month->SelectionColor(), clWhite);

    TAdvStringGrid* holiday = Form->AdvStringGrid1;
    EXPECT_EQ(holiday->ColCount(), 4);
    EXPECT_EQ(holiday->RowCount(), 4);
    EXPECT_EQ(holiday->FixedRows(), 0);
    EXPECT_EQ(holiday->FixedCols(), 0);
    EXPECT_EQ(holiday->ColWidths(0), 39);
    EXPECT_EQ(holiday->RowHeights(3), 20);
    EXPECT_FALSE(holiday->Enabled());
    EXPECT_EQ(holiday->DefaultAlignment(), taCenter);
    EXPECT_FALSE(holiday->ShowSelection());

    // The mask follows the locale's date order, with four-digit years.
    EXPECT_EQ(Form->sDateEdit1->EditMask(), DefDateMask(L' ', true));
    EXPECT_EQ(Form->sDateEdit1->MaxLength(), 10);
    EXPECT_EQ(Form->sDateEdit1->PopupWidth(), 280);
    EXPECT_EQ(Form->sPageControl1->ActivePage(), Form->sTabSheet1);
    EXPECT_TRUE(Form->sRadioButton3->Checked());
    EXPECT_TRUE(Form->sRadioButton1->Checked());
    EXPECT_EQ(Form->sBitBtn1->Glyph()->Width(), 16);
    EXPECT_EQ(Form->sBitBtn1->Glyph()->Height(), 16);
    // Labels, lists and the date edit write in dark grey (65, 65, 65).
    const TColor grey = 0x414141;
    for (TControl* c : std::initializer_list<TControl*>{Form->Label1, Form->sLabel3, Form->sComboBox1, Form->sComboBox4,
                                                        Form->sDateEdit1})
        EXPECT_EQ(c->Font()->Color(), grey) << c->Name();
    EXPECT_EQ(Form->sSkinManager1->SkinDirectory(), L"c:\\Skins");
    EXPECT_TRUE(Form->sSkinManager1->Active());
    EXPECT_TRUE(Form->sSkinManager1->IsDefault());
}

TEST_F(MainFormDescription, TheListsAreSkinnedAndOnlyTheLongYearListScrollsInASkinnedList)
{
    for (TsComboBox* combo : {Form->sComboBox3, Form->sComboBox4, Form->sComboBox1, Form->sComboBox2}) {
        if (combo == Form->sComboBox1) Form->sPageControl1->SetActivePage(Form->sTabSheet2);
        EXPECT_TRUE(combo->SkinData()->Skinned()) << combo->Name();
        EXPECT_EQ(combo->SkinData()->SkinSection(), L"COMBOBOX");
        // The form's dark grey stays theirs.
        EXPECT_EQ(combo->Font()->Color(), TColor(0x414141)) << combo->Name();
    }
    Form->sPageControl1->SetActivePage(Form->sTabSheet1);
    // The year list (21 entries) is longer than the 16 lines a list shows, the month list (12) is not.
    const struct {
        TsComboBox* Combo;
        bool Handled;
    } lists[] = {{Form->sComboBox3, true}, {Form->sComboBox4, false}};
    for (const auto& l : lists) {
        l.Combo->SetDroppedDown(true);
        UpdateWindow(l.Combo->ListHandle());
        Application->ProcessMessages();
        EXPECT_EQ(l.Combo->ListHandler() != nullptr, l.Handled) << l.Combo->Name();
        l.Combo->SetDroppedDown(false);
    }
}

TEST_F(MainFormDescription, TheAboutButtonShowsTheAboutWindowModally)
{
    Aboutfrm = new TAboutfrm(nullptr);
    Aboutfrm->AfterConstruction();
    EXPECT_EQ(Aboutfrm->Caption(), L"关于...");
    EXPECT_EQ(Aboutfrm->ClientWidth(), 374);
    EXPECT_EQ(Aboutfrm->ClientHeight(), 237);
    EXPECT_EQ(Aboutfrm->BorderStyle(), bsDialog);
    EXPECT_EQ(Aboutfrm->Position(), poMainFormCenter);
    ASSERT_NE(Aboutfrm->Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Aboutfrm->Image1->Picture()->Width(), 329);
    EXPECT_EQ(Aboutfrm->Image1->Picture()->Height(), 49);
    EXPECT_EQ(Aboutfrm->Image2->Picture()->Width(), 353);
    EXPECT_EQ(Aboutfrm->Image2->Picture()->Height(), 73);
    EXPECT_EQ(Aboutfrm->sLabel1->Caption(), L"v2.0");
    EXPECT_EQ(Aboutfrm->sLabel1->Font()->Name(), L"Tahoma");
    EXPECT_EQ(Aboutfrm->sLabel1->Font()->Height(), -21);

    // The click runs a modal loop; a timer inside it looks at the window and closes it.
    SawModalAbout = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAbout);
    ClickButton(Form->sBitBtn1);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(SawModalAbout);
    EXPECT_FALSE(Aboutfrm->Visible());
    delete Aboutfrm;
    Aboutfrm = nullptr;
}

TEST(AboutForm, TheLinkOpensItsAddressThroughTheShell)
{
    TAboutfrm about(nullptr);
    about.AfterConstruction();
    about.Show();
    struct TRecordedOpens : TSystemFacts {
        std::vector<String> Opened;
        bool ShellOpen(const String& Target, int, HWND) override
        {
            Opened.push_back(Target);
            return true;
        }
    } facts;
    TSystemFactsOverride use(facts);
    TsWebLabel* link = about.sWebLabel1;
    ASSERT_FALSE(link->URL().empty());
    EXPECT_EQ(link->Cursor(), crHandPoint);
    // A click on the label reaches it through its parent's window.
    HWND panel = link->Parent()->Handle();
    LPARAM at = MAKELPARAM(link->Left() + 3, link->Top() + 3);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(panel, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(facts.Opened, std::vector<String>{link->URL()});
}

TEST(CalendarLibraryBinding, AMissingLibraryIsToldByItsPathAndNothingStaysBound)
{
    ASSERT_TRUE(CalendarBound());
    String folder = TempDir(L"nolibrary");
    String told = BindCalendarLibrary(folder);
    EXPECT_FALSE(CalendarLibraryBound());
    EXPECT_NE(told.find(folder + L"Library\\initialize.dll"), String::npos) << told;
    EXPECT_THROW(ThisYear(), EInvalidOperation);
    // Bound again from beside the program, everything answers.
    EXPECT_EQ(BindCalendarLibrary(ExeDir()), L"");
    int yearBefore = CurrentYear();
    String year = ThisYear();
    EXPECT_THAT(year, ::testing::AnyOf(IntToStr(yearBefore), IntToStr(CurrentYear()))); // New Year may come between
    EXPECT_EQ(LastDay(L"2", L"2012"), L"29");
    EXPECT_EQ(DateOfBegin(0, 2), EncodeDate(2012, 6, 18));
    RemoveDirectoryW(folder.c_str());
}

} // namespace
