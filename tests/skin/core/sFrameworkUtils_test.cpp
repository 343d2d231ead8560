// The skin command senders and broadcasts on real windows and controls, and the control
// procedures: painting windowless children through an offscreen copy, aligned sizes, caption
// flags, readiness and the window geometry helpers.
#include <gtest/gtest.h>

#include <vector>

#include "framework/comctrls/ToolBar.h"
#include "framework/controls/Forms.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "support/PixelBuffer.h"

namespace {

// A windowed control that answers AC_QUERYSKINNED with Answer and records every other skin
// command (and the messages a test asks for) it receives.
class TAnsweringControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    LRESULT Answer = 0;
    std::vector<int> Subs;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            if (SkinCmdSub(M.WParam) == AC_QUERYSKINNED) {
                M.Result = Answer;
                return;
            }
            Subs.push_back(SkinCmdSub(M.WParam));
            return;
        }
        TCustomControl::WndProc(M);
    }
};

// A windowless control that records the skin commands it gets and paints itself in one colour
// (or not at all with Ink clNone).
class TRecordingGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<int> Subs;
    TColor Ink = 0x00336699;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            Subs.push_back(SkinCmdSub(M.WParam));
            return;
        }
        TGraphicControl::WndProc(M);
    }
    void Paint() override
    {
        if (Ink == clNone) return;
        Canvas()->Brush()->SetColor(Ink);
        Canvas()->FillRect(TRect{0, 0, Width(), Height()});
    }
};

// A parent that describes its background as one plain colour.
class TColourParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor Background = 0x00FF00FF;
    std::vector<int> Subs;
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            Subs.push_back(SkinCmdSub(M.WParam));
            if (SkinCmdSub(M.WParam) == AC_QUERYBGINFO) {
                auto* q = reinterpret_cast<TBackgroundQuery*>(M.LParam);
                q->Kind = bgkColor;
                q->Color = Background;
            }
            return;
        }
        TCustomControl::WndProc(M);
    }
};

struct FormFixture : ::testing::Test {
    TForm* Form = TForm::CreateNew(nullptr);
    FormFixture() { Form->SetBounds(0, 0, 300, 200); }
    ~FormFixture() override { delete Form; }

    template <class T>
    T* Add(TWinControl* Parent, TRect Bounds)
    {
        auto* c = new T(Form);
        c->SetParent(Parent);
        c->SetBoundsRect(Bounds);
        return c;
    }
};

} // namespace

using SkinSenders = FormFixture;

TEST_F(SkinSenders, AControlWithoutWindowGetsNothingAndNoWindowIsMade)
{
    auto* windowed = new TAnsweringControl(Form);
    windowed->SetParent(Form);
    auto* graphic = Add<TRecordingGraphic>(Form, {0, 0, 10, 10});

    EXPECT_EQ(ControlSkinCmd(windowed, AC_MARKDIRTY, 0), 0);
    EXPECT_FALSE(windowed->HandleAllocated());
    EXPECT_TRUE(windowed->Subs.empty());

    ControlSkinCmd(graphic, AC_MARKDIRTY, 0);  // by Perform
    EXPECT_EQ(graphic->Subs, std::vector<int>{AC_MARKDIRTY});

    windowed->HandleNeeded();
    windowed->Answer = 1;
    EXPECT_EQ(QueryControlSkinCmd(windowed, AC_QUERYSKINNED), 1);
    EXPECT_EQ(ControlSkinCmd(nullptr, AC_QUERYSKINNED, 0), 0);
}

TEST_F(SkinSenders, OnlyAnAnswerOfExactlyOneCountsAsYes)
{
    auto* c = Add<TAnsweringControl>(Form, {0, 0, 10, 10});
    for (LRESULT answer : {0, 1, 2}) {
        c->Answer = answer;
        EXPECT_EQ(WndAnswersSkinCmd(c->Handle(), AC_QUERYSKINNED), answer == 1) << answer;
    }
}

