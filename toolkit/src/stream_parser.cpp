#include <QStringDecoder>
#include <cstring>

#include "stream_format.h"
#include <orlodock/tk/exceptions.h>

namespace tk::stream {

namespace {

// Reads the primitive values of a stream, raising EReadError at the offset
// where a value does not fit.
class Cursor {
public:
    explicit Cursor(const Bytes& data) : data_(data) {}

    long long Position() const { return pos_; }
    long long Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    [[noreturn]] static void Fail(const String& message, long long at) { throw EReadError(message, at); }

    bool StartsWith(const char* bytes, std::size_t count) const {
        return static_cast<std::size_t>(data_.size()) >= count && std::memcmp(data_.constData(), bytes, count) == 0;
    }

    void Skip(long long count) {
        Need(count);
        pos_ += count;
    }

    void Need(long long count) const {
        if (count > Remaining())
            Fail(QStringLiteral("Unexpected end of stream"), pos_);
    }

    std::uint8_t U8() {
        Need(1);
        return static_cast<std::uint8_t>(data_[pos_++]);
    }

    std::uint16_t U16() {
        Need(2);
        std::uint16_t v = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        pos_ += 2;
        return v;
    }

    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | Byte(i);
        pos_ += 4;
        return v;
    }

    std::int64_t I64() {
        Need(8);
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | Byte(i);
        pos_ += 8;
        return static_cast<std::int64_t>(v);
    }

    Bytes Blob() {
        const long long at = pos_;
        const std::uint32_t size = U32();
        if (size > Remaining())
            Fail(QStringLiteral("Length %1 exceeds the %2 bytes left in the stream").arg(size).arg(Remaining()), at);
        Bytes b = data_.mid(pos_, size);
        pos_ += size;
        return b;
    }

    String Str(const char* what, bool mayBeEmpty) {
        const long long at = pos_;
        const Bytes raw = Blob();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        String text = decoder.decode(raw);
        if (decoder.hasError())
            Fail(QStringLiteral("Invalid UTF-8 in %1").arg(QLatin1String(what)), at);
        if (!mayBeEmpty && text.isEmpty())
            Fail(QStringLiteral("Empty %1").arg(QLatin1String(what)), at);
        return text;
    }

private:
    std::uint32_t Byte(int offset) const { return static_cast<std::uint8_t>(data_[pos_ + offset]); }

    const Bytes& data_;
    long long pos_ = 0;
};

PropKind KindOfTag(std::uint8_t tag) {
    switch (tag) {
    case tagInteger:
        return PropKind::Integer;
    case tagString:
        return PropKind::String;
    case tagBoolean:
        return PropKind::Boolean;
    case tagEnum:
        return PropKind::Enum;
    default:
        return PropKind::Component;
    }
}

class Parser {
public:
    Parser(const Bytes& data, const SchemaLookup& lookup) : in_(data), lookup_(lookup) {}

    std::unique_ptr<ParsedObject> Run() {
        if (!in_.StartsWith(kSignature, sizeof kSignature))
            Cursor::Fail(QStringLiteral("Not a component stream (bad signature)"), 0);
        in_.Skip(sizeof kSignature);
        const std::uint16_t version = in_.U16();
        if (version == 0)
            Cursor::Fail(QStringLiteral("Invalid stream version 0"), 4);
        if (version > kVersion)
            Cursor::Fail(
                QStringLiteral("Stream version %1 is newer than the supported version %2").arg(version).arg(kVersion),
                4);
        const long long at = in_.Position();
        if (in_.U8() != tagObject)
            Cursor::Fail(QStringLiteral("Object expected"), at);
        auto root = Object(1, at);
        if (!in_.AtEnd())
            Cursor::Fail(QStringLiteral("Unexpected data after the end of the stream"), in_.Position());
        return root;
    }

private:
    std::unique_ptr<ParsedObject> Object(int depth, long long start) {
        if (depth > kMaxDepth)
            Cursor::Fail(QStringLiteral("Objects nested deeper than %1 levels").arg(kMaxDepth), start);
        auto obj = std::make_unique<ParsedObject>();
        obj->Position = start;
        const long long classAt = in_.Position();
        obj->ClassName = in_.Str("class name", false);
        obj->Name = in_.Str("component name", true);
        const ClassSchema* schema = nullptr;
        if (lookup_) {
            String error;
            schema = lookup_(obj->ClassName, depth == 1, error);
            if (!schema)
                Cursor::Fail(error, classAt);
        }
        bool childrenStarted = false;
        for (;;) {
            const long long at = in_.Position();
            const std::uint8_t tag = in_.U8();
            if (tag == tagEnd)
                return obj;
            if (tag == tagObject) {
                childrenStarted = true;
                obj->Children.push_back(Object(depth + 1, at));
                continue;
            }
            const bool isProperty =
                tag == tagInteger || tag == tagString || tag == tagBoolean || tag == tagEnum || tag == tagReference;
            if (!isProperty && tag != tagBinary)
                Cursor::Fail(QStringLiteral("Invalid tag 0x%1").arg(tag, 2, 16, QLatin1Char('0')), at);
            if (childrenStarted)
                Cursor::Fail(QStringLiteral("Property after child objects"), at);
            const String name = in_.Str("property name", false);
            if (Seen(*obj, name))
                Cursor::Fail(QStringLiteral("Property %1 stored twice").arg(name), at);
            if (tag == tagBinary) {
                ParsedBinary b{name, in_.Blob(), at};
                if (schema && !schema->HasBinary(name))
                    Cursor::Fail(QStringLiteral("%1 has no stream property %2").arg(obj->ClassName, name), at);
                obj->Binaries.push_back(std::move(b));
            } else {
                obj->Properties.push_back(Property(tag, name, at, *obj, schema));
            }
        }
    }

