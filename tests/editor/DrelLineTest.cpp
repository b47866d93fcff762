// The line routine: clipping, straight runs, the stepping walk and its
// anti-aliased form, drawn white over black on an 8 x 8 surface.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "framework/editor/Drel.h"

namespace {
using Pixels = std::map<std::pair<int, int>, int>;  // (x, y) -> red channel, drawn only

struct LineCase {
    const char* what;
    float x1, y1, x2, y2;
    bool antialias;
    Pixels expected;  // every pixel not listed stays black
};

const LineCase kLines[] = {
    {"diagonal",
     0,
     0,
     4,
     4,
     false,
     {{{0, 0}, 255}, {{1, 1}, 255}, {{2, 2}, 255}, {{3, 3}, 255}, {{4, 4}, 255}}},
    {"diagonal anti-aliased stops short",
     0,
     0,
     4,
     4,
     true,
     {{{0, 0}, 255}, {{1, 1}, 255}, {{2, 2}, 255}, {{3, 3}, 255}}},
    {"shallow",
     0,
     0,
     4,
     2,
     false,
     {{{0, 0}, 255}, {{1, 0}, 255}, {{2, 1}, 255}, {{3, 1}, 255}, {{4, 2}, 255}}},
    {"shallow anti-aliased",
     0,
     0,
     4,
     2,
     true,
     {{{0, 0}, 255}, {{1, 0}, 127}, {{1, 1}, 127}, {{2, 1}, 255}, {{3, 1}, 127}, {{3, 2}, 127}}},
    {"steep backwards",
     1,
     4,
     0,
     0,
     false,
     {{{1, 4}, 255}, {{1, 3}, 255}, {{1, 2}, 255}, {{0, 1}, 255}, {{0, 0}, 255}}},
    {"vertical run upwards",
     3,
     6,
     3,
     1,
     true,
     {{{3, 1}, 255}, {{3, 2}, 255}, {{3, 3}, 255}, {{3, 4}, 255}, {{3, 5}, 255}, {{3, 6}, 255}}},
    {"single point", 2.9f, 5.7f, 2.2f, 5.1f, false, {{{2, 5}, 255}}},
    {"clipped horizontal",
     -10,
     5,
     10,
     5,
     false,
     {{{0, 5}, 255},
      {{1, 5}, 255},
      {{2, 5}, 255},
      {{3, 5}, 255},
      {{4, 5}, 255},
      {{5, 5}, 255},
      {{6, 5}, 255},
      {{7, 5}, 255}}},
    {"clipped on both ends",
     -4,
     -4,
     11,
     11,
     false,
     {{{0, 0}, 255},
      {{1, 1}, 255},
      {{2, 2}, 255},
      {{3, 3}, 255},
      {{4, 4}, 255},
      {{5, 5}, 255},
      {{6, 6}, 255},
      {{7, 7}, 255}}},
    {"wholly outside", -5, -5, -1, -10, false, {}},
    {"outside across a corner", -3, 2, 2, -3, false, {}},
    {"absurd coordinates",
     -1e30f,
     3,
     1e30f,
     3,
     false,
     {{{0, 3}, 255},
      {{1, 3}, 255},
      {{2, 3}, 255},
      {{3, 3}, 255},
      {{4, 3}, 255},
      {{5, 3}, 255},
      {{6, 3}, 255},
      {{7, 3}, 255}}},
};

class Line : public testing::TestWithParam<LineCase> {};

TEST_P(Line, DrawsExactlyTheExpectedPixels) {
    const LineCase& c = GetParam();
    DrelMemorySurface s(8, 8);
    for (int i = 0; i < 64; ++i) s.Bits()[i] = 0xFF000000;
    DrelLine(&s, c.x1, c.y1, c.x2, c.y2, 0xFFFFFFFF, 1.0f, DrelModeCopy, c.antialias);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            auto it = c.expected.find({x, y});
            const int want = it == c.expected.end() ? 0 : it->second;
            EXPECT_EQ(int((s.Row(y)[x] >> 16) & 255), want) << c.what << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, Line, testing::ValuesIn(kLines));

TEST(DrelLineGate, ModeAndOpacityDecideWhetherAnythingIsDrawn) {
    struct Gate {
        int mode;
        float opacity;
        bool draws;
    } gates[] = {{DrelModeCopy, 0.0f, false},
                 {DrelModeCopy, -0.5f, false},
                 {DrelModeAdd, -0.5f, true},
                 {DrelModeDodge, 0.5f, true},
                 {7, 1.0f, false}};
    for (const Gate& g : gates) {
        DrelMemorySurface s(4, 4);
        for (int i = 0; i < 16; ++i) s.Bits()[i] = 0x80808080;
        DrelLine(&s, 0, 1, 3, 1, 0x40404040, g.opacity, g.mode, false);
        EXPECT_EQ(s.Row(1)[2] != 0x80808080, g.draws) << g.mode << " " << g.opacity;
    }
}

TEST(DrelLineGate, NaNCoordinatesDrawNothing) {
    DrelMemorySurface s(4, 4);
    for (int i = 0; i < 16; ++i) s.Bits()[i] = 0;
    DrelLine(&s, std::nanf(""), 0, 3, 3, 0xFFFFFFFF, 1.0f, DrelModeCopy, true);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(s.Bits()[i], 0u);
}
}  // namespace

namespace {
// Rows stored from the bottom up, as in a Windows DIB.
class BottomUpSurface : public DrelMemorySurface {
  public:
    using DrelMemorySurface::DrelMemorySurface;
    bool IsBottomUp() const override { return true; }
};
}  // namespace

// A line limited to a box writes exactly the full line's pixels inside the
// box and nothing outside, whichever way the rows are stored.
TEST(DrelLineInBox, WritesTheFullLinesPixelsInsideTheBoxOnly) {
    const DrelBox box = {3, 2, 9, 7};
    for (bool bottomUp : {false, true}) {
        for (bool antialias : {false, true}) {
            SCOPED_TRACE(testing::Message() << "bottom-up " << bottomUp << " aa " << antialias);
            DrelMemorySurface top(12, 10);
            BottomUpSurface bottom(12, 10);
            DrelSurface& full = bottomUp ? static_cast<DrelSurface&>(bottom) : top;
            DrelMemorySurface topBox(12, 10);
            BottomUpSurface bottomBox(12, 10);
            DrelSurface& boxed = bottomUp ? static_cast<DrelSurface&>(bottomBox) : topBox;
            for (DrelSurface* s : {&full, &boxed})
                for (int y = 0; y < 10; ++y)
                    for (int x = 0; x < 12; ++x) s->Row(y)[x] = 0xFF000000u;
            DrelLine(&full, 0.5f, 9.0f, 11.0f, 0.5f, 0xFFFFFFFF, 1.0f, DrelModeCopy, antialias);
            DrelLineInBox(&boxed, 0.5f, 9.0f, 11.0f, 0.5f, 0xFFFFFFFF, 1.0f, DrelModeCopy,
                          antialias, box);
            int inside = 0;
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 12; ++x) {
                    const bool in =
                        x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                    const std::uint32_t want = in ? full.Row(y)[x] : 0xFF000000u;
                    ASSERT_EQ(boxed.Row(y)[x], want) << x << "," << y;
                    inside += in && want != 0xFF000000u;
                }
            EXPECT_GT(inside, 0);
        }
    }
}
