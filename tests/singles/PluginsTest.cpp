// The three plug-in libraries as a host sees them, through their exported
// interface only: identity, programs, state chunks, host questions and
// processing against a straightforward evaluation of each effect.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dsp/Chorus.h"
#include "dsp/Drive.h"
#include "dsp/OutputStage.h"
#include "dsp/Phaser.h"
#include "host/PluginInstance.h"

namespace {

std::string LibraryPath(const char* name) {
    return std::string(QUORVEX_PLUGIN_DIR) + "/" + name + SINGLES_LIBRARY_SUFFIX;
}

std::unique_ptr<vhost::PluginInstance> Load(const char* name, double sampleRate = 44100.0,
                                            int blockSize = 256) {
    vhost::LoadOptions options;
    options.sampleRate = sampleRate;
    options.blockSize = blockSize;
    return vhost::PluginInstance::Load(LibraryPath(name), options);
}

struct Program {
    const char* name;
    std::vector<double> values;
};

struct Product {
    const char* library;
    const char* effectName;
    const char* uniqueId;
    int numParams;
    int numPrograms;
    std::vector<Program> programs;  // the filled slots, from slot 0
    std::vector<double> minimum, maximum, shape;
};

const std::vector<Product>& Products() {
    static const std::vector<Product> products = {
        {"quorvex_phaser",
         "Quorvex Phaser (no SSE2)",
         "QvxP",
         10,
         16,
         {{"Default", {1, 0.25, 1, 3400, 110, 12000, 0.7, 1, 1, 1}},
          {"BiFocal", {0.5, 0.12, 0.69, 3400, 8035, 1088, 0.84, 1, 1, 1}},
          {"Big Black Rack", {0.68, 0.05, 1, 260, 370, 16000, 0.63, 1, 1, 1}},
          {"Ear Candy", {1, 0.05, 1, 120, 6500, 10, 0.89, 1, 1, 1}},
          {"Just a Tickle", {0.35, 0.86, 0.19, 17500, 14500, 900, 0.64, 1, 1, 1}},
          {"Knock It Back", {1, 0.36, 0.77, 10, 10, 10, 0.41, 0, 1, 1}},
          {"Little Green", {0.67, 0.04, 0.88, 360, 50, 810, 0.69, 0, 1, 1}},
          {"Nasal Shimmer", {0.36, 0.94, 0.19, 1560, 6650, 280, 0.83, 1, 1, 1}},
          {"Play in C", {1, 0, 0, 255, 1211, 385, 0.9, 1, 1, 1}},
          {"Silver Box", {0.5, 0.08, 1, 4200, 13700, 880, 0.62, 1, 1, 1}},
          {"Slow Whistle", {0.36, 0.01, 1, 14400, 6740, 8050, 0.96, 1, 1, 1}},
          {"Time and Relative Dimensions", {0.5, 0.38, 0.35, 10, 2070, 10, 0.75, 1, 1, 1}}},
         {0, 0, 0, 10, 10, 10, 0, 0, 0, 0},
         {1, 1, 1, 18000, 18000, 18000, 1, 1, 1, 1},
         {1, 3, 1, 3, 3, 3, 1, 1, 1, 1}},
        {"quorvex_chorus",
         "Quorvex Chorus (no SSE2)",
         "QvxC",
         8,
         16,
         {{"Default", {1, 0.25, 1, 0.35, 0.5, 1, 1, 1}},
          {"All Too Much", {1, 0.66, 1, 0.88, 0.51, 1, 0, 1}},
          {"Bit O' Color", {0.54, 0.43, 1, 0, 1, 1, 0, 1}},
          {"Double Track", {1, 0.01, 0.18, 0.46, 0.3, 1, 0, 1}},
          {"Japanese", {1, 0.74, 0.77, 0.16, 0.82, 1, 1, 1}},
          {"Mono Marvel", {0.67, 0.77, 0.77, 0.16, 0.9, 0, 1, 1}},
          {"Periodic Peak", {1, 0.17, 0.52, 0.16, 0.12, 1, 0, 1}},
          {"Flange Smoothie", {0.3, 0.43, 1, 0.08, 1, 1, 1, 1}},
          {"The Full Lush", {1, 0.27, 0.77, 1, 0.19, 1, 0, 1}}},
         {0, 0, 0, 0, 0, 0, 0, 0},
         {1, 1, 1, 1, 1, 1, 1, 1},
         {1, 2, 1, 1.5, 1, 1, 1, 1}},
        {"quorvex_drive",
         "Quorvex Drive (no SSE2)",
         "QvxD",
         5,
         1,
         {{"Default", {0, 0, 1, 1, 1}}},
         {-8, 0, 0, 0, 0},
         {24, 1, 1, 1, 1},
         {1, 1, 1, 1, 1}},
    };
    return products;
}

double Normalized(const Product& p, int i, double v) {
    return std::pow((v - p.minimum[i]) / (p.maximum[i] - p.minimum[i]), 1.0 / p.shape[i]);
}

double ReadDouble(const std::vector<std::uint8_t>& bytes, size_t offset) {
    double v;
    std::memcpy(&v, bytes.data() + offset, 8);
    return v;
}

}  // namespace

