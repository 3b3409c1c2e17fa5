#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "stream_format.h"
#include <orlodock/tk/exceptions.h>

namespace tk {

namespace {

using namespace stream;

class Session;

// A fault this session has already given a position; its own guards let it
// pass unchanged, while a failing nested read (a stream-valued property that
// reads a stream of its own) is wrapped with the outer position.
class PositionedReadError : public EReadError {
public:
    PositionedReadError(String message, long long position, const Session* origin)
        : EReadError(std::move(message), position), origin_(origin) {}
    const Session* Origin() const { return origin_; }

private:
    const Session* origin_;
};

// Learns which of the watched components have been freed meanwhile: a
// component's hooks may free others, and rollback must not free them twice.
class LifeTracker {
public:
    void Watch(Component* c) {
        if (Alive(c))
            return;
        watched_.Add(c);
    }
    bool Alive(Component* c) const { return watched_.Contains(c); }

private:
    ComponentRefList<Component> watched_;
};

// Collects the names of a component's defined properties.
class NameFiler final : public Filer {
public:
    explicit NameFiler(StringList& names) : names_(names) {}
    void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>&,
                              const std::function<Bytes()>&, bool) override {
        names_ << name;
    }

private:
    StringList& names_;
};

// Schemas of registered classes, learnt from a short-lived instance of each.
class SchemaCache {
public:
    const ClassSchema* ForClass(const String& className, String& error) {
        for (const auto& [name, schema] : schemas_)
            if (name.compare(className, Qt::CaseInsensitive) == 0)
                return schema.get();
        const ComponentFactory factory = FindClass(className);
        if (!factory) {
            error = QStringLiteral("Class %1 is not registered").arg(className);
            return nullptr;
        }
        Component* probe = nullptr;
        try {
            probe = factory(nullptr);
            if (!probe) {
                error = QStringLiteral("Class %1 could not be created").arg(className);
                return nullptr;
            }
            auto schema = std::make_unique<ClassSchema>(SchemaOf(probe));
            Component::FreeAndNil(probe);
            schemas_.emplace_back(className, std::move(schema));
            return schemas_.back().second.get();
        } catch (const Exception& e) {
            error = QStringLiteral("Class %1 could not be created: %2").arg(className, e.Message());
        } catch (const std::exception& e) {
            error = QStringLiteral("Class %1 could not be created: %2").arg(className, String::fromUtf8(e.what()));
        }
        if (probe) {
            try {
                probe->Free();
            } catch (...) {
            }
        }
        return nullptr;
    }

private:
    std::vector<std::pair<String, std::unique_ptr<ClassSchema>>> schemas_;
};

// Applies a parsed, validated stream: creates the children, sets properties,
// runs the components' reading hooks, fixes up references, and on any
// failure frees what it created and puts the target's properties back.
class Session final : public Reader {
public:
    Session(Component* owner, Component* parent) : owner_(owner), parent_(parent) {}

    Component* Parent() const override { return parent_; }
    Component* Owner() const override { return root_; }
    Component* Root() const override { return root_; }

    void ReadData(Component* instance) override {
        auto it = pending_.find(instance);
        if (it == pending_.end())
            return; // not read from this stream, or read already
        const ParsedObject& node = *it->second;
        pending_.erase(it);
        ApplyProperties(instance, node);
        ApplyBinaries(instance, node);
        Component* const savedParent = parent_;
        parent_ = instance;
        for (const auto& child : node.Children)
            ReadChild(instance, *child);
        parent_ = savedParent;
    }

