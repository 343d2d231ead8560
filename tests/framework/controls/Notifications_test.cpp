// The CM_ notifications: each property setter that changes its value tells the control itself,
// a windowed control passes the parent-side ones on to its children, and a system colour change
// reaches every control on the form.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Notifications : public FormTest {};

struct TNotificationCase {
    const char* Name;
    UINT Expected;
    std::function<void(TFocusBox*)> Change;
};

TEST_F(Notifications, SetterThatChangesItsValueNotifiesTheControl)
{
    const std::vector<TNotificationCase> cases = {
        {"Visible", CM_VISIBLECHANGED, [](TFocusBox* c) { c->SetVisible(false); }},
        {"Enabled", CM_ENABLEDCHANGED, [](TFocusBox* c) { c->SetEnabled(false); }},
        {"Color", CM_COLORCHANGED, [](TFocusBox* c) { c->SetColor(clRed); }},
        {"Font", CM_FONTCHANGED, [](TFocusBox* c) { c->Font()->SetSize(14); }},
        {"Cursor", CM_CURSORCHANGED, [](TFocusBox* c) { c->SetCursor(crHandPoint); }},
        {"Ctl3D", CM_CTL3DCHANGED, [](TFocusBox* c) { c->SetCtl3D(false); }},
        {"Text", CM_TEXTCHANGED, [](TFocusBox* c) { c->SetText(L"changed"); }},
        {"ShowHint", CM_SHOWHINTCHANGED, [](TFocusBox* c) { c->SetShowHint(true); }},
        {"BiDiMode", CM_BIDIMODECHANGED, [](TFocusBox* c) { c->SetBiDiMode(bdRightToLeftReadingOnly); }},
        {"TabStop", CM_TABSTOPCHANGED, [](TFocusBox* c) { c->SetTabStop(false); }},
        {"BorderWidth", CM_BORDERCHANGED, [](TFocusBox* c) { c->SetBorderWidth(2); }},
        {"BevelKind", CM_BORDERCHANGED, [](TFocusBox* c) { c->SetBevelKind(bkFlat); }},
        {"ParentColor", CM_PARENTCOLORCHANGED, [](TFocusBox* c) { c->SetParentColor(false); }},
        {"ParentFont", CM_PARENTFONTCHANGED, [](TFocusBox* c) { c->SetParentFont(false); }},
        {"ParentShowHint", CM_PARENTSHOWHINTCHANGED, [](TFocusBox* c) { c->SetParentShowHint(false); }},
        {"ParentCtl3D", CM_PARENTCTL3DCHANGED, [](TFocusBox* c) { c->SetParentCtl3D(false); }},
        {"ParentBiDiMode", CM_PARENTBIDIMODECHANGED, [](TFocusBox* c) { c->SetParentBiDiMode(false); }},
    };
    std::set<UINT> watched;
    for (const auto& c : cases) watched.insert(c.Expected);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* control = Add<TFocusBox>(Form, 0, 0, 40, 20);
        control->HandleNeeded();
        TMessageSequence seq;
        seq.Only = watched;
        {
            TWindowProcRecorder rec(seq, control);
            c.Change(control);
            EXPECT_TRUE(seq.Matches({{c.Expected}}));
            // The same value again changes nothing and says nothing.
            seq.Clear();
            c.Change(control);
            EXPECT_TRUE(seq.Matches({}));
        }
        delete control;
    }
}

