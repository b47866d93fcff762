// The host library's editor windows end to end: a plug-in library loaded as
// a DAW loads it, its editor opened in a real top-level window (X11 under
// Xvfb, Win32 under wine), driven by real pointer events sent to the
// editor's own window, its pixels read back and compared with the same
// editor drawn offscreen; and quorvex-host snapshot on top of it.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "framework/editor/IGraphicsOffscreen.h"
#include "host/EditorHost.h"
#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "tests/editor_host/EditorHostFixture.h"
#include "tests/host/HostTestSupport.h"

#ifndef _WIN32
#include "host/EditorHostXvfb.h"
// Xlib last: its macros clash with ordinary names.
#include <X11/Xlib.h>
#endif

using namespace vhost;
using Fixture = EditorHostFixture;

namespace {

std::string FixtureLibrary() {
    return std::string(EDITOR_HOST_FIXTURE_DIR) + "/editor_host_fixture" + HOST_LIBRARY_SUFFIX;
}

// The same editor drawn offscreen with the plug-in's current values, set
// through the effect record as the host set them.
EditorPixels Offscreen(PluginInstance& plugin) {
    Fixture reference(nullptr, true);
    AEffect* effect = reference.Effect();
    for (int i = 0; i < Fixture::kNumParams; ++i)
        effect->setParameter(effect, i, plugin.GetParam(i));
    auto* graphics = static_cast<IGraphicsOffscreen*>(reference.Graphics());
    graphics->RenderAll();
    const auto* bits = static_cast<const std::uint32_t*>(graphics->SurfaceBits());
    EditorPixels pixels;
    pixels.width = Fixture::kWidth;
    pixels.height = Fixture::kHeight;
    pixels.rgb.assign(bits, bits + Fixture::kWidth * Fixture::kHeight);
    for (auto& p : pixels.rgb) p &= 0xffffffu;
    return pixels;
}

int Differing(const EditorPixels& a, const EditorPixels& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) n += a.rgb[i] != b.rgb[i];
    return n;
}

// Pumps the window until the condition holds or three seconds pass.
bool PumpUntil(EditorHost& editor, const std::function<bool()>& condition) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        editor.Pump(10);
    }
    return true;
}

// The picture settles once the editor's timer has redrawn what changed.
bool ShowsOffscreen(EditorHost& editor, PluginInstance& plugin, int* differing = nullptr) {
    EditorPixels expected = Offscreen(plugin);
    int last = -1;
    bool same =
        PumpUntil(editor, [&] { return (last = Differing(editor.Capture(), expected)) == 0; });
    if (differing) *differing = last;
    return same;
}

class EditorHostTest : public ::testing::Test {
  protected:
    void SetUp() override { plugin = PluginInstance::Load(FixtureLibrary()); }
    std::unique_ptr<PluginInstance> plugin;
};

constexpr int kLevelX = (Fixture::kLevelBox.left + Fixture::kLevelBox.right) / 2;
constexpr int kLevelY = (Fixture::kLevelBox.top + Fixture::kLevelBox.bottom) / 2;

}  // namespace

TEST_F(EditorHostTest, WindowShowsTheEditorAndADragReachesPluginAndHost) {
    auto editor = EditorHost::Open(*plugin);
    EXPECT_EQ(editor->Width(), Fixture::kWidth);
    EXPECT_EQ(editor->Height(), Fixture::kHeight);
    ASSERT_NE(editor->EditorWindow(), nullptr);
    ASSERT_TRUE(plugin->EditorOpen());
    int differing = 0;
    EXPECT_TRUE(ShowsOffscreen(*editor, *plugin, &differing)) << differing << " pixels differ";

    // A drag upwards raises the knob; the host hears a whole gesture
    // (begin, automation, end) and the window shows the new value.
    plugin->Host().ClearEditEvents();
    float before = plugin->GetParam(Fixture::kLevel);
    editor->Drag(kLevelX, kLevelY, 0, -30);
    ASSERT_TRUE(PumpUntil(*editor, [&] {
        auto events = plugin->Host().EditEvents();
        return !events.empty() && events.back().opcode == audioMasterEndEdit;
    }));
    float after = plugin->GetParam(Fixture::kLevel);
    EXPECT_GT(after, before + 0.05f);
    auto events = plugin->Host().EditEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(events.back().opcode, audioMasterEndEdit);
    bool automated = false;
    for (const auto& e : events)
        if (e.opcode == audioMasterAutomate) {
            EXPECT_EQ(e.index, Fixture::kLevel);
            automated = true;
        }
    EXPECT_TRUE(automated);
    EXPECT_FLOAT_EQ(events[events.size() - 2].value, after);
    EXPECT_TRUE(ShowsOffscreen(*editor, *plugin, &differing)) << differing << " pixels differ";

    // A value set by the host (automation playback) shows at the next ticks.
    plugin->SetParam(Fixture::kMode, 1.0f);
    EXPECT_TRUE(ShowsOffscreen(*editor, *plugin, &differing)) << differing << " pixels differ";
}

