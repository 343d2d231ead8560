// The provider as a component: taking over and giving back the form's window procedure, run-time
// providers, and the skin commands its window procedure answers.
#include <gtest/gtest.h>

#include "skin/controls/sFading.h"
#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

namespace {

LRESULT SkinCmd(TCustomForm* Form, int Sub, LPARAM L = 0)
{
    return Form->Perform(SM_LUMACMD, MakeSkinWParam(Sub), L);
}

} // namespace

TEST(SkinProvider, OnlyFormsCanOwnOne)
{
    FormSkin skin;
    TComponent owner(nullptr);
    try {
        TsSkinProvider provider(&owner);
        FAIL() << "made without a form";
    } catch (EAbort& e) {
        EXPECT_EQ(e.Message(), L"TsSkinProvider component may be used with forms only!");
    }
}

TEST(SkinProvider, AnswersForItsFormInEveryState)
{
    FormSkin skin;
    SkinnedForm f;
    EXPECT_EQ(FindFormProvider(f.Form), f.Provider);
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYSKINNED), 1);
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYCLIENTOFFSET), MAKELONG(f.Provider->OffsetX(), f.Provider->OffsetY()));
    // Unskinned: the skinned answer stays, other commands reach the form.
    f.Provider->SkinData()->SetSkinSection(L"NOSUCHSECTION");
    ASSERT_FALSE(f.Provider->Skinned());
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYSKINNED), 1);
    f.Form->Messages.clear();
    SkinCmd(f.Form, AC_MARKDIRTY);
    EXPECT_TRUE(f.Form->Received(SM_LUMACMD)) << "passed on while unskinned";
    f.Provider->SkinData()->SetSkinSection(L"FORM");
    f.Form->Messages.clear();
    SkinCmd(f.Form, AC_MARKDIRTY);
    EXPECT_FALSE(f.Form->Received(SM_LUMACMD)) << "swallowed while skinned";
}

TEST(SkinProvider, MessagesASkinnedFormNeverPassesOn)
{
    FormSkin skin;
    SkinnedForm f;
    f.Form->Messages.clear();
    for (UINT msg : {UINT(WM_PRINTCLIENT), UINT(WM_ENTERIDLE), UINT(CM_CONTROLLISTCHANGING), UINT(0xBC4D)})
        f.Send(msg, 0, 0);
    EXPECT_TRUE(f.Form->Messages.empty());
}

// A control in the middle of a fade; it frees its timer when told that fading ends.
class TFadingControl : public TCustomControl {
public:
    explicit TFadingControl(TComponent* AOwner) : TCustomControl(AOwner), Data(this, true)
    {
        Timer = new TsFadeTimer(this);
        Timer->SetOwnerData(&Data);
        Timer->SetDirection(fdUp);
    }
    TsCommonData Data;
    TsFadeTimer* Timer = nullptr;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD && SkinCmdSub(M.WParam) == AC_ENDFADE) {
            delete Timer;
            Timer = nullptr;
            return;
        }
        TCustomControl::WndProc(M);
    }
};

