// Layout of children by Align (top, bottom, left, right, then client, each group in the order
// of its position) and by Anchors, again whenever the parent is resized or a child changes.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Align : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Parent = Add<TBox>(Form, 0, 0, 200, 100);
        Parent->HandleNeeded();
    }
    TControl* Child(TAlign A, int Left, int Top, int Width, int Height)
    {
        auto* c = Add<TSolidGraphic>(Parent, Left, Top, Width, Height);
        c->SetAlign(A);
        return c;
    }
    static TRect R(TControl* C) { return C->BoundsRect(); }
    static bool Eq(const TRect& A, const TRect& B)
    {
        return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
    }
    TBox* Parent = nullptr;
};

#define EXPECT_BOUNDS(control, l, t, r, b) \
    EXPECT_TRUE(Eq(R(control), Rect(l, t, r, b))) << #control << " is (" << R(control).left << ", " << R(control).top << ", " << R(control).right << ", " << R(control).bottom << ")"

TEST_F(Align, ClassicOrderTopBottomLeftRightClient)
{
    auto* client = Child(alClient, 0, 0, 10, 10);
    auto* right = Child(alRight, 0, 0, 25, 10);
    auto* left = Child(alLeft, 0, 0, 30, 10);
    auto* bottom = Child(alBottom, 0, 0, 10, 15);
    auto* top = Child(alTop, 0, 0, 10, 10);
    EXPECT_BOUNDS(top, 0, 0, 200, 10);
    EXPECT_BOUNDS(bottom, 0, 85, 200, 100);
    EXPECT_BOUNDS(left, 0, 10, 30, 85);
    EXPECT_BOUNDS(right, 175, 10, 200, 85);
    EXPECT_BOUNDS(client, 30, 10, 175, 85);

    Parent->SetBounds(0, 0, 300, 150);
    EXPECT_BOUNDS(top, 0, 0, 300, 10);
    EXPECT_BOUNDS(bottom, 0, 135, 300, 150);
    EXPECT_BOUNDS(right, 275, 10, 300, 135);
    EXPECT_BOUNDS(client, 30, 10, 275, 135);
}

TEST_F(Align, ControlsOfOneAlignmentStackInTheOrderOfTheirPositions)
{
    auto* first = Child(alTop, 0, 0, 10, 10);
    auto* second = Child(alTop, 0, 50, 10, 20);
    EXPECT_BOUNDS(first, 0, 0, 200, 10);
    EXPECT_BOUNDS(second, 0, 10, 200, 30);
    // Moving the second above the first reorders them; the one being moved wins a tie.
    second->SetTop(0);
    EXPECT_BOUNDS(second, 0, 0, 200, 20);
    EXPECT_BOUNDS(first, 0, 20, 200, 30);
    // Hidden controls take no room; showing one puts it back.
    second->SetVisible(false);
    EXPECT_BOUNDS(first, 0, 0, 200, 10);
    second->SetVisible(true);
    EXPECT_EQ(first->Top() + first->Height() == second->Top() || second->Top() + second->Height() == first->Top(), true);
}

TEST_F(Align, ChangingAlignSwapsBetweenHorizontalAndVertical)
{
    auto* c = Child(alTop, 0, 0, 40, 15);
    EXPECT_BOUNDS(c, 0, 0, 200, 15);
    c->SetAlign(alLeft);  // the height becomes the width
    EXPECT_BOUNDS(c, 0, 0, 15, 100);
    c->SetAlign(alNone);
    c->SetBounds(5, 5, 20, 20);
    EXPECT_BOUNDS(c, 5, 5, 25, 25);
}

TEST_F(Align, ConstraintsLimitAnAlignedControlAndLeaveTheRestToOthers)
{
    auto* left = Child(alLeft, 0, 0, 50, 10);
    left->Constraints()->SetMaxWidth(30);
    auto* client = Child(alClient, 0, 0, 10, 10);
    EXPECT_BOUNDS(left, 0, 0, 30, 100);
    EXPECT_BOUNDS(client, 30, 0, 200, 100);
    client->Constraints()->SetMaxHeight(40);
    EXPECT_EQ(client->Height(), 40);
}

TEST_F(Align, AnchorsFollowTheParentsEdges)
{
    auto* rightBottom = Child(alNone, 150, 70, 40, 20);
    rightBottom->SetAnchors({akRight, akBottom});
    auto* stretch = Child(alNone, 10, 10, 100, 20);
    stretch->SetAnchors({akLeft, akTop, akRight});
    auto* fixed = Child(alNone, 10, 40, 20, 20);
    auto* centred = Child(alNone, 90, 40, 20, 20);
    centred->SetAnchors(TAnchors{});
    Parent->SetBounds(0, 0, 260, 140);
    EXPECT_BOUNDS(rightBottom, 210, 110, 250, 130);
    EXPECT_BOUNDS(stretch, 10, 10, 170, 30);
    EXPECT_BOUNDS(fixed, 10, 40, 30, 60);
    EXPECT_BOUNDS(centred, 120, 60, 140, 80);
}

TEST_F(Align, AlignmentWaitsWhileDisabledAndHappensOnEnable)
{
    Parent->DisableAlign();
    auto* c = Child(alClient, 0, 0, 10, 10);
    EXPECT_BOUNDS(c, 0, 0, 10, 10);
    Parent->EnableAlign();
    EXPECT_BOUNDS(c, 0, 0, 200, 100);
}

TEST_F(Align, ResizeEventsFollowTheLayout)
{
    auto* box = Add<TBox>(Parent, 0, 0, 10, 10);
    box->HandleNeeded();
    int resizes = 0;
    box->OnResize = [&](TObject*) { ++resizes; };
    box->SetAlign(alClient);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(box->Width(), 200);
    Parent->SetWidth(250);
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(box->ClientWidth(), 250);
}

TEST_F(Align, ScaleByScalesBoundsAndOwnFonts)
{
    auto* own = Child(alNone, 10, 20, 30, 40);
    own->Font()->SetHeight(-12);
    auto* follows = Child(alNone, 50, 0, 10, 10);
    int parentFontHeight = Parent->Font()->Height();
    Parent->ScaleBy(3, 2);
    EXPECT_BOUNDS(own, 15, 30, 60, 90);
    EXPECT_EQ(own->Font()->Height(), -18);
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(Parent->Width(), 300);
    EXPECT_EQ(Parent->Font()->Height(), parentFontHeight);  // the box follows the form's font
}

} // namespace
