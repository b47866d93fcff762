// Loading, opening and closing plug-ins through the exported interface, and
// refusing libraries that are not VST 2 plug-ins.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "tests/host/HostTestSupport.h"
#include "tests/host/fixture/HostFixture.h"

namespace {

using host_test::FixturePath;
using vhost::PluginInstance;

host_fixture::HostSeen SeenBy(PluginInstance& plugin) {
    host_fixture::HostSeen seen{};
    plugin.Dispatch(effVendorSpecific, host_fixture::kQueryHost, 0, &seen);
    return seen;
}

TEST(PluginLoad, OpensTheFixtureAndReadsItsRecordAndTexts) {
    auto plugin = PluginInstance::Load(FixturePath("host_fixture"));
    EXPECT_EQ(plugin->NumParams(), host_fixture::kNumParams);
    EXPECT_EQ(plugin->NumPrograms(), host_fixture::kNumPrograms);
    EXPECT_EQ(plugin->NumInputs(), 4);
    EXPECT_EQ(plugin->NumOutputs(), 2);
    EXPECT_EQ(vhost::FourCharText(plugin->UniqueId()), "Hfix");
    EXPECT_EQ(plugin->Version(), 1234);
    EXPECT_EQ(plugin->EffectName(), "Host Fixture");
    EXPECT_EQ(plugin->VendorName(), "Fixture Works");
    EXPECT_EQ(plugin->ProductName(), "Fixture Product");
    EXPECT_EQ(plugin->VendorVersion(), 321);
    EXPECT_EQ(plugin->CanDo("receiveVstTimeInfo"), 1);
    EXPECT_EQ(plugin->CanDo("somethingElse"), 0);
    EXPECT_EQ(plugin->ParamName(0), "Gain");
    EXPECT_EQ(plugin->ParamLabel(0), "dB");
    EXPECT_EQ(plugin->ParamDisplay(0), "0.0");
    EXPECT_EQ(plugin->ProgramNameIndexed(2), "Loud Invert");

    auto in2 = plugin->PinProperties(true, 2);
    ASSERT_TRUE(in2);
    EXPECT_STREQ(in2->label, "In 3");
    EXPECT_EQ(in2->flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_FALSE(plugin->PinProperties(true, 4));
    EXPECT_FALSE(plugin->PinProperties(false, 2));
}

TEST(PluginLoad, TheHostAnswersDuringConstructionAndOpen) {
    vhost::LoadOptions options;
    options.sampleRate = 96000.0;
    options.blockSize = 333;
    options.identity = {"Posing Vendor", "Cubase Pretender", 30201};
    auto plugin = PluginInstance::Load(FixturePath("host_fixture"), options);
    host_fixture::HostSeen seen = SeenBy(*plugin);
    // Asked inside the entry point, before the record reached the host.
    EXPECT_EQ(seen.versionAtConstruction, 2400);
    EXPECT_EQ(seen.versionAtOpen, 2400);
    EXPECT_EQ(seen.sampleRate, 96000);
    EXPECT_EQ(seen.blockSize, 333);
    EXPECT_STREQ(seen.vendor, "Posing Vendor");
    EXPECT_STREQ(seen.product, "Cubase Pretender");
    EXPECT_EQ(seen.vendorVersion, 30201);
    EXPECT_EQ(seen.canDoTimeInfo, 1);
    EXPECT_EQ(seen.canDoUnknown, 0);
    EXPECT_EQ(seen.unknownOpcode, 0);

    host_fixture::BlocksSeen blocks{};
    plugin->Dispatch(effVendorSpecific, host_fixture::kQueryBlocks, 0, &blocks);
    EXPECT_EQ(blocks.lastSampleRate, 96000.0);
    EXPECT_EQ(blocks.blockSize, 333);
    EXPECT_EQ(blocks.active, 0);
}

TEST(PluginLoad, EditorRectOpenAndClose) {
    auto plugin = PluginInstance::Load(FixturePath("host_fixture"));
    ASSERT_TRUE(plugin->HasEditor());
    auto rect = plugin->EditorRect();
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->right - rect->left, 320);
    EXPECT_EQ(rect->bottom - rect->top, 200);
    EXPECT_TRUE(plugin->OpenEditor(nullptr));
    EXPECT_TRUE(plugin->EditorOpen());
    EXPECT_FALSE(plugin->OpenEditor(nullptr));  // already open
    plugin->EditorIdle();
    plugin->CloseEditor();
    EXPECT_FALSE(plugin->EditorOpen());
}

TEST(PluginLoad, RefusesWhatIsNotAPlugInWithOneLineReasons) {
    const std::string textFile = host_test::TempPath("not-a-library.so");
    std::ofstream(textFile) << "just text\n";
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {FixturePath("no_such_library"), "no such file"},
        {HOST_FIXTURE_DIR, "is a folder"},
        {textFile, "cannot load library"},
        {FixturePath("host_not_a_plugin"), "no VSTPluginMain or main entry point"},
        {FixturePath("host_fixture_null"), "returned no effect"},
        {FixturePath("host_fixture_bad_magic"), "bad magic 0x4E6F7065"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            PluginInstance::Load(c.path);
            ADD_FAILURE() << "loaded";
        } catch (const vhost::HostError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(c.reason), std::string::npos) << what;
            EXPECT_EQ(what.find('\n'), std::string::npos) << what;
        }
    }
}

TEST(PluginLoad, InstancesKeepTheirOwnHostState) {
    vhost::LoadOptions a, b;
    a.sampleRate = 44100.0;
    a.identity.product = "First Host";
    b.sampleRate = 48000.0;
    b.identity.product = "Second Host";
    auto first = PluginInstance::Load(FixturePath("host_fixture"), a);
    auto second = PluginInstance::Load(FixturePath("host_fixture"), b);
    EXPECT_STREQ(SeenBy(*first).product, "First Host");
    EXPECT_STREQ(SeenBy(*second).product, "Second Host");
    EXPECT_EQ(SeenBy(*second).sampleRate, 48000);

    // Editing one is recorded by its own host only.
    first->Dispatch(effVendorSpecific, host_fixture::kDoEditGesture, 1, nullptr, 0.75f);
    EXPECT_EQ(first->Host().EditEvents().size(), 3u);
    EXPECT_TRUE(second->Host().EditEvents().empty());

    // Closing one leaves the other working.
    first.reset();
    EXPECT_EQ(second->EffectName(), "Host Fixture");
    auto again = PluginInstance::Load(FixturePath("host_fixture"));
    EXPECT_EQ(again->ParamName(3), "Bypass");
}

}  // namespace
