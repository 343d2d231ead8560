#include <gtest/gtest.h>

#include <vector>

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"

namespace {

std::vector<String>& LoadedLog()
{
    static std::vector<String> log;
    return log;
}

class TRecordingBox : public TCustomControl {
public:
    explicit TRecordingBox(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        ++Live;
    }
    ~TRecordingBox() override { --Live; }
    static inline int Live = 0;

    TControl* Buddy = nullptr;
    TComponentState BuddyState;

    void Loaded() override
    {
        LoadedLog().push_back(Name());
        TCustomControl::Loaded();
    }
};

class TRecordingGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Loaded() override
    {
        LoadedLog().push_back(Name());
        TGraphicControl::Loaded();
    }
};

// A form built the way the program's forms are: its constructor reads its own resource.
class TControlTestForm : public TForm {
public:
    explicit TControlTestForm(TComponent* AOwner) : TForm(AOwner)
    {
        ReadComponentResourceOfClass(this, L"TControlTestForm");
    }

    TRecordingBox* Group = nullptr;
    TRecordingBox* Inner = nullptr;
    TRecordingGraphic* Marker = nullptr;
    int Created = 0;
    TObject* Clicked = nullptr;
    wchar_t LastKey = 0;

    void FormCreate(TObject* Sender) { ++Created; }
    void InnerClick(TObject* Sender) { Clicked = Sender; }
    void InnerKeyPress(TObject* Sender, wchar_t& Key)
    {
        LastKey = Key;
        Key = 0;
    }
    void Loaded() override
    {
        LoadedLog().push_back(Name());
        TForm::Loaded();
    }
};

// Fails in its last component, after windows and nested controls were made.
class TBrokenForm : public TForm {
public:
    explicit TBrokenForm(TComponent* AOwner) : TForm(AOwner)
    {
        ReadComponentFromText(this,
                              L"object BrokenForm: TBrokenForm\n"
                              L"  Caption = 'broken'\n"
                              L"  object Group: TRecordingBox\n"
                              L"    Width = 100\n"
                              L"    object Inner: TRecordingBox\n"
                              L"      Width = 10\n"
                              L"    end\n"
                              L"  end\n"
                              L"  object Other: TRecordingBox\n"
                              L"    Colour = clRed\n"
                              L"  end\n"
                              L"end\n",
                              L"Broken.form");
    }
    TRecordingBox* Group = nullptr;
};

void RegisterTestForms()
{
    RegisterPublishedClass<TRecordingBox>(L"TRecordingBox", L"TCustomControl")
        .Component<TControl>(L"Buddy", L"TControl", [](TRecordingBox* b, TControl* c) {
            b->Buddy = c;
            b->BuddyState = b->ComponentState();
        });
    RegisterPublishedClass<TRecordingGraphic>(L"TRecordingGraphic", L"TGraphicControl");
    RegisterPublishedClass<TControlTestForm>(L"TControlTestForm", L"TForm")
        .Field(L"Group", &TControlTestForm::Group)
        .Field(L"Inner", &TControlTestForm::Inner)
        .Field(L"Marker", &TControlTestForm::Marker)
        .Method(L"FormCreate", &TControlTestForm::FormCreate)
        .Method(L"InnerClick", &TControlTestForm::InnerClick)
        .Method(L"InnerKeyPress", &TControlTestForm::InnerKeyPress);
    RegisterPublishedClass<TBrokenForm>(L"TBrokenForm", L"TForm").Field(L"Group", &TBrokenForm::Group);
}

} // namespace

