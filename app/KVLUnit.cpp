#include "app/KVLUnit.h"

#include "app/AboutUnit.h"
#include "app/CalendarLibrary.h"
#include "app/procedureUnit.h"
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/system/Conversions.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/Exceptions.h"
#include "framework/system/StringUtils.h"
#include "skin/controls/sControlsProperties.h"
#include "skin/core/sDialogs.h"

const wchar_t* const SolarHolidayNames[6] = {L"元旦", L"情人节", L"劳动节", L"儿童节", L"国庆节", L"圣诞节"};
const wchar_t* const LunarHolidayNames[6] = {L"元宵节", L"清明节", L"端午节", L"中秋节", L"重阳节", L"除夕"};
const wchar_t* const WeekDayNames[7] = {L"日", L"一", L"二", L"三", L"四", L"五", L"六"};

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner)
{
    RegisterKVLUnitClasses();
    ReadComponentResourceOfClass(this, L"TForm1");
    Application->OnException = [this](TObject* Sender, Exception& E) { ApplicationException(Sender, E); };
}

TForm1::~TForm1()
{
    Application->OnException = nullptr;
}

void TForm1::ApplicationException(TObject* Sender, Exception& E)
{
    // The date edit refuses a text that is no date (and the program an emptied one) by raising
    // a conversion error as the focus leaves; the user is told in the program's words and style,
    // like every other refused input, with the text as typed.
    if (dynamic_cast<EConvertError*>(&E) == nullptr || sDateEdit1->HasValidDate()) {
        Application->ShowException(E);
        return;
    }
    const String text = sDateEdit1->TextEntered() ? Trim(sDateEdit1->Text()) : String();
    const String example = FormatDateTime(sDateEdit1->DateFormat(), EncodeDate(2026, 12, 11));
    const String told = text.empty() ? L"上班日期不能为空：请输入第一个上班日，例如 " + example + L"。"
                                     : L"上班日期“" + text + L"”不是有效的日期：请输入第一个上班日，例如 " + example + L"。";
    MessageBoxPos(Caption(), told, mtWarning, {mbOK}, 0, -1, -1);
}

void TForm1::FormCreate(TObject* Sender)
{
    // Runs sDateEdit1Change: no holiday is chosen yet, so only the month page is computed, for
    // the year and month the description shows.
    sDateEdit1->SetDate(Date());
    sComboBox1->Clear();
    sComboBox2->SetItemIndex(0);
    for (const wchar_t* name : SolarHolidayNames) sComboBox1->Items()->Add(name);
    for (int year = 2013; year <= 2032; ++year) sComboBox2->Items()->Add(IntToStr(year));
    for (int col = 0; col < 7; ++col) caleGrid->SetCells(col, 0, WeekDayNames[col]);
    sComboBox2->SetText(ThisYear());
    sComboBox3->SetText(ThisYear());
    sComboBox4->SetText(ThisMonth());
    MonthPage();
}

void TForm1::MonthPage()
{
    if (!MonthPageReady()) return;
    caleGrid->ClearAll();
    FillMonthLayout();
    MarkMonthDutyDays();
}

void TForm1::HolidayPage()
{
    if (!HolidayPageReady()) return;
    AdvStringGrid1->ClearAll();
    ShowHolidayDate();
    FillHolidayTable();
}

void TForm1::FillHolidayList(const wchar_t* const (&Names)[6])
{
    AdvStringGrid1->ClearAll();
    sComboBox1->Clear();
    for (const wchar_t* name : Names) sComboBox1->Items()->Add(name);
}

void TForm1::sBitBtn1Click(TObject* Sender)
{
    Aboutfrm->ShowModal();
}

void TForm1::sComboBox1Change(TObject* Sender)
{
    ChooseTypedHoliday();
    HolidayPage();
}

void TForm1::ChooseTypedHoliday()
{
    // Completion while typing selects what the text begins with, and editing the text afterwards
    // may leave no selection at all: a text that is an entry chooses that entry.
    int index = sComboBox1->Items()->IndexOf(sComboBox1->Text());
    if (index < 0 || index == sComboBox1->ItemIndex()) return;
    DWORD start = 0, stop = 0;
    SendMessageW(sComboBox1->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    sComboBox1->SetItemIndex(index);
    SendMessageW(sComboBox1->Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, stop));
}
void TForm1::sComboBox2Change(TObject* Sender) { HolidayPage(); }
void TForm1::sComboBox3Change(TObject* Sender) { MonthPage(); }
void TForm1::sComboBox4Change(TObject* Sender) { MonthPage(); }

void TForm1::sDateEdit1Change(TObject* Sender)
{
    HolidayPage();
    MonthPage();
}

