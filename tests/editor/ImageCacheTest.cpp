// The module-wide image caches: one decode per id while the surface lives,
// shared between editors and safe from several threads at once.
#include <gtest/gtest.h>

#include <thread>

#include "FakePlug.h"
#include "TestGraphics.h"

namespace {
TEST(ImageCache, FirstLoadWinsAndEditorsShareTheImage) {
    FakePlug p1, p2;
    TestGraphics a(&p1, 10, 10, 18), b(&p2, 10, 10, 18);
    const int before = TestGraphics::decodes;
    const IImageStrip first = a.LoadStrip(2040, "img", 1);
    const IImageStrip second = b.LoadStrip(2040, "img", 5);
    EXPECT_EQ(TestGraphics::decodes - before, 1);
    EXPECT_EQ(second.surface, first.surface);
    EXPECT_EQ(second.frames, 1);
    EXPECT_EQ(first.height, 40);
    EXPECT_TRUE(IsRegisteredSurface(first.surface));
}

TEST(ImageCache, ReleasedImagesAreDecodedAgain) {
    FakePlug p;
    TestGraphics g(&p, 10, 10, 18);
    const IImageStrip first = g.LoadStrip(2041, "img", 2);
    g.ReleaseSurface(first);
    EXPECT_FALSE(IsRegisteredSurface(first.surface));
    const int before = TestGraphics::decodes;
    const IImageStrip again = g.LoadStrip(2041, "img", 3);
    EXPECT_EQ(TestGraphics::decodes - before, 1);
    EXPECT_EQ(again.frames, 3);
    g.ReleaseSurface(first);  // no longer registered: ignored
    g.ReleaseSurface({});
}

TEST(ImageCache, ScaledAndCroppedCopiesAreCachedByKey) {
    FakePlug p;
    TestGraphics g(&p, 10, 10, 18);
    const IImageStrip strip = g.LoadStrip(2050, "img", 2);  // 10 x 50
    const IImageStrip half = g.ScaleStrip(strip, 5, 25);
    EXPECT_EQ(g.ScaleStrip(strip, 5, 25).surface, half.surface);
    EXPECT_NE(g.ScaleStrip(strip, 5, 26).surface, half.surface);
    EXPECT_EQ(half.frames, 2);
    EXPECT_EQ(half.surface->Width(), 5);
    const IImageStrip crop = g.CropStrip(strip, {2, 3, 6, 9});
    EXPECT_EQ(g.CropStrip(strip, {2, 3, 6, 9}).surface, crop.surface);
    EXPECT_EQ(crop.width, 4);
    EXPECT_EQ(crop.height, 6);
    EXPECT_EQ(crop.surface->Row(0)[0], strip.surface->Row(3)[2]);
    EXPECT_EQ(crop.surface->Row(5)[3], strip.surface->Row(8)[5]);
    // A released derived image is made again on the next request.
    g.ReleaseSurface(crop);
    const IImageStrip remade = g.CropStrip(strip, {2, 3, 6, 9});
    EXPECT_TRUE(IsRegisteredSurface(remade.surface));
    EXPECT_EQ(remade.surface->Row(5)[3], strip.surface->Row(8)[5]);
}

TEST(ImageCache, ConcurrentEditorsDecodeEachImageOnce) {
    const int before = TestGraphics::decodes;
    std::vector<std::thread> threads;
    std::vector<IImageStrip> seen(8 * 6);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t, &seen] {
            FakePlug p;
            TestGraphics g(&p, 10, 10, 18);
            for (int round = 0; round < 50; ++round)
                for (int id = 0; id < 6; ++id) {
                    const IImageStrip s = g.LoadStrip(2100 + id, "img", 1);
                    g.ScaleStrip(s, 4 + id, 4);
                    g.CropStrip(s, {0, 0, 2, 2 + round % 3});
                    if (round == 0) seen[std::size_t(t * 6 + id)] = s;
                }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(TestGraphics::decodes - before, 6);
    for (int t = 1; t < 8; ++t)
        for (int id = 0; id < 6; ++id)
            EXPECT_EQ(seen[std::size_t(t * 6 + id)].surface, seen[std::size_t(id)].surface);
}
}  // namespace
