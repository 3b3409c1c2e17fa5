#pragma once

// The component model: named components owned by other components, with
// insertion/removal notifications, free-notification subscriptions across
// owners, a state set, published properties and the hooks of streaming.
//
// Lifetime: one destruction path. Free(), a plain `delete` and an owner
// freeing what it owns all run the same steps in the same order: the
// references to the component clear themselves, its free-notification
// subscribers, its owner and the owner's components hear that it goes
// *while it is still whole* (every virtual still dispatches to the
// most-derived class), it frees what it owns, BeforeDestruction() runs, and
// only then do the destructors tear down its parts, most-derived first.
// `delete` is routed there by Component's destroying operator delete.
// Components live on the heap: a component that is a local or a member
// object ends in its destructors alone, with only the base class left to
// tell its subscribers.

#include <cstddef>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include <orlodock/tk/interfaces.h>
#include <orlodock/tk/properties.h>
#include <orlodock/tk/tkstring.h>

namespace tk {

class Filer;
class Reader;
class Component;

namespace detail {

// The side of a ComponentRef that its target knows: a link in the target's
// list of references, cleared by the target as it goes.
class ComponentLink {
public:
    ComponentLink(const ComponentLink&) = delete;
    ComponentLink& operator=(const ComponentLink&) = delete;

protected:
    ComponentLink() = default;
    ~ComponentLink() { Link(nullptr); }
    // Leaves the previous target's list and joins `target`'s (none for nullptr).
    void Link(Component* target);
    Component* Linked() const { return linked_; }

private:
    friend class tk::Component;
    // The target is going: it has already dropped this link.
    virtual void TargetGone() = 0;

    Component* linked_ = nullptr;
};

} // namespace detail

enum class Operation { Insert, Remove };

enum ComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4,
};

class Component : public virtual IInterface {
public:
    explicit Component(Component* owner = nullptr);
    ~Component() override;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // Clears the references to this, sends the removal notifications, frees
    // owned components, calls BeforeDestruction and destroys this. Freeing a
    // component that is already being freed does nothing.
    void Free();
    // `delete component` is Free(): the same steps in the same order.
    void operator delete(Component* component, std::destroying_delete_t);
    // Empties the reference first, then frees what it referred to.
    template <class T> static void FreeAndNil(T*& ref) {
        T* p = ref;
        ref = nullptr;
        if (p)
            static_cast<Component*>(p)->Free();
    }

    // Name; unique (case-insensitively) among the owner's components when not empty.
    const String& Name() const { return name_; }
    virtual void SetName(const String& name);

    Component* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    Component* Components(int index) const;
    // The owned component of that name (case-insensitive), or nullptr.
    Component* FindComponent(const String& name) const;
    // Takes ownership of c (removing it from its previous owner).
    void InsertComponent(Component* c);
    // Gives up ownership of c without freeing it.
    void RemoveComponent(Component* c);

    // The other component wants Notification(this, Remove) when this is freed,
    // whoever owns either. Undone on both sides when either one goes; a
    // subscriber that the owner's removal notification reaches anyway is
    // told once.
    void FreeNotification(Component* subscriber);
    void RemoveFreeNotification(Component* subscriber);

    unsigned ComponentState() const { return state_; }
    bool HasState(unsigned flags) const { return (state_ & flags) != 0; }
    bool IsLoading() const { return HasState(csLoading); }
    bool IsDestroying() const { return HasState(csDestroying); }
    bool IsDesigning() const { return HasState(csDesigning); }
    void SetState(unsigned flags, bool on);

    // Called once reading from a stream has finished for the whole tree; clears csLoading.
    virtual void Loaded();

    // ---- streaming hooks ----
    // Published properties, base class first.
    virtual void GetProperties(PropertyList& list);
    // Stream-valued (binary) properties: filer.DefineBinaryProperty(...).
    virtual void DefineProperties(Filer& filer);
    // Child components to be written after this one's properties.
    virtual void GetChildren(const std::function<void(Component*)>& proc, Component* root);
    // Reads properties and children; subclasses may extend (call the base).
    virtual void ReadState(Reader& reader);
    virtual bool HasParent() const { return false; }
    virtual Component* GetParentComponent() const { return nullptr; }
    // The component that owns children read below this one (nullptr: the reader's root).
    virtual Component* GetChildOwner() { return nullptr; }
    virtual void SetParentComponent(Component* parent) { (void)parent; }

    // The class name used in streams; registered with RegisterClass.
    virtual String ClassName() const;

    // ---- IInterface: components do not count references ----
    bool QueryInterface(const Guid& iid, void** out) override;
    int AddRef() override { return -1; }
    int Release() override { return -1; }

protected:
    // Received for every component inserted into or removed from the owner tree
    // this component belongs to, and for free-notification subscriptions. The
    // base passes it on to the components this one owns (last owned first,
    // skipping the subject itself); overrides call the base. A removal sent
    // because the subject is being freed has component->IsDestroying() true;
    // otherwise the subject merely changes owner.
    virtual void Notification(Component* component, Operation operation);
    // Last chance to act with virtual dispatch intact (an event for the
    // application, say), after the notifications and the owned components
    // are gone. Tearing down the component's own parts is the destructors' job.
    virtual void BeforeDestruction() {}

private:
    friend class detail::ComponentLink;