void TForm1::sDateEdit1Exit(TObject* Sender)
{
    // The pages need a first duty day: an emptied field is refused like a wrong date (the
    // date edit itself lets a blank field go).
    if (sDateEdit1->TextEntered()) return;
    if (sDateEdit1->CanFocus()) sDateEdit1->SetFocus();
    throw EConvertError(L"Invalid Date");
}

void TForm1::sRadioButton3Click(TObject* Sender)
{
    HolidayPage();
    MonthPage();
}

void TForm1::sRadioButton4Click(TObject* Sender)
{
    HolidayPage();
    MonthPage();
}

void TForm1::sRadioButton5Click(TObject* Sender)
{
    HolidayPage();
    MonthPage();
}

void TForm1::sRadioButton1Click(TObject* Sender) { FillHolidayList(SolarHolidayNames); }
void TForm1::sRadioButton2Click(TObject* Sender) { FillHolidayList(LunarHolidayNames); }

void RegisterKVLUnitClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterGridClasses();
    RegisterSkinControlsClasses();
    RegisterAboutUnitClasses();
    RegisterPublishedClass<TForm1>(L"TForm1", L"TForm")
        .Field(L"sSkinManager1", &TForm1::sSkinManager1)
        .Field(L"sBitBtn1", &TForm1::sBitBtn1)
        .Field(L"sGroupBox7", &TForm1::sGroupBox7)
        .Field(L"sRadioButton3", &TForm1::sRadioButton3)
        .Field(L"sRadioButton4", &TForm1::sRadioButton4)
        .Field(L"sRadioButton5", &TForm1::sRadioButton5)
        .Field(L"上班日期", &TForm1::上班日期)
        .Field(L"sLabel1", &TForm1::sLabel1)
        .Field(L"sDateEdit1", &TForm1::sDateEdit1)
        .Field(L"sPageControl1", &TForm1::sPageControl1)
        .Field(L"sTabSheet1", &TForm1::sTabSheet1)
        .Field(L"Label1", &TForm1::Label1)
        .Field(L"Label2", &TForm1::Label2)
        .Field(L"sGroupBox6", &TForm1::sGroupBox6)
        .Field(L"caleGrid", &TForm1::caleGrid)
        .Field(L"sGroupBox5", &TForm1::sGroupBox5)
        .Field(L"sLabel4", &TForm1::sLabel4)
        .Field(L"sLabel5", &TForm1::sLabel5)
        .Field(L"sComboBox3", &TForm1::sComboBox3)
        .Field(L"sComboBox4", &TForm1::sComboBox4)
        .Field(L"sTabSheet2", &TForm1::sTabSheet2)
        .Field(L"Label3", &TForm1::Label3)
        .Field(L"Label4", &TForm1::Label4)
        .Field(L"sGroupBox2", &TForm1::sGroupBox2)
        .Field(L"sLabel3", &TForm1::sLabel3)
        .Field(L"AdvStringGrid1", &TForm1::AdvStringGrid1)
        .Field(L"sGroupBox3", &TForm1::sGroupBox3)
        .Field(L"sLabel2", &TForm1::sLabel2)
        .Field(L"sComboBox1", &TForm1::sComboBox1)
        .Field(L"sRadioButton1", &TForm1::sRadioButton1)
        .Field(L"sRadioButton2", &TForm1::sRadioButton2)
        .Field(L"sComboBox2", &TForm1::sComboBox2)
        .Field(L"sBevel1", &TForm1::sBevel1)
        .Field(L"sBevel2", &TForm1::sBevel2)
        .Method(L"FormCreate", &TForm1::FormCreate)
        .Method(L"sBitBtn1Click", &TForm1::sBitBtn1Click)
        .Method(L"sComboBox1Change", &TForm1::sComboBox1Change)
        .Method(L"sComboBox2Change", &TForm1::sComboBox2Change)
        .Method(L"sComboBox3Change", &TForm1::sComboBox3Change)
        .Method(L"sComboBox4Change", &TForm1::sComboBox4Change)
        .Method(L"sDateEdit1Change", &TForm1::sDateEdit1Change)
        .Method(L"sDateEdit1Exit", &TForm1::sDateEdit1Exit)
        .Method(L"sRadioButton3Click", &TForm1::sRadioButton3Click)
        .Method(L"sRadioButton4Click", &TForm1::sRadioButton4Click)
        .Method(L"sRadioButton5Click", &TForm1::sRadioButton5Click)
        .Method(L"sRadioButton1Click", &TForm1::sRadioButton1Click)
        .Method(L"sRadioButton2Click", &TForm1::sRadioButton2Click);
}
