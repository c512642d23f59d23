#pragma once
// Which monitors the lock's covers lie over, and what changes when the monitors change: no
// window involved. The lock window covers the primary monitor, (0,0) and the screen's size;
// every other monitor gets a black cover of its own while the lock and the key wait last.

#include <cstddef>
#include <vector>

#include "Rect.h"

namespace pausarium::reminder {

// A monitor in the desktop's coordinates, as the system reports it to this program.
struct Monitor {
    Rect rect;
    bool primary = false;
};

// The rectangles that need a cover, in the order of the monitors; none lies over the primary. A
// monitor overlapping the primary is covered where it sticks out, if on one side only. None for
// the primary, for a monitor of no size, for one inside the primary (the lock covers it), for one
// sticking out of it on two sides or more, and for one inside another monitor's cover (a cloned
// display reports the same rectangle twice). Without a primary in the list nothing is covered: a
// cover could then lie over the lock.
std::vector<Rect> coverRects(const std::vector<Monitor>& monitors);

// From the covers there are to the covers wanted: a cover already where it is wanted stays, the
// others are moved onto the rectangles still wanted, what is still missing is made and what is
// left over goes.
struct CoverPlan {
    struct Move {
        std::size_t cover;  // index into the covers there are
        Rect to;
    };
    std::vector<Move> moves;
    std::vector<Rect> creates;
    std::vector<std::size_t> destroys;  // indexes into the covers there are, ascending

    bool empty() const { return moves.empty() && creates.empty() && destroys.empty(); }
};

CoverPlan planCovers(const std::vector<Rect>& current, const std::vector<Rect>& wanted);

}  // namespace pausarium::reminder