TEST(SkinProvider, EndOfSessionStopsEveryFadeBeforeTheFormAnswers)
{
    FormSkin skin;
    SkinnedForm f;
    auto* control = new TFadingControl(f.Form);
    control->SetParent(f.Form);
    ASSERT_GT(LiveFadeTimerCount(), 0);
    f.Form->Messages.clear();
    f.Send(WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(LiveFadeTimerCount(), 0);
    EXPECT_EQ(control->Timer, nullptr);
    EXPECT_TRUE(AppShuttingDown) << "no fade starts after that";
    EXPECT_TRUE(f.Form->Received(WM_QUERYENDSESSION)) << "the form still answers";
    AppShuttingDown = false;
}

TEST(SkinProvider, SetRedrawNeverCountsBelowZero)
{
    FormSkin skin;
    SkinnedForm f;
    f.Send(WM_SETREDRAW, 1, 0);
    f.Send(WM_SETREDRAW, 1, 0);
    EXPECT_EQ(f.Provider->LockCount, 0);
    f.Send(WM_SETREDRAW, 0, 0);
    EXPECT_EQ(f.Provider->LockCount, 1);
    f.Send(WM_SETREDRAW, 1, 0);
    EXPECT_EQ(f.Provider->LockCount, 0);
}

TEST(SkinProvider, BackgroundQueryAnswersThePlainClientColourAtTheClientOffset)
{
    FormSkin skin;
    SkinnedForm f;
    TBackgroundQuery query;
    SkinCmd(f.Form, AC_QUERYBGINFO, reinterpret_cast<LPARAM>(&query));
    ASSERT_EQ(query.Kind, bgkColor);
    EXPECT_EQ(query.Color, FormHotColor) << "the active state's colour";
    EXPECT_EQ(query.OffsetX, f.Provider->OffsetX());
    EXPECT_EQ(query.OffsetY, f.Provider->OffsetY());
}

TEST(SkinProvider, DestroyingGivesTheWindowProcedureBackOnlyWhenStillItsOwn)
{
    FormSkin skin;
    TRecordingForm form(nullptr);
    form.Handle();
    auto* provider = new TsSkinProvider(&form);
    delete provider;
    form.Messages.clear();
    form.Perform(WM_NULL, 0, 0);
    EXPECT_TRUE(form.Received(WM_NULL)) << "the form's own procedure again";
    EXPECT_EQ(FindFormProvider(&form), nullptr);

    // Someone subclassed the form after the provider: that subclass stays in place.
    provider = new TsSkinProvider(&form);
    TWndMethod underneath = form.WindowProc;
    int seen = 0;
    form.WindowProc = [&](TMessage& M) {
        ++seen;
        underneath(M);
    };
    delete provider;
    form.Perform(WM_NULL, 0, 0);
    EXPECT_EQ(seen, 1);
    form.WindowProc = [&form](TMessage& M) { form.WndProc(M); };
}

TEST(SkinProvider, RunTimeProviderWaitsForTheFirstNonClientMessage)
{
    FormSkin skin;
    TRecordingForm form(nullptr);
    form.SetPosition(poDesigned);
    form.SetBounds(10, 10, 200, 150);
    form.Handle();
    TsSkinProvider* provider = TsSkinProvider::CreateRT(&form, false);
    EXPECT_TRUE(provider->RTInit);
    EXPECT_EQ(provider->SystemMenu, nullptr) << "not prepared yet";
    form.Perform(WM_NCHITTEST, 0, MAKELPARAM(0, 0));
    EXPECT_FALSE(provider->RTInit);
    EXPECT_NE(provider->SystemMenu, nullptr);
}

TEST(SkinProvider, SecondProviderReplacesARunTimeOneOrKeepsOutOfADesignedOne)
{
    FormSkin skin;
    {
        TRecordingForm form(nullptr);
        form.Handle();
        TsSkinProvider::CreateRT(&form);
        TsSkinProvider* second = TsSkinProvider::CreateRT(&form);
        EXPECT_EQ(FindFormProvider(&form), second);
        EXPECT_FALSE(second->RTEmpty);
        int providers = 0;
        for (int i = 0; i < form.ComponentCount(); ++i) providers += dynamic_cast<TsSkinProvider*>(form.Components(i)) != nullptr;
        EXPECT_EQ(providers, 1) << "the first run-time provider was freed";
    }
    {
        TRecordingForm form(nullptr);
        form.Handle();
        auto* designed = new TsSkinProvider(&form);
        TsSkinProvider* runTime = TsSkinProvider::CreateRT(&form);
        EXPECT_TRUE(runTime->RTEmpty);
        EXPECT_EQ(FindFormProvider(&form), designed);
        delete runTime;
        EXPECT_EQ(FindFormProvider(&form), designed) << "an inert provider leaves the procedure alone";
    }
}

TEST(SkinProvider, SizeToolWindowLosesBlendOnMovingAndTakesTheGlobalColour)
{
    FormSkin skin;
    TRecordingForm form(nullptr);
    form.SetBorderStyle(bsSizeToolWin);
    form.Handle();
    auto* provider = new TsSkinProvider(&form);
    provider->SetUseGlobalColor(false);
    provider->LoadInit();
    EXPECT_FALSE(provider->AllowBlendOnMoving());
    EXPECT_TRUE(provider->UseGlobalColor());
    EXPECT_EQ(form.Color(), skin.Manager.GetGlobalColor());
}

TEST(SkinProvider, EmptyTitleSkinIsTheFormTitleSection)
{
    FormSkin skin;
    SkinnedForm f;
    EXPECT_EQ(f.Provider->TitleSkinSection(), L"FORMTITLE");
    EXPECT_EQ(f.Provider->TitleSkinIndex(), skin.TitleIndex);
    f.Provider->SetTitleSkin(L"MDIAREA");
    EXPECT_EQ(f.Provider->TitleSkinIndex(), skin.TitleIndex + 1);
}

TEST(SystemMenuRules, VisibleAndEnabledEntriesByStyleAndState)
{
    FormSkin skin;
    struct Case {
        TFormBorderStyle Style;
        bool Max, Min, Restore;
    };
    for (Case c : {Case{bsSizeable, true, true, true}, Case{bsSingle, true, true, true}, Case{bsDialog, false, false, false},
                   Case{bsToolWindow, false, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.Style));
        SkinnedForm f(c.Style);
        TsSystemMenu* menu = f.Provider->SystemMenu.get();
        EXPECT_TRUE(menu->VisibleClose());
        EXPECT_EQ(menu->VisibleMax(), c.Max);
        EXPECT_EQ(menu->VisibleMin(), c.Min);
        EXPECT_EQ(menu->VisibleRestore(), c.Restore);
        EXPECT_EQ(menu->EnabledSize(), c.Style != bsSingle);
        EXPECT_FALSE(menu->EnabledRestore()) << "a form in its normal state";
    }
}

TEST(SystemMenuRules, SkinnedFrameTakesTheSystemMenuStyleAndGivesItBack)
{
    FormSkin skin;
    SkinnedForm f;
    HWND wnd = f.Form->Handle();
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0) << "the system draws no buttons into the skinned title";
    EXPECT_TRUE(f.Provider->HaveSysMenu);
    f.Provider->SetDrawNonClientArea(false);
    EXPECT_NE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
}
