#include <orlodock/tk/treeview.h>

#include <QTreeWidget>

#include "qtconvert.h"
#include <orlodock/tk/exceptions.h>

namespace tk {

// ---- TreeNode ----

TreeNode::TreeNode(TreeNodes* owner, TreeNode* parent, const String& text)
    : owner_(owner), parent_(parent), text_(text) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item_ = item;
    QTreeWidget* tree = owner_->view_->tree();
    if (parent_)
        parent_->item_->addChild(item);
    else
        tree->addTopLevelItem(item);
}

TreeNode::~TreeNode() {
    // Children first, then this item leaves its Qt parent and is deleted.
    children_.clear();
    if (item_) {
        if (QTreeWidgetItem* p = item_->parent())
            p->removeChild(item_);
        else if (QTreeWidget* tree = item_->treeWidget())
            tree->takeTopLevelItem(tree->indexOfTopLevelItem(item_));
        delete item_;
    }
}

void TreeNode::SetText(const String& text) {
    text_ = text;
    item_->setText(0, text);
}

TreeNode* TreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(index));
    return children_[static_cast<size_t>(index)].get();
}

int TreeNode::Index() const {
    const auto& siblings = parent_ ? parent_->children_ : owner_->top_;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TreeNode::Level() const {
    int level = 0;
    for (TreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

bool TreeNode::Expanded() const { return expanded_; }

void TreeNode::SetExpanded(bool value) {
    expanded_ = value;
    item_->setExpanded(value);
}

void TreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (recurse)
        for (auto& c : children_)
            c->Expand(true);
}

void TreeNode::Collapse(bool recurse) {
    SetExpanded(false);
    if (recurse)
        for (auto& c : children_)
            c->Collapse(true);
}

// ---- TreeNodes ----

TreeNodes::~TreeNodes() { top_.clear(); }

int TreeNodes::Count() const {
    int n = 0;
    std::function<void(const TreeNode*)> count = [&](const TreeNode* node) {
        ++n;
        for (int i = 0; i < node->Count(); ++i)
            count(node->Item(i));
    };
    for (const auto& t : top_)
        count(t.get());
    return n;
}

TreeNode* TreeNodes::Item(int index) const {
    int i = 0;
    TreeNode* found = nullptr;
    std::function<bool(TreeNode*)> walk = [&](TreeNode* node) {
        if (i++ == index) {
            found = node;
            return true;
        }
        for (int c = 0; c < node->Count(); ++c)
            if (walk(node->Item(c)))
                return true;
        return false;
    };
    for (const auto& t : top_)
        if (walk(t.get()))
            break;
    if (!found)
        throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(index));
    return found;
}

TreeNode* TreeNodes::TopLevelItem(int index) const {
    if (index < 0 || index >= TopLevelCount())
        throw EListError(QStringLiteral("Tree node index out of bounds (%1)").arg(index));
    return top_[static_cast<size_t>(index)].get();
}

void TreeNodes::Clear() {
    while (!top_.empty())
        top_.pop_back();
}

TreeNode* TreeNodes::Add(TreeNode* sibling, const String& text) {
    return AddChild(sibling ? sibling->parent_ : nullptr, text);
}

TreeNode* TreeNodes::AddChild(TreeNode* parent, const String& text) {
    std::unique_ptr<TreeNode> node(new TreeNode(this, parent, text));
    TreeNode* raw = node.get();
    if (parent)
        parent->children_.push_back(std::move(node));
    else
        top_.push_back(std::move(node));
    return raw;
}

void TreeNodes::Delete(TreeNode* node) {
    if (!node)
        return;
    auto& siblings = node->parent_ ? node->parent_->children_ : top_;
    for (auto it = siblings.begin(); it != siblings.end(); ++it)
        if (it->get() == node) {
            siblings.erase(it);
            return;
        }
}

// ---- TreeView ----

TreeView::TreeView(Component* owner) : Control(owner, new QTreeWidget()), items_(new TreeNodes(this)) {
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    tree()->setHeaderHidden(true);
    tree()->setColumnCount(1);
    tree()->setIndentation(indent_);
    tree()->setFont(ToQFont(*Font()));
}

TreeView::~TreeView() {
    // The nodes delete their Qt items while the tree widget still exists.
    items_.reset();
}

QTreeWidget* TreeView::tree() const { return static_cast<QTreeWidget*>(Widget()); }

void TreeView::FullExpand() {
    for (int i = 0; i < items_->TopLevelCount(); ++i)
        items_->TopLevelItem(i)->Expand(true);
}

void TreeView::FullCollapse() {
    for (int i = 0; i < items_->TopLevelCount(); ++i)
        items_->TopLevelItem(i)->Collapse(true);
}

void TreeView::SetIndent(int value) {
    indent_ = std::max(value, 0);
    tree()->setIndentation(indent_);
}

TreeNode* TreeView::Selected() const {
    QTreeWidgetItem* current = tree()->currentItem();
    if (!current)
        return nullptr;
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Item(i)->item_ == current)
            return items_->Item(i);
    return nullptr;
}

void TreeView::FontChanged() {
    tree()->setFont(ToQFont(*Font()));
    Control::FontChanged();
}

void TreeView::ColorChanged() {
    QPalette pal = tree()->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    tree()->setPalette(pal);
    Control::ColorChanged();
}

} // namespace tk
