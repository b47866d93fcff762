// The editor of one single effect (chosen at build time, with that
// product's images linked in), driven by pointer events without a window.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/editor/IGraphics.h"
#include "framework/editor/IWidget.h"
#include "tests/singles/SinglesTestKit.h"

using namespace singles_test;

namespace {

struct WidgetRow {
    IBox box;
    int param;
};

#if SINGLES_EDITOR == 1
using Product = QuorvexPhaser;
constexpr int kEnglish = 9;
constexpr IBox kHitBox = {204, 231, 245, 336};
const WidgetRow kLayout[] = {
    {{0, 0, 274, 350}, 9},     {{48, 140, 72, 163}, 0},    {{201, 207, 225, 230}, 1},
    {{48, 207, 72, 230}, 2},   {{49, 268, 73, 291}, 3},    {{125, 268, 149, 291}, 4},
    {{201, 268, 225, 291}, 5}, {{125, 204, 149, 227}, 6},  {{126, 73, 167, 85}, 7},
    {{190, 147, 231, 159}, 8}, {{215, 138, 245, 169}, -1}, {{108, 133, 169, 158}, -1},
    {{27, 318, 96, 334}, -1},  {{259, 311, 268, 332}, -1},
};
constexpr int kLamp = 10, kMeter = 11;
#elif SINGLES_EDITOR == 2
using Product = QuorvexChorus;
constexpr int kEnglish = 7;
constexpr IBox kHitBox = {193, 111, 238, 129};
const WidgetRow kLayout[] = {
    {{0, 0, 274, 350}, 7},      {{200, 162, 224, 185}, 0}, {{63, 230, 87, 253}, 1},
    {{50, 162, 74, 185}, 2},    {{186, 230, 210, 253}, 3}, {{125, 260, 149, 283}, 4},
    {{125, 73, 166, 85}, 5},    {{109, 211, 150, 223}, 6}, {{136, 202, 166, 233}, -1},
    {{108, 133, 169, 158}, -1}, {{39, 108, 79, 134}, -1},  {{259, 311, 268, 332}, -1},
};
constexpr int kLamp = 8, kMeter = 9;
#else
using Product = QuorvexDrive;
constexpr int kEnglish = 4;
constexpr IBox kHitBox = {193, 111, 238, 129};
const WidgetRow kLayout[] = {
    {{0, 0, 274, 350}, 4},      {{51, 172, 75, 195}, 0},    {{121, 245, 152, 273}, 1},
    {{195, 162, 236, 174}, 2},  {{186, 190, 227, 202}, 3},  {{221, 153, 251, 184}, -1},
    {{210, 181, 240, 212}, -1}, {{108, 133, 169, 158}, -1}, {{38, 104, 82, 131}, -1},
    {{259, 311, 268, 332}, -1},
};
constexpr int kLamp = 6, kMeter = 7;
#endif

constexpr int kWidgets = static_cast<int>(sizeof(kLayout) / sizeof(kLayout[0]));

bool SameBox(const IBox& a, const IBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::vector<std::uint32_t> Picture(IGraphics& g) {
    g.MarkAllChanged();
    g.RenderArea({0, 0, g.Width(), g.Height()});
    const auto* bits = static_cast<const std::uint32_t*>(g.SurfaceBits());
    return std::vector<std::uint32_t>(bits, bits + g.Width() * g.Height());
}

void Click(IGraphics& g, int x, int y) {
    IMouseKeys keys;
    keys.left = true;
    g.HandlePointerDown(x, y, keys);
    g.HandlePointerUp(x, y);
}

}  // namespace

TEST(SinglesEditor, WidgetsInTheirPlacesAndOrder) {
    Opened<Product> o;
    IGraphics* g = o.plug->Editor();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Width(), 274);
    EXPECT_EQ(g->Height(), 350);
    ASSERT_EQ(g->WidgetCount(), kWidgets);
    for (int i = 0; i < kWidgets; ++i) {
        const IWidget* w = g->WidgetByIndex(i);
        const IBox& b = w->Box();
        EXPECT_TRUE(SameBox(b, kLayout[i].box)) << "widget " << i << " at " << b.left << ","
                                                << b.top << "," << b.right << "," << b.bottom;
        EXPECT_EQ(w->ParamIdx(), kLayout[i].param) << "widget " << i;
    }
    // Lamps and the version plate never take clicks; the background only in its box.
    EXPECT_TRUE(SameBox(g->WidgetByIndex(0)->HitBox(), kHitBox));
    EXPECT_TRUE(g->WidgetByIndex(0)->NoTextEntry());
    EXPECT_TRUE(SameBox(g->WidgetByIndex(kLamp)->HitBox(), IBox{}));
    EXPECT_TRUE(SameBox(g->WidgetByIndex(kWidgets - 1)->HitBox(), IBox{}));
}

