#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/vst/FakeHost.h"

TEST(Dispatcher, FixedAnswers) {
    Instance it;
    const struct {
        VstInt32 opcode;
        VstIntPtr expected;
    } cases[] = {
        {effIdentify, 0x4E764566},
        {effGetPlugCategory, 1},
        {effGetVstVersion, 2400},
        {effCanBeAutomated, 1},
        {effProcessVarIo, 0},
        {effGetVendorVersion, 0},
        {effGetTailSize, 0},
        {effSetBypass, 0},
        {effString2Parameter, 0},
        {effEditIdle, 0},
        {effIdle, 0},
        {effEditGetRect, 0},
        {effEditOpen, 0},
        {effEditClose, 0},
        {12345, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(it.Call(c.opcode), c.expected) << c.opcode;
}

TEST(Dispatcher, CanDo) {
    Instance it;
    const struct {
        const char* text;
        VstIntPtr expected;
    } cases[] = {{"receiveVstTimeInfo", 1},
                 {"receiveVstEvents", 0},
                 {"sendVstMidiEvent", 0},
                 {"hasCockosExtensions", 0xBEEF0000},
                 {"hasCockosViewAsConfig", 0xBEEF0000},
                 {"ReceiveVstTimeInfo", 0},
                 {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(it.Call(effCanDo, 0, 0, const_cast<char*>(c.text)), c.expected) << c.text;
    EXPECT_EQ(it.Call(effCanDo, 0, 0, nullptr), 0);
}

TEST(Dispatcher, ParameterTexts) {
    Instance it;
    char text[80];
    it.Call(effGetParamName, FixtureGain::kLongName, 0, text);
    EXPECT_STREQ(text, FixtureGain::kLongParamName);  // whole, beyond 32 characters
    it.Call(effGetParamLabel, FixtureGain::kGain, 0, text);
    EXPECT_STREQ(text, "dB");
    it.Call(effGetParamDisplay, FixtureGain::kGain, 0, text);
    EXPECT_STREQ(text, "0");
    it.Call(effGetParamDisplay, FixtureGain::kRouting, 0, text);
    EXPECT_STREQ(text, "Stereo");
    it.Call(effGetParamDisplay, FixtureGain::kMute, 0, text);
    EXPECT_STREQ(text, "off");
    it.effect->setParameter(it.effect, FixtureGain::kGain, 0.5f);  // shape 2: -60 + 72/4
    it.Call(effGetParamDisplay, FixtureGain::kGain, 0, text);
    EXPECT_STREQ(text, "-42.0");
}

TEST(Dispatcher, OutOfRangeIndicesAndNullPointersWriteNothing) {
    Instance it;
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        for (int bad : {-1, int(FixtureGain::kNumParams)}) {
            char text[8] = "keep";
            EXPECT_EQ(it.Call(opcode, bad, 0, text), 0);
            EXPECT_STREQ(text, "keep") << opcode << " " << bad;
        }
        EXPECT_EQ(it.Call(opcode, 0, 0, nullptr), 0);
    }
    const VstInt32 nullOpcodes[] = {
        effSetProgramName,     effGetProgramName,      effGetChunk,
        effSetChunk,           effProcessEvents,       effGetProgramNameIndexed,
        effGetInputProperties, effGetOutputProperties, effGetEffectName,
        effGetVendorString,    effGetProductString,    effGetMidiKeyName,
        effVendorSpecific,     effEditGetRect,         effEditOpen};
    for (VstInt32 opcode : nullOpcodes) EXPECT_EQ(it.Call(opcode, 7, 16, nullptr), 0) << opcode;
    EXPECT_EQ(it.Call(effGetSpeakerArrangement, 0, 0, nullptr), 1);
    EXPECT_EQ(it.Call(effSetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST(Dispatcher, NamesAndPins) {
    Instance it;
    char text[256];
    EXPECT_EQ(it.Call(effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "Fixture Gain");
    EXPECT_EQ(it.Call(effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Norvu");
    EXPECT_EQ(it.Call(effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "");
    const struct {
        VstInt32 opcode;
        int index;
        VstIntPtr result;
        const char* label;
        int flags;
    } pins[] = {
        {effGetInputProperties, 1, 1, "Input 2", 1},   {effGetInputProperties, 2, 1, "Input 3", 3},
        {effGetInputProperties, 4, 0, "", 0},          {effGetInputProperties, -1, 0, "", 0},
        {effGetOutputProperties, 0, 1, "Output 1", 3}, {effGetOutputProperties, 2, 0, "", 0}};
    for (const auto& p : pins) {
        VstPinProperties pin{};
        EXPECT_EQ(it.Call(p.opcode, p.index, 0, &pin), p.result);
        EXPECT_STREQ(pin.label, p.label);
        EXPECT_EQ(pin.flags, p.flags);
    }
}

TEST(Dispatcher, ProgramsKeepUserChangesAndMakeUserPresets) {
    Instance it;
    char name[256];
    EXPECT_EQ(it.Call(effGetProgram), 0);
    it.Call(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "Default");
    it.effect->setParameter(it.effect, FixtureGain::kMix, 0.3f);
    it.Call(effSetProgram, 0, 1);
    EXPECT_EQ(it.Call(effGetProgram), 1);
    EXPECT_EQ(it.plug->Param(FixtureGain::kGain)->Value(), -20.0);
    it.Call(effSetProgram, 0, 0);  // the change travelled with program 0
    EXPECT_NEAR(it.plug->Param(FixtureGain::kMix)->Value(), 30.0, 1e-4);
    it.Call(effSetProgram, 0, 4);
    it.Call(effGetProgramName, 0, 0, name);
    EXPECT_STREQ(name, "user preset 1");
    it.Call(effSetProgram, 0, 99);  // ignored
    it.Call(effSetProgram, 0, VstIntPtr{1} << 40);
    EXPECT_EQ(it.Call(effGetProgram), 4);
    it.Call(effSetProgramName, 0, 0, const_cast<char*>("Renamed"));
    EXPECT_EQ(it.Call(effGetProgramNameIndexed, 4, 0, name), 1);
    EXPECT_STREQ(name, "Renamed");
    EXPECT_EQ(it.Call(effGetProgramNameIndexed, 5, 0, name), 0);
    EXPECT_STREQ(name, "");
}

TEST(Dispatcher, VendorSpecificDisplayOfAnyPosition) {
    Instance it;
    char text[32] = "keep";
    EXPECT_EQ(it.Call(effVendorSpecific, effGetParamDisplay, FixtureGain::kRouting, text, 0.9f),
              0xBEEF);
    EXPECT_STREQ(text, "Swap");  // 1.8 truncated, where setting would round to 2
    std::strcpy(text, "keep");
    EXPECT_EQ(it.Call(effVendorSpecific, effGetParamDisplay, 99, text, 0.4f), 0xBEEF);
    EXPECT_STREQ(text, "keep");
    EXPECT_EQ(it.Call(effVendorSpecific, 3, 0, text, 0.4f), 0);
    EXPECT_EQ(it.plug->Param(FixtureGain::kRouting)->Value(), 0.0);  // nothing changed
}

TEST(Dispatcher, RatesSizesAndActivationResetState) {
    Instance it;
    const struct {
        VstInt32 opcode;
        VstIntPtr value;
        float opt;
        int resets;
    } cases[] = {{effSetSampleRate, 0, 48000.0f, 1}, {effSetBlockSize, 256, 0, 1},
                 {effMainsChanged, 1, 0, 0},         {effMainsChanged, 0, 0, 1},
                 {effSetBlockSize, -5, 0, 1},        {effSetSampleRate, 0, -1.0f, 1}};
    for (const auto& c : cases) {
        const int before = it.plug->resetCount;
        it.Call(c.opcode, 0, c.value, nullptr, c.opt);
        EXPECT_EQ(it.plug->resetCount - before, c.resets) << c.opcode;
    }
    EXPECT_EQ(it.plug->SampleRate(), 48000.0);
    EXPECT_EQ(it.plug->BlockSize(), 256);
}

TEST(Dispatcher, OpenRunsEveryParamChangedThenReset) {
    Instance it;
    it.plug->paramChangedCount = 0;
    it.plug->resetCount = 0;
    it.Call(effOpen);
    EXPECT_EQ(it.plug->paramChangedCount, FixtureGain::kNumParams);
    EXPECT_EQ(it.plug->resetCount, 1);
}

TEST(Dispatcher, SpeakerArrangementsConnectAndDisconnect) {
    Instance it;
    VstSpeakerArrangement two{};
    two.numChannels = 2;
    VstSpeakerArrangement huge{};
    huge.numChannels = 1000;
    EXPECT_EQ(it.Call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&two), &huge), 1);
    EXPECT_TRUE(it.plug->InputConnected(1));
    EXPECT_FALSE(it.plug->InputConnected(2));
    EXPECT_FALSE(it.plug->InputConnected(3));
    EXPECT_TRUE(it.plug->OutputConnected(1));
    VstSpeakerArrangement* in = nullptr;
    VstSpeakerArrangement* out = nullptr;
    it.Call(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out);
    ASSERT_TRUE(in && out);
    EXPECT_EQ(in->numChannels, 4);  // own records are not changed
    EXPECT_EQ(out->numChannels, 2);
}

TEST(Dispatcher, EventsReachTheMidiHandler) {
    struct MidiPlug : FixtureGain {
        using FixtureGain::FixtureGain;
        void HandleMidiMessage(const MidiMessage& m) override { got.push_back(m); }
        std::vector<MidiMessage> got;
    };
    FakeHost host;
    AEffect* e = CreateVexilEffect(
        &FakeHost::Callback, [](audioMasterCallback m) -> VexilVST* { return new MidiPlug(m); });
    auto* plug = static_cast<MidiPlug*>(static_cast<VexilVST*>(e->object));
    VstMidiEvent midi{};
    midi.type = kVstMidiType;
    midi.byteSize = 32;
    midi.deltaFrames = 5;
    midi.midiData[0] = char(0x80);
    midi.midiData[1] = 64;
    VstEvent sysex{};
    sysex.type = kVstSysExType;
    VstEvents events{};
    events.numEvents = 2;
    events.events[0] = reinterpret_cast<VstEvent*>(&midi);
    events.events[1] = &sysex;
    EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, &events, 0), 1);
    ASSERT_EQ(plug->got.size(), 1u);
    EXPECT_EQ(plug->got[0].offset, 5);
    EXPECT_EQ(plug->got[0].status, 0x80);
    EXPECT_EQ(plug->got[0].data1, 64);
    EXPECT_EQ(host.Count(audioMasterProcessEvents), 1);  // the other event went back
    events.numEvents = -3;
    EXPECT_EQ(e->dispatcher(e, effProcessEvents, 0, 0, &events, 0), 1);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}

TEST(Dispatcher, MidiKeyNameDefaultsToNone) {
    Instance it;
    MidiKeyName key{};
    key.thisKeyNumber = 60;
    key.keyName[0] = 'x';
    EXPECT_EQ(it.Call(effGetMidiKeyName, 0, 0, &key), 0);
    EXPECT_EQ(key.keyName[0], '\0');
}
