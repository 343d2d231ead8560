// Buttons linked to actions: a speed button's Down follows a grouped action's Checked, buttons
// with an empty glyph take the action's image, and a form description links buttons to the
// actions of its action list by name.
#include <memory>

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/ActionList.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/SpeedButton.h"
#include "tests/framework/stdctrls/StdControlsFixtures.h"

using namespace kvltest;

namespace {

TEST_F(Buttons, SpeedButtonDownFollowsItsGroupedActionWhileItShowsTheActionsState)
{
    auto* list = new TActionList(Form);
    auto* day = new TAction(Form);
    auto* night = new TAction(Form);
    for (TAction* a : {day, night}) {
        a->SetActionList(list);
        a->SetGroupIndex(3);
    }
    day->SetChecked(true);
    auto* dayButton = Add<TSpeedButton>(Form, 10, 10, 25, 25);
    auto* nightButton = Add<TSpeedButton>(Form, 40, 10, 25, 25);
    dayButton->SetAction(day);
    nightButton->SetAction(night);
    EXPECT_EQ(3, dayButton->GroupIndex());
    EXPECT_TRUE(dayButton->Down());
    EXPECT_FALSE(nightButton->Down());

    night->SetChecked(true);
    EXPECT_FALSE(day->Checked());
    EXPECT_TRUE(nightButton->Down());
    EXPECT_FALSE(dayButton->Down());

    // Checked is linked only for a button that allows all up and shows the action's value.
    EXPECT_FALSE(nightButton->ActionLink()->IsCheckedLinked());
    nightButton->SetAllowAllUp(true);
    EXPECT_TRUE(nightButton->ActionLink()->IsCheckedLinked());
    EXPECT_TRUE(nightButton->ActionLink()->IsGroupIndexLinked());
    nightButton->SetGroupIndex(4);
    EXPECT_FALSE(nightButton->ActionLink()->IsGroupIndexLinked());
}

TEST_F(Buttons, ButtonsWithoutGlyphTakeTheImageOfTheirAction)
{
    auto* images = new TImageList(Form);
    images->SetSize(16, 16);
    auto strip = Glyph({clRed, clBlue});
    ASSERT_EQ(0, images->AddMasked(strip.get(), clOlive));
    auto* list = new TActionList(Form);
    list->SetImages(images);
    auto* action = new TAction(Form);
    action->SetActionList(list);
    action->SetImageIndex(1);

    auto* speed = Add<TSpeedButton>(Form, 10, 10, 25, 25);
    auto* bit = Add<TBitBtn>(Form, 40, 10, 75, 25);
    auto* ownGlyph = Add<TBitBtn>(Form, 120, 10, 75, 25);
    auto own = Glyph({clGreen});
    ownGlyph->SetGlyph(own.get());
    for (TControl* c : std::initializer_list<TControl*>{speed, bit, ownGlyph}) c->SetAction(action);

    for (TBitmap* glyph : {speed->Glyph(), bit->Glyph()}) {
        ASSERT_EQ(16, glyph->Width());
        EXPECT_EQ(ColorToRGB(clBlue), glyph->Canvas()->Pixels(8, 8));
        // The image's transparent part becomes the glyph's transparent fuchsia.
        EXPECT_EQ(ColorToRGB(clFuchsia), glyph->Canvas()->Pixels(0, 15));
    }
    EXPECT_EQ(ColorToRGB(clGreen), ownGlyph->Glyph()->Canvas()->Pixels(8, 8));
}

class TActionForm : public TForm {
public:
    explicit TActionForm(TComponent* AOwner) : TForm(AOwner)
    {
        ReadComponentFromText(this,
                              L"object ActionForm: TActionForm\n"
                              L"  object Actions: TActionList\n"
                              L"    object SaveAction: TAction\n"
                              L"      Caption = '保存'\n"
                              L"      Category = 'File'\n"
                              L"      Hint = 'Save the month'\n"
                              L"      ShortCut = 116\n"
                              L"      OnExecute = SaveExecute\n"
                              L"    end\n"
                              L"  end\n"
                              L"  object Plain: TButton\n"
                              L"    Action = SaveAction\n"
                              L"  end\n"
                              L"  object Named: TButton\n"
                              L"    Caption = 'Own'\n"
                              L"    Action = SaveAction\n"
                              L"  end\n"
                              L"end\n",
                              L"Action.form");
    }
    void SaveExecute(TObject* Sender) { ++Saves; }
    TActionList* Actions = nullptr;
    TAction* SaveAction = nullptr;
    TButton* Plain = nullptr;
    TButton* Named = nullptr;
    int Saves = 0;
};

TEST(ActionLinks, AFormDescriptionNestsActionsInTheirListAndLinksControlsByName)
{
    RegisterStdControlsClasses();
    RegisterPublishedClass<TActionForm>(L"TActionForm", L"TForm")
        .Field(L"Actions", &TActionForm::Actions)
        .Field(L"SaveAction", &TActionForm::SaveAction)
        .Field(L"Plain", &TActionForm::Plain)
        .Field(L"Named", &TActionForm::Named)
        .Method(L"SaveExecute", &TActionForm::SaveExecute);
    std::unique_ptr<TActionForm> form(new TActionForm(nullptr));

    ASSERT_NE(nullptr, form->SaveAction);
    EXPECT_EQ(form->Actions, form->SaveAction->ActionList());
    EXPECT_EQ(1, form->Actions->ActionCount());
    EXPECT_EQ(L"File", form->SaveAction->Category());
    EXPECT_EQ(TShortCut(VK_F5), form->SaveAction->ShortCut());
    EXPECT_EQ(form->SaveAction, form->Plain->Action());
    EXPECT_EQ(L"保存", form->Plain->Caption());
    EXPECT_EQ(L"Save the month", form->Plain->Hint());
    // Read from a description, the action fills in only what the control left at its default.
    EXPECT_EQ(L"Own", form->Named->Caption());
    EXPECT_EQ(L"Save the month", form->Named->Hint());

    form->Plain->Click();
    EXPECT_EQ(1, form->Saves);
}

} // namespace