    void ReadInto(Component* into, const ParsedObject& node) {
        root_ = into;
        into_ = true;
        tracker_.Watch(into);
        const String oldName = into->Name();
        const unsigned oldState = into->ComponentState();
        try {
            into->SetState(csLoading | csReading, true);
            loaded_.push_back(into);
            if (!node.Name.isEmpty() && node.Name != into->Name())
                Guard(node.Position, node.ClassName, [&] { into->SetName(node.Name); });
            SaveDefinedProperties(into, node);
            pending_[into] = &node;
            Guard(node.Position, node.ClassName, [&] { into->ReadState(*this); });
            FixUpReferences();
        } catch (...) {
            Rollback();
            if (tracker_.Alive(into)) {
                RestoreDefinedProperties(into);
                try {
                    into->SetName(oldName);
                } catch (...) {
                }
                into->SetState(~0u, false);
                into->SetState(oldState, true);
            }
            throw;
        }
        CallLoaded();
    }

    Component* ReadNew(const ParsedObject& node) {
        Component* created = nullptr;
        try {
            created = Create(node, owner_);
            root_ = created;
            if (parent_)
                Guard(node.Position, node.ClassName, [&] { created->SetParentComponent(parent_); });
            Guard(node.Position, node.ClassName, [&] { created->ReadState(*this); });
            FixUpReferences();
        } catch (...) {
            Rollback();
            throw;
        }
        CallLoaded();
        return tracker_.Alive(created) ? created : nullptr;
    }

private:
    struct SavedBinary {
        String Name;
        Bytes Data;
        bool Touched;
    };

    struct Fixup {
        Component* Instance;
        PropertyInfo Info;
        String Target;
        long long Position;
    };

    template <class F> void Guard(long long position, const String& what, F&& f) {
        try {
            f();
        } catch (const PositionedReadError& e) {
            if (e.Origin() == this)
                throw;
            Fail(what + QStringLiteral(": ") + e.Message(), position);
        } catch (const Exception& e) {
            Fail(what + QStringLiteral(": ") + e.Message(), position);
        } catch (const std::exception& e) {
            Fail(what + QStringLiteral(": ") + String::fromUtf8(e.what()), position);
        } catch (...) {
            Fail(what + QStringLiteral(": unknown error"), position);
        }
    }

    [[noreturn]] void Fail(const String& message, long long position) const {
        throw PositionedReadError(message, position, this);
    }

    Component* Create(const ParsedObject& node, Component* owner) {
        const ComponentFactory factory = FindClass(node.ClassName);
        if (!factory)
            Fail(QStringLiteral("Class %1 is not registered").arg(node.ClassName), node.Position);
        Component* c = nullptr;
        Guard(node.Position, QStringLiteral("Creating ") + node.ClassName, [&] { c = factory(owner); });
        if (!c)
            Fail(QStringLiteral("Class %1 could not be created").arg(node.ClassName), node.Position);
        created_.push_back(c);
        tracker_.Watch(c);
        c->SetState(csLoading | csReading, true);
        loaded_.push_back(c);
        if (!node.Name.isEmpty())
            Guard(node.Position, node.ClassName, [&] { c->SetName(node.Name); });
        pending_[c] = &node;
        return c;
    }

    void ReadChild(Component* parent, const ParsedObject& node) {
        Component* owner = parent->GetChildOwner();
        Component* child = Create(node, owner ? owner : Owner());
        // The parent link comes first: a component's ReadState may rely on it.
        Guard(node.Position, node.ClassName, [&] {
            child->SetParentComponent(parent);
            child->ReadState(*this);
        });
    }

    void ApplyProperties(Component* instance, const ParsedObject& node) {
        if (node.Properties.empty())
            return;
        PropertyList list;
        Guard(node.Position, node.ClassName, [&] { instance->GetProperties(list); });
        for (const ParsedProperty& p : node.Properties) {
            const PropertyInfo* info = list.Find(p.Name);
            if (!info || info->Kind != p.Kind)
                Fail(QStringLiteral("%1 has no property %2").arg(node.ClassName, p.Name), p.Position);
            const String what = node.ClassName + QLatin1Char('.') + p.Name;
            if (p.Kind == PropKind::Component) {
                fixups_.push_back({instance, *info, p.Text, p.Position});
                continue;
            }
            if (instance == root_ && into_)
                RememberOldValue(*info);
            Guard(p.Position, what, [&] {
                if (p.Kind == PropKind::String) {
                    if (info->SetString)
                        info->SetString(p.Text);
                } else if (info->SetInt) {
                    info->SetInt(p.Int);
                }
            });
        }
    }