    ParsedProperty Property(std::uint8_t tag, const String& name, long long at, const ParsedObject& obj,
                            const ClassSchema* schema) {
        ParsedProperty p;
        p.Name = name;
        p.Kind = KindOfTag(tag);
        p.Position = at;
        switch (tag) {
        case tagInteger:
            p.Int = in_.I64();
            break;
        case tagBoolean: {
            const long long valueAt = in_.Position();
            const std::uint8_t v = in_.U8();
            if (v > 1)
                Cursor::Fail(QStringLiteral("Invalid Boolean value %1").arg(v), valueAt);
            p.Int = v;
            break;
        }
        case tagString:
            p.Text = in_.Str("string value", true);
            break;
        case tagEnum:
            p.Text = in_.Str("enumeration identifier", false);
            break;
        default:
            p.Text = in_.Str("component name", false);
            break;
        }
        if (!schema)
            return p;
        const PropertySchema* s = schema->Find(name);
        if (!s)
            Cursor::Fail(QStringLiteral("%1 has no property %2").arg(obj.ClassName, name), at);
        if (s->Kind != p.Kind)
            Cursor::Fail(QStringLiteral("Property %1.%2 is of kind %3, the stream holds %4")
                             .arg(obj.ClassName, name, KindName(s->Kind), KindName(p.Kind)),
                         at);
        if (p.Kind == PropKind::Enum) {
            qsizetype ordinal = -1;
            for (qsizetype i = 0; i < s->EnumNames.size() && ordinal < 0; ++i)
                if (s->EnumNames[i].compare(p.Text, Qt::CaseInsensitive) == 0)
                    ordinal = i;
            if (ordinal < 0)
                Cursor::Fail(QStringLiteral("Invalid value %1 for property %2.%3").arg(p.Text, obj.ClassName, name),
                             at);
            p.Int = ordinal;
        }
        return p;
    }

    static bool Seen(const ParsedObject& obj, const String& name) {
        for (const ParsedProperty& p : obj.Properties)
            if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        for (const ParsedBinary& b : obj.Binaries)
            if (b.Name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

    Cursor in_;
    const SchemaLookup& lookup_;
};

} // namespace

std::unique_ptr<ParsedObject> Parse(const Bytes& data, const SchemaLookup& lookup) {
    Parser parser(data, lookup);
    return parser.Run();
}

const PropertySchema* ClassSchema::Find(const String& name) const {
    for (const PropertySchema& p : Properties)
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

bool ClassSchema::HasBinary(const String& name) const { return Binaries.contains(name, Qt::CaseInsensitive); }

String KindName(PropKind kind) {
    switch (kind) {
    case PropKind::Integer:
        return QStringLiteral("integer");
    case PropKind::String:
        return QStringLiteral("string");
    case PropKind::Boolean:
        return QStringLiteral("Boolean");
    case PropKind::Enum:
        return QStringLiteral("enumeration");
    case PropKind::Component:
        return QStringLiteral("component reference");
    }
    return {};
}

} // namespace tk::stream
