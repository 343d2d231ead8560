// The form's window procedure while skinned: the scroll-bar handler of an auto-scrolling form
// through its life, the caption cover around the system's own caption drawing, what the
// children hear on sizing and on new or moved children, the labels when the skin goes, and the
// special cases of the restore command.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/controls/Messages.h"
#include "framework/stdctrls/Label.h"
#include "skin/core/acntUtils.h"
#include "skin/subclass/acSBUtilsScrollBars.h"
#include "tests/skin/forms/FormSkinFixture.h"

using namespace formskin_test;

namespace {

LRESULT SkinCmd(TCustomForm* Form, int Sub, LPARAM L = 0)
{
    return Form->Perform(SM_LUMACMD, MakeSkinWParam(Sub), L);
}

// A shown, skinned form that scrolls its client: a vertical bar with a range beyond the page.
struct ScrollingForm {
    TRecordingForm* Form;
    TsSkinProvider* Provider;

    ScrollingForm()
    {
        Form = new TRecordingForm(nullptr);
        Form->SetPosition(poDesigned);
        Form->SetBounds(40, 40, 300, 200);
        Form->SetAutoScroll(true);
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 500, 100, 0, 0};
        SetScrollInfo(Form->Handle(), SB_VERT, &info, FALSE);
        Provider = new TsSkinProvider(Form);
        Form->Show();
        PumpPending();
    }
    ~ScrollingForm() { delete Form; }
    HWND Wnd() const { return Form->Handle(); }
};

// A windowed child that skins itself (as far as the skin commands go) and records what it hears.
class TRecordingChild : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<int> Commands;  // sub-command << 16 | low word of WParam
    std::vector<LPARAM> Params;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            Commands.push_back(SkinCmdSub(M.WParam) << 16 | SkinCmdArg(M.WParam));
            Params.push_back(M.LParam);
            if (SkinCmdSub(M.WParam) == AC_QUERYSKINNED) {
                M.Result = 1;
                return;
            }
        }
        TCustomControl::WndProc(M);
    }
    bool Heard(int Sub, LPARAM L = 0) const
    {
        for (size_t i = 0; i < Commands.size(); ++i)
            if ((Commands[i] >> 16) == Sub && Params[i] == L) return true;
        return false;
    }
};

} // namespace

TEST(FormScrollHandler, AnAutoScrollingFormGetsTheSkinsBarsAndGivesThemBackWithTheSkin)
{
    FormSkin skin;
    ScrollingForm f;
    ASSERT_NE(f.Provider->ListSW, nullptr) << "attached when the form is shown";
    EXPECT_EQ(GetWndHandler(f.Wnd()), f.Provider->ListSW);
    EXPECT_TRUE(f.Provider->ListSW->sBarVert->fScrollVisible);
    // The handler stands before the provider: skin commands still reach the provider.
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYPROVIDER), reinterpret_cast<LRESULT>(f.Provider));

    SkinCmd(f.Form, AC_SKINUNLOADED, reinterpret_cast<LPARAM>(&skin.Manager));
    EXPECT_EQ(f.Provider->ListSW, nullptr);
    EXPECT_EQ(GetWndHandler(f.Wnd()), nullptr);
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYPROVIDER), reinterpret_cast<LRESULT>(f.Provider)) << "its procedure is the provider's again";
}

TEST(FormScrollHandler, OnlyAutoScrollingFormsAndOnlyWhileTheFrameIsDrawn)
{
    FormSkin skin;
    SkinnedForm plain;
    EXPECT_EQ(plain.Provider->ListSW, nullptr);

    ScrollingForm f;
    ASSERT_NE(f.Provider->ListSW, nullptr);
    f.Provider->SetDrawNonClientArea(false);
    EXPECT_EQ(f.Provider->ListSW, nullptr);
    EXPECT_EQ(GetWndHandler(f.Wnd()), nullptr);
    f.Provider->SetDrawNonClientArea(true);
    EXPECT_NE(f.Provider->ListSW, nullptr);
    EXPECT_EQ(GetWndHandler(f.Wnd()), f.Provider->ListSW);
}

TEST(FormScrollHandler, FloatingReskinsTheFormWithAFreshHandler)
{
    FormSkin skin;
    ScrollingForm f;
    f.Form->Messages.clear();
    f.Form->Perform(CM_FLOAT, 0, 0);
    EXPECT_TRUE(f.Form->Received(CM_FLOAT));
    ASSERT_NE(f.Provider->ListSW, nullptr) << "the reskin attached a handler again";
    EXPECT_EQ(GetWndHandler(f.Wnd()), f.Provider->ListSW);
}

