// The multi-effect's editor as a DAW shows it: the built plug-in library
// loaded through its exported interface, the editor opened in a real window
// (X11 under Xvfb; Win32 under wine), a knob dragged and a toggle clicked by
// real pointer events, the parameters read back through the effect record
// and the automation the host received; the meters moving while audio runs.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/EditorHost.h"
#include "host/PluginInstance.h"

#ifndef _WIN32
#include "host/EditorHostXvfb.h"
#endif

using namespace vhost;

namespace {

std::string PluginPath() {
#ifdef _WIN32
    return std::string(QUORVEX_PLUGIN_DIR) + "/quorvex.dll";
#else
    return std::string(QUORVEX_PLUGIN_DIR) + "/quorvex.so";
#endif
}

constexpr int kCutoffFrequency = 22;
constexpr int kDriveEnable = 25;
// The cutoff knob (31 x 28 at 174, 64), the drive lever (15 x 23 at 1,
// 190) and the inner meter ring (104 x 74 at 344, 52).
constexpr int kCutoffX = 174 + 15, kCutoffY = 64 + 14;
constexpr int kDriveLeverX = 1 + 7, kDriveLeverY = 190 + 11;

bool PumpUntil(EditorHost& editor, const std::function<bool()>& condition) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        editor.Pump(10);
    }
    return true;
}

bool GestureEnded(PluginInstance& plugin) {
    auto events = plugin.Host().EditEvents();
    return !events.empty() && events.back().opcode == audioMasterEndEdit;
}

int DifferingIn(const EditorPixels& a, const EditorPixels& b, int left, int top, int right,
                int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

// Runs blocks of a loud tone through the plug-in, pumping the window as a
// host's user-interface thread would between them.
void PlayLoud(PluginInstance& plugin, EditorHost& editor, int blocks) {
    const int n = 512;
    std::vector<std::vector<float>> in(size_t(plugin.NumInputs()), std::vector<float>(n));
    std::vector<std::vector<float>> out(size_t(plugin.NumOutputs()), std::vector<float>(n));
    std::vector<float*> ins, outs;
    for (auto& c : in) ins.push_back(c.data());
    for (auto& c : out) outs.push_back(c.data());
    for (int b = 0; b < blocks; ++b) {
        for (int i = 0; i < n; ++i)
            in[0][size_t(i)] = in[1][size_t(i)] = (i / 20) % 2 ? 0.7f : -0.7f;
        ASSERT_TRUE(plugin.ProcessReplacing(ins.data(), outs.data(), n));
        editor.Pump(5);
    }
}

}  // namespace

TEST(QuorvexEditorEndToEnd, KnobDragAndLeverClickReachThePluginAndTheHost) {
    auto plugin = PluginInstance::Load(PluginPath());
    ASSERT_TRUE(plugin->HasEditor());
    auto editor = EditorHost::Open(*plugin);
    EXPECT_EQ(editor->Width(), 790);
    EXPECT_EQ(editor->Height(), 350);
    ASSERT_NE(editor->EditorWindow(), nullptr);
    editor->Pump(300);
    const EditorPixels before = editor->Capture();

    // The cutoff knob stands at its top (18000 Hz); dragging down one knob
    // height takes a sixth of its travel off.
    plugin->Host().ClearEditEvents();
    const float start = plugin->GetParam(kCutoffFrequency);
    EXPECT_FLOAT_EQ(start, 1.0f);
    const std::string startText = plugin->ParamDisplay(kCutoffFrequency);
    editor->Drag(kCutoffX, kCutoffY, 0, 28, 4);
    ASSERT_TRUE(PumpUntil(*editor, [&] { return GestureEnded(*plugin); }));
    const float after = plugin->GetParam(kCutoffFrequency);
    EXPECT_NEAR(after, 1.0f - 1.0f / 6, 0.01f);
    EXPECT_NE(plugin->ParamDisplay(kCutoffFrequency), startText);

    auto events = plugin->Host().EditEvents();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front(), (HostEditEvent{audioMasterBeginEdit, kCutoffFrequency, 0.0f}));
    EXPECT_EQ(events.back(), (HostEditEvent{audioMasterEndEdit, kCutoffFrequency, 0.0f}));
    for (std::size_t i = 1; i + 1 < events.size(); ++i) {
        EXPECT_EQ(events[i].opcode, audioMasterAutomate);
        EXPECT_EQ(events[i].index, kCutoffFrequency);
    }
    EXPECT_NEAR(events[events.size() - 2].value, 1.0f - 1.0f / 6, 1e-4f);

    // The window shows the turned knob.
    ASSERT_TRUE(PumpUntil(
        *editor, [&] { return DifferingIn(editor->Capture(), before, 174, 64, 205, 92) > 20; }));

    // A click on the drive lever switches the drive on.
    plugin->Host().ClearEditEvents();
    EXPECT_EQ(plugin->GetParam(kDriveEnable), 0.0f);
    editor->PointerDown(kDriveLeverX, kDriveLeverY);
    editor->PointerUp(kDriveLeverX, kDriveLeverY);
    ASSERT_TRUE(PumpUntil(*editor, [&] { return GestureEnded(*plugin); }));
    EXPECT_EQ(plugin->GetParam(kDriveEnable), 1.0f);
    events = plugin->Host().EditEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], (HostEditEvent{audioMasterAutomate, kDriveEnable, 1.0f}));
    EXPECT_EQ(events[1].opcode, audioMasterBeginEdit);
    EXPECT_EQ(events[2].opcode, audioMasterEndEdit);
}

TEST(QuorvexEditorEndToEnd, MetersAndLampsMoveWhileAudioRuns) {
    auto plugin = PluginInstance::Load(PluginPath());
    plugin->Resume();
    auto editor = EditorHost::Open(*plugin);
    editor->Pump(300);
    const EditorPixels quiet = editor->Capture();
    PlayLoud(*plugin, *editor, 60);
    editor->Pump(200);
    const EditorPixels loud = editor->Capture();
    // The inner meter ring and the gate lamps beneath the logo.
    EXPECT_GT(DifferingIn(quiet, loud, 344, 52, 448, 126), 20);
    EXPECT_GT(DifferingIn(quiet, loud, 373, 189, 413, 253), 20);
    plugin->Suspend();
}

#ifndef _WIN32
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<PrivateXvfb> xvfb;
    if (!DisplayConfigured()) xvfb = std::make_unique<PrivateXvfb>(1024, 768);
    return RUN_ALL_TESTS();
}
#endif
