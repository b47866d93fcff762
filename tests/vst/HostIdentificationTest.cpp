#include <gtest/gtest.h>

#include "framework/platform/Trace.h"
#include "tests/vst/FakeHost.h"

TEST(HostIdentification, Table) {
    const struct {
        const char* vendor;
        const char* product;
        int single;
        int multi;
    } cases[] = {
        {"", "REAPER", 1, 1},
        {"", "Cubase with reaper inside", 1, 1},
        {"Steinberg", "Cubase VST", 3, 3},
        {"", "Nuendo", 4, 4},
        {"", "Cakewalk Sonar", 5, 5},
        {"", "Samplitude", 8, 8},
        {"Image-Line", "Fruity Wrapper", 7, 7},
        {"Ableton", "Live 9", 9, 9},
        {"Other", "Live 9", 0, 0},
        {"", "Melodyne", 12, 12},
        {"", "vstmanlib", 13, 13},
        {"", "com.apple.audio.aulab", 14, 14},
        {"", "Forte", 15, 15},
        {"", "Chainer", 16, 16},
        {"Adobe", "Audition", 17, 17},
        {"", "Orion", 0, 18},
        {"", "", 0, 0},
        {nullptr, nullptr, 0, 0},
    };
    Instance it;
    for (const auto& c : cases) {
        it.plug->SetHostAdjustmentStyle(HostAdjustmentStyle::SingleEffect);
        EXPECT_EQ(it.plug->IdentifyHost(c.vendor, c.product), c.single) << c.product;
        it.plug->SetHostAdjustmentStyle(HostAdjustmentStyle::MultiEffect);
        EXPECT_EQ(it.plug->IdentifyHost(c.vendor, c.product), c.multi) << c.product;
    }
}

TEST(HostIdentification, AskedOnceWithTheVersionDecoded) {
    const struct {
        const char* product;
        VstIntPtr answer;
        int stored;
        int versionCalls;
    } cases[] = {{"Reaper", 302, 770, 1},
                 {"Reaper", 0, 0, 1},
                 {"", 302, 0, 0},
                 {"Cubase", 20105, 2 * 65536 + 256 + 5, 1}};
    for (const auto& c : cases) {
        Instance it;
        it.host.product = c.product;
        it.host.vendorVersion = c.answer;
        const int id = it.plug->QueryHost();
        EXPECT_EQ(it.plug->HostVersion(), c.stored) << c.product << c.answer;
        EXPECT_EQ(it.host.Count(audioMasterGetVendorVersion), c.versionCalls);
        it.host.product = "Audition";
        EXPECT_EQ(it.plug->QueryHost(), id);  // never asked again
        EXPECT_EQ(it.host.Count(audioMasterGetProductString), 1);
    }
}

TEST(HostIdentification, TraceLineNamesTheHost) {
    static std::string line;
    vexil::TraceHook previous =
        vexil::SetTraceHook([](const char* function, const char* format, va_list args) {
            if (std::string(function) != "SetHost") return;
            char text[512];
            std::vsnprintf(text, sizeof text, format, args);
            line = text;
        });
    {
        Instance it;
        it.host.vendor = "Cockos";
        it.host.product = "REAPER";
        it.host.vendorVersion = 50203;
        it.plug->QueryHost();
        EXPECT_EQ(line, "host_known:Cockos:REAPER:v5.2.3");
    }
    {
        Instance it;
        it.host.product = "Thing";
        it.host.vendorVersion = 10100;
        it.plug->QueryHost();
        EXPECT_EQ(line, "host_unknown::Thing:v1.1");
    }
    vexil::SetTraceHook(previous);
}

TEST(HostIdentification, AuditionLosesTheSideChainInputsOnce) {
    {
        Instance it;  // single-effect style: at the first vendor-specific call
        it.host.product = "Adobe Audition";
        it.Call(effOpen);
        EXPECT_TRUE(it.plug->InputConnected(3));
        it.Call(effVendorSpecific, 0, 0, nullptr, 0);
        EXPECT_FALSE(it.plug->InputConnected(2));
        EXPECT_FALSE(it.plug->InputConnected(3));
        EXPECT_TRUE(it.plug->InputConnected(1));
        it.Call(effSetSpeakerArrangement, 0, 0, nullptr);
        VstSpeakerArrangement four{};
        four.numChannels = 4;
        it.Call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&four), nullptr);
        it.Call(effVendorSpecific, 0, 0, nullptr, 0);  // only the first one counts
        EXPECT_TRUE(it.plug->InputConnected(3));
    }
    {
        Instance it;  // multi-effect style: at effOpen, "orion" counts too
        it.plug->SetHostAdjustmentStyle(HostAdjustmentStyle::MultiEffect);
        it.host.product = "Orion";
        it.Call(effOpen);
        EXPECT_EQ(it.plug->HostId(), 18);
        EXPECT_FALSE(it.plug->InputConnected(2));
    }
}