TEST(SinglesEditor, TheBowTieSwitchesTheLabelLanguage) {
    Opened<Product> o;
    IGraphics& g = *o.plug->Editor();
    const std::vector<std::uint32_t> english = Picture(g);

    // A click in the panel outside the bow-tie box changes nothing.
    Click(g, 5, 5);
    Click(g, kHitBox.left - 1, kHitBox.top + 1);
    EXPECT_EQ(o.plug->Param(kEnglish)->Value(), 1.0);

    // Every point of the box not covered by a later widget toggles the language.
    int bowTiePoints = 0;
    for (int y = kHitBox.top; y < kHitBox.bottom; y += 3) {
        for (int x = kHitBox.left; x < kHitBox.right; x += 3) {
            const int at = g.WidgetAt(x, y);
            if (at != 0) {
                EXPECT_GT(at, 0) << x << "," << y;  // a knob in the box takes the click
                continue;
            }
            ++bowTiePoints;
            if (bowTiePoints > 3) continue;
            Click(g, x, y);
            EXPECT_EQ(o.plug->Param(kEnglish)->Value(), 0.0);
            const std::vector<std::uint32_t> russian = Picture(g);
            EXPECT_NE(russian, english);
            Click(g, x, y);
            EXPECT_EQ(o.plug->Param(kEnglish)->Value(), 1.0);
            EXPECT_EQ(Picture(g), english);
        }
    }
    EXPECT_GT(bowTiePoints, 10);

    // The host switching the parameter shows the other frame as well.
    o.Set(kEnglish, 0.0);
    EXPECT_EQ(g.WidgetByIndex(0)->Value(), 0.0);
    EXPECT_NE(Picture(g), english);
}

TEST(SinglesEditor, KnobDragReachesTheParameter) {
    Opened<Product> o;
    IGraphics& g = *o.plug->Editor();
    const WidgetRow& knob = kLayout[1];
    const double before = o.plug->Param(knob.param)->Normalized();
    IMouseKeys keys;
    keys.left = true;
    const int x = knob.box.left + 5, y = knob.box.top + 5;
    g.HandlePointerDown(x, y, keys);
    g.HandlePointerDrag(x, y - 30, keys);
    g.HandlePointerUp(x, y - 30);
    // Gearing 6: 30 pixels up on a knob 23 pixels high turn it by 30 / 23 / 6.
    const double h = knob.box.bottom - knob.box.top;
    EXPECT_NEAR(o.plug->Param(knob.param)->Normalized(), std::min(1.0, before + 30.0 / h / 6.0),
                1e-9);
}

TEST(SinglesEditor, LampAndMeterShowWhatTheAudioThreadPublished) {
    Opened<Product> o(44100, 512);
    IGraphics& g = *o.plug->Editor();
    for (int b = 0; b < 5; ++b) {
        auto l = Sine(512, 2.0, 200, 44100, b * 512), r = l;
        o.Process(l, r);
    }
    EXPECT_GT(o.plug->Output().PublishedLamp(), 0.0);
    EXPECT_EQ(g.WidgetByIndex(kLamp)->Value(), o.plug->Output().PublishedLamp());
    EXPECT_EQ(g.WidgetByIndex(kMeter)->Value(), std::min(1.0, o.plug->Output().PublishedMeter()));
}

#if SINGLES_EDITOR == 3
TEST(SinglesEditor, FeedbackLampFollowsTheSwitchAtOnce) {
    Opened<Product> o;
    IGraphics& g = *o.plug->Editor();
    EXPECT_EQ(g.WidgetByIndex(5)->Value(), 1.0);
    Click(g, 200, 167);  // the feedback toggle
    EXPECT_EQ(o.plug->Param(2)->Value(), 0.0);
    EXPECT_EQ(g.WidgetByIndex(5)->Value(), 0.0);
}
#endif
