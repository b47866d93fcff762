// The pixel combine rules, checked through the blit on single pixels
// against values worked out by hand from the rules.
#include <gtest/gtest.h>

#include "framework/editor/Drel.h"

namespace {
struct CombineCase {
    const char* what;
    int mode;
    float opacity;
    std::uint32_t dest, src, expected;
};

const CombineCase kCases[] = {
    {"copy opaque", DrelModeCopy, 1.0f, 0x00000000, 0xFFFFFFFF, 0xFFFFFFFF},
    {"copy half", DrelModeCopy, 0.5f, 0x00000000, 0xFFFFFFFF, 0x7F7F7F7F},
    {"copy quarter", DrelModeCopy, 0.25f, 0xFF000080, 0x00FF0000, 0xBF3F0060},
    {"copy zero opacity", DrelModeCopy, 0.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"copy negative opacity", DrelModeCopy, -1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"copy alpha opaque weighs 255", DrelModeCopy | DrelUseSourceAlpha, 1.0f, 0x00000000,
     0xFFFFFFFF, 0xFEFEFEFE},
    {"copy alpha transparent source", DrelModeCopy | DrelUseSourceAlpha, 1.0f, 0x12345678,
     0x00FFFFFF, 0x12345678},
    {"copy alpha half", DrelModeCopy | DrelUseSourceAlpha, 1.0f, 0xFF00FF80, 0x80FF0040,
     0xBE7F7E5F},
    {"add clamps", DrelModeAdd, 1.0f, 0x64646464, 0xC8C8C8C8, 0xFFFFFFFF},
    {"add negative subtracts", DrelModeAdd, -0.5f, 0xC0C0C0C0, 0x40404040, 0xA0A0A0A0},
    {"add floors at zero", DrelModeAdd, -1.0f, 0x10101010, 0x40404040, 0x00000000},
    {"add alpha", DrelModeAdd | DrelUseSourceAlpha, 1.0f, 0x10101010, 0x80404040, 0x50303030},
    {"add alpha transparent", DrelModeAdd | DrelUseSourceAlpha, 1.0f, 0x10101010, 0x00FFFFFF,
     0x10101010},
    {"dodge full white", DrelModeDodge, 1.0f, 0x00FF0001, 0xFFFFFFFF, 0x00FF00FF},
    {"dodge black keeps", DrelModeDodge, 1.0f, 0x80FE0010, 0x00000000, 0x80FE0010},
    {"dodge mid grey", DrelModeDodge, 1.0f, 0x40404040, 0x80808080, 0x81818181},
    {"dodge alpha zero", DrelModeDodge | DrelUseSourceAlpha, 1.0f, 0x40404040, 0x00FFFFFF,
     0x40404040},
    {"dodge alpha half", DrelModeDodge | DrelUseSourceAlpha, 1.0f, 0x40404040, 0x80FFFFFF,
     0x55808080},
    {"unknown mode draws nothing", 3, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"channel copy R into A", DrelChannelCopy(3, 2), 0.0f, 0x11223344, 0xAABBCCDD, 0xBB223344},
    {"channel copy A into B", DrelChannelCopy(0, 3), 1.0f, 0x11223344, 0xAABBCCDD, 0x112233AA},
};

class Combine : public testing::TestWithParam<CombineCase> {};

TEST_P(Combine, BlitGivesTheRuleResult) {
    const CombineCase& c = GetParam();
    DrelMemorySurface dest(1, 1), src(1, 1);
    dest.Bits()[0] = c.dest;
    src.Bits()[0] = c.src;
    DrelBlit(&dest, &src, 0, 0, nullptr, c.opacity, c.mode);
    EXPECT_EQ(dest.Bits()[0], c.expected) << c.what << std::hex << " got 0x" << dest.Bits()[0];
}

TEST_P(Combine, FillGivesTheSameResultExceptChannelCopy) {
    const CombineCase& c = GetParam();
    if ((c.mode & 0xF0) == 0xF0) GTEST_SKIP() << "channel copy is a blit-only mode";
    DrelMemorySurface dest(1, 1);
    dest.Bits()[0] = c.dest;
    DrelFillBox(&dest, 0, 0, 1, 1, c.src, c.opacity, c.mode);
    EXPECT_EQ(dest.Bits()[0], c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Rules, Combine, testing::ValuesIn(kCases));

TEST(DrelWeight, TruncatesTowardZero) {
    EXPECT_EQ(DrelWeight(1.0f), 256);
    EXPECT_EQ(DrelWeight(0.5f), 128);
    EXPECT_EQ(DrelWeight(0.999f), 255);
    EXPECT_EQ(DrelWeight(-0.5f), -128);
    EXPECT_EQ(DrelWeight(-0.001f), 0);
}
}  // namespace
