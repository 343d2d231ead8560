// The standard controls read from a form description: each published property reaches its
// setter (nested ones, such as a scroll box's scroll bars, too), string lists fill the items,
// references are fixed up and Loaded finishes the setup.
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/stdctrls/Bevel.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/ButtonGlyph.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/MaskEdit.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioButton.h"
#include "framework/stdctrls/RadioGroup.h"
#include "framework/stdctrls/ScrollBox.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/system/FormatSettings.h"
#include "tests/support/ControlTestSupport.h"

namespace {

const wchar_t* const Description =
    L"object StdForm: TStdForm\n"
    L"  object Date: TMaskEdit\n"
    L"    EditMask = '!9999/99/99;1; '\n"
    L"    Text = '2012/05/07'\n"
    L"  end\n"
    L"  object Year: TComboBox\n"
    L"    Style = csDropDownList\n"
    L"    Items.Strings = (\n"
    L"      '2012'\n"
    L"      '2013')\n"
    L"    ItemIndex = 1\n"
    L"  end\n"
    L"  object Shifts: TRadioGroup\n"
    L"    Columns = 2\n"
    L"    Items.Strings = (\n"
    L"      '24'\n"
    L"      '48')\n"
    L"    ItemIndex = 1\n"
    L"  end\n"
    L"  object Line: TBevel\n"
    L"    Shape = bsTopLine\n"
    L"    Style = bsRaised\n"
    L"  end\n"
    L"  object Close: TBitBtn\n"
    L"    Kind = bkCancel\n"
    L"    Layout = blGlyphTop\n"
    L"  end\n"
    L"  object Prompt: TLabel\n"
    L"    Caption = '&Date'\n"
    L"    FocusControl = Date\n"
    L"    Layout = tlCenter\n"
    L"    Alignment = taRightJustify\n"
    L"  end\n"
    L"  object Notes: TMemo\n"
    L"    Lines.Strings = (\n"
    L"      'one'\n"
    L"      'two')\n"
    L"    ScrollBars = ssVertical\n"
    L"    WantTabs = True\n"
    L"  end\n"
    L"  object Box: TScrollBox\n"
    L"    BorderStyle = bsNone\n"
    L"    VertScrollBar.Range = 500\n"
    L"    VertScrollBar.Increment = 12\n"
    L"  end\n"
    L"  object Base: TPanel\n"
    L"    BevelOuter = bvLowered\n"
    L"    BorderWidth = 2\n"
    L"    VerticalAlignment = taAlignBottom\n"
    L"    object Pick: TSpeedButton\n"
    L"      GroupIndex = 3\n"
    L"      Down = True\n"
    L"      Flat = True\n"
    L"    end\n"
    L"    object Sure: TCheckBox\n"
    L"      AllowGrayed = True\n"
    L"      State = cbGrayed\n"
    L"    end\n"
    L"  end\n"
    L"end\n";

class TStdForm : public TForm {
public:
    explicit TStdForm(TComponent* AOwner) : TForm(AOwner) { ReadComponentFromText(this, Description, L"Std.form"); }
};

template <class T>
T* Find(TComponent* Root, const wchar_t* Name)
{
    auto* c = dynamic_cast<T*>(Root->FindComponent(Name));
    EXPECT_NE(c, nullptr);
    return c;
}

TEST(StdControlsProperties, ControlsReadFromADescriptionTakeTheirProperties)
{
    TFormatSettings s;
    s.DateSeparator = L'/';
    TFormatSettingsOverride locale(s);
    RegisterStdControlsClasses();
    RegisterPublishedClass<TStdForm>(L"TStdForm", L"TForm");
    std::unique_ptr<TStdForm> form(new TStdForm(nullptr));

    auto* date = Find<TMaskEdit>(form.get(), L"Date");
    EXPECT_EQ(date->EditMask(), L"!9999/99/99;1; ");
    EXPECT_EQ(date->Text(), L"2012/05/07");
    auto* year = Find<TComboBox>(form.get(), L"Year");
    EXPECT_EQ(year->Style(), csDropDownList);
    EXPECT_EQ(year->Items()->Count(), 2);
    EXPECT_EQ(year->ItemIndex(), 1);
    auto* shifts = Find<TRadioGroup>(form.get(), L"Shifts");
    EXPECT_EQ(shifts->ButtonCount(), 2);
    EXPECT_EQ(shifts->Columns(), 2);
    EXPECT_TRUE(shifts->Buttons(1)->Checked());
    auto* line = Find<TBevel>(form.get(), L"Line");
    EXPECT_EQ(line->Shape(), bsTopLine);
    EXPECT_EQ(line->Style(), bsRaised);
    auto* close = Find<TBitBtn>(form.get(), L"Close");
    EXPECT_EQ(close->Kind(), bkCancel);
    EXPECT_EQ(close->Caption(), L"Cancel");
    EXPECT_EQ(close->Layout(), blGlyphTop);
    auto* prompt = Find<TLabel>(form.get(), L"Prompt");
    EXPECT_EQ(prompt->FocusControl(), date);
    EXPECT_EQ(prompt->Layout(), tlCenter);
    EXPECT_EQ(prompt->Alignment(), taRightJustify);
    auto* notes = Find<TMemo>(form.get(), L"Notes");
    EXPECT_EQ(notes->Lines()->Count(), 2);
    EXPECT_EQ(notes->ScrollBars(), ssVertical);
    EXPECT_TRUE(notes->WantTabs());
    auto* box = Find<TScrollBox>(form.get(), L"Box");
    EXPECT_EQ(box->VertScrollBar()->Range(), 500);
    EXPECT_EQ(box->VertScrollBar()->Increment(), 12);
    EXPECT_FALSE(box->AutoScroll());
    EXPECT_EQ(box->BorderStyle(), bsNone);
    auto* base = Find<TPanel>(form.get(), L"Base");
    EXPECT_EQ(base->BevelOuter(), bvLowered);
    EXPECT_EQ(base->BorderWidth(), 2);
    EXPECT_EQ(base->VerticalAlignment(), tlBottom);
    auto* pick = Find<TSpeedButton>(form.get(), L"Pick");
    EXPECT_EQ(pick->Parent(), base);
    EXPECT_TRUE(pick->Down());
    EXPECT_TRUE(pick->Flat());
    auto* sure = Find<TCheckBox>(form.get(), L"Sure");
    EXPECT_EQ(sure->State(), cbGrayed);
}

} // namespace
