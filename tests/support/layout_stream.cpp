#include "layout_stream.h"

#include <array>
#include <stdexcept>

namespace {

constexpr int kEnvelopeSize = 14;

std::uint32_t Crc32(const tk::Bytes& data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char byte : data) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1u) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void Put(tk::Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutText(tk::Bytes& out, const std::string& text) {
    Put(out, text.size(), 4);
    out.append(text.data(), static_cast<qsizetype>(text.size()));
}

class Parser {
public:
    explicit Parser(const tk::Bytes& data) : data_(data) {}

    StreamObject Stream() {
        if (data_.left(4) != tk::Bytes("TKCS"))
            throw std::runtime_error("not a component stream");
        at_ = 6;
        if (Byte() != 0x01)
            throw std::runtime_error("no object");
        return Object();
    }

private:
    std::uint64_t Get(int bytes) {
        if (at_ + bytes > data_.size())
            throw std::runtime_error("stream ends early");
        std::uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | static_cast<std::uint8_t>(data_[at_ + i]);
        at_ += bytes;
        return value;
    }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Get(1)); }
    std::string Text() {
        const auto size = static_cast<qsizetype>(Get(4));
        if (size > data_.size() - at_)
            throw std::runtime_error("text past the end");
        std::string text(data_.constData() + at_, static_cast<std::size_t>(size));
        at_ += size;
        return text;
    }

    StreamObject Object() {
        StreamObject object;
        object.Class = Text();
        object.Name = Text();
        for (;;) {
            const std::uint8_t tag = Byte();
            if (tag == 0x00)
                return object;
            if (tag == 0x01) {
                object.Children.push_back(Object());
                continue;
            }
            StreamProperty property;
            property.Tag = tag;
            property.Name = Text();
            if (tag == 0x10)
                property.Int = static_cast<std::int64_t>(Get(8));
            else if (tag == 0x12)
                property.Int = Byte();
            else
                property.Text = Text();
            object.Properties.push_back(std::move(property));
        }
    }

    const tk::Bytes& data_;
    qsizetype at_ = 0;
};

void Encode(tk::Bytes& out, const StreamObject& object) {
    out.append(char(0x01));
    PutText(out, object.Class);
    PutText(out, object.Name);
    for (const StreamProperty& property : object.Properties) {
        out.append(static_cast<char>(property.Tag));
        PutText(out, property.Name);
        if (property.Tag == 0x10)
            Put(out, static_cast<std::uint64_t>(property.Int), 8);
        else if (property.Tag == 0x12)
            Put(out, static_cast<std::uint64_t>(property.Int), 1);
        else
            PutText(out, property.Text);
    }
    for (const StreamObject& child : object.Children)
        Encode(out, child);
    out.append(char(0x00));
}

} // namespace

StreamProperty* StreamObject::Find(const std::string& name) {
    for (StreamProperty& property : Properties)
        if (property.Name == name)
            return &property;
    return nullptr;
}

void StreamObject::SetInt(const std::string& name, std::int64_t value) {
    if (StreamProperty* property = Find(name))
        property->Int = value;
    else
        Properties.push_back({0x10, name, value, {}});
}

void StreamObject::SetText(const std::string& name, const std::string& value) {
    if (StreamProperty* property = Find(name))
        property->Text = value;
    else
        Properties.push_back({0x11, name, 0, value});
}

StreamObject ParseLayout(const tk::Bytes& layout) {
    const tk::Bytes payload = layout.mid(kEnvelopeSize);
    return Parser(payload).Stream();
}

tk::Bytes EncodeStream(const StreamObject& root) {
    tk::Bytes out("TKCS");
    Put(out, 1, 2);
    Encode(out, root);
    return out;
}

tk::Bytes BuildLayout(const StreamObject& root) { return WrapLayout(EncodeStream(root)); }

tk::Bytes WrapLayout(const tk::Bytes& payload) {
    tk::Bytes out("ODLY");
    Put(out, 1, 2);
    Put(out, static_cast<std::uint64_t>(payload.size()), 4);
    Put(out, Crc32(payload), 4);
    out.append(payload);
    return out;
}
