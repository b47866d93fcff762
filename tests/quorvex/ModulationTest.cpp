// The two modulation laws with known source values.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "products/quorvex/Modulation.h"

namespace quorvex {
namespace {

struct Sources {
    std::vector<double> lfo1, lfo2, follower, adsr;
    BlockSources View() const {
        BlockSources s;
        s.lfo1 = lfo1.data();
        s.lfo2 = lfo2.data();
        s.follower = follower.data();
        s.adsr = adsr.data();
        return s;
    }
};

ModTarget MakeTarget(int source, double strength, int n) {
    ModTarget t;
    t.source = source;
    t.strength = strength;
    t.values.assign(static_cast<size_t>(n), -123.0);
    return t;
}

TEST(ModulationLaw, ShapedLawWorksInKnobTravel) {
    // Cutoff 1000 Hz swept by LFO 1 at full strength: the base sits at
    // ((1000 - 10) / 17990)^(1/2.5) of the travel and the LFO moves it by
    // half the travel either way, limited at the ends.
    Sources src{{0.5, -0.5, 0.0, 0.25}, {}, {}, {}};
    ModTarget t = MakeTarget(kSourceLfo1, 1.0, 4);
    const double* v = RenderShapedModulation(t, 10.0, 18000.0, 1000.0, src.View(), 4, 2.5);
    const double b = std::pow(990.0 / 17990.0, 1.0 / 2.5);
    EXPECT_NEAR(b, 0.3135, 1e-4);
    EXPECT_NEAR(v[0], 10.0 + 17990.0 * std::pow(b + 0.5, 2.5), 1e-9);
    EXPECT_NEAR(v[0], 10748.0, 1.0);
    EXPECT_EQ(v[1], 10.0);            // limited at the bottom of the travel
    EXPECT_NEAR(v[2], 1000.0, 1e-9);  // no excursion keeps the base
    EXPECT_NEAR(t.displayPosition, b + 0.25, 1e-12);
}

TEST(ModulationLaw, LinearLawWorksInWholeRange) {
    // Output 1 with the follower at strength -1: 1 - 2 * envelope, in 0..2.
    Sources src{{}, {}, {0.0, 0.25, 0.5, 0.75, 1.0}, {}};
    ModTarget t = MakeTarget(kSourceFollower, -1.0, 5);
    const double* v = RenderModulation(t, 0.0, 2.0, 1.0, src.View(), 5);
    const double expected[] = {1.0, 0.5, 0.0, 0.0, 0.0};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(v[i], expected[i]) << i;
    EXPECT_EQ(t.displayPosition, 0.0);

    // Limited at the top as well, and the phaser frequency targets span -1..1.
    Sources up{{}, {0.5, -0.5}, {}, {}};
    ModTarget m = MakeTarget(kSourceLfo2, 0.7, 2);
    RenderModulation(m, -1.0, 1.0, 0.0, up.View(), 2);
    EXPECT_NEAR(m.values[0], 0.7, 1e-15);
    EXPECT_NEAR(m.values[1], -0.7, 1e-15);
    EXPECT_NEAR(m.displayPosition, 0.15, 1e-15);
    ModTarget full = MakeTarget(kSourceLfo2, 1.0, 2);
    Sources over{{}, {0.5, -0.5}, {}, {}};
    RenderModulation(full, 0.0, 1.0, 0.9, over.View(), 2);
    EXPECT_EQ(full.values[0], 1.0);
    EXPECT_NEAR(full.values[1], 0.4, 1e-15);
}

TEST(ModulationLaw, EachSourceNumberPicksItsArray) {
    Sources src{{0.1}, {0.2}, {0.3}, {0.4}};
    struct Case {
        int source;
        double expected;
    } cases[] = {{kSourceLfo1, 0.1}, {kSourceAdsr, 0.4}, {kSourceNone, 0.0}, {kSourceFollower, 0.3},
                 {kSourceLfo2, 0.2}, {7, 0.0},           {-1, 0.0}};
    for (const Case& c : cases) {
        ModTarget t = MakeTarget(c.source, 1.0, 1);
        RenderModulation(t, -1.0, 1.0, 0.0, src.View(), 1);
        EXPECT_NEAR(t.values[0], 2.0 * c.expected, 1e-15) << "source " << c.source;
    }
}

TEST(ModulationLaw, WithoutSourceEveryValueIsTheBase) {
    Sources src{{0.5, 0.5}, {}, {}, {}};
    ModTarget t = MakeTarget(kSourceNone, 1.0, 2);
    RenderShapedModulation(t, 0.0, 50.0, 12.5, src.View(), 2, 1.5);
    EXPECT_EQ(t.values[0], 12.5);
    EXPECT_EQ(t.values[1], 12.5);
    EXPECT_NEAR(t.displayPosition, std::pow(0.25, 1.0 / 1.5), 1e-15);
}

TEST(ModulationLaw, EmptyBlockKeepsTheDisplayPosition) {
    Sources src{{0.5}, {}, {}, {}};
    ModTarget t = MakeTarget(kSourceLfo1, 1.0, 1);
    t.displayPosition = 0.42;
    RenderModulation(t, 0.0, 1.0, 0.5, src.View(), 0);
    RenderShapedModulation(t, 0.0, 1.0, 0.5, src.View(), 0, 2.0);
    EXPECT_EQ(t.displayPosition, 0.42);
    EXPECT_EQ(t.values[0], -123.0);
}

}  // namespace
}  // namespace quorvex
