#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/vst/FakeHost.h"

namespace {

std::vector<unsigned char> GetChunk(Instance& it, bool bank) {
    void* data = nullptr;
    const VstIntPtr size = it.Call(effGetChunk, bank ? 0 : 1, 0, &data);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return {bytes, bytes + size};
}

VstIntPtr SetChunk(Instance& it, bool bank, std::vector<unsigned char> bytes) {
    return it.Call(effSetChunk, bank ? 0 : 1, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

std::vector<unsigned char> Bytes(std::initializer_list<std::int32_t> ints) {
    std::vector<unsigned char> b;
    for (std::int32_t v : ints) {
        unsigned char le[4];
        std::memcpy(le, &v, 4);
        b.insert(b.end(), le, le + 4);
    }
    return b;
}

void AppendDouble(std::vector<unsigned char>& b, double v) {
    unsigned char le[8];
    std::memcpy(le, &v, 8);
    b.insert(b.end(), le, le + 8);
}

}  // namespace

TEST(Chunks, ProgramChunkRoundTripsWithAndWithoutHeader) {
    Instance it;
    it.effect->setParameter(it.effect, FixtureGain::kGain, 0.75f);
    it.effect->setParameter(it.effect, FixtureGain::kRouting, 1.0f);
    const std::vector<unsigned char> chunk = GetChunk(it, false);
    ASSERT_EQ(chunk.size(), 8u + 8u * FixtureGain::kNumParams);
    const unsigned char header[] = {0x74, 0x66, 0x66, 0x70, 0, 0, 1, 0};
    EXPECT_EQ(std::memcmp(chunk.data(), header, 8), 0);
    const double gain = it.plug->Param(FixtureGain::kGain)->Value();

    it.effect->setParameter(it.effect, FixtureGain::kGain, 0.0f);
    it.effect->setParameter(it.effect, FixtureGain::kRouting, 0.0f);
    EXPECT_EQ(SetChunk(it, false, chunk), 1);
    EXPECT_EQ(it.plug->Param(FixtureGain::kGain)->Value(), gain);
    EXPECT_EQ(it.plug->Param(FixtureGain::kRouting)->Value(), 2.0);

    it.effect->setParameter(it.effect, FixtureGain::kGain, 0.0f);
    EXPECT_EQ(SetChunk(it, false, {chunk.begin() + 8, chunk.end()}), 1);
    EXPECT_EQ(it.plug->Param(FixtureGain::kGain)->Value(), gain);
}

TEST(Chunks, HandingBackTheChunkBufferItselfIsSafe) {
    Instance it;
    for (bool bank : {false, true}) {
        void* data = nullptr;
        const VstIntPtr size = it.Call(effGetChunk, bank ? 0 : 1, 0, &data);
        ASSERT_GT(size, 0);
        EXPECT_EQ(it.Call(effSetChunk, bank ? 0 : 1, size, data), 1) << bank;
    }
}

TEST(Chunks, BankRoundTripRestoresNamesAndCurrentValues) {
    Instance it;
    it.Call(effSetProgram, 0, 2);
    it.Call(effSetProgramName, 0, 0, const_cast<char*>("Mine"));
    it.effect->setParameter(it.effect, FixtureGain::kMix, 0.2f);
    const std::vector<unsigned char> bank = GetChunk(it, true);
    ASSERT_FALSE(bank.empty());

    Instance other;
    other.Call(effSetProgram, 0, 2);
    EXPECT_EQ(SetChunk(other, true, bank), 1);
    char name[256];
    other.Call(effGetProgramNameIndexed, 2, 0, name);
    EXPECT_STREQ(name, "Mine");
    other.Call(effGetProgramNameIndexed, 4, 0, name);
    EXPECT_STREQ(name, "- 4 -");
    EXPECT_NEAR(other.plug->Param(FixtureGain::kMix)->Value(), 20.0, 1e-4);
}

TEST(Chunks, HostileChunksFailAndLeaveThePlugInUsable) {
    const std::string longName(300, 'x');
    std::vector<unsigned char> nanProgram = Bytes({0x70666674, 0x10000});
    for (int i = 0; i < FixtureGain::kNumParams; ++i)
        AppendDouble(nanProgram, std::numeric_limits<double>::quiet_NaN());
    std::vector<unsigned char> longNameBank = Bytes({0x70666674, 0x10000, 300});
    longNameBank.insert(longNameBank.end(), longName.begin(), longName.end());
    longNameBank.push_back(0);
    const struct {
        const char* what;
        bool bank;
        std::vector<unsigned char> bytes;
        VstIntPtr expected;
    } cases[] = {
        {"few bytes", false, {0x74, 0x66}, 0},
        {"magic only", false, Bytes({0x70666674}), 0},
        {"header only", false, Bytes({0x70666674, 0x10000}), 0},
        {"short program", false, Bytes({0x70666674, 0x10000, 0, 0}), 0},
        {"NaN values", false, nanProgram, 1},
        {"bank, negative name length", true, Bytes({0x70666674, 0x10000, -100, 0}), 0},
        {"bank, huge name length", true, Bytes({0x70666674, 0x10000, 0x7FFFFFF0, 1}), 0},
        {"bank, truncated length", true, {0x74, 0x66, 0x66, 0x70, 0, 0, 1, 0, 5}, 0},
        {"bank, 300-byte name", true, longNameBank, 0},
        {"bank, empty", true, {}, 0},
    };
    for (const auto& c : cases) {
        Instance it;
        EXPECT_EQ(SetChunk(it, c.bank, c.bytes), c.expected) << c.what;
        for (int i = 0; i < FixtureGain::kNumParams; ++i)
            EXPECT_TRUE(std::isfinite(it.plug->Param(i)->Value())) << c.what;
        char name[300];
        for (int p = 0; p < FixtureGain::kNumPresets; ++p) {
            it.Call(effGetProgramNameIndexed, p, 0, name);
            EXPECT_LT(std::strlen(name), 256u) << c.what;
        }
        // Still usable: a fresh chunk round-trips.
        EXPECT_EQ(SetChunk(it, false, GetChunk(it, false)), 1) << c.what;
    }
    Instance it;
    EXPECT_EQ(it.Call(effSetChunk, 1, -5, nanProgram.data()), 0);
    EXPECT_EQ(it.Call(effSetChunk, 1, 8, nullptr), 0);
}

TEST(Chunks, GetWithNullBuildsNothing) {
    Instance it;
    EXPECT_EQ(it.Call(effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(it.Call(effGetChunk, 1, 0, nullptr), 0);
}