    void ApplyBinaries(Component* instance, const ParsedObject& node) {
        if (node.Binaries.empty())
            return;
        class BinaryFiler final : public Filer {
        public:
            BinaryFiler(Session& s, const ParsedObject& n, Component* target) : s_(s), n_(n), target_(target) {}
            void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>& read,
                                      const std::function<Bytes()>&, bool) override {
                if (!read)
                    return;
                for (const ParsedBinary& b : n_.Binaries) {
                    if (b.Name.compare(name, Qt::CaseInsensitive) != 0)
                        continue;
                    if (target_ == s_.root_ && s_.into_)
                        s_.MarkTouched(name);
                    s_.Guard(b.Position, n_.ClassName + QLatin1Char('.') + b.Name, [&] { read(b.Data); });
                }
            }

        private:
            Session& s_;
            const ParsedObject& n_;
            Component* target_;
        };
        BinaryFiler filer(*this, node, instance);
        Guard(node.Position, node.ClassName, [&] { instance->DefineProperties(filer); });
    }

    // The target's stream-valued properties named in the stream, as they are
    // before the read, so a failed read can hand them back.
    void SaveDefinedProperties(Component* into, const ParsedObject& node) {
        if (node.Binaries.empty())
            return;
        class SavingFiler final : public Filer {
        public:
            SavingFiler(const ParsedObject& n, std::vector<SavedBinary>& out) : n_(n), out_(out) {}
            void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>&,
                                      const std::function<Bytes()>& write, bool hasData) override {
                for (const ParsedBinary& b : n_.Binaries)
                    if (b.Name.compare(name, Qt::CaseInsensitive) == 0)
                        out_.push_back({name, hasData && write ? write() : Bytes(), false});
            }

        private:
            const ParsedObject& n_;
            std::vector<SavedBinary>& out_;
        };
        SavingFiler filer(node, savedBinaries_);
        Guard(node.Position, node.ClassName, [&] { into->DefineProperties(filer); });
    }

    void RestoreDefinedProperties(Component* into) {
        class RestoringFiler final : public Filer {
        public:
            explicit RestoringFiler(std::vector<SavedBinary>& saved) : saved_(saved) {}
            void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>& read,
                                      const std::function<Bytes()>&, bool) override {
                for (const SavedBinary& s : saved_) {
                    if (!s.Touched || !read || s.Name.compare(name, Qt::CaseInsensitive) != 0)
                        continue;
                    try {
                        read(s.Data);
                    } catch (...) {
                        // Best effort: the read error is what gets reported.
                    }
                }
            }

        private:
            std::vector<SavedBinary>& saved_;
        };
        RestoringFiler filer(savedBinaries_);
        try {
            into->DefineProperties(filer);
        } catch (...) {
        }
    }

    void MarkTouched(const String& name) {
        for (SavedBinary& s : savedBinaries_)
            if (s.Name.compare(name, Qt::CaseInsensitive) == 0)
                s.Touched = true;
    }

    void RememberOldValue(const PropertyInfo& info) {
        try {
            switch (info.Kind) {
            case PropKind::String:
                if (info.GetString && info.SetString)
                    restore_.push_back([info, old = info.GetString()] { info.SetString(old); });
                break;
            case PropKind::Component:
                if (info.GetComponent && info.SetComponent) {
                    Component* old = info.GetComponent();
                    if (old)
                        tracker_.Watch(old);
                    restore_.push_back([this, info, old] {
                        if (!old || tracker_.Alive(old))
                            info.SetComponent(old);
                    });
                }
                break;
            default:
                if (info.GetInt && info.SetInt)
                    restore_.push_back([info, old = info.GetInt()] { info.SetInt(old); });
                break;
            }
        } catch (...) {
            // A getter that fails leaves nothing to restore.
        }
    }

    Component* Resolve(const String& name) const {
        for (Component* c : loaded_)
            if (tracker_.Alive(c) && c->Name().compare(name, Qt::CaseInsensitive) == 0)
                return c;
        if (Component* c = root_->FindComponent(name))
            return c;
        if (owner_ && owner_ != root_->Owner())
            if (Component* c = owner_->FindComponent(name))
                return c;
        if (root_->Owner())
            if (Component* c = root_->Owner()->FindComponent(name))
                return c;
        return nullptr;
    }

    // References by name are resolved once the whole tree exists; a name that
    // resolves to nothing leaves the property as it is.
    void FixUpReferences() {
        for (const Fixup& f : fixups_) {
            if (!tracker_.Alive(f.Instance) || !f.Info.SetComponent)
                continue;
            Component* target = Resolve(f.Target);
            if (!target)
                continue;
            if (f.Instance == root_ && into_)
                RememberOldValue(f.Info);
            Guard(f.Position, f.Instance->ClassName() + QLatin1Char('.') + f.Info.Name,
                  [&] { f.Info.SetComponent(target); });
        }
        for (Component* c : loaded_)
            if (tracker_.Alive(c))
                c->SetState(csReading, false);
    }

    void Rollback() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            if (!tracker_.Alive(*it))
                continue;
            try {
                (*it)->Free();
            } catch (...) {
                // Keep freeing the rest.
            }
        }
        for (auto it = restore_.rbegin(); it != restore_.rend(); ++it) {
            try {
                (*it)();
            } catch (...) {
            }
        }
    }

    void CallLoaded() {
        std::exception_ptr first;
        for (std::size_t i = 0; i < loaded_.size(); ++i) {
            Component* c = loaded_[i];
            if (!tracker_.Alive(c))
                continue;
            try {
                c->Loaded();
            } catch (...) {
                if (!first)
                    first = std::current_exception();
            }
            if (tracker_.Alive(c))
                c->SetState(csLoading, false);
        }
        if (first)
            std::rethrow_exception(first);
    }

    Component* owner_;
    Component* parent_;
    Component* root_ = nullptr;
    bool into_ = false;
    LifeTracker tracker_;
    std::vector<Component*> created_;
    std::vector<Component*> loaded_;
    std::map<Component*, const ParsedObject*> pending_;
    std::vector<Fixup> fixups_;
    std::vector<std::function<void()>> restore_;
    std::vector<SavedBinary> savedBinaries_;
};

} // namespace

