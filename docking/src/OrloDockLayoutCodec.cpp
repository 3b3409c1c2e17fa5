#include "OrloDockLayoutCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include <orlodock/tk/exceptions.h>

namespace {

constexpr std::array<char, 4> kSignature{'O', 'D', 'L', 'Y'};
constexpr std::uint16_t kVersion = 1;
constexpr int kVersionAt = 4;
constexpr int kLengthAt = 6;
constexpr int kChecksumAt = 10;

std::uint32_t Crc32(const tk::Bytes& data, qsizetype from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype i = from; i < data.size(); ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutLittleEndian(tk::Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLittleEndian(const tk::Bytes& in, int at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(in[at + i]);
    return value;
}

[[noreturn]] void Corrupt(const tk::String& message, long long position) { throw tk::EReadError(message, position); }

} // namespace

tk::Bytes EncodeLayout(const tk::Bytes& payload) {
    tk::Bytes out;
    out.reserve(kLayoutHeaderSize + payload.size());
    out.append(kSignature.data(), kSignature.size());
    PutLittleEndian(out, kVersion, 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(payload.size()), 4);
    PutLittleEndian(out, Crc32(payload, 0), 4);
    out.append(payload);
    return out;
}

std::uint32_t LayoutPayloadLength(const tk::Bytes& header) {
    if (header.size() < kLayoutHeaderSize)
        Corrupt(tk::String::fromLatin1("Not a dock site layout: %1 bytes are too few").arg(header.size()),
                header.size());
    if (!std::equal(kSignature.begin(), kSignature.end(), header.constData()))
        Corrupt(tk::String::fromLatin1("Not a dock site layout (bad signature)"), 0);
    const std::uint32_t version = GetLittleEndian(header, kVersionAt, 2);
    if (version != kVersion)
        Corrupt(tk::String::fromLatin1("Dock site layout version %1 is not supported").arg(version), kVersionAt);
    const std::uint32_t length = GetLittleEndian(header, kLengthAt, 4);
    if (length > kMaxLayoutPayload)
        Corrupt(tk::String::fromLatin1("Dock site layout says it is %1 bytes long, more than a layout can be (%2)")
                    .arg(length)
                    .arg(kMaxLayoutPayload),
                kLengthAt);
    return length;
}

tk::Bytes DecodeLayout(const tk::Bytes& data) {
    const std::uint32_t length = LayoutPayloadLength(data);
    if (length != static_cast<std::uint32_t>(data.size() - kLayoutHeaderSize))
        Corrupt(tk::String::fromLatin1("Dock site layout is %1 bytes long, its header says %2")
                    .arg(data.size() - kLayoutHeaderSize)
                    .arg(length),
                kLengthAt);
    if (GetLittleEndian(data, kChecksumAt, 4) != Crc32(data, kLayoutHeaderSize))
        Corrupt(tk::String::fromLatin1("Dock site layout is damaged (checksum mismatch)"), kChecksumAt);
    return data.mid(kLayoutHeaderSize);
}
