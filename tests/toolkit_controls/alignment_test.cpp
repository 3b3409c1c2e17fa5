#include <gtest/gtest.h>

#include <limits>

#include "support/owned.h"
#include "support/rect_print.h"
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>

using namespace tk;

namespace {

Panel* MakeChild(Form* form, Align align, const Rect& bounds) {
    auto* p = new Panel(form);
    p->SetBoundsRect(bounds);
    p->SetParent(form);
    p->SetAlign(align);
    return p;
}

// A parent that keeps a strip along its right edge out of the aligned area.
class StripPanel : public Panel {
public:
    using Panel::Panel;
    void AdjustClientRect(Rect& rect) override {
        Panel::AdjustClientRect(rect);
        rect.Right -= 4;
    }
};

} // namespace

TEST(Alignment, EdgesThenClientWithConstraintsAndCollapsedChild) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(1016);
    form->SetClientHeight(420);
    Panel* top = MakeChild(form.get(), alTop, BoundsRect(0, 0, 50, 30));
    Panel* bottom = new Panel(form.get());
    bottom->Constraints().SetMinHeight(5);
    bottom->SetBoundsRect(BoundsRect(0, 0, 50, 2));
    bottom->SetParent(form.get());
    bottom->SetAlign(alBottom);
    Panel* left = MakeChild(form.get(), alLeft, BoundsRect(0, 0, 300, 50));
    Panel* right = MakeChild(form.get(), alRight, BoundsRect(0, 0, 0, 50));
    Panel* client = MakeChild(form.get(), alClient, BoundsRect(0, 0, 10, 10));

    EXPECT_EQ(top->BoundsRect(), MakeRect(0, 0, 1016, 30));
    // The minimum height wins over the 2 pixels asked for.
    EXPECT_EQ(bottom->BoundsRect(), MakeRect(0, 415, 1016, 420));
    EXPECT_EQ(left->BoundsRect(), MakeRect(0, 30, 300, 415));
    EXPECT_EQ(right->BoundsRect(), MakeRect(1016, 30, 1016, 415));
    EXPECT_EQ(client->BoundsRect(), MakeRect(300, 30, 1016, 415));

    // Collapsing the left child to width 0 gives its space to the client.
    left->SetWidth(0);
    EXPECT_EQ(left->BoundsRect(), MakeRect(0, 30, 0, 415));
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 30, 1016, 415));

    // Expanding the right child takes from the client again.
    right->SetWidth(125);
    EXPECT_EQ(right->BoundsRect(), MakeRect(891, 30, 1016, 415));
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 30, 891, 415));

    // Resizing the parent re-lays everything out.
    form->SetClientHeight(300);
    EXPECT_EQ(bottom->BoundsRect(), MakeRect(0, 295, 1016, 300));
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 30, 891, 295));
}

TEST(Alignment, GroupsAreOrderedByPositionAndHiddenChildrenTakeNoSpace) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    Panel* lower = MakeChild(form.get(), alTop, BoundsRect(0, 100, 10, 20));
    Panel* upper = MakeChild(form.get(), alTop, BoundsRect(0, 0, 10, 40));
    EXPECT_EQ(upper->BoundsRect(), MakeRect(0, 0, 400, 40));
    EXPECT_EQ(lower->BoundsRect(), MakeRect(0, 40, 400, 60));

    Panel* outerRight = MakeChild(form.get(), alRight, BoundsRect(390, 0, 10, 10));
    Panel* innerRight = MakeChild(form.get(), alRight, BoundsRect(100, 0, 20, 10));
    EXPECT_EQ(outerRight->BoundsRect(), MakeRect(390, 60, 400, 300));
    EXPECT_EQ(innerRight->BoundsRect(), MakeRect(370, 60, 390, 300));

    Panel* client = MakeChild(form.get(), alClient, BoundsRect(0, 0, 1, 1));
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 60, 370, 300));
    upper->Hide();
    EXPECT_EQ(lower->BoundsRect(), MakeRect(0, 0, 400, 20));
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 20, 370, 300));
    upper->Show();
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 60, 370, 300));

    // Changing the alignment at run time moves the child into its new group.
    innerRight->SetAlign(alNone);
    EXPECT_EQ(client->BoundsRect(), MakeRect(0, 60, 390, 300));
}

TEST(Alignment, UsesTheParentsAdjustedClientRect) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    auto* strip = new StripPanel(form.get());
    strip->SetBevelOuter(bvNone);
    strip->SetParent(form.get());
    strip->SetAlign(alClient);
    auto* child = new Panel(form.get());
    child->SetParent(strip);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), MakeRect(0, 0, 196, 100));
    // A raised bevel and a border also shrink the area children share.
    strip->SetBevelOuter(bvRaised);
    strip->SetBorderWidth(2);
    EXPECT_EQ(child->BoundsRect(), MakeRect(3, 3, 193, 97));
}

