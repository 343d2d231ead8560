// The window hook: which forms it skins when they are first activated.
#include <gtest/gtest.h>

#include "skin/forms/acDials.h"
#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

// Form classes the rules name, outside any namespace so that their class names are exact.
class TfcPopup : public TForm {
public:
    using TForm::TForm;
};
class Tfcpopup : public TForm {
public:
    using TForm::TForm;
};
class TMessageForm : public TForm {
public:
    using TForm::TForm;
};

namespace {

// The hook installed for the test's thread, as the default manager installs it.
struct InstalledHook {
    HHOOK Hook = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
    InstalledHook() { CreateProviderList(); }
    ~InstalledHook()
    {
        UnhookWindowsHookEx(Hook);
        FreeProviderList();
    }
};

template <class F = TForm>
std::unique_ptr<F> ShownForm(intptr_t Tag = 0)
{
    auto form = std::make_unique<F>(nullptr);
    form->SetTag(Tag);
    form->SetPosition(poDesigned);
    form->SetBounds(30, 30, 240, 160);
    form->Show();
    PumpPending();
    return form;
}

int ListedProviders()
{
    int n = 0;
    if (ProviderList() != nullptr)
        for (TacProvider* p : *ProviderList()) n += p != nullptr;
    return n;
}

} // namespace

TEST(WindowHook, FirstActivationGivesTheFormARunTimeProviderAndTheSecondNothing)
{
    FormSkin skin;
    InstalledHook hook;
    auto form = ShownForm();
    TsSkinProvider* provider = FindFormProvider(form.get());
    ASSERT_NE(provider, nullptr);
    EXPECT_FALSE(provider->UseGlobalColor()) << "a run-time provider keeps the form's colour";
    EXPECT_FALSE(provider->MakeSkinMenu());
    EXPECT_EQ(ListedProviders(), 1);
    auto other = ShownForm();
    SetActiveWindow(form->Handle());
    PumpPending();
    EXPECT_EQ(FindFormProvider(form.get()), provider);
    EXPECT_EQ(ListedProviders(), 2);
    EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_SYSMENU, 0) << "its frame is the skin's now";
}

TEST(WindowHook, TagsWithEveryBitOfTheNoSkinTagAreLeftAlone)
{
    FormSkin skin;
    InstalledHook hook;
    struct Case {
        intptr_t Tag;
        bool Skinned;
    };
    for (Case c : {Case{-98, false}, Case{-1, false}, Case{-34, false}, Case{-99, true}, Case{0, true}, Case{98, true}}) {
        SCOPED_TRACE(c.Tag);
        auto form = ShownForm(c.Tag);
        EXPECT_EQ(FindFormProvider(form.get()) != nullptr, c.Skinned);
    }
}

TEST(WindowHook, SkipListComparesClassNamesExactly)
{
    FormSkin skin;
    InstalledHook hook;
    EXPECT_EQ(FindFormProvider(ShownForm<TfcPopup>().get()), nullptr);
    EXPECT_NE(FindFormProvider(ShownForm<Tfcpopup>().get()), nullptr);
}

TEST(WindowHook, SkinningRulesChooseBetweenFormsAndMessageForms)
{
    FormSkin skin;
    InstalledHook hook;
    skin.Manager.SetSkinningRules(TacSkinningRules{srStdDialogs});
    EXPECT_EQ(FindFormProvider(ShownForm().get()), nullptr);
    EXPECT_NE(FindFormProvider(ShownForm<TMessageForm>().get()), nullptr);
    skin.Manager.SetSkinningRules(TacSkinningRules{srStdForms});
    EXPECT_NE(FindFormProvider(ShownForm().get()), nullptr);
    EXPECT_EQ(FindFormProvider(ShownForm<TMessageForm>().get()), nullptr);
}

TEST(WindowHook, InertWhileTheApplicationIsBeingDestroyed)
{
    FormSkin skin;
    InstalledHook hook;
    Application->Destroying();
    auto form = ShownForm();
    EXPECT_EQ(FindFormProvider(form.get()), nullptr);
    EXPECT_FALSE(AttachDialogProvider(form->Handle()));
}

TEST(WindowHook, PopupWithoutBorderIsNeverAttached)
{
    FormSkin skin;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->Handle();
    ASSERT_NE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_POPUP, 0);
    EXPECT_FALSE(AttachDialogProvider(form->Handle()));
    auto framed = std::make_unique<TForm>(nullptr);
    framed->Handle();
    EXPECT_TRUE(AttachDialogProvider(framed->Handle()));
    EXPECT_FALSE(AttachDialogProvider(framed->Handle())) << "a skinned window is never attached twice";
}

TEST(WindowHook, FreeingTheFormUnlistsItsProvider)
{
    FormSkin skin;
    InstalledHook hook;
    auto form = ShownForm();
    ASSERT_EQ(ListedProviders(), 1);
    form.reset();
    EXPECT_EQ(ListedProviders(), 0);
    EXPECT_EQ(ProviderList()->size(), 1u) << "slots stay while the hook is installed";
}
