#include <orlodock/tk/component.h>

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <iterator>
#include <memory>
#include <typeinfo>

#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/streaming.h>

namespace tk {

namespace {

void EraseOne(std::vector<Component*>& list, Component* c) {
    auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end())
        list.erase(it);
}

void AddOnce(std::vector<Component*>& list, Component* c) {
    if (std::find(list.begin(), list.end(), c) == list.end())
        list.push_back(c);
}

} // namespace

namespace detail {

void ComponentLink::Link(Component* target) {
    if (target == linked_)
        return;
    if (linked_) {
        // Listed once; short-lived references (guards) are the latest ones.
        std::vector<ComponentLink*>& references = linked_->references_;
        if (const auto it = std::find(references.rbegin(), references.rend(), this); it != references.rend())
            references.erase(std::next(it).base());
    }
    linked_ = target;
    if (target)
        target->references_.push_back(this);
}

} // namespace detail

Component::Component(Component* owner) {
    if (owner)
        owner->InsertComponent(this);
}

Component::~Component() {
    // Only a local or member component arrives here without Free(), with its
    // derived parts already gone; what it owns still has to go with it.
    if (!notified_) {
        state_ |= csDestroying;
        SendRemovalNotifications();
        DestroyComponents();
    }
    // References set while the parts were torn down.
    ClearReferences();
}

void Component::operator delete(Component* component, std::destroying_delete_t) { component->Free(); }

void Component::Free() {
    // A notification handler freeing a component that is already going.
    if (HasState(csDestroying))
        return;
    SetState(csDestroying, true);
    SendRemovalNotifications();
    DestroyComponents();
    BeforeDestruction();
    // The start of the whole object, which a base of a class with several
    // bases need not be; the destructor is virtual and runs from the most-derived class.
    void* block = dynamic_cast<void*>(this);
    this->~Component();
    ::operator delete(block);
}

void Component::ClearReferences() {
    // One at a time from the live list: a reaction may set or drop others.
    while (!references_.empty()) {
        detail::ComponentLink* link = references_.front();
        references_.erase(references_.begin());
        link->linked_ = nullptr;
        link->TargetGone();
    }
}

void Component::SendRemovalNotifications() {
    notified_ = true;
    for (Component* target : std::exchange(subscriptions_, {}))
        EraseOne(target->freeNotifies_, this);
    ClearReferences();
    // One at a time from the live list: a handler may free another subscriber,
    // which then takes itself off this list.
    while (!freeNotifies_.empty()) {
        Component* subscriber = freeNotifies_.front();
        freeNotifies_.erase(freeNotifies_.begin());
        EraseOne(subscriber->subscriptions_, this);
        if (!ReachedThroughOwner(subscriber))
            subscriber->Notification(this, Operation::Remove);
    }
    if (owner_)
        owner_->RemoveComponent(this);
}

// True when the owner's removal notification will reach `subscriber` anyway,
// so it is not told twice.
bool Component::ReachedThroughOwner(const Component* subscriber) const {
    if (!owner_)
        return false;
    for (const Component* c = subscriber; c; c = c->owner_) {
        if (c == this)
            return false; // the owner's pass skips this component's own subtree
        if (c == owner_)
            return true;
    }
    return false;
}

void Component::DestroyComponents() {
    while (!components_.empty()) {
        Component* c = components_.back();
        if (c->IsDestroying()) {
            // Already being freed further up the stack: just let go of it.
            components_.pop_back();
            c->owner_ = nullptr;
            continue;
        }
        c->Free(); // takes itself off this list through RemoveComponent
    }
}

void Component::SetName(const String& name) {
    if (name == name_)
        return;
    if (!name.isEmpty() && owner_) {
        Component* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    name_ = name;
}

Component* Component::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return components_[static_cast<std::size_t>(index)];
}

Component* Component::FindComponent(const String& name) const {
    if (name.isEmpty())
        return nullptr;
    for (Component* c : components_)
        if (c->name_.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void Component::InsertComponent(Component* c) {
    if (!c || c->owner_ == this)
        return;
    for (const Component* p = this; p; p = p->owner_)
        if (p == c)
            throw EComponentError(QStringLiteral("A component cannot own itself or its owner"));
    if (!c->name_.isEmpty() && FindComponent(c->name_))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(c->name_));
    if (c->owner_)
        c->owner_->RemoveComponent(c);
    components_.push_back(c);
    c->owner_ = this;
    Notification(c, Operation::Insert);
}

void Component::RemoveComponent(Component* c) {
    if (!c || c->owner_ != this)
        return;
    // Told while c is still in the list and whole.
    Notification(c, Operation::Remove);
    EraseOne(components_, c);
    c->owner_ = nullptr;
}

void Component::FreeNotification(Component* subscriber) {
    if (!subscriber || subscriber == this)
        return;
    AddOnce(freeNotifies_, subscriber);
    AddOnce(subscriber->subscriptions_, this);
}

void Component::RemoveFreeNotification(Component* subscriber) {
    if (!subscriber)
        return;
    EraseOne(freeNotifies_, subscriber);
    EraseOne(subscriber->subscriptions_, this);
}

void Component::SetState(unsigned flags, bool on) {
    if (on)
        state_ |= flags;
    else
        state_ &= ~flags;
}

void Component::Loaded() { SetState(csLoading, false); }

void Component::Notification(Component* component, Operation operation) {
    // Backwards and re-clamped: a handler may remove or free owned components.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        Component* c = components_[static_cast<std::size_t>(i)];
        if (c != component)
            c->Notification(component, operation);
        --i;
        if (i >= ComponentCount())
            i = ComponentCount() - 1;
    }
}

void Component::GetProperties(PropertyList& list) { (void)list; }

void Component::DefineProperties(Filer& filer) { (void)filer; }

void Component::GetChildren(const std::function<void(Component*)>& proc, Component* root) {
    (void)proc;
    (void)root;
}

void Component::ReadState(Reader& reader) { reader.ReadData(this); }

String Component::ClassName() const {
    // The unqualified C++ class name; streamed classes usually override this.
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    String name = String::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const qsizetype colon = name.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

bool Component::QueryInterface(const Guid& iid, void** out) {
    if (AnswerInterface<IInterface>(this, iid, out))
        return true;
    if (out)
        *out = nullptr;
    return false;
}

} // namespace tk