TEST_F(Notifications, ParentChangesReachChildrenThatFollowTheParent)
{
    auto* box = Add<TBox>(Form, 0, 0, 200, 100);
    box->SetParentColor(true);
    auto* follower = Add<TSolidGraphic>(box, 0, 0, 10, 10);
    auto* own = Add<TSolidGraphic>(box, 20, 0, 10, 10);
    own->SetColor(clLime);
    auto* nested = Add<TFocusBox>(box, 40, 0, 40, 20);

    Form->SetColor(clYellow);
    EXPECT_EQ(box->Color(), clYellow);
    EXPECT_EQ(follower->Color(), clYellow);
    EXPECT_EQ(nested->Color(), clYellow);
    EXPECT_EQ(own->Color(), clLime);
    EXPECT_TRUE(follower->ParentColor());
    EXPECT_FALSE(own->ParentColor());

    Form->Font()->SetName(L"Courier New");
    Form->Font()->SetSize(11);
    EXPECT_EQ(nested->Font()->Name(), L"Courier New");
    EXPECT_EQ(follower->Font()->Size(), 11);
    EXPECT_TRUE(nested->ParentFont());

    Form->SetShowHint(true);
    EXPECT_TRUE(nested->ShowHint());
    own->SetShowHint(false);
    Form->SetShowHint(false);
    Form->SetShowHint(true);
    EXPECT_FALSE(own->ShowHint());

    // Going back to the parent's value takes it at once.
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clYellow);
}

TEST_F(Notifications, InsertingAChildHandsItTheParentsLook)
{
    Form->SetColor(clAqua);
    auto* child = new TSolidGraphic(Form);
    TMessageSequence seq;
    seq.Only = {CM_PARENTCOLORCHANGED, CM_PARENTFONTCHANGED, CM_PARENTSHOWHINTCHANGED, CM_PARENTBIDIMODECHANGED};
    TWindowProcRecorder rec(seq, child);
    child->SetParent(Form);
    EXPECT_TRUE(seq.Matches({{CM_PARENTCOLORCHANGED}, {CM_PARENTFONTCHANGED}, {CM_PARENTSHOWHINTCHANGED}, {CM_PARENTBIDIMODECHANGED}}));
    EXPECT_EQ(child->Color(), clAqua);
}

TEST_F(Notifications, SystemColourChangeIsBroadcastToEveryControl)
{
    auto* box = Add<TBox>(Form, 0, 0, 200, 100);
    auto* graphic = Add<TSolidGraphic>(box, 0, 0, 10, 10);
    auto* nested = Add<TFocusBox>(box, 40, 0, 40, 20);
    TMessageSequence seqGraphic, seqNested;
    seqGraphic.Only = seqNested.Only = {CM_SYSCOLORCHANGE};
    TWindowProcRecorder recGraphic(seqGraphic, graphic);
    TWindowProcRecorder recNested(seqNested, nested);
    SendMessageW(Form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(seqGraphic.Matches({{CM_SYSCOLORCHANGE}}));
    EXPECT_TRUE(seqNested.Matches({{CM_SYSCOLORCHANGE}}));
}

TEST_F(Notifications, ControlListChangesAreAnnouncedAroundInsertAndRemove)
{
    TMessageSequence seq;
    seq.Only = {CM_CONTROLLISTCHANGING, CM_CONTROLLISTCHANGE, CM_CONTROLCHANGE};
    TWindowProcRecorder rec(seq, static_cast<TWinControl*>(Form));
    auto* child = new TSolidGraphic(Form);
    child->SetParent(Form);
    EXPECT_TRUE(seq.Matches({{CM_CONTROLLISTCHANGING, msLParam, 0, 1},
                             {CM_CONTROLLISTCHANGE, msWParam | msLParam, reinterpret_cast<WPARAM>(child), 1},
                             {CM_CONTROLCHANGE, msLParam, 0, 1}}));
    EXPECT_EQ(Form->ControlCount(), 1);
    seq.Clear();
    child->SetParent(nullptr);
    EXPECT_TRUE(seq.Matches({{CM_CONTROLLISTCHANGING, msLParam, 0, 0},
                             {CM_CONTROLCHANGE, msLParam, 0, 0},
                             {CM_CONTROLLISTCHANGE, msWParam | msLParam, reinterpret_cast<WPARAM>(child), 0}}));
    EXPECT_EQ(Form->ControlCount(), 0);
    delete child;
}

} // namespace
