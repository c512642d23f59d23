#pragma once
// The monitors that make the desktop: asked of the system by the reminder window, given by the
// tests as they like.

#include <optional>
#include <vector>

#include "CoverLayout.h"

namespace pausarium::reminder {

class MonitorList {
public:
    virtual ~MonitorList() = default;
    // Every monitor, or nothing when the system cannot tell.
    virtual std::optional<std::vector<Monitor>> monitors() = 0;
};

}  // namespace pausarium::reminder
