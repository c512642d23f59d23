// The reminder window's decisions that need no window: where the address label lies, what a
// point hits, and which press/release pairs are clicks.
#include <gtest/gtest.h>

#include "WindowLayout.h"

using namespace pausarium::reminder;

TEST(WindowLayout, AddressLabelIs102By13AtTheTopOnePixelFromTheRightEdge) {
    for (int width : {446, 1024, 1920, 800}) {
        const Rect r = addressLabelRect(width);
        EXPECT_EQ(r.right, width - 1) << width;
        EXPECT_EQ(r.right - r.left, 102) << width;
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.bottom, 13);
    }
}

TEST(WindowLayout, LabelLiesAboveTheMessageWhichFillsTheRest) {
    const int w = 1024, h = 768;
    EXPECT_EQ(hitTest(w, h, w - 2, 0), HitTarget::Address);
    EXPECT_EQ(hitTest(w, h, w - 1 - 102, 12), HitTarget::Address);
    EXPECT_EQ(hitTest(w, h, w - 1, 0), HitTarget::Message);      // the 1-pixel gap
    EXPECT_EQ(hitTest(w, h, w - 1 - 103, 0), HitTarget::Message);  // left of the label
    EXPECT_EQ(hitTest(w, h, w - 10, 13), HitTarget::Message);      // below it
    EXPECT_EQ(hitTest(w, h, 0, 0), HitTarget::Message);
    EXPECT_EQ(hitTest(w, h, w / 2, h / 2), HitTarget::Message);
    EXPECT_EQ(hitTest(w, h, -1, 5), HitTarget::Nothing);  // released outside, under capture
    EXPECT_EQ(hitTest(w, h, 5, h), HitTarget::Nothing);
    EXPECT_EQ(hitTest(0, 0, 0, 0), HitTarget::Nothing);   // the zero-size first show
}

TEST(WindowLayout, AClickIsPressAndReleaseOnTheSameTarget) {
    ClickTracker clicks;
    clicks.press(HitTarget::Message);
    EXPECT_TRUE(clicks.pressing());
    EXPECT_EQ(clicks.release(HitTarget::Message), HitTarget::Message);
    EXPECT_FALSE(clicks.pressing());

    clicks.press(HitTarget::Address);
    EXPECT_EQ(clicks.release(HitTarget::Address), HitTarget::Address);

    // Pressed on the label, released on the message (or the other way): no click at all.
    clicks.press(HitTarget::Address);
    EXPECT_EQ(clicks.release(HitTarget::Message), HitTarget::Nothing);
    clicks.press(HitTarget::Message);
    EXPECT_EQ(clicks.release(HitTarget::Address), HitTarget::Nothing);
    clicks.press(HitTarget::Message);
    EXPECT_EQ(clicks.release(HitTarget::Nothing), HitTarget::Nothing);
}

TEST(WindowLayout, ADoubleClickCountsOnce) {
    // down, up, (second down arrives as a double-click message and is ignored), up
    ClickTracker clicks;
    int counted = 0;
    clicks.press(HitTarget::Message);
    if (clicks.release(HitTarget::Message) == HitTarget::Message) ++counted;
    if (clicks.release(HitTarget::Message) == HitTarget::Message) ++counted;
    EXPECT_EQ(counted, 1);
}

TEST(WindowLayout, LostCaptureCancelsThePress) {
    ClickTracker clicks;
    clicks.press(HitTarget::Message);
    clicks.cancel();
    EXPECT_EQ(clicks.release(HitTarget::Message), HitTarget::Nothing);
}
