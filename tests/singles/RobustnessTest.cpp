// Bad samples from the host must not leave the effects producing NaN or
// infinity, and the effects must keep working afterwards.
#include <gtest/gtest.h>

#include <limits>

#include "tests/singles/SinglesTestKit.h"

using namespace singles_test;

namespace {

struct BadInput {
    const char* what;
    double value;
};

const BadInput kBadInputs[] = {
    {"NaN", std::numeric_limits<double>::quiet_NaN()},
    {"+inf", std::numeric_limits<double>::infinity()},
    {"-inf", -std::numeric_limits<double>::infinity()},
    {"denormal", 4.9e-320},
    {"huge", 1e300},
    {"largest", std::numeric_limits<double>::max()},
};

// `settings`: plain values applied before processing (index, value).
template <class Plug>
void CheckSurvives(std::initializer_list<std::pair<int, double>> settings, int brickwallIndex) {
    for (const BadInput& bad : kBadInputs) {
        for (bool brickwall : {true, false}) {
            SCOPED_TRACE(testing::Message() << bad.what << (brickwall ? ", limiter on" : ""));
            Opened<Plug> o(44100, 256);
            for (const auto& [index, value] : settings) o.SetValue(index, value);
            o.Set(brickwallIndex, brickwall ? 1.0 : 0.0);
            auto l = Sine(256, 0.4, 300, 44100), r = l;
            l[100] = bad.value;
            r[200] = bad.value;
            o.Process(l, r);
            for (int b = 1; b <= 20; ++b) {
                auto bl = Sine(256, 0.4, 300, 44100, b * 256), br = bl;
                o.Process(bl, br);
                ASSERT_TRUE(AllFinite(bl) && AllFinite(br)) << "block " << b;
                if (b == 20) {
                    EXPECT_GT(Peak(bl) + Peak(br), 0.01);  // still making sound
                }
            }
            EXPECT_TRUE(std::isfinite(o.plug->Output().MeterLevel()));
            EXPECT_TRUE(std::isfinite(o.plug->Output().LampValue()));
        }
    }
}

}  // namespace

TEST(SinglesRobustness, PhaserSurvivesBadSamples) {
    CheckSurvives<QuorvexPhaser>({{6, 1.0}, {1, 0.5}}, 8);
}

TEST(SinglesRobustness, ChorusSurvivesBadSamples) {
    CheckSurvives<QuorvexChorus>({{3, 1.0}}, 6);
}

TEST(SinglesRobustness, DriveSurvivesBadSamples) {
    CheckSurvives<QuorvexDrive>({{0, 24.0}, {1, 1.0}}, 3);
}

TEST(SinglesRobustness, SilenceStaysSilentAndFinite) {
    Opened<QuorvexPhaser> ph;
    Opened<QuorvexChorus> ch;
    Opened<QuorvexDrive> dr;
    dr.Set(1, 1.0);
    for (int b = 0; b < 200; ++b) {
        std::vector<double> z(512, 0.0);
        auto a = z, a2 = z, c = z, c2 = z, d = z, d2 = z;
        ph.Process(a, a2);
        ch.Process(c, c2);
        dr.Process(d, d2);
        ASSERT_TRUE(AllFinite(a) && AllFinite(a2) && AllFinite(c) && AllFinite(c2) &&
                    AllFinite(d) && AllFinite(d2));
        EXPECT_LT(Peak(a) + Peak(c) + Peak(d), 1e-6);
    }
}
