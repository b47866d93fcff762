// What our audioMaster answers: the fixed answers, the time record for the
// requested flags, and what it records of the plug-in's edits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/HostContext.h"
#include "host/PluginInstance.h"
#include "host/Render.h"
#include "tests/host/HostTestSupport.h"
#include "tests/host/fixture/HostFixture.h"

namespace {

using vhost::HostContext;
using vhost::PluginInstance;

TEST(HostCallback, FixedAnswers) {
    HostContext host;
    host.sampleRate = 88200.0;
    host.blockSize = 128;
    host.currentUniqueId = VstFourCC('A', 'b', 'c', 'd');
    host.identity = {"Vend", "Prod", 20304};
    AEffect effect{};
    effect.user = &host;
    auto call = [&](VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
        return HostContext::AudioMaster(&effect, opcode, index, value, ptr, 0.0f);
    };
    EXPECT_EQ(call(audioMasterVersion), 2400);
    EXPECT_EQ(call(audioMasterGetSampleRate), 88200);
    EXPECT_EQ(call(audioMasterGetBlockSize), 128);
    EXPECT_EQ(call(audioMasterCurrentId), VstFourCC('A', 'b', 'c', 'd'));
    EXPECT_EQ(call(audioMasterGetVendorVersion), 20304);
    EXPECT_EQ(call(audioMasterIdle), 0);
    EXPECT_EQ(call(audioMasterUpdateDisplay), 1);
    EXPECT_EQ(call(audioMasterWantMidi), 1);
    for (const std::string& text : HostContext::CanDoTexts()) {
        std::string copy = text;
        EXPECT_EQ(call(audioMasterCanDo, 0, 0, copy.data()), 1) << text;
    }
    char unknown[] = "openTheGates";
    EXPECT_EQ(call(audioMasterCanDo, 0, 0, unknown), 0);
    EXPECT_EQ(call(audioMasterCanDo), 0);
    for (VstInt32 opcode : {4, 5, 9, 23, 38, 99, 1000, -1}) EXPECT_EQ(call(opcode), 0) << opcode;
    EXPECT_EQ(call(audioMasterGetVendorString), 0);  // null buffer

    // Host texts are cut to the interface's 64 bytes.
    host.identity.product = std::string(100, 'p');
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(call(audioMasterGetProductString, 0, 0, buffer), 1);
    EXPECT_EQ(std::string(buffer), std::string(63, 'p'));

    VstEvents events{};
    events.numEvents = 2;
    EXPECT_EQ(call(audioMasterProcessEvents, 0, 0, &events), 1);
    EXPECT_EQ(host.ReceivedEventCount(), 2);
    EXPECT_EQ(call(audioMasterSizeWindow, 640, 480), 1);
    EXPECT_EQ(host.RequestedWidth(), 640);
    EXPECT_EQ(host.RequestedHeight(), 480);
    EXPECT_EQ(host.CallCount(audioMasterVersion), 1);

    // With no context to find, only the version is answered.
    AEffect stranger{};
    EXPECT_EQ(HostContext::AudioMaster(&stranger, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(HostContext::AudioMaster(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 0);
}

TEST(HostCallback, TimeInfoFillsOnlyWhatWasAskedFor) {
    HostContext host;
    host.sampleRate = 48000.0;
    host.transport = {90.0, 6, 8, true};
    host.RestartTransport(48000.0 * 7);  // 7 s = 10.5 quarter notes at 90 bpm
    const VstInt32 validBits =
        kVstNanosValid | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
    for (VstInt32 request : std::initializer_list<VstInt32>{
             0, kVstTempoValid, kVstPpqPosValid | kVstBarsValid, validBits}) {
        SCOPED_TRACE(request);
        const VstTimeInfo& t = host.FillTimeInfo(request);
        EXPECT_EQ(t.samplePos, 48000.0 * 7);
        EXPECT_EQ(t.sampleRate, 48000.0);
        EXPECT_EQ(t.flags & validBits, request);
        EXPECT_TRUE(t.flags & kVstTransportPlaying);
        EXPECT_EQ(t.tempo, request & kVstTempoValid ? 90.0 : 0.0);
        EXPECT_DOUBLE_EQ(t.ppqPos, request & kVstPpqPosValid ? 10.5 : 0.0);
        // A 6/8 bar is three quarter notes: bar 4 starts at 9.
        EXPECT_DOUBLE_EQ(t.barStartPos, request & kVstBarsValid ? 9.0 : 0.0);
        EXPECT_EQ(t.timeSigNumerator, request & kVstTimeSigValid ? 6 : 0);
        EXPECT_EQ(t.timeSigDenominator, request & kVstTimeSigValid ? 8 : 0);
        EXPECT_DOUBLE_EQ(t.nanoSeconds, request & kVstNanosValid ? 7e9 : 0.0);
    }
}

TEST(HostCallback, PlugInSeesTheTransportMoveBlockByBlock) {
    const struct {
        double tempo;
        int num, den;
        bool playing;
        int block;
    } cases[] = {{120.0, 4, 4, true, 256}, {90.0, 3, 4, true, 100}, {140.0, 7, 8, false, 64}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tempo);
        vhost::LoadOptions options;
        options.sampleRate = 44100.0;
        options.blockSize = c.block;
        auto plugin = PluginInstance::Load(host_test::FixturePath("host_fixture"), options);
        vhost::RenderOptions render;
        render.transport = {c.tempo, c.num, c.den, c.playing};
        const int blocks = 9;
        // One frame short of nine blocks: the last call is one frame shorter.
        vhost::Render(*plugin, host_test::TestSignal(2, static_cast<size_t>(blocks * c.block - 1)),
                      render);

        VstTimeInfo t{};
        plugin->Dispatch(effVendorSpecific, host_fixture::kQueryTime, 0, &t);
        const double start = c.playing ? (blocks - 1) * c.block : 0.0;
        EXPECT_EQ(t.samplePos, start);
        EXPECT_EQ(t.sampleRate, 44100.0);
        EXPECT_EQ(t.tempo, c.tempo);
        const double ppq = start / 44100.0 * c.tempo / 60.0;
        EXPECT_NEAR(t.ppqPos, ppq, 1e-9);
        const double bar = 4.0 * c.num / c.den;
        EXPECT_NEAR(t.barStartPos, std::floor(ppq / bar) * bar, 1e-9);
        EXPECT_EQ(t.timeSigNumerator, c.num);
        EXPECT_EQ(t.timeSigDenominator, c.den);
        EXPECT_EQ((t.flags & kVstTransportPlaying) != 0, c.playing);
        EXPECT_EQ(t.flags & kVstTransportChanged, 0);  // only on the first block
        EXPECT_EQ(t.flags & host_fixture::kTimeRequest, host_fixture::kTimeRequest);

        host_fixture::BlocksSeen seen{};
        plugin->Dispatch(effVendorSpecific, host_fixture::kQueryBlocks, 0, &seen);
        EXPECT_EQ(seen.calls, blocks);
        EXPECT_EQ(seen.maxFrames, c.block);
        EXPECT_EQ(seen.lastFrames, c.block - 1);
        EXPECT_EQ(seen.active, 0);  // render suspends at the end
    }
}

TEST(HostCallback, RecordsAutomationAndGestures) {
    auto plugin = PluginInstance::Load(host_test::FixturePath("host_fixture"));
    plugin->Dispatch(effVendorSpecific, host_fixture::kDoEditGesture, 2, nullptr, 0.25f);
    const std::vector<vhost::HostEditEvent> expected = {{audioMasterBeginEdit, 2, 0.0f},
                                                        {audioMasterAutomate, 2, 0.25f},
                                                        {audioMasterEndEdit, 2, 0.0f}};
    EXPECT_EQ(plugin->Host().EditEvents(), expected);
    EXPECT_FLOAT_EQ(plugin->GetParam(2), 0.25f);
    plugin->Host().ClearEditEvents();
    EXPECT_TRUE(plugin->Host().EditEvents().empty());
}

}  // namespace
