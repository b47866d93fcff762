#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/vst/FakeHost.h"

namespace {

template <class T>
struct Buffers {
    std::vector<std::vector<T>> data;
    std::vector<T*> ptrs;
    Buffers(int channels, int frames, T fill = T(0))
        : data(channels, std::vector<T>(frames, fill)) {
        for (auto& d : data) ptrs.push_back(d.data());
    }
    T** P() { return ptrs.data(); }
};

template <class T>
void FillInput(Buffers<T>& b) {
    for (size_t c = 0; c < b.data.size(); ++c)
        for (size_t i = 0; i < b.data[c].size(); ++i)
            b.data[c][i] = T(std::sin(0.01 * double(i) * double(c + 1)) * 0.5);
}

void UseMonoMix(Instance& it) {
    it.effect->setParameter(it.effect, FixtureGain::kRouting, 1.0f);  // mono: reads both inputs
    it.effect->setParameter(it.effect, FixtureGain::kMix, 0.6f);
    it.effect->setParameter(it.effect, FixtureGain::kGain, 0.8f);
}

}  // namespace

TEST(Processing, ReplacingOverwritesAndAccumulatingAdds) {
    Instance it;
    UseMonoMix(it);
    const int n = 64;
    Buffers<float> in(4, n);
    FillInput(in);
    Buffers<float> replaced(2, n, 7.0f), added(2, n, 0.25f);
    it.effect->processReplacing(it.effect, in.P(), replaced.P(), n);
    it.effect->process(it.effect, in.P(), added.P(), n);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < n; ++i)
            EXPECT_FLOAT_EQ(added.data[c][i], replaced.data[c][i] + 0.25f) << c << " " << i;
}

TEST(Processing, InPlaceEqualsOutOfPlaceInBothFormats) {
    const int n = 100;
    {
        Instance it;
        UseMonoMix(it);
        Buffers<double> in(4, n);
        FillInput(in);
        Buffers<double> out(2, n);
        it.effect->processDoubleReplacing(it.effect, in.P(), out.P(), n);
        Buffers<double> shared(4, n);
        FillInput(shared);
        it.effect->processDoubleReplacing(it.effect, shared.P(), shared.P(), n);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < n; ++i) ASSERT_EQ(shared.data[c][i], out.data[c][i]) << c << i;
    }
    {
        Instance it;
        UseMonoMix(it);
        Buffers<float> in(4, n);
        FillInput(in);
        Buffers<float> out(2, n);
        it.effect->processReplacing(it.effect, in.P(), out.P(), n);
        Buffers<float> shared(4, n);
        FillInput(shared);
        it.effect->processReplacing(it.effect, shared.P(), shared.P(), n);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < n; ++i) ASSERT_EQ(shared.data[c][i], out.data[c][i]) << c << i;
    }
}

// More frames than the announced block: processed in slices, same result
// as block-sized calls, nothing written past the buffers.
TEST(Processing, CallsLongerThanTheBlockAreSliced) {
    const int block = 32;
    const int n = 100;
    Instance a, b;
    for (Instance* it : {&a, &b}) {
        UseMonoMix(*it);
        it->Call(effSetBlockSize, 0, block);
    }
    Buffers<double> in(4, n);
    FillInput(in);
    Buffers<double> whole(2, n + 8, 99.0);
    a.effect->processDoubleReplacing(a.effect, in.P(), whole.P(), n);
    Buffers<float> in32(4, n);
    FillInput(in32);
    Buffers<float> whole32(2, n + 8, 99.0f);
    a.effect->processReplacing(a.effect, in32.P(), whole32.P(), n);

    Buffers<double> sliced(2, n);
    for (int done = 0; done < n; done += block) {
        double* ins[4];
        double* outs[2];
        for (int c = 0; c < 4; ++c) ins[c] = in.ptrs[c] + done;
        for (int c = 0; c < 2; ++c) outs[c] = sliced.ptrs[c] + done;
        b.effect->processDoubleReplacing(b.effect, ins, outs, std::min(block, n - done));
    }
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(whole.data[c][i], sliced.data[c][i]);
            ASSERT_FLOAT_EQ(whole32.data[c][i], float(sliced.data[c][i]));
        }
        EXPECT_EQ(whole.data[c][n], 99.0);  // nothing past the frames
        EXPECT_EQ(whole32.data[c][n], 99.0f);
    }
}

TEST(Processing, NullBuffersAndNonsenseFrameCountsAreSurvived) {
    Instance it;
    Buffers<float> out(2, 16, 3.0f);
    it.effect->processReplacing(it.effect, nullptr, out.P(), 16);
    EXPECT_EQ(out.data[0][0], 0.0f);  // silence in, silence out
    it.effect->processReplacing(it.effect, nullptr, nullptr, 16);
    it.effect->processDoubleReplacing(it.effect, nullptr, nullptr, 16);
    Buffers<float> in(4, 16);
    float* holes[4] = {in.ptrs[0], nullptr, nullptr, nullptr};
    it.effect->process(it.effect, holes, out.P(), 16);
    for (int frames : {0, -1, std::numeric_limits<int>::min()})
        it.effect->processReplacing(it.effect, in.P(), out.P(), frames);
    Buffers<double> in64(4, 16, std::numeric_limits<double>::quiet_NaN());
    Buffers<double> out64(2, 16);
    it.effect->processDoubleReplacing(it.effect, in64.P(), out64.P(), 16);
}

TEST(Processing, DisconnectedSideChainInputsReadZeroScratch) {
    Instance it;
    VstSpeakerArrangement two{};
    two.numChannels = 2;
    it.Call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&two), nullptr);
    it.Call(effSetBlockSize, 0, 16);
    struct Spy {
        static void Check(double** in, int n) {
            for (int c = 2; c < 4; ++c)
                for (int i = 0; i < n; ++i) EXPECT_EQ(in[c][i], 0.0);
        }
    };
    Buffers<float> in(2, 16, 1.0f);  // the host hands only two buffers
    Buffers<float> out(2, 16);
    it.effect->processReplacing(it.effect, in.P(), out.P(), 16);
    Spy::Check(it.plug->InputSlots(), 16);
    EXPECT_FLOAT_EQ(out.data[0][0], 1.0f);
}