TEST_F(SkinSenders, ABroadcastReachesSkinnedWindowsAndGoesThroughPlainOnes)
{
    // Form: graphic, skinned (answers 2), plain panel { graphic, skinned }.
    auto* topGraphic = Add<TRecordingGraphic>(Form, {0, 0, 5, 5});
    auto* skinned = Add<TAnsweringControl>(Form, {10, 0, 20, 10});
    skinned->Answer = 2;
    auto* plain = Add<TAnsweringControl>(Form, {30, 0, 100, 100});
    auto* innerGraphic = Add<TRecordingGraphic>(plain, {0, 0, 5, 5});
    auto* innerSkinned = Add<TAnsweringControl>(plain, {10, 0, 20, 10});
    innerSkinned->Answer = 1;
    Form->HandleNeeded();
    skinned->HandleNeeded();
    plain->HandleNeeded();
    innerSkinned->HandleNeeded();

    TMessage m{SM_LUMACMD, MakeSkinWParam(AC_MARKDIRTY), 0, 0};
    BroadcastToControls(Form, m);
    EXPECT_EQ(topGraphic->Subs, std::vector<int>{AC_MARKDIRTY});
    EXPECT_EQ(skinned->Subs, std::vector<int>{AC_MARKDIRTY});
    EXPECT_TRUE(plain->Subs.empty());
    EXPECT_EQ(innerGraphic->Subs, std::vector<int>{AC_MARKDIRTY});
    EXPECT_EQ(innerSkinned->Subs, std::vector<int>{AC_MARKDIRTY});

    // A skip test keeps the walk out of the plain window's children.
    BroadcastSkipTest = [plain](TControl* c) { return c == plain; };
    BroadcastToControls(Form, m);
    BroadcastSkipTest = nullptr;
    EXPECT_EQ(innerSkinned->Subs.size(), 1u);
    EXPECT_EQ(skinned->Subs.size(), 2u);
}

TEST_F(SkinSenders, ChildWindowsOfAWindowGetTheMessageButNotTheirOwnChildren)
{
    auto* child = Add<TAnsweringControl>(Form, {0, 0, 50, 50});
    auto* grandChild = Add<TAnsweringControl>(child, {0, 0, 10, 10});
    grandChild->HandleNeeded();
    BroadcastToChildWnds(Form->Handle(), TMessage{SM_LUMACMD, MakeSkinWParam(AC_MARKDIRTY), 0, 0});
    EXPECT_EQ(child->Subs, std::vector<int>{AC_MARKDIRTY});
    EXPECT_TRUE(grandChild->Subs.empty());

    RefreshChildWindows(Form->Handle());
    EXPECT_EQ(child->Subs.back(), AC_RESUMEPAINT);
}

TEST_F(SkinSenders, ResumingPaintSkipsGraphicAndHiddenChildrenAndWaitsForAnimations)
{
    auto* shown = Add<TAnsweringControl>(Form, {0, 0, 10, 10});
    auto* hidden = Add<TAnsweringControl>(Form, {0, 20, 10, 30});
    hidden->SetVisible(false);
    auto* graphic = Add<TRecordingGraphic>(Form, {20, 0, 30, 10});
    Form->Show();

    AnimationInProgress = true;
    RefreshChildControls(Form);
    AnimationInProgress = false;
    EXPECT_TRUE(shown->Subs.empty());

    RefreshChildControls(Form);
    EXPECT_EQ(shown->Subs, std::vector<int>{AC_RESUMEPAINT});
    EXPECT_TRUE(hidden->Subs.empty());
    EXPECT_TRUE(graphic->Subs.empty());
    Form->Hide();
}