TEST(FormScrollHandler, DestroyingTheProviderLeavesTheFormWithItsOwnProcedure)
{
    FormSkin skin;
    ScrollingForm f;
    ASSERT_NE(f.Provider->ListSW, nullptr);
    delete f.Provider;
    EXPECT_EQ(GetWndHandler(f.Wnd()), nullptr);
    f.Form->Messages.clear();
    EXPECT_EQ(SkinCmd(f.Form, AC_QUERYPROVIDER), 0);
    EXPECT_TRUE(f.Form->Received(SM_LUMACMD)) << "the form's own procedure answers";
}

// While the system draws its own caption (text change, activation) a cover lies over the title
// band; the form's drawing is not switched off, and the cover is gone afterwards.
class TCoverWatchingForm : public TRecordingForm {
public:
    using TRecordingForm::TRecordingForm;
    TsSkinProvider* Provider = nullptr;
    UINT Watched = 0;
    bool CoverSeen = false;
    RECT CoverRect{};
    void WndProc(TMessage& M) override
    {
        if (M.Msg == Watched && Provider != nullptr && Provider->CaptForm != nullptr) {
            HWND cover = Provider->CaptForm->Handle();
            CoverSeen = IsWindowVisible(cover) != FALSE;
            GetWindowRect(cover, &CoverRect);
        }
        TRecordingForm::WndProc(M);
    }
};

TEST(CaptionCover, CoversTheTitleBandWhileTheSystemDrawsItsCaption)
{
    FormSkin skin;
    for (UINT msg : {UINT(WM_SETTEXT), UINT(WM_NCACTIVATE)}) {
        SCOPED_TRACE(msg == WM_SETTEXT ? "WM_SETTEXT" : "WM_NCACTIVATE");
        auto* form = new TCoverWatchingForm(nullptr);
        form->SetPosition(poDesigned);
        form->SetBounds(40, 40, 300, 200);
        form->Handle();
        form->Provider = new TsSkinProvider(form);
        form->Show();
        PumpPending();
        form->Watched = msg;
        form->Messages.clear();
        if (msg == WM_SETTEXT) form->SetCaption(L"A new title");
        else SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
        EXPECT_TRUE(form->CoverSeen);
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(form->CoverRect.left, r.left);
        EXPECT_EQ(form->CoverRect.top, r.top);
        EXPECT_EQ(form->CoverRect.right, r.right);
        EXPECT_EQ(form->CoverRect.bottom - form->CoverRect.top, form->Provider->HeaderHeight());
        EXPECT_FALSE(form->Received(WM_SETREDRAW)) << "the form keeps drawing";
        EXPECT_EQ(form->Provider->CaptForm, nullptr) << "the cover goes afterwards";
        delete form;
    }
}

