// An edit control's bound label: the edit label it makes, named and captioned after the edit,
// placed by layout, indent and maximum width, and the settings learning that the label is gone.
#include <gtest/gtest.h>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/Edit.h"
#include "skin/controls/sLabel.h"
#include "skin/core/sCommonData.h"

namespace {

struct BoundLabel : ::testing::Test {
    TForm* Form = TForm::CreateNew(nullptr);
    TEdit* Edit = new TEdit(Form);
    TsCommonData Data{Edit, false};
    TsBoundLabel Bound{Edit, &Data};

    BoundLabel()
    {
        Form->SetBounds(0, 0, 400, 300);
        Edit->SetName(L"FirstDay");
        Edit->SetParent(Form);
        Edit->SetBounds(100, 80, 120, 21);
    }
    ~BoundLabel() override
    {
        Bound.SetActive(false);
        delete Form;
    }
    TCustomLabel* Label() { return Bound.TheLabel(); }
};

} // namespace

TEST_F(BoundLabel, ActivatingMakesAnEditLabelNamedAndCaptionedAfterTheEdit)
{
    Bound.SetActive(true);
    ASSERT_NE(Label(), nullptr);
    EXPECT_NE(dynamic_cast<TsEditLabel*>(Label()), nullptr);
    EXPECT_EQ(Label()->Name(), L"FirstDayLabel");
    EXPECT_EQ(Label()->Caption(), L"FirstDay");  // no caption of its own
    EXPECT_EQ(Label()->Parent(), Form);
    EXPECT_EQ(Label()->FocusControl(), Edit);
    EXPECT_TRUE(Label()->Visible());

    Bound.SetCaption(L"首个工作日");
    EXPECT_EQ(Label()->Caption(), L"首个工作日");
    Bound.SetActive(false);
    EXPECT_EQ(Label(), nullptr);
}

TEST_F(BoundLabel, TheLayoutPlacesAndAlignsTheLabel)
{
    Bound.SetCaption(L"Date");
    Bound.SetIndent(2);
    Bound.SetActive(true);
    const int w = Label()->Width(), h = Label()->Height();
    struct Case {
        TsCaptionLayout Layout;
        int Left, Top;
        TAlignment Alignment;
    } cases[] = {
        {sclLeft, 100 - w - 2 - 4, 80 + (21 - h) / 2, taRightJustify},
        {sclTopLeft, 100, 80 - h - 2, taLeftJustify},
        {sclTopCenter, 100 + (120 - w) / 2, 80 - h - 2, taCenter},
        {sclTopRight, 100 + 120 - w, 80 - h - 2, taRightJustify},
    };
    for (const Case& c : cases) {
        Bound.SetLayout(c.Layout);
        EXPECT_EQ(Label()->Left(), c.Left) << c.Layout;
        EXPECT_EQ(Label()->Top(), c.Top) << c.Layout;
        EXPECT_EQ(Label()->Alignment(), c.Alignment) << c.Layout;
    }
}

TEST_F(BoundLabel, AMaximumWidthWrapsTheLabelAtLeastAsHighAsTheEdit)
{
    Bound.SetCaption(L"A rather long caption for a date");
    Bound.SetActive(true);
    Bound.SetMaxWidth(50);
    EXPECT_FALSE(Label()->AutoSize());
    EXPECT_TRUE(Label()->WordWrap());
    EXPECT_EQ(Label()->Width(), 50);
    EXPECT_GE(Label()->Height(), 21);
}

TEST_F(BoundLabel, ALabelFreedElsewhereLeavesTheSettingsInactive)
{
    Bound.SetActive(true);
    delete Label();
    EXPECT_EQ(Label(), nullptr);
    EXPECT_FALSE(Bound.Active());

    // A font set before the label exists reaches it.
    TFont big;
    big.SetSize(14);
    Bound.SetFont(&big);
    Bound.SetActive(true);
    EXPECT_EQ(Label()->Font()->Size(), 14);
    EXPECT_EQ(Bound.Font(), Label()->Font());
}
