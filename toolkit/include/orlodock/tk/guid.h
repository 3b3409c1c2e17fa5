#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include <orlodock/tk/tkstring.h>

namespace tk {

// A 128-bit interface or zone identifier. Parse accepts the braced
// 38-character text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (either
// case) and is constexpr so interface identifiers are checked at compile time.
struct Guid {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};

    static constexpr Guid Parse(std::string_view text) {
        if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
            text[19] != '-' || text[24] != '-')
            throw "malformed GUID text";
        auto hex = [&](std::size_t pos, std::size_t digits) {
            std::uint32_t v = 0;
            for (std::size_t i = 0; i < digits; ++i) {
                char c = text[pos + i];
                int d = (c >= '0' && c <= '9')   ? c - '0'
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                 : -1;
                if (d < 0)
                    throw "malformed GUID text";
                v = (v << 4) | static_cast<std::uint32_t>(d);
            }
            return v;
        };
        Guid g;
        g.D1 = hex(1, 8);
        g.D2 = static_cast<std::uint16_t>(hex(10, 4));
        g.D3 = static_cast<std::uint16_t>(hex(15, 4));
        g.D4[0] = static_cast<std::uint8_t>(hex(20, 2));
        g.D4[1] = static_cast<std::uint8_t>(hex(22, 2));
        for (std::size_t i = 0; i < 6; ++i)
            g.D4[2 + i] = static_cast<std::uint8_t>(hex(25 + 2 * i, 2));
        return g;
    }

    // Non-throwing parse for run-time text; false when the text is malformed.
    static bool TryParse(const String& text, Guid& out);

    // Braced, upper-case, 38 characters.
    String ToString() const;

    friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

// A freshly generated GUID in its braced upper-case text form (zone identifiers).
String CreateGuidString();

} // namespace tk
