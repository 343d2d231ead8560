// The common controls read from a form description: properties, collections, nested objects
// and references reach the controls, and the controls finish their setup after loading.
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/MonthCalendar.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/RichEdit.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TabControl.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/TreeView.h"
#include "framework/comctrls/UpDown.h"
#include "framework/system/DateTimeUtils.h"
#include "tests/support/ControlTestSupport.h"

namespace {

const wchar_t* const Description =
    L"object CommonForm: TCommonForm\n"
    L"  Width = 640\n"
    L"  Height = 480\n"
    L"  object Pages: TPageControl\n"
    L"    Width = 300\n"
    L"    Height = 200\n"
    L"    ActivePage = Holidays\n"
    L"    TabPosition = tpBottom\n"
    L"    object Monthly: TTabSheet\n"
    L"      Caption = '每月轮班'\n"
    L"    end\n"
    L"    object Holidays: TTabSheet\n"
    L"      Caption = '节日轮班'\n"
    L"      ImageIndex = 1\n"
    L"      object Picker: TDateTimePicker\n"
    L"        Date = 41036.000000000000000000\n"
    L"        Time = 0.5\n"
    L"        Format = 'yyyy/MM/dd'\n"
    L"        DateMode = dmUpDown\n"
    L"        MinDate = 40909.0\n"
    L"        CalColors.TitleBackColor = clRed\n"
    L"      end\n"
    L"    end\n"
    L"  end\n"
    L"  object Status: TStatusBar\n"
    L"    Panels = <\n"
    L"      item\n"
    L"        Text = 'one'\n"
    L"        Width = 80\n"
    L"      end\n"
    L"      item\n"
    L"        Alignment = taCenter\n"
    L"        Text = '二'\n"
    L"      end>\n"
    L"    SimpleText = 'simple'\n"
    L"  end\n"
    L"  object Tracker: TTrackBar\n"
    L"    Max = 20\n"
    L"    Position = 15\n"
    L"    TickStyle = tsNone\n"
    L"  end\n"
    L"  object Spinner: TUpDown\n"
    L"    Associate = Tracker\n"
    L"    Min = 1\n"
    L"    Max = 9\n"
    L"    Position = 4\n"
    L"    Orientation = udHorizontal\n"
    L"  end\n"
    L"  object Bar: TToolBar\n"
    L"    ShowCaptions = True\n"
    L"    EdgeBorders = [ebLeft, ebTop]\n"
    L"    object Second: TToolButton\n"
    L"      Left = 30\n"
    L"      Caption = 'B'\n"
    L"      Style = tbsCheck\n"
    L"    end\n"
    L"    object First: TToolButton\n"
    L"      Left = 0\n"
    L"      Caption = 'A'\n"
    L"    end\n"
    L"  end\n"
    L"  object Notes: TRichEdit\n"
    L"    Lines.Strings = (\n"
    L"      '中文'\n"
    L"      'two')\n"
    L"    PlainText = True\n"
    L"    ScrollBars = ssVertical\n"
    L"  end\n"
    L"  object List: TListView\n"
    L"    ViewStyle = vsReport\n"
    L"    Columns = <\n"
    L"      item\n"
    L"        Caption = 'Name'\n"
    L"        Width = 90\n"
    L"      end\n"
    L"      item\n"
    L"        Alignment = taRightJustify\n"
    L"        Caption = 'Date'\n"
    L"      end>\n"
    L"    Checkboxes = True\n"
    L"  end\n"
    L"  object Tree: TTreeView\n"
    L"    ShowLines = False\n"
    L"    Indent = 25\n"
    L"  end\n"
    L"  object Tabs: TTabControl\n"
    L"    Tabs.Strings = (\n"
    L"      '阳历'\n"
    L"      '阴历')\n"
    L"    TabIndex = 1\n"
    L"  end\n"
    L"end\n";

class TCommonForm : public TForm {
public:
    explicit TCommonForm(TComponent* AOwner) : TForm(AOwner) { ReadComponentFromText(this, Description, L"Common.form"); }
};

template <class T>
T* Find(TComponent* Root, const wchar_t* Name)
{
    auto* c = dynamic_cast<T*>(Root->FindComponent(Name));
    EXPECT_NE(c, nullptr) << "missing component";
    return c;
}

TEST(CommonControlsProperties, ControlsReadFromADescriptionTakeTheirProperties)
{
    RegisterCommonControlsClasses();
    RegisterPublishedClass<TCommonForm>(L"TCommonForm", L"TForm");
    std::unique_ptr<TCommonForm> form(new TCommonForm(nullptr));

    auto* pages = Find<TPageControl>(form.get(), L"Pages");
    auto* holidays = Find<TTabSheet>(form.get(), L"Holidays");
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), holidays);
    EXPECT_EQ(pages->TabPosition(), tpBottom);
    EXPECT_EQ(pages->Tabs()->Strings(0), L"每月轮班");
    EXPECT_EQ(holidays->ImageIndex(), 1);

    auto* picker = Find<TDateTimePicker>(form.get(), L"Picker");
    EXPECT_EQ(picker->Parent(), holidays);
    EXPECT_EQ(picker->DateTime(), EncodeDate(2012, 5, 7) + 0.5);
    EXPECT_EQ(picker->Format(), L"yyyy/MM/dd");
    EXPECT_EQ(picker->DateMode(), dmUpDown);
    EXPECT_EQ(picker->MinDate(), EncodeDate(2012, 1, 1));
    EXPECT_EQ(picker->CalColors()->TitleBackColor(), clRed);

    auto* status = Find<TStatusBar>(form.get(), L"Status");
    ASSERT_EQ(status->Panels()->Count(), 2);
    EXPECT_EQ(status->Panels()->Items(0)->Width(), 80);
    EXPECT_EQ(status->Panels()->Items(1)->Text(), L"二");
    EXPECT_EQ(status->Panels()->Items(1)->Alignment(), taCenter);
    EXPECT_EQ(status->SimpleText(), L"simple");

    auto* tracker = Find<TTrackBar>(form.get(), L"Tracker");
    EXPECT_EQ(tracker->Position(), 15);
    EXPECT_EQ(tracker->TickStyle(), tsNone);
    auto* spinner = Find<TUpDown>(form.get(), L"Spinner");
    EXPECT_EQ(spinner->Associate(), tracker);
    EXPECT_EQ(spinner->Position(), 4);
    EXPECT_EQ(spinner->Orientation(), udHorizontal);

    auto* bar = Find<TToolBar>(form.get(), L"Bar");
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->Caption(), L"A");
    EXPECT_EQ(bar->Buttons(1)->Style(), tbsCheck);
    EXPECT_EQ(bar->EdgeBorders(), (TEdgeBorders{ebLeft, ebTop}));

    auto* notes = Find<TRichEdit>(form.get(), L"Notes");
    EXPECT_EQ(notes->Lines()->Text(), L"中文\r\ntwo\r\n");
    EXPECT_TRUE(notes->PlainText());
    EXPECT_EQ(notes->ScrollBars(), ssVertical);

    auto* list = Find<TListView>(form.get(), L"List");
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 90);
    EXPECT_EQ(list->Columns()->Items(1)->Alignment(), taRightJustify);
    EXPECT_TRUE(list->Checkboxes());
    auto* tree = Find<TTreeView>(form.get(), L"Tree");
    EXPECT_FALSE(tree->ShowLines());
    EXPECT_EQ(tree->Indent(), 25);
    auto* tabs = Find<TTabControl>(form.get(), L"Tabs");
    EXPECT_EQ(tabs->Tabs()->Count(), 2);
    EXPECT_EQ(tabs->TabIndex(), 1);

    // Shown, every control takes its window with what was read.
    form->Show();
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(holidays->Handle()));
    EXPECT_EQ(SendMessageW(tracker->Handle(), TBM_GETPOS, 0, 0), 15);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spinner->Handle(), UDM_GETBUDDY, 0, 0)), tracker->Handle());
    EXPECT_EQ(notes->Lines()->Strings(0), L"中文");
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 90);
}

} // namespace
