#pragma once
// Visible texts are written in the source as UTF-8 and turned into Windows-1251 bytes by the
// compiler: cp1251(u8"...") yields a fixed array of single-byte text for the ANSI Win32 calls.
// A character outside ASCII and the Cyrillic block of Windows-1251 stops the build.

#include <cstddef>
#include <string>
#include <string_view>

namespace pausarium {

template <std::size_t Capacity>
struct Cp1251Text {
    char bytes[Capacity]{};
    std::size_t length = 0;

    constexpr const char* c_str() const { return bytes; }
    constexpr std::string_view view() const { return {bytes, length}; }
    std::string str() const { return std::string(bytes, length); }
    operator std::string() const { return str(); }
};

namespace detail {

// Maps one Unicode code point to its Windows-1251 byte; only the letters the product uses.
consteval unsigned char cp1251Byte(char32_t cp) {
    if (cp < 0x80) return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    if (cp == 0x0401) return 0xA8;  // Ё
    if (cp == 0x0451) return 0xB8;  // ё
    if (cp == 0x00AB) return 0xAB;  // «
    if (cp == 0x00BB) return 0xBB;  // »
    if (cp == 0x2014) return 0x97;  // —
    if (cp == 0x2116) return 0xB9;  // №
    throw "character has no Windows-1251 byte";  // not a constant expression: build error
}

}  // namespace detail

template <std::size_t N>
consteval Cp1251Text<N> cp1251(const char8_t (&utf8)[N]) {
    Cp1251Text<N> out{};
    std::size_t i = 0;
    while (i + 1 < N) {  // the last element is the literal's terminating zero
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        std::size_t extra = 0;
        if (lead < 0x80) { cp = lead; }
        else if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1F; extra = 1; }
        else if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0F; extra = 2; }
        else { throw "unsupported UTF-8 sequence"; }
        for (std::size_t k = 1; k <= extra; ++k) {
            const unsigned char cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) throw "broken UTF-8 sequence";
            cp = (cp << 6) | (cont & 0x3F);
        }
        out.bytes[out.length++] = static_cast<char>(detail::cp1251Byte(cp));
        i += extra + 1;
    }
    return out;
}

}  // namespace pausarium
