#pragma once
// The work/rest regimes that "RegimeType" selects, in minutes.

#include <cstdint>

namespace pausarium {

struct Regime {
    std::int32_t workMinutes;    // from the start of a work period to the first notice
    std::int32_t noticeMinutes;  // notices, one a minute, before the lock
    std::int32_t breakMinutes;   // length of the lock
};

inline constexpr Regime kRegimes[] = {
    {27, 3, 5},   // 0: 30/5
    {47, 3, 10},  // 1: 50/10
    {87, 3, 15},  // 2: 90/15
};

inline constexpr std::int32_t kRegime30_5 = 0;
inline constexpr std::int32_t kRegime50_10 = 1;
inline constexpr std::int32_t kRegime90_15 = 2;

inline constexpr bool isKnownRegime(std::int32_t regimeType) {
    return regimeType >= kRegime30_5 && regimeType <= kRegime90_15;
}

// An unknown regime has all minutes 0: its work period never ends.
inline constexpr Regime regimeFor(std::int32_t regimeType) {
    return isKnownRegime(regimeType) ? kRegimes[regimeType] : Regime{0, 0, 0};
}

// "ProtectionLevel" above 0 is the raised level; 0 and negatives are normal.
inline constexpr bool isRaisedProtection(std::int32_t protectionLevel) { return protectionLevel > 0; }

}  // namespace pausarium
