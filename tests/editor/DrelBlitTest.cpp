// Clipping of the region blit against source box and destination edges.
#include <gtest/gtest.h>

#include <optional>

#include "framework/editor/Drel.h"

namespace {
// A source whose every pixel names its own position.
std::uint32_t Tag(int x, int y) {
    return 0xFF000000u | std::uint32_t(y) << 8 | std::uint32_t(x);
}

struct ClipCase {
    const char* what;
    int dstX, dstY;
    std::optional<DrelBox> box;
    // Expected copy: destination rectangle (x, y, w, h) from source (sx, sy).
    int x, y, w, h, sx, sy;
};

const ClipCase kClips[] = {
    {"negative offset", -3, -4, std::nullopt, 0, 0, 7, 6, 3, 4},
    {"inside", 2, 3, std::nullopt, 2, 3, 10, 10, 0, 0},
    {"past right and bottom", 15, 17, std::nullopt, 15, 17, 5, 3, 0, 0},
    {"box cut to source", 0, 0, DrelBox{5, 5, 50, 50}, 0, 0, 5, 5, 5, 5},
    {"box with negative corner", 0, 0, DrelBox{-5, -5, 3, 3}, 0, 0, 3, 3, 0, 0},
    {"box and negative offset", -2, 1, DrelBox{4, 2, 9, 6}, 0, 1, 3, 4, 6, 2},
    {"empty box", 0, 0, DrelBox{4, 4, 4, 9}, 0, 0, 0, 0, 0, 0},
    {"box left past right", 0, 0, DrelBox{6, 0, 2, 5}, 0, 0, 0, 0, 0, 0},
    {"wholly right", 20, 0, std::nullopt, 0, 0, 0, 0, 0, 0},
    {"wholly above", 0, -10, std::nullopt, 0, 0, 0, 0, 0, 0},
    {"far away", -2000000000, 2000000000, std::nullopt, 0, 0, 0, 0, 0, 0},
};

class BlitClip : public testing::TestWithParam<ClipCase> {};

TEST_P(BlitClip, CopiesExactlyTheClippedRegion) {
    const ClipCase& c = GetParam();
    DrelMemorySurface src(10, 10), dest(20, 20);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) src.Row(y)[x] = Tag(x, y);
    for (int i = 0; i < 400; ++i) dest.Bits()[i] = 0;
    // Both the raw-row path and the per-pixel path must clip the same way.
    for (float opacity : {1.0f, 0.999999f}) {
        for (int i = 0; i < 400; ++i) dest.Bits()[i] = 0;
        DrelBlit(&dest, &src, c.dstX, c.dstY, c.box ? &*c.box : nullptr, opacity, DrelModeCopy);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
                const std::uint32_t want = inside ? Tag(c.sx + x - c.x, c.sy + y - c.y) : 0;
                // 0.999999 weighs 255/256: close to the source but not equal.
                const std::uint32_t got = dest.Row(y)[x];
                if (opacity == 1.0f || !inside)
                    ASSERT_EQ(got, want) << c.what << " at " << x << "," << y;
                else
                    ASSERT_NE(got, 0u) << c.what << " at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BlitClip, testing::ValuesIn(kClips));

TEST(DrelBlit, NullOrEmptySurfacesDrawNothing) {
    DrelMemorySurface dest(4, 4), empty(0, 0);
    for (int i = 0; i < 16; ++i) dest.Bits()[i] = 7;
    DrelBlit(&dest, nullptr, 0, 0, nullptr, 1.0f, DrelModeCopy);
    DrelBlit(nullptr, &dest, 0, 0, nullptr, 1.0f, DrelModeCopy);
    DrelBlit(&dest, &empty, 0, 0, nullptr, 1.0f, DrelModeCopy);
    DrelBlit(&empty, &dest, 0, 0, nullptr, 1.0f, DrelModeCopy);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dest.Bits()[i], 7u);
}

TEST(DrelBlit, RegionFormAndSurfaceCopy) {
    DrelMemorySurface src(10, 10), dest(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) src.Row(y)[x] = Tag(x, y);
    for (int i = 0; i < 100; ++i) dest.Bits()[i] = 0;
    DrelBlitRegion(&dest, &src, 1, 2, 3, 4, 2, 2, 1.0f, DrelModeCopy);
    EXPECT_EQ(dest.Row(2)[1], Tag(3, 4));
    EXPECT_EQ(dest.Row(3)[2], Tag(4, 5));
    EXPECT_EQ(dest.Row(4)[1], 0u);
    EXPECT_EQ(dest.Row(2)[3], 0u);

    DrelMemorySurface copy(3, 3);
    DrelCopySurface(&copy, &src);
    ASSERT_EQ(copy.Width(), 10);
    ASSERT_EQ(copy.Height(), 10);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(copy.Bits()[i], src.Bits()[i]);
}

TEST(DrelMemorySurface, ResizeReportsChangesAndFreesOnZero) {
    DrelMemorySurface s(4, 3);
    EXPECT_NE(s.Bits(), nullptr);
    EXPECT_EQ(s.RowSpan(), 4);
    EXPECT_FALSE(s.Resize(4, 3));
    EXPECT_TRUE(s.Resize(8, 2));
    EXPECT_NE(s.Bits(), nullptr);
    EXPECT_TRUE(s.Resize(0, 5));
    EXPECT_EQ(s.Bits(), nullptr);
    EXPECT_TRUE(s.Resize(-1, -1));
    EXPECT_EQ(s.Bits(), nullptr);
    EXPECT_TRUE(s.Resize(2, 2));
    EXPECT_NE(s.Bits(), nullptr);
}
}  // namespace
