#pragma once

// Interfaces identified by GUIDs, in the style of the component model the
// library is written against: every interface derives *virtually* from
// IInterface and declares `static constexpr tk::Guid IID`. A class implements
// several interfaces by inheritance and answers QueryInterface for each.
// Components do not count references; IPtr still calls AddRef/Release so that
// counted objects could be used too.

#include <utility>

#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/guid.h>

namespace tk {

class IInterface {
public:
    static constexpr Guid IID = Guid::Parse("{00000000-0000-0000-C000-000000000046}");

    // On success stores a pointer to the requested interface in *out, adds a reference and answers true.
    virtual bool QueryInterface(const Guid& iid, void** out) = 0;
    virtual int AddRef() = 0;
    virtual int Release() = 0;

protected:
    virtual ~IInterface() = default;
};

// Answers iid for interface I of self; for use inside QueryInterface overrides:
//   return tk::AnswerInterface<IFoo>(this, iid, out) || Base::QueryInterface(iid, out);
template <class I, class Self> bool AnswerInterface(Self* self, const Guid& iid, void** out) {
    if (iid == I::IID) {
        I* p = static_cast<I*>(self);
        p->AddRef();
        *out = p;
        return true;
    }
    return false;
}

// Counted interface pointer.
template <class I> class IPtr {
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}
    explicit IPtr(I* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    IPtr(const IPtr& o) : IPtr(o.p_) {}
    IPtr(IPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~IPtr() { reset(); }
    IPtr& operator=(const IPtr& o) {
        IPtr tmp(o);
        swap(tmp);
        return *this;
    }
    IPtr& operator=(IPtr&& o) noexcept {
        IPtr tmp(std::move(o));
        swap(tmp);
        return *this;
    }
    IPtr& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    // Takes over a reference that was already added (as QueryInterface returns it).
    static IPtr Adopt(I* p) {
        IPtr r;
        r.p_ = p;
        return r;
    }

    void reset() {
        if (I* p = std::exchange(p_, nullptr))
            p->Release();
    }
    void swap(IPtr& o) noexcept { std::swap(p_, o.p_); }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    I& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const IPtr& a, const IPtr& b) { return a.p_ == b.p_; }
    friend bool operator==(const IPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    I* p_ = nullptr;
};

// Asks obj for interface I; an empty pointer when obj is null or does not implement it.
template <class I> IPtr<I> QueryAs(IInterface* obj) {
    void* out = nullptr;
    if (obj && obj->QueryInterface(I::IID, &out))
        return IPtr<I>::Adopt(static_cast<I*>(out));
    return {};
}

template <class I, class J> IPtr<I> QueryAs(const IPtr<J>& obj) {
    return QueryAs<I>(static_cast<IInterface*>(obj.get()));
}

template <class I> bool Supports(IInterface* obj) { return static_cast<bool>(QueryAs<I>(obj)); }

template <class I> bool Supports(IInterface* obj, IPtr<I>& out) {
    out = QueryAs<I>(obj);
    return static_cast<bool>(out);
}

// Like QueryAs, but raises EIntfCastError("Interface not supported") when obj is
// non-null and does not implement I. A null obj gives an empty pointer.
template <class I> IPtr<I> InterfaceCast(IInterface* obj) {
    if (!obj)
        return {};
    IPtr<I> r = QueryAs<I>(obj);
    if (!r)
        throw EIntfCastError(String::fromLatin1("Interface not supported"));
    return r;
}

} // namespace tk