    void SendRemovalNotifications();
    // Every ComponentRef to this forgets it, in the order they were set.
    void ClearReferences();
    void DestroyComponents();
    bool ReachedThroughOwner(const Component* subscriber) const;
    void Unlink(Component* other);

    String name_;
    Component* owner_ = nullptr;
    std::vector<Component*> components_;
    // Components to notify when this one goes.
    std::vector<Component*> freeNotifies_;
    // Components this one asked to be told about; undone when this one goes first.
    std::vector<Component*> subscriptions_;
    // The ComponentRefs that refer to this one.
    std::vector<detail::ComponentLink*> references_;
    unsigned state_ = 0;
    bool notified_ = false;
};

// A reference to a component that someone else may free: it clears itself
// when the target is destroyed (and then runs `onGone`, if given), and leaves
// the target's list when it is reassigned or destroyed itself, so either may
// go first. T may be a component class or an interface; an interface
// reference also counts, like IPtr, for implementations that are not
// components and live by their count (components do not count).
// Not copyable: the reference is the holder's, and `onGone` usually captures it.
template <class T> class ComponentRef final : private detail::ComponentLink {
public:
    ComponentRef() = default;
    explicit ComponentRef(std::function<void()> onGone) : onGone_(std::move(onGone)) {}
    ~ComponentRef() {
        if constexpr (!kComponent)
            if (target_)
                target_->Release();
    }

    // Refers to `target` from now on (nullptr: to nothing); `onGone` does not run.
    ComponentRef& operator=(T* target) {
        Reset(target);
        return *this;
    }
    void Reset(T* target = nullptr) {
        if (target == target_)
            return;
        T* old = std::exchange(target_, target);
        if constexpr (!kComponent) {
            if (target)
                target->AddRef();
            if (old)
                old->Release();
        }
        Link(ComponentOf(target));
    }

    T* get() const { return target_; }
    T* operator->() const { return target_; }
    operator T*() const { return target_; }
    // The target as a component; nullptr without target or when the target
    // is an interface of something that is not a component.
    Component* AsComponent() const { return Linked(); }

private:
    // Only where T is complete: T may be a forward-declared class in a header.
    static constexpr bool kComponent = std::is_base_of_v<Component, T>;

    static Component* ComponentOf(T* target) {
        if constexpr (kComponent)
            return target;
        else
            return dynamic_cast<Component*>(target);
    }
    void TargetGone() override {
        // A component does not count references: nothing to release.
        target_ = nullptr;
        if (!onGone_)
            return;
        // A copy: the reaction may destroy this reference.
        const std::function<void()> onGone = onGone_;
        onGone();
    }

    T* target_ = nullptr;
    std::function<void()> onGone_;
};

// Components noted to be visited later, each through a self-clearing
// reference: an entry whose component was freed meanwhile reads nullptr.
// Moves without touching its entries (they stay where they are linked).
template <class T> class ComponentRefList {
public:
    void Add(T* target) {
        refs_.push_back(std::make_unique<ComponentRef<T>>());
        *refs_.back() = target;
    }
    bool Contains(const T* target) const {
        for (const auto& ref : refs_)
            if (ref->get() == target)
                return true;
        return false;
    }
    std::size_t size() const { return refs_.size(); }
    bool empty() const { return refs_.empty(); }
    void clear() { refs_.clear(); }
    // The entry's component, or nullptr once it was freed.
    T* operator[](std::size_t index) const { return refs_[index]->get(); }

    class Iterator {
    public:
        using Inner = typename std::vector<std::unique_ptr<ComponentRef<T>>>::const_iterator;
        explicit Iterator(Inner inner) : inner_(inner) {}
        T* operator*() const { return (*inner_)->get(); }
        Iterator& operator++() {
            ++inner_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return inner_ != other.inner_; }

    private:
        Inner inner_;
    };
    Iterator begin() const { return Iterator(refs_.begin()); }
    Iterator end() const { return Iterator(refs_.end()); }

private:
    std::vector<std::unique_ptr<ComponentRef<T>>> refs_;
};

// Registry of component classes by name, so a stream can name them.
using ComponentFactory = std::function<Component*(Component* owner)>;
void RegisterClass(const String& className, ComponentFactory factory);
template <class T> void RegisterClass(const String& className) {
    RegisterClass(className, [](Component* owner) -> Component* { return new T(owner); });
}
bool IsClassRegistered(const String& className);
// The factory for className, or an empty function.
ComponentFactory FindClass(const String& className);
// Names in registration order.
StringList RegisteredClassNames();

} // namespace tk