namespace stream {

ClassSchema SchemaOf(Component* component) {
    ClassSchema schema;
    PropertyList list;
    component->GetProperties(list);
    for (const PropertyInfo& p : list.Items())
        schema.Properties.push_back({p.Name, p.Kind, p.EnumNames});
    NameFiler filer(schema.Binaries);
    component->DefineProperties(filer);
    return schema;
}

} // namespace stream

void ReadComponentInto(const Bytes& data, Component* into) {
    if (!into)
        throw EComponentError(QStringLiteral("No component to read into"));
    const String intoClass = into->ClassName();
    const ClassSchema intoSchema = SchemaOf(into);
    SchemaCache cache;
    const SchemaLookup lookup = [&](const String& className, bool top, String& error) -> const ClassSchema* {
        if (!top)
            return cache.ForClass(className, error);
        if (className.compare(intoClass, Qt::CaseInsensitive) == 0)
            return &intoSchema;
        error = QStringLiteral("The stream holds a %1, not a %2").arg(className, intoClass);
        return nullptr;
    };
    const auto tree = Parse(data, lookup);
    Session session(nullptr, nullptr);
    session.ReadInto(into, *tree);
}

Component* ReadComponent(const Bytes& data, Component* owner, Component* parent) {
    SchemaCache cache;
    const SchemaLookup lookup = [&](const String& className, bool, String& error) {
        return cache.ForClass(className, error);
    };
    const auto tree = Parse(data, lookup);
    Session session(owner, parent);
    return session.ReadNew(*tree);
}

} // namespace tk
