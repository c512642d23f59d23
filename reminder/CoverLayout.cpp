#include "CoverLayout.h"

#include <algorithm>
#include <optional>

namespace pausarium::reminder {
namespace {

bool hasNoArea(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// What of `monitor` the lock over `primary` leaves uncovered, when a cover can take it without
// lying over the lock. Windows lays monitors side by side, but the rectangles it gives a program
// that is not DPI-aware are scaled per monitor and can overlap. A monitor that sticks out of the
// primary on one side only is covered where it sticks out; one that sticks out on two sides or
// more leaves no rectangle outside the primary and gets no cover.
std::optional<Rect> uncoveredPart(const Rect& monitor, const Rect& primary) {
    if (!overlap(monitor, primary)) return monitor;
    const Rect& m = monitor;
    const Rect& p = primary;
    const bool withinRows = m.top >= p.top && m.bottom <= p.bottom;
    const bool withinColumns = m.left >= p.left && m.right <= p.right;
    if (withinRows && m.right <= p.right) return Rect{m.left, m.top, p.left, m.bottom};     // left
    if (withinRows && m.left >= p.left) return Rect{p.right, m.top, m.right, m.bottom};     // right
    if (withinColumns && m.bottom <= p.bottom) return Rect{m.left, m.top, m.right, p.top};  // above
    if (withinColumns && m.top >= p.top) return Rect{m.left, p.bottom, m.right, m.bottom};  // below
    return std::nullopt;
}

}  // namespace

std::vector<Rect> coverRects(const std::vector<Monitor>& monitors) {
    const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
    if (primary == monitors.end()) return {};
    std::vector<Rect> candidates;
    for (const Monitor& m : monitors) {
        if (m.primary || hasNoArea(m.rect) || inside(m.rect, primary->rect)) continue;
        if (const auto part = uncoveredPart(m.rect, primary->rect)) candidates.push_back(*part);
    }
    std::vector<Rect> wanted;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        bool coveredByOther = false;
        for (std::size_t j = 0; j < candidates.size() && !coveredByOther; ++j) {
            // Of two equal rectangles the first is kept.
            coveredByOther = j != i && inside(candidates[i], candidates[j]) && (candidates[i] != candidates[j] || j < i);
        }
        if (!coveredByOther) wanted.push_back(candidates[i]);
    }
    return wanted;
}

CoverPlan planCovers(const std::vector<Rect>& current, const std::vector<Rect>& wanted) {
    CoverPlan plan;
    std::vector<bool> used(current.size(), false);
    std::vector<Rect> missing;
    for (const Rect& w : wanted) {
        std::size_t i = 0;
        while (i < current.size() && (used[i] || current[i] != w)) ++i;
        if (i < current.size()) used[i] = true;
        else missing.push_back(w);
    }
    std::size_t next = 0;
    for (const Rect& w : missing) {
        while (next < current.size() && used[next]) ++next;
        if (next < current.size()) {
            plan.moves.push_back({next, w});
            used[next] = true;
        } else {
            plan.creates.push_back(w);
        }
    }
    for (std::size_t i = 0; i < current.size(); ++i)
        if (!used[i]) plan.destroys.push_back(i);
    return plan;
}

}  // namespace pausarium::reminder
