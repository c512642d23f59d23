#pragma once
// How long ago the user's last input was, from two 32-bit millisecond tick counts (GetTickCount
// and GetLastInputInfo's dwTime). The difference is taken modulo 2^32, so it is right across
// the counter's wrap after 49.7 days; a last input stamped ahead of now (the input's time is
// not guaranteed to grow, and SendInput may supply its own) counts as input just now.

#include <cstdint>

namespace pausarium::reminder {

inline std::int64_t msSinceInputTick(std::uint32_t nowTick, std::uint32_t lastInputTick) {
    const auto since = static_cast<std::int32_t>(nowTick - lastInputTick);
    return since < 0 ? 0 : since;
}

}  // namespace pausarium::reminder
