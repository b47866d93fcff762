#include <gtest/gtest.h>

#include <limits>
#include <new>

#include "tests/vst/FakeHost.h"

TEST(EffectRecord, FieldsAsFilled) {
    Instance it;
    const AEffect& e = *it.effect;
    EXPECT_EQ(e.magic, kEffectMagic);
    EXPECT_EQ(e.numPrograms, FixtureGain::kNumPresets);
    EXPECT_EQ(e.numParams, FixtureGain::kNumParams);
    EXPECT_EQ(e.numInputs, 4);
    EXPECT_EQ(e.numOutputs, 2);
    // Replacing, double replacing and mono ("1-1" is legal); no editor.
    EXPECT_EQ(e.flags, 0x1018);
    EXPECT_EQ(e.initialDelay, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.uniqueID, VstFourCC('Q', 'v', 'x', 'G'));
    EXPECT_EQ(e.version, 10002);
    EXPECT_EQ(e.object, it.plug);
    EXPECT_EQ(it.plug->BlockSize(), 1024);
    EXPECT_EQ(it.plug->HostId(), -1);  // the fixture adjusts at vendor-specific calls
}

namespace {
struct NoPresets : VexilVST {
    explicit NoPresets(audioMasterCallback m)
        : VexilVST(m, 1, "2-2", 0, "None", "", "Norvu", 0x10002, 1, 2, 0, false, false, false) {
        Param(0)->SetupContinuous("x", 0.25, 0, 1, 0.01);
    }
};
}  // namespace

TEST(EffectRecord, APlugInWithoutPresetsGetsOneDefaultProgram) {
    FakeHost host;
    AEffect* e = CreateVexilEffect(
        &FakeHost::Callback, [](audioMasterCallback m) -> VexilVST* { return new NoPresets(m); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->flags, 0x1010);  // no mono configuration
    char name[256];
    EXPECT_EQ(e->dispatcher(e, effGetProgramNameIndexed, 0, 0, name, 0), 1);
    EXPECT_STREQ(name, "Default");
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}

TEST(EffectRecord, FailedCreationIsANullEffect) {
    EXPECT_EQ(CreateVexilEffect(&FakeHost::Callback,
                                [](audioMasterCallback) -> VexilVST* { throw std::bad_alloc(); }),
              nullptr);
    EXPECT_EQ(CreateVexilEffect(&FakeHost::Callback,
                                [](audioMasterCallback) -> VexilVST* { return nullptr; }),
              nullptr);
    EXPECT_EQ(CreateVexilEffect(&FakeHost::Callback, nullptr), nullptr);
}

TEST(EffectRecord, ParameterCallbacksCheckTheirIndex) {
    Instance it;
    AEffect* e = it.effect;
    e->setParameter(e, FixtureGain::kMix, 0.5f);
    EXPECT_FLOAT_EQ(e->getParameter(e, FixtureGain::kMix), 0.5f);
    EXPECT_EQ(it.plug->Param(FixtureGain::kMix)->Value(), 50.0);
    const int changes = it.plug->paramChangedCount;
    for (int bad : {-1, int(FixtureGain::kNumParams), 1 << 30}) {
        e->setParameter(e, bad, 1.0f);
        EXPECT_EQ(e->getParameter(e, bad), 0.0f);
    }
    EXPECT_EQ(it.plug->paramChangedCount, changes);
    // A position that is not a number leaves the parameter alone.
    e->setParameter(e, FixtureGain::kMix, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(it.plug->Param(FixtureGain::kMix)->Value(), 50.0);
}

TEST(EffectRecord, HostServicesCallTheHost) {
    Instance it;
    it.plug->HostEditBegin(2);
    it.plug->SetParameterFromGUI(FixtureGain::kMix, 0.25);
    it.plug->HostEditEnd(2);
    ASSERT_GE(it.host.calls.size(), 3u);
    const auto& calls = it.host.calls;
    const size_t n = calls.size();
    EXPECT_EQ(calls[n - 3].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[n - 2].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[n - 2].index, FixtureGain::kMix);
    EXPECT_EQ(calls[n - 2].opt, 0.25f);
    EXPECT_EQ(calls[n - 1].opcode, audioMasterEndEdit);
}

TEST(EffectRecord, TimeQueriesGiveNeutralResultsWithoutValidData) {
    Instance it;
    VstTimeInfo& t = it.host.time;
    const struct {
        double samplePos;
        std::int64_t expected;
    } positions[] = {{99.5, 99}, {-5, 0}, {1e20, 0}, {5e9, 5000000000}};
    for (const auto& c : positions) {
        t.samplePos = c.samplePos;
        EXPECT_EQ(it.plug->HostSamplePosition(), c.expected) << c.samplePos;
    }
    t.tempo = 120;
    t.flags = 0;
    EXPECT_EQ(it.plug->HostTempo(), 0.0);
    t.flags = kVstTempoValid;
    EXPECT_EQ(it.plug->HostTempo(), 120.0);
    EXPECT_EQ(it.host.calls.back().value, kVstTempoValid);
    t.tempo = -1;
    EXPECT_EQ(it.plug->HostTempo(), 0.0);
    t.timeSigNumerator = 7;
    t.timeSigDenominator = 8;
    int num = -1, den = -1;
    it.plug->HostTimeSignature(num, den);
    EXPECT_EQ(num, 0);
    t.flags = kVstTimeSigValid;
    it.plug->HostTimeSignature(num, den);
    EXPECT_EQ(num, 7);
    EXPECT_EQ(den, 8);
    it.host.answerTime = false;
    EXPECT_EQ(it.plug->HostSamplePosition(), 0);
    EXPECT_EQ(it.plug->HostTempo(), 0.0);
    it.plug->HostTimeSignature(num, den);
    EXPECT_EQ(num, 0);
}

TEST(EffectRecord, MidiMessagesGoToTheHostAsEvents) {
    Instance it;
    MidiMessage m;
    m.offset = 12;
    m.status = 0x90;
    m.data1 = 60;
    m.data2 = 100;
    EXPECT_TRUE(it.plug->SendMidiMessage(m));
    ASSERT_EQ(it.host.sentMidi.size(), 1u);
    const VstMidiEvent& e = it.host.sentMidi[0];
    EXPECT_EQ(e.type, kVstMidiType);
    EXPECT_EQ(e.byteSize, 32);
    EXPECT_EQ(e.deltaFrames, 12);
    EXPECT_EQ(static_cast<unsigned char>(e.midiData[0]), 0x90);
    EXPECT_EQ(e.midiData[3], 0);
    GrowBuffer list;
    EXPECT_TRUE(it.plug->SendMidiMessages(list));  // empty list
    list.Append(&m, sizeof m);
    list.Append(&m, sizeof m);
    it.host.eventsAnswer = 0;
    EXPECT_FALSE(it.plug->SendMidiMessages(list));
    EXPECT_EQ(it.host.sentMidi.size(), 3u);  // every message is still sent
}
