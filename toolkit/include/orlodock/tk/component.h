#pragma once

// The component model: named components owned by other components, with
// insertion/removal notifications, free-notification subscriptions across
// owners, a state set, published properties and the hooks of streaming.
//
// Lifetime: free a component with Free() (or let its owner free it). Free()
// tells the free-notification subscribers, the owner and the owner's
// components that it goes *while it is still whole* (every virtual still
// dispatches to the most-derived class), frees what it owns, calls
// BeforeDestruction() and only then deletes itself. A plain `delete` works
// too but sends the notifications from ~Component, when derived parts are
// already gone; prefer Free().

#include <functional>
#include <vector>

#include <orlodock/tk/interfaces.h>
#include <orlodock/tk/properties.h>
#include <orlodock/tk/tkstring.h>

namespace tk {

class Filer;
class Reader;

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

    // Sends the removal notifications, frees owned components and deletes this.
    // Safe on nullptr via FreeAndNil; calling it twice on the same object is a bug.
    void Free();
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
    // Last chance to act with virtual dispatch intact, after the notifications
    // and the owned components are gone; the destructor follows.
    virtual void BeforeDestruction() {}

private:
    void SendRemovalNotifications();
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
    unsigned state_ = 0;
    bool notified_ = false;
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