TEST_F(EditorHostTest, WheelNotchesReachTheEditorWindow) {
    auto editor = EditorHost::Open(*plugin);
    editor->Pump(60);
    float before = plugin->GetParam(Fixture::kLevel);
    // Each notch is an event of its own: wait for both of them.
    auto reaches = [&](float target) {
        return
            [&, target] { return std::fabs(plugin->GetParam(Fixture::kLevel) - target) < 1e-6f; };
    };
    editor->Wheel(kLevelX, kLevelY, 2);
    EXPECT_TRUE(PumpUntil(*editor, reaches(before + 0.02f))) << plugin->GetParam(Fixture::kLevel);
    editor->Wheel(kLevelX, kLevelY, -2);
    EXPECT_TRUE(PumpUntil(*editor, reaches(before))) << plugin->GetParam(Fixture::kLevel);
}

TEST_F(EditorHostTest, RightButtonOpensTheValueEntryAndASecondOneCancelsIt) {
    auto editor = EditorHost::Open(*plugin);
    ASSERT_TRUE(ShowsOffscreen(*editor, *plugin));
    plugin->Host().ClearEditEvents();
    float level = plugin->GetParam(Fixture::kLevel);
    // The entry is a window of its own over the knob: the picture differs.
    editor->PointerDown(kLevelX, kLevelY, PointerButton::Right);
    editor->PointerUp(kLevelX, kLevelY, PointerButton::Right);
    EditorPixels expected = Offscreen(*plugin);
    EXPECT_TRUE(PumpUntil(*editor, [&] { return Differing(editor->Capture(), expected) > 0; }));
    // A right click elsewhere only closes it.
    editor->PointerDown(5, 5, PointerButton::Right);
    editor->PointerUp(5, 5, PointerButton::Right);
    int differing = 0;
    EXPECT_TRUE(ShowsOffscreen(*editor, *plugin, &differing)) << differing << " pixels differ";
    EXPECT_EQ(plugin->GetParam(Fixture::kLevel), level);
    // The press on the knob is a gesture without a change: no automation.
    for (const auto& e : plugin->Host().EditEvents()) EXPECT_NE(e.opcode, audioMasterAutomate);
}

TEST_F(EditorHostTest, ClosingAndReopeningInNewWindowsKeepsWorking) {
    for (int round = 0; round < 3; ++round) {
        auto editor = EditorHost::Open(*plugin);
        ASSERT_TRUE(plugin->EditorOpen());
        EXPECT_TRUE(ShowsOffscreen(*editor, *plugin)) << "round " << round;
        editor->CloseEditor();
        EXPECT_FALSE(plugin->EditorOpen());
        editor->Pump(20);
    }
    // The plug-in closes with its editor open: the host library closes the
    // editor first, as hosts must.
    auto editor = EditorHost::Open(*plugin);
    editor->Pump(60);
    editor.reset();
    plugin.reset();
}

TEST_F(EditorHostTest, PluginsWithoutAnEditorAreRefusedWithAReason) {
    auto gain = PluginInstance::Load(host_test::BuiltPluginPath("fixture_gain"));
    try {
        EditorHost::Open(*gain);
        FAIL() << "opened an editor the plug-in does not have";
    } catch (const HostError& e) {
        EXPECT_NE(std::string(e.what()).find("has no editor"), std::string::npos) << e.what();
    }
}