TEST(ControlsProperties, FormReadsItsResourceIntoLiveParentedControls)
{
    RegisterTestForms();
    LoadedLog().clear();
    std::unique_ptr<TControlTestForm> form(new TControlTestForm(nullptr));

    EXPECT_EQ(L"ControlForm", form->Name());
    EXPECT_EQ(L"Kelvane v2.0", form->Caption());
    EXPECT_EQ(367, form->ClientWidth());
    EXPECT_EQ(343, form->ClientHeight());
    EXPECT_EQ(bsSingle, form->BorderStyle());
    EXPECT_EQ((TBorderIcons{biSystemMenu, biMinimize}), form->BorderIcons());
    EXPECT_EQ(poScreenCenter, form->Position());
    EXPECT_EQ(clBtnFace, form->Color());
    EXPECT_EQ(L"Tahoma", form->Font()->Name());
    EXPECT_EQ(-11, form->Font()->Height());

    ASSERT_NE(nullptr, form->Group);
    ASSERT_NE(nullptr, form->Inner);
    ASSERT_NE(nullptr, form->Marker);
    EXPECT_EQ(3, form->ComponentCount());
    EXPECT_EQ(form->FindComponent(L"Inner"), form->Inner);
    EXPECT_EQ(form.get(), form->Inner->Owner());
    EXPECT_EQ(form.get(), form->Group->Parent());
    EXPECT_EQ(form->Group, form->Inner->Parent());
    EXPECT_EQ(form.get(), form->Marker->Parent());
    EXPECT_EQ(form->Group->Handle(), GetParent(form->Inner->Handle()));

    TRecordingBox* group = form->Group;
    EXPECT_EQ(L"轮班制", group->Caption());
    EXPECT_FALSE(group->ParentFont());
    EXPECT_EQ(L"宋体", group->Font()->Name());
    EXPECT_EQ(TFontStyles{fsBold}, group->Font()->Style());
    EXPECT_EQ(0x414141, group->Font()->Color());
    EXPECT_EQ(GB2312_CHARSET, group->Font()->Charset());
    TRecordingBox* inner = form->Inner;
    EXPECT_EQ((TAnchors{akLeft, akTop, akRight}), inner->Anchors());
    EXPECT_EQ(10, inner->Constraints()->MinWidth());
    EXPECT_EQ(crHandPoint, inner->Cursor());
    EXPECT_EQ(L"24小时轮班", inner->Hint());
    EXPECT_TRUE(inner->ShowHint());
    EXPECT_EQ(alBottom, form->Marker->Align());

    // The reference was fixed up after the whole tree was read, while still loading.
    EXPECT_EQ(form->Marker, group->Buddy);
    EXPECT_TRUE(group->BuddyState.Contains(csLoading));
    EXPECT_TRUE(group->BuddyState.Contains(csReading));

    ASSERT_TRUE(inner->OnClick);
    inner->OnClick(inner);
    EXPECT_EQ(inner, form->Clicked);
    wchar_t key = L'a';
    ASSERT_TRUE(inner->OnKeyPress);
    inner->OnKeyPress(inner, key);
    EXPECT_EQ(L'a', form->LastKey);
    EXPECT_EQ(L'\0', key);
    form->AfterConstruction();
    EXPECT_EQ(1, form->Created);

    EXPECT_EQ((std::vector<String>{L"ControlForm", L"Group", L"Inner", L"Marker"}), LoadedLog());
    for (TComponent* c : {static_cast<TComponent*>(form.get()), static_cast<TComponent*>(group),
                          static_cast<TComponent*>(inner), static_cast<TComponent*>(form->Marker)}) {
        EXPECT_FALSE(c->ComponentState().Contains(csLoading));
        EXPECT_FALSE(c->ComponentState().Contains(csReading));
    }
}

TEST(ControlsProperties, FailedFormLeavesNoControlOrFormBehind)
{
    RegisterTestForms();
    const int liveBefore = TRecordingBox::Live;
    const int formsBefore = Screen->FormCount();
    try {
        std::unique_ptr<TBrokenForm> form(new TBrokenForm(nullptr));
        ADD_FAILURE() << "a broken description was accepted";
    } catch (const EReadError& e) {
        EXPECT_STREQ("Broken.form line 10: Other.Colour: unknown property Colour of class TRecordingBox", e.what());
    }
    EXPECT_EQ(liveBefore, TRecordingBox::Live);
    EXPECT_EQ(formsBefore, Screen->FormCount());
}
