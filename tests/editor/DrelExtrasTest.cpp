// The routines no editor calls yet: each checked once for sensible output.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/editor/Drel.h"

namespace {
void Clear(DrelSurface& s, std::uint32_t v) {
    for (int i = 0; i < s.Width() * s.Height(); ++i) s.Bits()[i] = v;
}
int CountNot(DrelSurface& s, std::uint32_t v) {
    int n = 0;
    for (int i = 0; i < s.Width() * s.Height(); ++i) n += s.Bits()[i] != v;
    return n;
}

TEST(DrelExtras, FillBoxClipsToTheSurface) {
    DrelMemorySurface s(6, 6);
    Clear(s, 0);
    DrelFillBox(&s, -2, 4, 5, 10, 0xFF112233, 1.0f, DrelModeCopy);
    EXPECT_EQ(CountNot(s, 0), 3 * 2);
    EXPECT_EQ(s.Row(5)[2], 0xFF112233u);
    EXPECT_EQ(s.Row(3)[0], 0u);
}

TEST(DrelExtras, MaskFillAndsThenOrs) {
    DrelMemorySurface s(2, 2);
    Clear(s, 0x12345678);
    DrelMaskFill(&s, 1, 0, 5, 5, 0x00FFFF00, 0xAB000000);
    EXPECT_EQ(s.Row(0)[1], 0xAB345600u);
    EXPECT_EQ(s.Row(0)[0], 0x12345678u);
}

TEST(DrelExtras, PutAndGetPixelIgnoreOutsidePoints) {
    DrelMemorySurface s(3, 3);
    Clear(s, 0);
    DrelPutPixel(&s, 1, 2, 0xFFFFFFFF, 0.5f, DrelModeCopy);
    DrelPutPixel(&s, 3, 0, 0xFFFFFFFF, 1.0f, DrelModeCopy);
    DrelPutPixel(&s, -1, 0, 0xFFFFFFFF, 1.0f, DrelModeCopy);
    EXPECT_EQ(DrelGetPixel(&s, 1, 2), 0x7F7F7F7Fu);
    EXPECT_EQ(CountNot(s, 0), 1);
    EXPECT_EQ(DrelGetPixel(&s, 3, 0), 0u);
    EXPECT_EQ(DrelGetPixel(nullptr, 0, 0), 0u);
}

TEST(DrelExtras, ScaledBlitDoublesPixelsAndFilterBlends) {
    DrelMemorySurface src(2, 1), dest(4, 2);
    src.Bits()[0] = 0xFF000000;
    src.Bits()[1] = 0xFFFFFFFF;
    Clear(dest, 0);
    DrelScaledBlit(&dest, &src, 0, 0, 4, 2, 0, 0, 2, 1, 1.0f, DrelModeCopy);
    EXPECT_EQ(dest.Row(1)[0], 0xFF000000u);
    EXPECT_EQ(dest.Row(1)[1], 0xFF000000u);
    EXPECT_EQ(dest.Row(0)[2], 0xFFFFFFFFu);
    EXPECT_EQ(dest.Row(0)[3], 0xFFFFFFFFu);
    DrelScaledBlit(&dest, &src, 0, 0, 4, 2, 0, 0, 2, 1, 1.0f, DrelModeCopy | DrelFilter);
    const int inner = int((dest.Row(0)[1] >> 16) & 255);
    EXPECT_GT(inner, 0);
    EXPECT_LT(inner, 255);
    EXPECT_EQ(dest.Row(0)[0], 0xFF000000u);
}

TEST(DrelExtras, RotatedBlitByHalfATurnMirrorsBothAxes) {
    DrelMemorySurface src(4, 4), dest(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) src.Row(y)[x] = 0xFF000000u | std::uint32_t(y * 4 + x);
    Clear(dest, 0);
    DrelRotatedBlit(&dest, &src, 0, 0, 4, 4, 0, 0, 4, 4, std::numbers::pi, true, 1.0f,
                    DrelModeCopy);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dest.Row(y)[x], src.Row(3 - y)[3 - x]) << x << "," << y;
}

TEST(DrelExtras, CircleStaysOnItsRadius) {
    DrelMemorySurface s(41, 41);
    Clear(s, 0);
    DrelCircle(&s, 20, 20, 15, 0xFFFFFFFF, 1.0f, DrelModeCopy, false);
    int drawn = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x)
            if (s.Row(y)[x]) {
                ++drawn;
                EXPECT_NEAR(std::hypot(x - 20, y - 20), 15.0, 1.6) << x << "," << y;
            }
    EXPECT_GT(drawn, 80);  // about 2 pi r pixels
}

TEST(DrelExtras, ArcCoversOnlyItsSweep) {
    DrelMemorySurface s(41, 41);
    Clear(s, 0);
    // A quarter from straight up to three o'clock, clockwise.
    DrelArc(&s, 20, 20, 15, 0.0f, float(std::numbers::pi / 2), 0xFFFFFFFF, 1.0f, DrelModeCopy,
            true);
    int drawn = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x)
            if (s.Row(y)[x]) {
                ++drawn;
                EXPECT_GE(x, 19);
                EXPECT_LE(y, 21);
            }
    EXPECT_GT(drawn, 15);
}
}  // namespace
