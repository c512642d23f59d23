// Which monitors get a cover during the lock, and what changes when the monitors change.
#include <gtest/gtest.h>

#include <vector>

#include "CoverLayout.h"

using namespace pausarium::reminder;

namespace {

constexpr Rect kPrimary{0, 0, 1024, 768};
constexpr Rect kLeft{-800, 0, 0, 600};             // left of the primary: negative coordinates
constexpr Rect kRightPortrait{1024, -256, 1792, 768};  // portrait, reaching above the primary
constexpr Rect kAbove{0, -1080, 1920, 0};

Monitor primary(Rect r) { return {r, true}; }
Monitor other(Rect r) { return {r, false}; }

}  // namespace

TEST(CoverLayout, EveryOtherMonitorIsCoveredExactly) {
    EXPECT_EQ(coverRects({primary(kPrimary)}), std::vector<Rect>{});
    EXPECT_EQ(coverRects({other(kLeft), primary(kPrimary)}), std::vector<Rect>{kLeft});
    EXPECT_EQ(coverRects({primary(kPrimary), other(kRightPortrait), other(kLeft), other(kAbove)}),
              (std::vector<Rect>{kRightPortrait, kLeft, kAbove}));
}

TEST(CoverLayout, MonitorsThatNeedNoCover) {
    const std::vector<Monitor> monitors{
        primary(kPrimary),
        other({-800, 0, -800, 600}),  // no width
        other({-800, 0, 0, -5}),      // negative height
        other({0, 0, 1024, 768}),     // a clone of the primary
        other({100, 100, 500, 400}),  // inside the primary
        other(kLeft),
        other(kLeft),                 // a cloned secondary: one cover
        other({-700, 100, -100, 500}),  // inside another monitor's cover
    };
    EXPECT_EQ(coverRects(monitors), std::vector<Rect>{kLeft});
    // No primary in the list: a cover could lie over the lock, so there is none.
    EXPECT_EQ(coverRects({other(kLeft), other(kAbove)}), std::vector<Rect>{});
}

TEST(CoverLayout, AMonitorOverlappingThePrimaryIsCoveredOnlyOutsideIt) {
    const auto coverOf = [](Rect monitor) { return coverRects({primary(kPrimary), other(monitor)}); };
    EXPECT_EQ(coverOf({-100, 0, 900, 768}), (std::vector<Rect>{Rect{-100, 0, 0, 768}}));
    EXPECT_EQ(coverOf({900, 68, 1900, 700}), (std::vector<Rect>{Rect{1024, 68, 1900, 700}}));
    EXPECT_EQ(coverOf({0, -500, 1024, 100}), (std::vector<Rect>{Rect{0, -500, 1024, 0}}));
    EXPECT_EQ(coverOf({24, 700, 1000, 1400}), (std::vector<Rect>{Rect{24, 768, 1000, 1400}}));
    // Out on two sides (a corner, both ends, or all round the primary): no cover over the lock.
    EXPECT_EQ(coverOf({900, 700, 1900, 1400}), std::vector<Rect>{});
    EXPECT_EQ(coverOf({-10, 100, 1100, 200}), std::vector<Rect>{});
    EXPECT_EQ(coverOf({-100, -100, 1200, 900}), std::vector<Rect>{});
}

TEST(CoverLayout, ThePrimarySwitched) {
    // The left monitor made primary: Windows moves the origin to it, the old primary is covered.
    const std::vector<Monitor> before{primary(kPrimary), other(kLeft)};
    const std::vector<Monitor> after{other({800, 0, 1824, 768}), primary({0, 0, 800, 600})};
    EXPECT_EQ(coverRects(before), std::vector<Rect>{kLeft});
    EXPECT_EQ(coverRects(after), (std::vector<Rect>{Rect{800, 0, 1824, 768}}));
    // A cover moves rather than one going and another coming.
    const CoverPlan plan = planCovers(coverRects(before), coverRects(after));
    ASSERT_EQ(plan.moves.size(), 1u);
    EXPECT_EQ(plan.moves[0].cover, 0u);
    EXPECT_EQ(plan.moves[0].to, (Rect{800, 0, 1824, 768}));
    EXPECT_TRUE(plan.creates.empty());
    EXPECT_TRUE(plan.destroys.empty());
}

TEST(CoverLayout, PlanKeepsWhatIsInPlaceAndChangesOnlyTheRest) {
    const std::vector<Rect> two{kLeft, kRightPortrait};
    EXPECT_TRUE(planCovers(two, two).empty());
    EXPECT_TRUE(planCovers({}, {}).empty());

    // Added and removed.
    CoverPlan plan = planCovers({kLeft}, {kLeft, kAbove});
    EXPECT_TRUE(plan.moves.empty());
    EXPECT_EQ(plan.creates, std::vector<Rect>{kAbove});
    plan = planCovers(two, {kRightPortrait});
    EXPECT_TRUE(plan.moves.empty() && plan.creates.empty());
    EXPECT_EQ(plan.destroys, std::vector<std::size_t>{0});
    plan = planCovers(two, {});
    EXPECT_EQ(plan.destroys, (std::vector<std::size_t>{0, 1}));

    // One gone and one come at once: the cover of the gone one moves to the new one; the cover
    // in place stays where it is, whatever the order of the list.
    plan = planCovers({kLeft, kRightPortrait}, {kAbove, kRightPortrait});
    ASSERT_EQ(plan.moves.size(), 1u);
    EXPECT_EQ(plan.moves[0].cover, 0u);
    EXPECT_EQ(plan.moves[0].to, kAbove);
    EXPECT_TRUE(plan.creates.empty() && plan.destroys.empty());

    // More wanted than there are, and fewer.
    plan = planCovers({kLeft}, {kAbove, kRightPortrait});
    ASSERT_EQ(plan.moves.size(), 1u);
    EXPECT_EQ(plan.creates, std::vector<Rect>{kRightPortrait});
    plan = planCovers({kLeft, kAbove, kRightPortrait}, {kPrimary});
    ASSERT_EQ(plan.moves.size(), 1u);
    EXPECT_EQ(plan.destroys, (std::vector<std::size_t>{1, 2}));
}
