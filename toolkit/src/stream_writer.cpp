#include <QByteArray>

#include "stream_format.h"
#include <orlodock/tk/exceptions.h>

namespace tk {

namespace {

using namespace stream;

class Writer final : public Filer {
public:
    explicit Writer(Component* root) : root_(root) {
        out_.append(kSignature, sizeof kSignature);
        U16(kVersion);
    }

    Bytes Take() { return std::move(out_); }

    void Object(Component* c, int depth) {
        if (depth > kMaxDepth)
            throw EComponentError(QStringLiteral("Component tree nested deeper than %1 levels").arg(kMaxDepth));
        const bool wasWriting = c->HasState(csWriting);
        c->SetState(csWriting, true);
        try {
            U8(tagObject);
            Str(c->ClassName());
            Str(c->Name());
            Properties(c);
            c->DefineProperties(*this);
            c->GetChildren([&](Component* child) { Object(child, depth + 1); }, root_);
            U8(tagEnd);
        } catch (...) {
            c->SetState(csWriting, wasWriting);
            throw;
        }
        c->SetState(csWriting, wasWriting);
    }

    void DefineBinaryProperty(const String& name, const std::function<void(const Bytes&)>& read,
                              const std::function<Bytes()>& write, bool hasData) override {
        (void)read;
        if (!hasData || !write)
            return;
        const Bytes data = write();
        U8(tagBinary);
        Str(name);
        Blob(data);
    }

private:
    void Properties(Component* c) {
        PropertyList list;
        c->GetProperties(list);
        for (const PropertyInfo& p : list.Items()) {
            if (p.Stored && !p.Stored())
                continue;
            switch (p.Kind) {
            case PropKind::Integer:
                U8(tagInteger);
                Str(p.Name);
                I64(p.GetInt());
                break;
            case PropKind::Boolean:
                U8(tagBoolean);
                Str(p.Name);
                U8(p.GetInt() != 0 ? 1 : 0);
                break;
            case PropKind::String:
                U8(tagString);
                Str(p.Name);
                Str(p.GetString());
                break;
            case PropKind::Enum: {
                const std::int64_t ordinal = p.GetInt();
                // An ordinal without an identifier cannot be read back; refuse rather than lose it.
                if (ordinal < 0 || ordinal >= p.EnumNames.size())
                    throw EComponentError(QStringLiteral("Value %1 of property %2.%3 has no identifier")
                                              .arg(ordinal)
                                              .arg(c->ClassName(), p.Name));
                U8(tagEnum);
                Str(p.Name);
                Str(p.EnumNames[static_cast<qsizetype>(ordinal)]);
                break;
            }
            case PropKind::Component: {
                // References travel by name: nothing to write for none or for an unnamed component.
                Component* target = p.GetComponent ? p.GetComponent() : nullptr;
                if (!target || target->Name().isEmpty())
                    break;
                U8(tagReference);
                Str(p.Name);
                Str(target->Name());
                break;
            }
            }
        }
    }

    void U8(std::uint8_t v) { out_.append(static_cast<char>(v)); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            U8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I64(std::int64_t value) {
        const auto v = static_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i)
            U8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Blob(const Bytes& data) {
        if (static_cast<unsigned long long>(data.size()) > 0xFFFFFFFFull)
            throw EComponentError(QStringLiteral("Value too large to stream"));
        U32(static_cast<std::uint32_t>(data.size()));
        out_.append(data);
    }
    void Str(const String& s) { Blob(s.toUtf8()); }

    Component* root_;
    Bytes out_;
};

} // namespace

Bytes WriteComponent(Component* component) {
    if (!component)
        throw EComponentError(QStringLiteral("No component to write"));
    Writer writer(component);
    writer.Object(component, 1);
    return writer.Take();
}

} // namespace tk