TEST(SinglesPlugins, IdentityAsTheHostSeesIt) {
    for (const Product& p : Products()) {
        SCOPED_TRACE(p.library);
        auto fx = Load(p.library);
        EXPECT_EQ(fx->EffectName(), p.effectName);
        EXPECT_EQ(fx->VendorName(), "Norvu");
        EXPECT_EQ(fx->ProductName(), "");
        EXPECT_EQ(vhost::FourCharText(fx->UniqueId()), p.uniqueId);
        EXPECT_EQ(fx->Version(), 10002);
        EXPECT_EQ(fx->NumParams(), p.numParams);
        EXPECT_EQ(fx->NumPrograms(), p.numPrograms);
        EXPECT_EQ(fx->NumInputs(), 2);
        EXPECT_EQ(fx->NumOutputs(), 2);
        EXPECT_EQ(fx->Flags(), 0x1019);
        const auto rect = fx->EditorRect();
        ASSERT_TRUE(rect.has_value());
        EXPECT_EQ(rect->right - rect->left, 274);
        EXPECT_EQ(rect->bottom - rect->top, 350);
        EXPECT_EQ(fx->Effect()->initialDelay, 0);
        EXPECT_EQ(fx->CanDo("receiveVstTimeInfo"), 1);
        EXPECT_EQ(fx->CanDo("receiveVstEvents"), 0);
    }
}

TEST(SinglesPlugins, ProgramsAsTheHostListsThem) {
    for (const Product& p : Products()) {
        SCOPED_TRACE(p.library);
        auto fx = Load(p.library);
        for (int k = 0; k < fx->NumPrograms(); ++k) {
            const std::string expected = k < static_cast<int>(p.programs.size())
                                             ? p.programs[static_cast<size_t>(k)].name
                                             : "- " + std::to_string(k) + " -";
            EXPECT_EQ(fx->ProgramNameIndexed(k), expected) << "slot " << k;
        }
        EXPECT_EQ(fx->Program(), 0);
        EXPECT_EQ(fx->ProgramName(), "Default");
    }
}

TEST(SinglesPlugins, EveryFactoryProgramLoadsItsValues) {
    for (const Product& p : Products()) {
        auto fx = Load(p.library);
        for (size_t k = 0; k < p.programs.size(); ++k) {
            SCOPED_TRACE(std::string(p.library) + " " + p.programs[k].name);
            fx->SetProgram(static_cast<int>(k));
            EXPECT_EQ(fx->Program(), static_cast<int>(k));
            for (int i = 0; i < p.numParams; ++i)
                EXPECT_NEAR(fx->GetParam(i), Normalized(p, i, p.programs[k].values[size_t(i)]),
                            1e-6)
                    << "parameter " << i;
            EXPECT_EQ(fx->GetParam(p.numParams - 1), 1.0f);  // english labels, always on
        }
    }
}

TEST(SinglesPlugins, ProgramChunksOfEveryFactoryProgramRoundTrip) {
    for (const Product& p : Products()) {
        auto fx = Load(p.library);
        for (size_t k = 0; k < p.programs.size(); ++k) {
            SCOPED_TRACE(std::string(p.library) + " " + p.programs[k].name);
            fx->SetProgram(static_cast<int>(k));
            const auto chunk = fx->GetChunk(true);
            ASSERT_EQ(chunk.size(), 8u + 8u * static_cast<size_t>(p.numParams));
            EXPECT_EQ(chunk[0], 0x74);
            EXPECT_EQ(chunk[3], 0x70);
            for (int i = 0; i < p.numParams; ++i)
                EXPECT_EQ(ReadDouble(chunk, 8 + 8 * size_t(i)), p.programs[k].values[size_t(i)]);
            // Move every parameter away, then load the chunk back.
            for (int i = 0; i < p.numParams; ++i) fx->SetParam(i, 0.37f);
            ASSERT_TRUE(fx->SetChunk(chunk, true));
            EXPECT_EQ(fx->GetChunk(true), chunk);
            // The same body without its header is read from the start.
            for (int i = 0; i < p.numParams; ++i) fx->SetParam(i, 0.63f);
            ASSERT_TRUE(
                fx->SetChunk(std::vector<std::uint8_t>(chunk.begin() + 8, chunk.end()), true));
            EXPECT_EQ(fx->GetChunk(true), chunk);
        }
    }
}

