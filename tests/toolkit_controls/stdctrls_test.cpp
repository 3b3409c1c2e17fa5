#include <gtest/gtest.h>

#include "support/mouse_driver.h"
#include "support/owned.h"
#include "support/toolkit_helpers.h"
#include <orlodock/tk/application.h>
#include <orlodock/tk/edit.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/treeview.h>

#include <QWidget>

using namespace tk;

namespace {

// Counts its destructions through a flag the test owns.
class Tracked : public Panel {
public:
    Tracked(Component* owner, int* destroyed) : Panel(owner), destroyed_(destroyed) {}
    ~Tracked() override { ++*destroyed_; }

private:
    int* destroyed_;
};

} // namespace

TEST(Lifetime, AParentDestroysItsChildControlsWhoeverOwnsThem) {
    Owned<Form> other(new Form(nullptr));
    int destroyed = 0;
    auto* parent = new Panel(nullptr);
    auto* child = new Tracked(other.get(), &destroyed);
    auto* grandChild = new Tracked(nullptr, &destroyed);
    child->SetParent(parent);
    grandChild->SetParent(child);
    EXPECT_EQ(other->ComponentCount(), 1);
    parent->Free();
    EXPECT_EQ(destroyed, 2);
    // The owner no longer lists the child it lost.
    EXPECT_EQ(other->ComponentCount(), 0);

    // A child freed first leaves its parent's list.
    auto* p2 = new Panel(other.get());
    auto* c2 = new Tracked(other.get(), &destroyed);
    c2->SetParent(p2);
    c2->Free();
    EXPECT_EQ(p2->ControlCount(), 0);
    EXPECT_EQ(destroyed, 3);
}

TEST(Lifetime, FreeingAParentFromAChildsHandlerIsSafe) {
    Owned<Form> form(new Form(nullptr));
    form->SetBounds(10, 10, 200, 100);
    form->Show();
    auto* parent = new Panel(form.get());
    parent->SetParent(form.get());
    parent->SetAlign(alClient);
    auto* child = new Panel(form.get());
    child->SetParent(parent);
    child->SetBounds(0, 0, 50, 50);
    child->OnMouseDown = [&](Component*, MouseButton, ShiftState, int, int) { parent->Free(); };
    tktest::PumpEvents();
    // Through the window's own event, so the window is in use while it goes.
    tktest::MouseDriver mouse;
    mouse.Press(child->ClientToScreen({5, 5}));
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(Control::CaptureControl(), nullptr);
    mouse.Release({20, 20});
    tktest::PumpEvents();
}

TEST(TreeView, ItemsAddedAtTopAndBelowReadBackInOrder) {
    Owned<Form> form(new Form(nullptr));
    auto* tree = new TreeView(form.get());
    tree->SetParent(form.get());
    EXPECT_EQ(tree->Indent(), 19);
    tree->SetIndent(12);
    EXPECT_EQ(tree->Indent(), 12);

    TreeNodes* items = tree->Items();
    TreeNode* root = items->Add(nullptr, "Root Zone");
    TreeNode* a = items->AddChild(root, "Container");
    items->AddChild(a, "ControlZone one");
    items->AddChild(root, "ControlZone two");
    items->Add(root, "Second top");
    ASSERT_EQ(items->Count(), 5);
    EXPECT_EQ(items->TopLevelCount(), 2);
    EXPECT_EQ(items->Item(0)->Text(), "Root Zone");
    EXPECT_EQ(items->Item(1)->Text(), "Container");
    EXPECT_EQ(items->Item(2)->Text(), "ControlZone one");
    EXPECT_EQ(items->Item(2)->Level(), 2);
    EXPECT_EQ(items->Item(3)->Text(), "ControlZone two");
    EXPECT_EQ(items->Item(3)->Parent(), root);
    EXPECT_EQ(items->Item(4)->Text(), "Second top");
    EXPECT_EQ(root->Count(), 2);
    EXPECT_FALSE(root->Expanded());
    tree->FullExpand();
    EXPECT_TRUE(root->Expanded());
    EXPECT_TRUE(a->Expanded());
    items->Clear();
    EXPECT_EQ(items->Count(), 0);
    EXPECT_THROW(items->Item(0), EListError);
}

TEST(Memo, LinesFollowTheText) {
    Owned<Form> form(new Form(nullptr));
    auto* memo = new Memo(form.get());
    memo->SetParent(form.get());
    memo->Lines()->Add("Memo1");
    EXPECT_EQ(memo->Lines()->Count(), 1);
    memo->Lines()->Add("second");
    EXPECT_EQ(memo->Text(), "Memo1\nsecond");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->Strings(0), "second");
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);

    auto* edit = new Edit(form.get());
    edit->SetParent(memo->Parent());
    int changes = 0;
    edit->OnChange = [&](Component*) { ++changes; };
    edit->SetText("typed");
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(changes, 1);
}

TEST(Forms, CaptionClientSizeResizeAndClose) {
    Owned<Form> form(new Form(nullptr));
    std::vector<String> captions;
    form->OnResize = [&](Component* sender) {
        auto* f = static_cast<Form*>(sender);
        f->SetCaption(QStringLiteral("Height = %1 width = %2").arg(f->ClientHeight()).arg(f->ClientWidth()));
        captions.push_back(f->Caption());
    };
    form->SetClientWidth(1016);
    form->SetClientHeight(420);
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "Height = 420 width = 1016");
    EXPECT_EQ(form->Widget()->windowTitle(), "Height = 420 width = 1016");

    form->SetBounds(10, 152, form->Width(), form->Height());
    form->Show();
    tktest::PumpEvents();
    EXPECT_TRUE(form->Showing());
    EXPECT_EQ(form->ClientOrigin(), (Point{10, 152}));
    int closes = 0;
    form->OnClose = [&](Component*, CloseAction& action) {
        ++closes;
        action = caHide;
    };
    form->Close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form->Visible());

    // A released form goes later, from the loop.
    auto* released = new Form(nullptr);
    std::weak_ptr<int> alive = released->LifeToken();
    released->Show();
    released->ReleaseLater();
    EXPECT_FALSE(alive.expired());
    tktest::PumpEvents();
    EXPECT_TRUE(alive.expired());
}
