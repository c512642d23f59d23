#pragma once
// Window-independent decisions of the reminder window: where the address label lies for a
// client size, what a point hits, and which press/release pairs make a click.

#include "Rect.h"
#include "ReminderWindowDesign.h"

namespace pausarium::reminder {

// lbAdress: anchored top and right, fixed size, its right edge kAddressLabel.rightMargin
// pixels from the client area's right edge.
constexpr Rect addressLabelRect(int clientWidth) {
    const auto& d = design::kAddressLabel;
    const int right = clientWidth - d.rightMargin;
    return {right - d.width, d.top, right, d.top + d.height};
}

enum class HitTarget { Nothing, Message, Address };

// lbAdress lies above pnPanel, which fills the whole client area.
constexpr HitTarget hitTest(int clientWidth, int clientHeight, int x, int y) {
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight) return HitTarget::Nothing;
    return addressLabelRect(clientWidth).contains(x, y) ? HitTarget::Address : HitTarget::Message;
}

// A left click is a press and a release on the same target. A release with no press before
// it (the second half of a double click, whose press arrives as a double-click message that
// is ignored) is no click, so a double click counts once.
class ClickTracker {
public:
    void press(HitTarget target) { pressed_ = target; }
    HitTarget release(HitTarget target) {
        const HitTarget pressed = pressed_;
        pressed_ = HitTarget::Nothing;
        return pressed == target ? target : HitTarget::Nothing;
    }
    void cancel() { pressed_ = HitTarget::Nothing; }
    bool pressing() const { return pressed_ != HitTarget::Nothing; }

private:
    HitTarget pressed_ = HitTarget::Nothing;
};

}  // namespace pausarium::reminder