TEST_F(SkinSenders, TheTopFormHearsOfANewChildUnlessItIsLoading)
{
    std::vector<LPARAM> added;
    TWndMethod old = Form->WindowProc;
    Form->WindowProc = [&](TMessage& M) {
        if (M.Msg == SM_LUMACMD && SkinCmdSub(M.WParam) == AC_CHILDADDED) added.push_back(M.LParam);
        old(M);
    };
    auto* panel = Add<TAnsweringControl>(Form, {0, 0, 50, 50});
    auto* inner = Add<TAnsweringControl>(panel, {0, 0, 10, 10});
    NotifyParentForm(inner);
    EXPECT_EQ(added, std::vector<LPARAM>{reinterpret_cast<LPARAM>(inner)});

    TRecordingGraphic orphan(nullptr);
    NotifyParentForm(&orphan);  // no form: nothing, no failure
    EXPECT_EQ(added.size(), 1u);
    Form->WindowProc = old;
}

TEST_F(SkinSenders, ColourAnswersFallBackToTheControlsColourAndNoneIsKeyColour)
{
    auto* plain = Add<TAnsweringControl>(Form, {0, 0, 10, 10});
    plain->SetColor(0x00123456);
    plain->HandleNeeded();
    EXPECT_EQ(ControlBackColor(plain), TColor(0x00123456));
    EXPECT_EQ(ControlBackColor(nullptr), NoSkinColor);
    EXPECT_EQ(WndBackColor(nullptr), NoSkinColor);
}

TEST(ControlUtilities, AlignedChildrenAddUpAlongTheirAlignment)
{
    TForm* form = TForm::CreateNew(nullptr);
    form->SetBounds(0, 0, 300, 300);
    auto add = [&](TControl* c, TAlign a, int size) {
        c->SetParent(form);
        c->SetBounds(0, 0, size, size);
        c->SetAlign(a);
    };
    add(new TAnsweringControl(form), alTop, 20);
    add(new TAnsweringControl(form), alTop, 15);
    add(new TRecordingGraphic(form), alTop, 7);
    add(new TAnsweringControl(form), alLeft, 30);
    add(new TAnsweringControl(form), alClient, 50);
    auto* hidden = new TAnsweringControl(form);
    add(hidden, alTop, 100);
    hidden->SetVisible(false);

    EXPECT_EQ(AlignedChildrenSize(form, alTop, false), 35);
    EXPECT_EQ(AlignedChildrenSize(form, alTop, true), 42);
    EXPECT_EQ(AlignedChildrenSize(form, alLeft, false), 30);
    EXPECT_EQ(AlignedChildrenSize(form, alClient, true), 0);
    EXPECT_EQ(AlignedChildrenSize(form, alNone, true), 0);
    delete form;
}

TEST(ControlUtilities, CaptionFlagsFollowAlignmentAndReadingDirection)
{
    TRecordingGraphic left(nullptr), rtl(nullptr);
    rtl.SetBiDiMode(bdRightToLeft);
    struct Case {
        TControl* Control;
        TAlignment Alignment;
        UINT Flags;
    } cases[] = {
        {&left, taLeftJustify, DT_LEFT | DT_EXPANDTABS | DT_VCENTER},
        {&left, taRightJustify, DT_RIGHT | DT_EXPANDTABS | DT_VCENTER},
        {&left, taCenter, DT_CENTER | DT_EXPANDTABS | DT_VCENTER},
        {&rtl, taLeftJustify, DT_RIGHT | DT_EXPANDTABS | DT_VCENTER | DT_RTLREADING},
        {&rtl, taRightJustify, DT_LEFT | DT_EXPANDTABS | DT_VCENTER | DT_RTLREADING},
        {&rtl, taCenter, DT_CENTER | DT_EXPANDTABS | DT_VCENTER | DT_RTLREADING},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlTextFlags(c.Control, c.Alignment), c.Flags) << int(c.Alignment) << (c.Control == &rtl);
}

