// PNG decoding of every colour type into 0xAARRGGBB words, and clean
// failure on damaged or hostile bytes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <random>

#include "PngWriter.h"
#include "framework/editor/Drel.h"

namespace {
struct PngCase {
    const char* what;
    PngRecipe rule;
    std::vector<std::uint32_t> expected;  // row by row
};

std::vector<PngCase> Cases() {
    std::vector<PngCase> cases;
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_PALETTE;
        s.palette = {{10, 20, 30}};
        s.rows = {{0}};
        cases.push_back({"1x1 palette is opaque", s, {0xFF0A141E}});
        s.trnsAlpha = {0x80};
        cases.push_back({"palette with transparency", s, {0x800A141E}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_PALETTE;
        s.depth = 2;
        s.width = 3;
        s.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
        s.rows = {{0b10010000}};  // indices 2, 1, 0
        cases.push_back({"2-bit palette", s, {0xFF070809, 0xFF040506, 0xFF010203}});
    }
    {
        PngRecipe s;
        s.width = 2;
        s.rows = {{1, 2, 3, 250, 251, 252}};
        cases.push_back({"RGB gets alpha 255", s, {0xFF010203, 0xFFFAFBFC}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        s.width = 2;
        s.rows = {{1, 2, 3, 4, 200, 100, 50, 0}};
        cases.push_back({"RGBA keeps straight alpha", s, {0x04010203, 0x00C86432}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_RGB;
        s.depth = 16;
        s.rows = {{0x11, 0x22, 0x33, 0x44, 0x55, 0x66}};
        cases.push_back({"16-bit RGB keeps the high bytes", s, {0xFF113355}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_GRAY;
        s.depth = 1;
        s.width = 4;
        s.rows = {{0b10100000}};
        cases.push_back({"1-bit grey", s, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_GRAY;
        s.width = 2;
        s.trnsGrey = true;
        s.trnsValue = 50;
        s.rows = {{50, 51}};
        cases.push_back({"grey with a transparent value", s, {0x00323232, 0xFF333333}});
    }
    {
        PngRecipe s;
        s.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
        s.depth = 16;
        s.rows = {{0xAB, 0xCD, 0x12, 0x34}};
        cases.push_back({"16-bit grey with alpha", s, {0x12ABABAB}});
    }
    {
        PngRecipe s;
        s.width = 3;
        s.height = 3;
        s.interlaced = true;
        std::vector<std::uint32_t> want;
        for (int y = 0; y < 3; ++y) {
            std::vector<png_byte> row;
            for (int x = 0; x < 3; ++x) {
                row.insert(row.end(), {png_byte(x * 40), png_byte(y * 40), png_byte(x + y)});
                want.push_back(0xFF000000u | std::uint32_t(x * 40) << 16 |
                               std::uint32_t(y * 40) << 8 | std::uint32_t(x + y));
            }
            s.rows.push_back(row);
        }
        cases.push_back({"interlaced RGB", s, want});
    }
    return cases;
}

TEST(DrelPng, DecodesEveryColourTypeToArgbWords) {
    for (const PngCase& c : Cases()) {
        const std::vector<std::uint8_t> bytes = WritePng(c.rule);
        ASSERT_FALSE(bytes.empty()) << c.what;
        std::unique_ptr<DrelSurface> s(DrelDecodePng(bytes.data(), bytes.size(), nullptr));
        ASSERT_NE(s, nullptr) << c.what;
        ASSERT_EQ(s->Width(), c.rule.width) << c.what;
        ASSERT_EQ(s->Height(), c.rule.height) << c.what;
        for (int y = 0; y < s->Height(); ++y)
            for (int x = 0; x < s->Width(); ++x)
                EXPECT_EQ(s->Row(y)[x], c.expected[std::size_t(y * s->Width() + x)])
                    << c.what << " at " << x << "," << y;
    }
}

TEST(DrelPng, DecodesIntoAGivenSurfaceResizingIt) {
    PngRecipe rule;
    rule.width = 2;
    rule.rows = {{1, 2, 3, 4, 5, 6}};
    const auto bytes = WritePng(rule);
    DrelMemorySurface target(7, 7);
    EXPECT_EQ(DrelDecodePng(bytes.data(), bytes.size(), &target), &target);
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.Row(0)[1], 0xFF040506u);
}

std::vector<std::uint8_t> SamplePng() {
    PngRecipe rule;
    rule.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    rule.width = 16;
    rule.height = 16;
    for (int y = 0; y < 16; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < 64; ++x) row.push_back(png_byte(x * 7 + y * 13));
        rule.rows.push_back(row);
    }
    return WritePng(rule);
}

TEST(DrelPng, TruncatedBytesFailOrGiveTheWholeImage) {
    const auto bytes = SamplePng();
    std::unique_ptr<DrelSurface> whole(DrelDecodePng(bytes.data(), bytes.size(), nullptr));
    ASSERT_NE(whole, nullptr);
    int failures = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
        std::unique_ptr<DrelSurface> s(DrelDecodePng(cut.data(), cut.size(), nullptr));
        if (!s) {
            ++failures;
            continue;
        }
        // Only the closing chunk may be missing; the picture must be complete.
        ASSERT_EQ(s->Width(), 16);
        for (int i = 0; i < 256; ++i) ASSERT_EQ(s->Bits()[i], whole->Bits()[i]) << "cut at " << n;
    }
    EXPECT_GT(failures, int(bytes.size()) - 16);
}

TEST(DrelPng, DamagedBytesNeverCrash) {
    const auto bytes = SamplePng();
    std::mt19937 rng(5);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bad = bytes;
        const int flips = 1 + int(rng() % 4);
        for (int f = 0; f < flips; ++f)
            bad[8 + rng() % (bad.size() - 8)] ^= std::uint8_t(1 << (rng() % 8));
        std::unique_ptr<DrelSurface> s(DrelDecodePng(bad.data(), bad.size(), nullptr));
        if (s) {
            ASSERT_TRUE(s->Width() > 0 && s->Height() > 0);
        }
    }
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& d) {
    auto be32 = [&](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) out.push_back(std::uint8_t(v >> s));
    };
    be32(std::uint32_t(d.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), d.begin(), d.end());
    out.insert(out.end(), typed.begin(), typed.end());
    be32(std::uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

TEST(DrelPng, HugeDimensionsAreRefusedWithoutTakingTheMemory) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    // 60000 x 60000 RGBA with a valid header and one empty data chunk.
    PutChunk(png, "IHDR", {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60, 8, 6, 0, 0, 0});
    PutChunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
    PutChunk(png, "IEND", {});
    EXPECT_EQ(DrelDecodePng(png.data(), png.size(), nullptr), nullptr);
}

TEST(DrelPng, NotAPng) {
    const std::uint8_t junk[] = "definitely not an image";
    EXPECT_EQ(DrelDecodePng(junk, sizeof junk, nullptr), nullptr);
    EXPECT_EQ(DrelDecodePng(nullptr, 100, nullptr), nullptr);
    const std::uint8_t sig[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A};
    EXPECT_EQ(DrelDecodePng(sig, sizeof sig, nullptr), nullptr);
}
}  // namespace