TEST(SinglesPlugins, BankChunkRoundTripRestoresEveryProgram) {
    for (const Product& p : Products()) {
        SCOPED_TRACE(p.library);
        auto fx = Load(p.library);
        const auto bank = fx->GetChunk(false);
        ASSERT_FALSE(bank.empty());
        // Overwrite the programs' values and names, then restore the bank.
        for (size_t k = 0; k < p.programs.size(); ++k) {
            fx->SetProgram(static_cast<int>(k));
            for (int i = 0; i < p.numParams; ++i) fx->SetParam(i, 0.5f);
            fx->SetProgramName("scratch");
        }
        fx->SetProgram(0);
        ASSERT_TRUE(fx->SetChunk(bank, false));
        EXPECT_EQ(fx->GetChunk(false), bank);
        for (size_t k = 0; k < p.programs.size(); ++k) {
            EXPECT_EQ(fx->ProgramNameIndexed(static_cast<int>(k)), p.programs[k].name);
            fx->SetProgram(static_cast<int>(k));
            const auto chunk = fx->GetChunk(true);
            for (int i = 0; i < p.numParams; ++i)
                EXPECT_EQ(ReadDouble(chunk, 8 + 8 * size_t(i)), p.programs[k].values[size_t(i)]);
        }
    }
}

TEST(SinglesPlugins, HostIsAskedWhoItIsAtTheFirstVendorSpecificCall) {
    for (const Product& p : Products()) {
        SCOPED_TRACE(p.library);
        auto fx = Load(p.library);
        EXPECT_EQ(fx->Host().CallCount(audioMasterGetProductString), 0);
        char text[64] = {};
        EXPECT_EQ(fx->Dispatch(effVendorSpecific, effGetParamDisplay, 1, text, 0.5f), 0xBEEF);
        EXPECT_EQ(fx->Dispatch(effVendorSpecific, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ(fx->Host().CallCount(audioMasterGetProductString), 1);
        EXPECT_EQ(fx->Host().CallCount(audioMasterGetVendorString), 1);
    }
}

// ---- processing against a straightforward evaluation ----------------------

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 256;
constexpr int kBlocks = 4;

std::vector<double> TestSignal(unsigned seed, double gain) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> noise(-0.2, 0.2);
    std::vector<double> v(kBlock * kBlocks);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = gain * (0.6 * std::sin(0.031 * double(i)) + 0.3 * std::sin(0.0021 * double(i)) +
                       noise(rng));
    return v;
}

// Runs the signal through the library in blocks (64-bit callback).
void RunLibrary(vhost::PluginInstance& fx, std::vector<double>& l, std::vector<double>& r) {
    for (int b = 0; b < kBlocks; ++b) {
        std::vector<double> inL(l.begin() + b * kBlock, l.begin() + (b + 1) * kBlock);
        std::vector<double> inR(r.begin() + b * kBlock, r.begin() + (b + 1) * kBlock);
        double* in[2] = {inL.data(), inR.data()};
        double* out[2] = {l.data() + b * kBlock, r.data() + b * kBlock};
        ASSERT_TRUE(fx.ProcessDouble(in, out, kBlock));
    }
}

// The limiter closes each block of the reference.
template <class PerSample>
void RunReference(std::vector<double>& l, std::vector<double>& r, bool brickwall,
                  PerSample perSample) {
    for (int b = 0; b < kBlocks; ++b) {
        double* bl = l.data() + b * kBlock;
        double* br = r.data() + b * kBlock;
        for (int i = 0; i < kBlock; ++i) perSample(bl[i], br[i]);
        if (brickwall) {
            quorvex::BrickwallLimit(bl, kBlock);
            quorvex::BrickwallLimit(br, kBlock);
        }
    }
}

void ExpectClose(const std::vector<double>& got, const std::vector<double>& want, double tol) {
    ASSERT_EQ(got.size(), want.size());
    double worst = 0.0;
    for (size_t i = 0; i < got.size(); ++i) worst = std::max(worst, std::abs(got[i] - want[i]));
    EXPECT_LE(worst, tol);
}

}  // namespace

TEST(SinglesPlugins, PhaserProgramsMatchTheirEvaluation) {
    const Product& p = Products()[0];
    for (size_t k : {1u, 5u, 11u}) {
        const auto& v = p.programs[k].values;
        SCOPED_TRACE(p.programs[k].name);
        auto fx = Load(p.library, kRate, kBlock);
        fx->SetProgram(static_cast<int>(k));
        auto l = TestSignal(1, 1.0), r = TestSignal(2, 0.8);
        auto refL = l, refR = r;
        RunLibrary(*fx, l, r);

        quorvex::Phaser ph;
        ph.SetWet(v[0]);
        ph.SetLfoRate(8.0 * v[1]);
        ph.SetDepth(v[2]);
        ph.SetStageFrequency(2, v[3]);
        ph.SetStageFrequency(3, v[4]);
        ph.SetStageFrequency(4, v[5]);
        ph.SetFeedback(v[6]);
        ph.SetSuperStereo(v[7] >= 0.5);
        ph.SetSampleRate(kRate);
        RunReference(refL, refR, v[8] >= 0.5,
                     [&](double& a, double& b) { ph.ProcessReference(a, b); });
        ExpectClose(l, refL, 1e-12);
        ExpectClose(r, refR, 1e-12);
    }
}