TEST(Alignment, ConstraintsLimitExplicitBoundsAndAnchorsFollowTheParent) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto* p = new Panel(form.get());
    p->SetParent(form.get());
    p->Constraints().SetMaxWidth(50);
    p->SetBounds(10, 10, 80, 40);
    EXPECT_EQ(p->Width(), 50);
    p->Constraints().SetMinHeight(60);
    EXPECT_EQ(p->Height(), 60);

    auto* anchored = new Panel(form.get());
    anchored->SetParent(form.get());
    anchored->SetBounds(10, 20, 100, 150);
    anchored->SetAnchors(akLeft | akTop | akBottom);
    form->SetClientHeight(250);
    EXPECT_EQ(anchored->BoundsRect(), MakeRect(10, 20, 110, 220));
    // Squeezed to nothing (30 - 20 - 30 rows below it < 0) and given room
    // again, it gets its 30 rows to the bottom back: 250 - 30 = 220.
    form->SetClientHeight(30);
    EXPECT_EQ(anchored->Height(), 0);
    form->SetClientHeight(250);
    EXPECT_EQ(anchored->BoundsRect(), MakeRect(10, 20, 110, 220));
}

// Controls of one edge keep their order among equal positions: a collapsed
// control (height 0) stands where its neighbour starts, and the neighbour
// growing must not jump over it. First [0,50), second [50,90); the first
// collapses to [0,0) and the second moves up to [0,40); the second grows to
// 75 rows and stays below the first: first at 0, second [0,75). The first
// grows back to 50: [0,50), second [50,125). Moved or newly aligned, a
// control still goes where its position says.
TEST(Alignment, ControlsOfAnEdgeKeepTheirOrderAmongEqualPositions) {
    Owned<Form> form(new Form(nullptr));
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    Panel* first = MakeChild(form.get(), alTop, BoundsRect(0, 0, 10, 50));
    Panel* second = MakeChild(form.get(), alTop, BoundsRect(0, 100, 10, 40));
    ASSERT_EQ(second->BoundsRect(), MakeRect(0, 50, 400, 90));
    first->SetHeight(0);
    EXPECT_EQ(first->BoundsRect(), MakeRect(0, 0, 400, 0));
    EXPECT_EQ(second->BoundsRect(), MakeRect(0, 0, 400, 40));
    second->SetHeight(75);
    EXPECT_EQ(first->BoundsRect(), MakeRect(0, 0, 400, 0));
    EXPECT_EQ(second->BoundsRect(), MakeRect(0, 0, 400, 75));
    first->SetHeight(50);
    EXPECT_EQ(first->BoundsRect(), MakeRect(0, 0, 400, 50));
    EXPECT_EQ(second->BoundsRect(), MakeRect(0, 50, 400, 125));

    // Bottom edge, the outer control created last: [270,300) below [230,270).
    // Collapsed, it ends where the inner one ends and still stays outside.
    Panel* inner = MakeChild(form.get(), alBottom, BoundsRect(0, 0, 10, 40));
    Panel* outer = MakeChild(form.get(), alBottom, BoundsRect(0, 500, 10, 30));
    ASSERT_EQ(outer->BoundsRect(), MakeRect(0, 270, 400, 300));
    outer->SetHeight(0);
    inner->SetHeight(50);
    outer->SetHeight(30);
    EXPECT_EQ(outer->BoundsRect(), MakeRect(0, 270, 400, 300));
    EXPECT_EQ(inner->BoundsRect(), MakeRect(0, 220, 400, 270));

    // Moved above the first, the second goes first.
    second->SetTop(-1);
    EXPECT_EQ(second->BoundsRect(), MakeRect(0, 0, 400, 75));
    EXPECT_EQ(first->BoundsRect(), MakeRect(0, 75, 400, 125));
}

// An alignment outside the enumeration is refused and changes nothing.
TEST(Alignment, ValuesOutsideTheEnumerationAreRefused) {
    Owned<Form> form(new Form(nullptr));
    Panel* panel = MakeChild(form.get(), alLeft, BoundsRect(0, 0, 30, 30));
    for (int value : {-1, 7, std::numeric_limits<int>::max()}) {
        EXPECT_THROW(panel->SetAlign(static_cast<Align>(value)), ERangeError) << value;
        EXPECT_EQ(panel->Align(), alLeft);
    }
}