TEST_F(SkinSenders, ReadinessNeedsAWindowAParentAndNoLoading)
{
    auto* c = Add<TAnsweringControl>(Form, {0, 0, 10, 10});
    EXPECT_FALSE(ControlIsReady(c));  // no window yet
    c->HandleNeeded();
    EXPECT_TRUE(ControlIsReady(c));
    c->SetControlState(TControlState{csCreating});
    EXPECT_FALSE(ControlIsReady(c));
    c->SetControlState(TControlState{});
    TRecordingGraphic orphan(nullptr);
    EXPECT_FALSE(ControlIsReady(&orphan));
    EXPECT_FALSE(ControlIsReady(nullptr));
    EXPECT_EQ(FindOwnerForm(c), Form);
    EXPECT_EQ(FindOwnerForm(&orphan), nullptr);
}

TEST_F(SkinSenders, WindowGeometryHelpers)
{
    auto* panel = Add<TAnsweringControl>(Form, {10, 10, 110, 110});
    auto* inner = Add<TAnsweringControl>(panel, {5, 5, 25, 25});
    inner->HandleNeeded();
    EXPECT_EQ(TopParentWindow(inner->Handle()), Form->Handle());
    EXPECT_EQ(TopParentWindow(Form->Handle()), Form->Handle());

    RECT window{}, client{};
    GetWindowRect(Form->Handle(), &window);
    GetClientRect(Form->Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(Form->Handle(), &origin);
    const TRect r = ClientRectInWindow(Form->Handle());
    EXPECT_EQ(r.left, origin.x - window.left);
    EXPECT_EQ(r.top, origin.y - window.top);
    EXPECT_EQ(r.right - r.left, client.right);
}

// ---- Windowless children through the offscreen copy ----

namespace {

struct GraphicChildren : FormFixture {
    TColourParent* Parent = Add<TColourParent>(Form, {0, 0, 100, 60});
    kvltest::TPixelBuffer Target{100, 60, false};  // black

    GraphicChildren() { Parent->HandleNeeded(); }
    COLORREF At(int X, int Y) { return Target.At(X, Y); }
};

} // namespace

TEST_F(GraphicChildren, PaintedChildrenAreCopiedAtTheOffsetAndKeyColouredOnesAreNot)
{
    Add<TRecordingGraphic>(Parent, {10, 10, 20, 20});
    auto* blank = Add<TRecordingGraphic>(Parent, {40, 10, 50, 20});
    blank->Ink = clNone;  // leaves the key-coloured background as it is
    DrawGraphicChildren(Target.DC(), Parent, TPoint{5, 0}, true);

    EXPECT_EQ(At(15, 10), 0x00336699u);
    EXPECT_EQ(At(24, 19), 0x00336699u);
    EXPECT_EQ(At(14, 10), 0x000000u);   // left of the moved child
    EXPECT_EQ(At(45, 15), 0x000000u);   // the blank child was not copied
}

TEST_F(GraphicChildren, AnEmptyClipMarksTheParentHalfShownAndPaintsNothing)
{
    Add<TRecordingGraphic>(Parent, {10, 10, 20, 20});
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    SelectClipRgn(Target.DC(), empty);
    DrawGraphicChildren(Target.DC(), Parent, TPoint{0, 0}, true);
    SelectClipRgn(Target.DC(), nullptr);
    DeleteObject(empty);
    EXPECT_EQ(Parent->Subs, std::vector<int>{AC_MARKHALFSHOWN});
    EXPECT_EQ(At(15, 15), 0x000000u);
}

TEST_F(GraphicChildren, ToolButtonsThatAreButtonsAreLeftToTheirBar)
{
    auto addButton = [&](TToolButtonStyle Style, int X) {
        auto* b = new TToolButton(Form);
        b->SetStyle(Style);
        b->SetParent(Parent);
        b->SetBounds(X, 10, 10, 10);
        return b;
    };
    addButton(tbsSeparator, 10);
    addButton(tbsButton, 40);
    Parent->Background = 0x00112233;
    DrawGraphicChildren(Target.DC(), Parent, TPoint{0, 0}, true);
    EXPECT_NE(At(15, 15), 0x000000u);  // the separator's place was painted
    EXPECT_EQ(At(45, 15), 0x000000u);  // the button's was not
}
