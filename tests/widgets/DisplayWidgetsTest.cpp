// Display widgets the plug-in feeds: the glow lamp, the needle and the
// version digits.
#include <gtest/gtest.h>

#include <cmath>

#include "WidgetTestKit.h"
#include "products/quorvex/widgets/IGlowLampWidget.h"
#include "products/quorvex/widgets/INeedleWidget.h"
#include "products/quorvex/widgets/IVersionDigitsWidget.h"

using namespace quorvex;
using namespace widgets_test;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TEST(GlowLamp, AddsItsGlowWeightedByTheValue) {
    WidgetFixture f;
    int index;
    // Glow colour 0x80, 0x40, 0x20 on a panel of 0x20 grey.
    auto* lamp =
        f.Add(new IGlowLampWidget(f.plug.get(), 40, 50, f.Strip(30, 31, 1, 0xFF804020u)), &index);
    EXPECT_EQ(lamp->Box(), (IBox{40, 50, 70, 81}));
    struct Case {
        double value;
        int r, g, b;
    } cases[] = {{0.0, 0x20, 0x20, 0x20}, {0.5, 0x60, 0x40, 0x30}, {1.0, 0xA0, 0x60, 0x40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const IBlendSpec replace{BlendReplace, 1.0f};
        f.graphics->FillBox({255, 0x20, 0x20, 0x20}, {0, 0, 400, 300}, &replace);
        f.graphics->ApplyWidgetFromPlug(index, c.value);
        f.graphics->Draw(index);
        ASSERT_EQ(f.graphics->blits.size(), 1u);
        EXPECT_EQ(f.graphics->blits[0].blend.kind, BlendAdd);
        EXPECT_FLOAT_EQ(f.graphics->blits[0].blend.weight, float(c.value));
        for (auto [x, y] : {std::pair{40, 50}, {69, 80}, {55, 65}}) {
            const IArgb p = f.graphics->ReadPixel(x, y);
            EXPECT_NEAR(p.r, c.r, 2) << x << "," << y;
            EXPECT_NEAR(p.g, c.g, 2);
            EXPECT_NEAR(p.b, c.b, 2);
        }
        EXPECT_EQ(f.graphics->ReadPixel(70, 81).r, 0x20);  // outside the lamp
    }
}

TEST(GlowLamp, NeverTakesClicks) {
    WidgetFixture f;
    f.Add(new IGlowLampWidget(f.plug.get(), 40, 50, f.Strip(30, 31, 1)));
    EXPECT_EQ(f.graphics->WidgetAt(55, 65), -1);
    // Values beyond the range, from a misbehaving feed, are held to it.
    f.graphics->ApplyWidgetFromPlug(0, 3.0);
    EXPECT_EQ(f.graphics->WidgetByIndex(0)->Value(), 1.0);
    f.graphics->ApplyWidgetFromPlug(0, std::nan(""));
    EXPECT_EQ(f.graphics->WidgetByIndex(0)->Value(), 0.0);
}

TEST(Needle, BoxHoldsTheSweepAndTheLineTurnsWithTheValue) {
    WidgetFixture f;
    const double a0 = -0.6 * kPi, a1 = 0.55 * kPi;
    int inner, outer;
    auto* n1 = f.Add(new INeedleWidget(f.plug.get(), {255, 255, 255, 0}, {BlendAdd, 0.85f}, 397,
                                       106, a0, a1, 30, 52),
                     &inner);
    auto* n2 = f.Add(new INeedleWidget(f.plug.get(), {255, 0, 255, 0}, {BlendAdd, 0.85f}, 397, 106,
                                       a0, a1, 63, 77),
                     &outer);
    // Reaches 52 up and sideways, and trunc(cos(0.4 pi) * 52) = 16 below.
    EXPECT_EQ(n1->Box(), (IBox{337, 46, 457, 130}));
    EXPECT_EQ(n2->Box(), (IBox{312, 21, 482, 137}));
    EXPECT_EQ(n1->HitBox(), n1->Box());
    EXPECT_EQ(n1->ParamIdx(), -1);

    for (double v : {0.0, 0.2008, 1.0}) {
        SCOPED_TRACE(v);
        f.graphics->ApplyWidgetFromPlug(inner, v);
        f.graphics->Draw(inner);
        // The outer needle's box holds the inner one's, so both are drawn;
        // the inner one first.
        ASSERT_EQ(f.graphics->lines.size(), 2u);
        const LineCall& l = f.graphics->lines[0];
        const double a = a0 + (a1 - a0) * v;
        EXPECT_NEAR(l.x1, 397 + std::sin(a) * 30, 1e-3);
        EXPECT_NEAR(l.y1, 106 - std::cos(a) * 30, 1e-3);
        EXPECT_NEAR(l.x2, 397 + std::sin(a) * 52, 1e-3);
        EXPECT_NEAR(l.y2, 106 - std::cos(a) * 52, 1e-3);
        EXPECT_EQ(l.colour, (IArgb{255, 255, 255, 0}));
        EXPECT_EQ(l.blend.kind, BlendAdd);
        EXPECT_FLOAT_EQ(l.blend.weight, 0.85f);
        EXPECT_TRUE(l.antialias);
        // Both ends lie inside the box, so a redraw of the box covers it.
        for (auto [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}}) {
            EXPECT_TRUE(n1->Box().left <= x && x < n1->Box().right);
            EXPECT_TRUE(n1->Box().top <= y && y < n1->Box().bottom);
        }
    }
}

TEST(Needle, ANeedleAboveTheCentreLineKeepsItsCentreInTheBox) {
    WidgetFixture f;
    auto* n =
        f.Add(new INeedleWidget(f.plug.get(), {}, {}, 100, 100, -0.25 * kPi, 0.25 * kPi, 0, 40));
    EXPECT_EQ(n->Box(), (IBox{52, 52, 148, 108}));
}

TEST(VersionDigits, DrawMinorAndBugfixDigitsSideBySide) {
    struct Case {
        int version, first, second;
    } cases[] = {{0x10002, 0, 2}, {0x1030F, 3, 5}, {0x20C07, 2, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        WidgetFixture f(c.version);
        IImageStrip digits = f.Strip(5, 7, 10);
        int index;
        auto* w =
            f.Add(new IVersionDigitsWidget(f.plug.get(), {426, 3, 448, 9}, digits, 9, 1), &index);
        EXPECT_EQ(w->FirstDigit(), c.first);
        EXPECT_EQ(w->SecondDigit(), c.second);
        EXPECT_FALSE(w->Contains(430, 5));
        f.graphics->Draw(index);
        ASSERT_EQ(f.graphics->blits.size(), 2u);
        EXPECT_EQ(f.graphics->blits[0].box, (IBox{426, 3, 431, 10}));
        EXPECT_EQ(f.graphics->blits[0].srcY, 7 * c.first);
        EXPECT_EQ(f.graphics->blits[1].box, (IBox{435, 4, 440, 11}));
        EXPECT_EQ(f.graphics->blits[1].srcY, 7 * c.second);
        EXPECT_EQ(f.graphics->blits[0].blend.kind, -1);  // the default blend
    }
}
