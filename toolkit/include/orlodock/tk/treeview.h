#pragma once

// A tree view with items that carry text; items are added at the top level or
// below another item and can be read back in order.

#include <memory>
#include <vector>

#include <orlodock/tk/control.h>

class QTreeWidget;
class QTreeWidgetItem;

namespace tk {

class TreeView;
class TreeNodes;

class TreeNode {
public:
    ~TreeNode();
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    const String& Text() const { return text_; }
    void SetText(const String& text);
    TreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TreeNode* Item(int index) const;
    bool HasChildren() const { return !children_.empty(); }
    // Position among its siblings.
    int Index() const;
    // Nesting depth: 0 for top-level items.
    int Level() const;
    bool Expanded() const;
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    TreeNodes* Owner() const { return owner_; }
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

private:
    friend class TreeNodes;
    friend class TreeView;
    TreeNode(TreeNodes* owner, TreeNode* parent, const String& text);

    TreeNodes* owner_;
    TreeNode* parent_;
    String text_;
    QTreeWidgetItem* item_ = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children_;
    bool expanded_ = false;
    void* data_ = nullptr;
};

class TreeNodes {
public:
    ~TreeNodes();
    // Every node, top-level and nested.
    int Count() const;
    // The node at index in depth-first order (as the tree shows them expanded).
    TreeNode* Item(int index) const;
    TreeNode* operator[](int index) const { return Item(index); }
    int TopLevelCount() const { return static_cast<int>(top_.size()); }
    TreeNode* TopLevelItem(int index) const;
    TreeNode* GetFirstNode() const { return top_.empty() ? nullptr : top_.front().get(); }

    void Clear();
    // Adds a top-level item after the last one (sibling only decides the level:
    // its own level; nullptr: top level).
    TreeNode* Add(TreeNode* sibling, const String& text);
    // Adds an item as the last child of parent (nullptr: top level).
    TreeNode* AddChild(TreeNode* parent, const String& text);
    void Delete(TreeNode* node);

private:
    friend class TreeView;
    friend class TreeNode;
    explicit TreeNodes(TreeView* view) : view_(view) {}
    TreeView* view_;
    std::vector<std::unique_ptr<TreeNode>> top_;
};

class TreeView : public Control {
public:
    explicit TreeView(Component* owner);
    ~TreeView() override;

    TreeNodes* Items() { return items_.get(); }
    void FullExpand();
    void FullCollapse();
    // Horizontal indent per level in pixels.
    int Indent() const { return indent_; }
    void SetIndent(int value);
    TreeNode* Selected() const;

protected:
    void FontChanged() override;
    void ColorChanged() override;

private:
    friend class TreeNodes;
    friend class TreeNode;
    QTreeWidget* tree() const;
    std::unique_ptr<TreeNodes> items_;
    int indent_ = 19;
};

} // namespace tk
