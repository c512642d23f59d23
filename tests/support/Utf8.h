#pragma once
// Windows-1251 text back to UTF-8, so that tests can state expected texts readably.

#include <string>

namespace pausarium::testing {

inline std::string toUtf8(const std::string& cp1251) {
    std::string out;
    for (unsigned char c : cp1251) {
        char32_t cp = c;
        if (c >= 0xC0) cp = 0x0410 + (c - 0xC0);
        else if (c == 0xA8) cp = 0x0401;
        else if (c == 0xB8) cp = 0x0451;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace pausarium::testing
