// Parameters and programs by name or index, plain values found through the
// plug-in's own display, and state chunks.
#include <gtest/gtest.h>

#include "host/HostError.h"
#include "host/ParamSettings.h"
#include "host/PluginInstance.h"
#include "tests/host/HostTestSupport.h"

namespace {

using vhost::PluginInstance;

std::unique_ptr<PluginInstance> LoadFixture() {
    return PluginInstance::Load(host_test::FixturePath("host_fixture"));
}

TEST(ParamSettings, FindsParametersByNameOrIndex) {
    auto plugin = LoadFixture();
    EXPECT_EQ(vhost::FindParameter(*plugin, "Gain"), 0);
    EXPECT_EQ(vhost::FindParameter(*plugin, " mode "), 1);
    EXPECT_EQ(vhost::FindParameter(*plugin, "3"), 3);
    for (const char* bad : {"Volume", "4", "-1", "", "99999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(vhost::FindParameter(*plugin, bad), vhost::HostError);
    }
}

TEST(ParamSettings, PlainValuesLandOnWhatTheDisplayShows) {
    const struct {
        const char* param;
        const char* value;
        const char* shown;
    } cases[] = {
        {"Gain", "-6", "-6.0"},  {"Gain", "-6 dB", "-6.0"},    {"Gain", "-6dB", "-6.0"},
        {"Gain", "12", "12.0"},  {"Gain", "-60", "-60.0"},     {"Gain", "1.04", "1.0"},
        {"Gain", "3.26", "3.3"}, {"Mode", "Invert", "Invert"}, {"Mode", "half", "Half"},
        {"Steps", "3", "3"},     {"Steps", "3.4", "3"},        {"Steps", "3.6", "4"},
        {"Bypass", "On", "On"},  {"Gain", "n:0.5", "-24.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.param) + "=" + c.value);
        auto plugin = LoadFixture();
        const int index = vhost::FindParameter(*plugin, c.param);
        plugin->SetParam(index, vhost::ResolveParamValue(*plugin, index, c.value));
        EXPECT_EQ(plugin->ParamDisplay(index), c.shown);
    }
    // A rounded display lands in the middle of its stretch: exactly -6 dB.
    auto plugin = LoadFixture();
    EXPECT_NEAR(vhost::ResolveParamValue(*plugin, 0, "-6"), 54.0 / 72.0, 1e-6);
    EXPECT_FLOAT_EQ(vhost::ResolveParamValue(*plugin, 0, "n:0.25"), 0.25f);
}

TEST(ParamSettings, RejectsValuesItCannotPlace) {
    const struct {
        const char* param;
        const char* value;
        const char* reason;
    } cases[] = {
        {"Gain", "13", "outside the range"},
        {"Gain", "-61", "outside the range"},
        {"Gain", "loud", "shows no text 'loud'"},
        {"Mode", "2", "shows no numbers"},
        {"Mode", "Sine", "'Clean', 'Half', 'Invert'"},
        {"Gain", "n:1.5", "expected n:0..1"},
        {"Gain", "n:x", "expected n:0..1"},
        {"Gain", "-6 Hz", "shows no text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.param) + "=" + c.value);
        auto plugin = LoadFixture();
        const int index = vhost::FindParameter(*plugin, c.param);
        const float before = plugin->GetParam(index);
        try {
            vhost::ResolveParamValue(*plugin, index, c.value);
            ADD_FAILURE() << "accepted";
        } catch (const vhost::HostError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
        // The search restores the value it tried.
        EXPECT_EQ(plugin->GetParam(index), before);
    }
    auto plugin = LoadFixture();
    for (const char* bad : {"Gain", "=3", "Gain=", "Gain 3"})
        EXPECT_THROW(vhost::ParseAssignment(bad), vhost::HostError) << bad;
}

TEST(ParamSettings, ProgramsByNameOrIndexThenSettings) {
    auto plugin = LoadFixture();
    EXPECT_EQ(vhost::FindProgram(*plugin, "loud invert"), 2);
    EXPECT_EQ(vhost::FindProgram(*plugin, "1"), 1);
    EXPECT_THROW(vhost::FindProgram(*plugin, "3"), vhost::HostError);
    EXPECT_THROW(vhost::FindProgram(*plugin, "Loudest"), vhost::HostError);

    vhost::ApplySettings(*plugin, std::string("Quiet"), {"Mode=Half", "0=-3"});
    EXPECT_EQ(plugin->Program(), 1);
    EXPECT_EQ(plugin->ProgramName(), "Quiet");
    EXPECT_EQ(plugin->ParamDisplay(0), "-3.0");
    EXPECT_EQ(plugin->ParamDisplay(1), "Half");
    EXPECT_EQ(plugin->ParamDisplay(2), "4");  // from the program

    // A plug-in that names only its current program is still found by name.
    auto unnamed = vhost::PluginInstance::Load(host_test::FixturePath("host_fixture_unnamed"));
    unnamed->SetProgram(2);
    EXPECT_EQ(vhost::FindProgram(*unnamed, "quiet"), 1);
    EXPECT_EQ(unnamed->Program(), 2);
    EXPECT_THROW(vhost::FindProgram(*unnamed, "Loudest"), vhost::HostError);

    // One bad setting changes nothing, not even the program.
    EXPECT_THROW(vhost::ApplySettings(*plugin, std::string("Unity"), {"Mode=Clean", "Nope=1"}),
                 vhost::HostError);
    EXPECT_EQ(plugin->Program(), 1);
    EXPECT_EQ(plugin->ParamDisplay(1), "Half");
}

TEST(Chunks, RoundTripAndRefusal) {
    auto plugin = LoadFixture();
    vhost::ApplySettings(*plugin, std::string("Loud Invert"), {"Gain=-12", "Steps=5"});
    for (bool program : {false, true}) {
        SCOPED_TRACE(program);
        const std::vector<std::uint8_t> saved = plugin->GetChunk(program);
        ASSERT_FALSE(saved.empty());
        auto other = LoadFixture();
        EXPECT_TRUE(other->SetChunk(saved, program));
        EXPECT_EQ(other->Program(), 2);
        for (int i = 0; i < plugin->NumParams(); ++i)
            EXPECT_EQ(other->GetParam(i), plugin->GetParam(i));
        EXPECT_EQ(other->GetChunk(program), saved);

        // The fixture refuses a chunk of the wrong size and keeps its state.
        EXPECT_FALSE(other->SetChunk({1, 2, 3}, program));
        EXPECT_FALSE(other->SetChunk({}, program));
        EXPECT_EQ(other->GetChunk(program), saved);
    }
}

}  // namespace
