#pragma once
// Unit KVLUnit: the main form TForm1 of the shift calendar, its event handlers and the three
// name tables. The form is read from its description (KVLUnit.form); every handler decides what
// to recompute and in which order, the computations themselves are procedureUnit's. No state is
// kept here: every value is read from the controls when a computation runs.
#include "framework/controls/Forms.h"
#include "framework/stdctrls/Label.h"
#include "grid/control/AdvGrid.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sSkinManager.h"

// The holiday index of the holiday page is the position in these tables.
extern const wchar_t* const SolarHolidayNames[6];
extern const wchar_t* const LunarHolidayNames[6];
// Sunday first.
extern const wchar_t* const WeekDayNames[7];

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    TsSkinManager* sSkinManager1 = nullptr;
    TsBitBtn* sBitBtn1 = nullptr;
    TsGroupBox* sGroupBox7 = nullptr;
    TsRadioButton* sRadioButton3 = nullptr;
    TsRadioButton* sRadioButton4 = nullptr;
    TsRadioButton* sRadioButton5 = nullptr;
    TsGroupBox* 上班日期 = nullptr;
    TsLabel* sLabel1 = nullptr;
    TsDateEdit* sDateEdit1 = nullptr;
    TsPageControl* sPageControl1 = nullptr;
    TsTabSheet* sTabSheet1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TsGroupBox* sGroupBox6 = nullptr;
    TAdvStringGrid* caleGrid = nullptr;
    TsGroupBox* sGroupBox5 = nullptr;
    TsLabel* sLabel4 = nullptr;
    TsLabel* sLabel5 = nullptr;
    TsComboBox* sComboBox3 = nullptr;
    TsComboBox* sComboBox4 = nullptr;
    TsTabSheet* sTabSheet2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TsGroupBox* sGroupBox2 = nullptr;
    TsLabel* sLabel3 = nullptr;
    TAdvStringGrid* AdvStringGrid1 = nullptr;
    TsGroupBox* sGroupBox3 = nullptr;
    TsLabel* sLabel2 = nullptr;
    TsComboBox* sComboBox1 = nullptr;
    TsRadioButton* sRadioButton1 = nullptr;
    TsRadioButton* sRadioButton2 = nullptr;
    TsComboBox* sComboBox2 = nullptr;
    TsBevel* sBevel1 = nullptr;
    TsBevel* sBevel2 = nullptr;

    void FormCreate(TObject* Sender);
    void sBitBtn1Click(TObject* Sender);
    void sComboBox1Change(TObject* Sender);
    void sComboBox2Change(TObject* Sender);
    void sComboBox3Change(TObject* Sender);
    void sComboBox4Change(TObject* Sender);
    void sDateEdit1Change(TObject* Sender);
    void sDateEdit1Exit(TObject* Sender);
    void sRadioButton3Click(TObject* Sender);
    void sRadioButton4Click(TObject* Sender);
    void sRadioButton5Click(TObject* Sender);
    void sRadioButton1Click(TObject* Sender);
    void sRadioButton2Click(TObject* Sender);

private:
    // Clear the table and compute the page again, unless it is not ready (inputs at fault or
    // unfinished, no holiday chosen, no first duty day): then the page keeps what it shows.
    void MonthPage();
    void HolidayPage();
    void FillHolidayList(const wchar_t* const (&Names)[6]);
    void ChooseTypedHoliday();
    // The program's own answer to a first duty day the date edit refuses on leaving; every
    // other exception gets the application's default box.
    void ApplicationException(TObject* Sender, Exception& E);
};

// The main form (the page computations reach every control through it).
extern TForm1* Form1;

// Registers the form classes, their fields and handlers, and every class the descriptions
// hold, with the form reader (once).
void RegisterKVLUnitClasses();
