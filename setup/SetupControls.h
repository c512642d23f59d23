#pragma once
// The state the setup window's controls hold, as a plain model: the logic reads and sets it, the
// Win32 dialog mirrors it. Assigning a value a control already has changes nothing.

#include <cstdint>
#include <string>

#include "Texts.h"

namespace pausarium::setup {

enum class Regime { R30_5 = 0, R50_10 = 1, R90_15 = 2 };
enum class Toggle { Add, Remove };

inline constexpr std::uint32_t kRed = 0x0000FF;    // 0x00BBGGRR
inline constexpr std::uint32_t kGreen = 0x00FF00;

struct SetupControls {
    bool addDown = false;
    bool removeDown = false;
    std::string addCaption = texts::kAddDesign;
    std::string removeCaption = texts::kRemoveDesign;
    Regime checked = Regime::R50_10;
    bool radiosEnabled = false;
    bool trackEnabled = true;
    int trackPosition = 1;  // 0 = raised protection (top), 1 = normal (bottom)
    bool highVisible = false;
    bool normalVisible = true;
    bool noneVisible = true;
    std::uint32_t frameColour = kRed;
    std::string regimeHeading = texts::kRegimeHeading;  // each section's heading strip
    std::string levelHeading = texts::kLevelHeading;
};

}  // namespace pausarium::setup