TEST(SinglesPlugins, ChorusProgramsMatchTheirEvaluation) {
    const Product& p = Products()[1];
    for (size_t k : {1u, 4u, 5u}) {
        const auto& v = p.programs[k].values;
        SCOPED_TRACE(p.programs[k].name);
        auto fx = Load(p.library, kRate, kBlock);
        fx->SetProgram(static_cast<int>(k));
        auto l = TestSignal(3, 1.0), r = TestSignal(4, 0.7);
        auto refL = l, refR = r;
        RunLibrary(*fx, l, r);

        quorvex::Chorus ch;
        ch.SetWet(v[0]);
        ch.SetRate(v[1] * 0.25);
        ch.SetDepth(v[2]);
        ch.SetDelayMs(v[3] * 50.0);
        ch.SetSpread(v[4]);
        ch.SetSuperStereo(v[5] >= 0.5);
        ch.SetSampleRate(kRate);
        RunReference(refL, refR, v[6] >= 0.5, [&](double& a, double& b) { ch.Process(a, b); });
        ExpectClose(l, refL, 1e-12);
        ExpectClose(r, refR, 1e-12);
    }
}

TEST(SinglesPlugins, DriveMatchesItsEvaluation) {
    const Product& p = Products()[2];
    const struct {
        double gainDb, drive;
        bool feedback, brickwall;
    } cases[] = {{0, 0, true, true}, {12, 0.8, true, true}, {-3, 0.5, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gainDb << " dB, drive " << c.drive);
        auto fx = Load(p.library, kRate, kBlock);
        fx->SetParam(0, static_cast<float>(Normalized(p, 0, c.gainDb)));
        fx->SetParam(1, static_cast<float>(c.drive));
        fx->SetParam(2, c.feedback ? 1.0f : 0.0f);
        fx->SetParam(3, c.brickwall ? 1.0f : 0.0f);
        fx->SetSampleRate(kRate);  // a reset, as hosts do before playing
        // The values the host's float positions actually give.
        const double gainDb = -8.0 + 32.0 * static_cast<double>(fx->GetParam(0));
        const double drive = static_cast<double>(static_cast<float>(c.drive));
        auto l = TestSignal(5, 0.9), r = TestSignal(6, 0.5);
        auto refL = l, refR = r;
        RunLibrary(*fx, l, r);

        const double gain = std::pow(10.0, gainDb / 20.0);
        quorvex::Drive dr;
        dr.SetDrive(drive);
        dr.SetFeedbackEnabled(c.feedback);
        dr.SetSampleRate(kRate);
        RunReference(refL, refR, c.brickwall, [&](double& a, double& b) {
            a *= gain;
            b *= gain;
            dr.Process(a, b);
        });
        ExpectClose(l, refL, 1e-6);
        ExpectClose(r, refR, 1e-6);
    }
}

TEST(SinglesPlugins, SinglePrecisionProcessingAgreesWithDouble) {
    for (const Product& p : Products()) {
        SCOPED_TRACE(p.library);
        auto a = Load(p.library, kRate, kBlock);
        auto b = Load(p.library, kRate, kBlock);
        auto l = TestSignal(7, 1.0), r = TestSignal(8, 1.0);
        for (auto* v : {&l, &r})
            for (double& x : *v) x = static_cast<float>(x);
        auto dl = l, dr = r;
        RunLibrary(*a, dl, dr);
        for (int blk = 0; blk < kBlocks; ++blk) {
            std::vector<float> inL(l.begin() + blk * kBlock, l.begin() + (blk + 1) * kBlock);
            std::vector<float> inR(r.begin() + blk * kBlock, r.begin() + (blk + 1) * kBlock);
            std::vector<float> outL(kBlock), outR(kBlock);
            float* in[2] = {inL.data(), inR.data()};
            float* out[2] = {outL.data(), outR.data()};
            ASSERT_TRUE(b->ProcessReplacing(in, out, kBlock));
            for (int i = 0; i < kBlock; ++i) {
                EXPECT_EQ(outL[size_t(i)], static_cast<float>(dl[size_t(blk * kBlock + i)]));
                EXPECT_EQ(outR[size_t(i)], static_cast<float>(dr[size_t(blk * kBlock + i)]));
            }
        }
    }
}