TEST(EditorHostPng, WritesAndReadsBackExactPixels) {
    EditorPixels p;
    p.width = 7;
    p.height = 3;
    for (int i = 0; i < 21; ++i) p.rgb.push_back(std::uint32_t(i * 0x0b1f37) & 0xffffffu);
    std::string path = host_test::TempPath("roundtrip.png");
    WritePng(path, p);
    EditorPixels back = ReadPng(path);
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.rgb, p.rgb);
    EXPECT_THROW(WritePng(host_test::TempPath("no/such/folder.png"), p), HostError);
    EXPECT_THROW(ReadPng(FixtureLibrary()), HostError);
}

TEST(SnapshotCommand, WritesTheWindowsPixelsForProgramAndSettings) {
    std::string out = host_test::TempPath("snapshot.png");
    auto r = host_test::RunHost({"snapshot", FixtureLibrary(), out, "--set", "Level=0.8", "--set",
                                 "Mode=Hard", "--ticks", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("240 x 140"), std::string::npos) << r.output;
    auto plugin = PluginInstance::Load(FixtureLibrary());
    plugin->SetParam(Fixture::kLevel, 0.8f);
    plugin->SetParam(Fixture::kMode, 1.0f);
    EXPECT_EQ(Differing(ReadPng(out), Offscreen(*plugin)), 0);
}

TEST(SnapshotCommand, FailuresAreOneLineAndNonZero) {
    std::string out = host_test::TempPath("never.png");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* says;
    };
    const Case cases[] = {
        {{"snapshot", host_test::BuiltPluginPath("fixture_gain"), out}, 1, "has no editor"},
        {{"snapshot", FixtureLibrary()}, 2, "snapshot takes"},
        {{"snapshot", FixtureLibrary(), out, "--ticks", "0"}, 2, "--ticks"},
        {{"snapshot", FixtureLibrary(), out, "--set", "Nope=1"}, 1, "Nope"},
        {{"snapshot", FixtureLibrary(), host_test::TempPath("no/such/folder/x.png")},
         1,
         "cannot write"},
    };
    for (const Case& c : cases) {
        auto r = host_test::RunHost(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << r.output;
    }
    EXPECT_FALSE(host_test::FileExists(out));
}

#ifndef _WIN32
TEST(SnapshotCommand, WithoutDisplayUsesAPrivateXvfbAndABadDisplayIsReported) {
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    std::string out = host_test::TempPath("private.png");
    unsetenv("DISPLAY");
    auto r = host_test::RunHost({"snapshot", FixtureLibrary(), out});
    setenv("DISPLAY", ":4093", 1);
    auto bad = host_test::RunHost({"snapshot", FixtureLibrary(), out + ".bad"});
    setenv("DISPLAY", saved.c_str(), 1);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("private Xvfb"), std::string::npos) << r.output;
    EXPECT_EQ(ReadPng(out).width, Fixture::kWidth);
    EXPECT_EQ(bad.exitCode, 1) << bad.output;
    EXPECT_NE(bad.output.find("cannot open display :4093"), std::string::npos) << bad.output;
}

// Other programs' windows on a shared display (tests running side by side,
// a desktop) may cover the editor's; its pixels are still its own.
TEST_F(EditorHostTest, CoveredWindowStillReadsItsOwnPixels) {
    auto editor = EditorHost::Open(*plugin);
    ASSERT_TRUE(ShowsOffscreen(*editor, *plugin));
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    Window cover =
        XCreateSimpleWindow(other, DefaultRootWindow(other), 10, 10, 300, 200, 0, 0, 0x00ff00ff);
    XMapRaised(other, cover);
    XSync(other, False);
    editor->Pump(150);
    int differing = 0;
    EXPECT_TRUE(ShowsOffscreen(*editor, *plugin, &differing)) << differing << " pixels differ";
    XDestroyWindow(other, cover);
    XCloseDisplay(other);
}

// Windows are real: without a display the tests make their own.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<PrivateXvfb> xvfb;
    if (!DisplayConfigured()) xvfb = std::make_unique<PrivateXvfb>(640, 480);
    return RUN_ALL_TESTS();
}
#endif