TEST(FormChildren, SizingRefreshesTheChildrenAndAGradientTiedToTheClientRepaintsThem)
{
    FormSkin skin;
    SkinnedForm f;
    auto* child = new TRecordingChild(f.Form);
    child->SetParent(f.Form);
    child->SetBounds(10, 10, 50, 30);
    child->Handle();
    PumpPending();
    struct Case {
        const char* Name;
        const wchar_t* Gradient;  // the form section's gradient (mode 0 runs down, 1 across)
        int W, H;
        bool MovedRepaint;
    };
    const Case cases[] = {
        {"plain background", L"", 320, 200, false},
        {"vertical gradient, height changes", L"255;16711680;100;0;0", 320, 230, true},
        {"vertical gradient, width only", L"255;16711680;100;0;0", 340, 230, false},
        {"horizontal gradient, width changes", L"255;16711680;100;1;0", 300, 230, true},
        {"horizontal gradient, height only", L"255;16711680;100;1;0", 300, 260, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        skin.Manager.gd[skin.FormIndex].GradientData = c.Gradient;
        skin.Manager.gd[skin.FormIndex].GradientPercent = *c.Gradient != 0 ? 100 : 0;
        f.Provider->SkinData()->UpdateIndexes();
        ASSERT_EQ(f.Provider->SkinData()->BGType != 0, *c.Gradient != 0);
        child->Commands.clear();
        child->Params.clear();
        f.Form->SetBounds(40, 40, c.W, c.H);
        EXPECT_TRUE(child->Heard(AC_RESUMEPAINT));
        const bool moved = std::any_of(child->Commands.begin(), child->Commands.end(),
                                       [](int C) { return C == (AC_MOVEDREPAINT << 16 | 1); });
        EXPECT_EQ(moved, c.MovedRepaint);
    }
}

TEST(FormChildren, NewAndMovedChildrenReadTheirParentsStateBitsAgain)
{
    FormSkin skin;
    SkinnedForm f;
    auto* holder = new TRecordingChild(f.Form);
    holder->SetParent(f.Form);
    holder->SetBounds(10, 10, 100, 80);
    auto* inner = new TRecordingChild(f.Form);
    inner->SetParent(holder);
    inner->SetBounds(5, 5, 20, 20);
    holder->Handle();
    inner->Handle();
    PumpPending();

    // A control moved into the form: it and its children ask again.
    holder->Commands.clear(), holder->Params.clear(), inner->Commands.clear(), inner->Params.clear();
    f.Form->Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(static_cast<TControl*>(holder)), 1);
    EXPECT_TRUE(holder->Heard(AC_QUERYSTATEBITS, 1));
    EXPECT_TRUE(inner->Heard(AC_QUERYSTATEBITS, 1));

    // A window created on the form: every direct child asks again.
    holder->Commands.clear(), holder->Params.clear(), inner->Commands.clear(), inner->Params.clear();
    f.Form->Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), 0);
    EXPECT_TRUE(holder->Heard(AC_QUERYSTATEBITS, 1));
    EXPECT_FALSE(inner->Heard(AC_QUERYSTATEBITS, 1)) << "only the form's own children";

    // Other notifications change nothing.
    holder->Commands.clear(), holder->Params.clear();
    f.Form->Perform(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), 0);
    EXPECT_FALSE(holder->Heard(AC_QUERYSTATEBITS, 1));
}

TEST(FormSkinRemoval, LabelsTakeTheWindowTextColourBack)
{
    FormSkin skin;
    SkinnedForm f;
    auto* transparent = new TLabel(f.Form);
    transparent->SetParent(f.Form);
    transparent->SetTransparent(true);
    transparent->Font()->SetColor(0x000000FF);
    auto* opaque = new TLabel(f.Form);
    opaque->SetParent(f.Form);
    opaque->SetTransparent(false);
    opaque->Font()->SetColor(0x0000FF00);

    SkinCmd(f.Form, AC_SKINUNLOADED, reinterpret_cast<LPARAM>(&skin.Manager));
    EXPECT_EQ(transparent->Font()->Color(), clWindowText);
    EXPECT_EQ(opaque->Font()->Color(), clWindowText);
    EXPECT_TRUE(transparent->Transparent());
    EXPECT_TRUE(opaque->ControlStyle().Contains(csOpaque));
}

// Records whether the system's window animation was on when a restore reached the form.
class TRestoreWatchingForm : public TRecordingForm {
public:
    using TRecordingForm::TRecordingForm;
    int AnimationAtRestore = -1;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == WM_SYSCOMMAND && (M.WParam & 0xFFF0) == SC_RESTORE) AnimationAtRestore = WindowAnimationOn() ? 1 : 0;
        TRecordingForm::WndProc(M);
    }
};

TEST(FormSystemCommands, RestoreOfAFormThatIsNotTheMainOneRunsWithoutTheSystemAnimation)
{
    FormSkin skin;
    auto* form = new TRestoreWatchingForm(nullptr);
    form->SetPosition(poDesigned);
    form->SetBounds(40, 40, 300, 200);
    form->Handle();
    auto* provider = new TsSkinProvider(form);
    form->Show();
    PumpPending();
    ASSERT_FALSE(provider->IsMainForm());
    const bool animationBefore = WindowAnimationOn();

    for (unsigned state : {0x200u, 0u}) {
        SCOPED_TRACE(state != 0 ? "hidden with its picture taken" : "plain");
        provider->FormState |= state;
        provider->SkinData()->BGChanged = false;
        form->AnimationAtRestore = -1;
        form->Commands.clear();
        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_EQ(form->Commands, std::vector<WPARAM>{SC_RESTORE});
        EXPECT_EQ(form->AnimationAtRestore, 0) << "the system's animation is off while the form restores";
        EXPECT_EQ(WindowAnimationOn(), animationBefore) << "and comes back as it was";
        EXPECT_EQ(provider->FormState & 0x200, 0u);
        EXPECT_FALSE(provider->SkinData()->BGChanged) << "nothing more than the restore itself";
    }

    delete form;
}
