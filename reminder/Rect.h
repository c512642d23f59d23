#pragma once
// A rectangle in pixels, right and bottom edges excluded, as Windows' RECT.

namespace pausarium::reminder {

struct Rect {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace pausarium::reminder
