// The multi-effect's editor shared between threads as a host shares it: the
// audio thread runs blocks (and the host's automation) that feed the lamps,
// meters, needles and motor knobs, while the window thread drags knobs,
// clicks switches and runs the redraw tick. Built with ThreadSanitizer this
// proves the shared values race-free; in every build it checks that the
// redraw flags settle once the audio stops.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "framework/editor/EditorWindowLogic.h"
#include "framework/editor/IGraphics.h"
#include "framework/editor/IWidget.h"
#include "framework/platform/RecursiveLock.h"
#include "products/quorvex/Quorvex.h"

using namespace quorvex;

namespace {

VstIntPtr VSTCALLBACK QuietHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) {
    return 0;
}

constexpr int kFrames = 256;
constexpr int kBlocks = 300;
// The audio thread keeps running until the window has made this many
// gestures, so the two overlap however slow the build makes either side.
constexpr int kGestures = 40;

// Everything that reaches the editor from audio switched on: all four
// blocks, each target modulated by a different source, motors running.
void SwitchEverythingOn(Quorvex& plug) {
    auto set = [&](int idx, double value) {
        plug.Param(idx)->SetClamped(value);
        plug.ParamChanged(idx);
    };
    for (int idx : {kCutoffEnable, kDriveEnable, kPhaserEnable, kChorusEnable}) set(idx, 1);
    const int sources[] = {kSourceLfo1, kSourceAdsr, kSourceFollower, kSourceLfo2};
    int k = 0;
    for (const ModTargetInfo& info : kModTargetInfo) {
        set(info.sourceParam, sources[k++ % 4]);
        set(info.strengthParam, 0.7);
    }
    set(kMotorizedKnobs, 1);
}

// Bursts of a tone with silence between, so the gate opens, holds and
// closes and the follower rises and falls.
void FillInput(std::vector<std::vector<double>>& in, int block) {
    const double level = (block / 6) % 2 ? 0.6 : 0.0;
    for (int i = 0; i < kFrames; ++i) {
        const double x = level * std::sin(0.05 * (block * kFrames + i));
        for (auto& ch : in) ch[size_t(i)] = x;
    }
}

// The window thread's side: pointer events under the plug-in lock, as the
// window takes it for them; the tick and the drawing without it.
class WindowSide {
  public:
    WindowSide(Quorvex& plug, IGraphics& g) : plug_(plug), g_(g), logic_(g) {}

    void Press(int x, int y) { Pointer(PointerKind::LeftDown, x, y, true); }
    void Move(int x, int y) { Pointer(PointerKind::Move, x, y, true); }
    void Release(int x, int y) { Pointer(PointerKind::LeftUp, x, y, false); }

    void Drag(const IWidget* w, int dy) {
        const IBox& b = w->Box();
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
        Press(x, y);
        for (int step = 1; step <= 4; ++step) Move(x, y + step * dy / 4);
        Release(x, y + dy);
    }
    void Click(const IWidget* w) {
        const IBox& b = w->Box();
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
        Press(x, y);
        Release(x, y);
    }

    bool Tick() {
        IBox dirty;
        if (!logic_.Tick(dirty)) return false;
        g_.RenderArea(dirty);
        return true;
    }

  private:
    void Pointer(PointerKind kind, int x, int y, bool left) {
        PointerEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.keys.left = left;
        vexil::ScopedLock hold(plug_.PluginLock());
        const PointerResult r = logic_.OnPointer(e, capture_);
        if (r.capture == CaptureChange::Take) capture_ = true;
        if (r.capture == CaptureChange::Release) capture_ = false;
    }

    Quorvex& plug_;
    IGraphics& g_;
    EditorWindowLogic logic_;
    bool capture_ = false;
};

TEST(QuorvexEditorThreads, AudioFeedsTheEditorWhileTheWindowDragsAndRedraws) {
    auto owner = std::make_unique<Quorvex>(&QuietHost);
    Quorvex& plug = *owner;
    AEffect* fx = plug.Effect();
    fx->dispatcher(fx, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx->dispatcher(fx, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    fx->dispatcher(fx, effMainsChanged, 0, 1, nullptr, 0.0f);
    SwitchEverythingOn(plug);
    IGraphics& g = *plug.Editor();
    ASSERT_NE(g.SurfaceBits(), nullptr);
    WindowSide window(plug, g);
    g.MarkAllChanged();
    window.Tick();

    std::atomic<bool> audioDone{false};
    std::atomic<int> blocksRun{0};
    std::atomic<int> gestures{0};
    std::thread audio([&] {
        std::vector<std::vector<double>> in(4, std::vector<double>(kFrames));
        std::vector<std::vector<double>> out(2, std::vector<double>(kFrames));
        double* ins[4] = {in[0].data(), in[1].data(), in[2].data(), in[3].data()};
        double* outs[2] = {out[0].data(), out[1].data()};
        for (int b = 0; b < kBlocks || gestures.load(std::memory_order_relaxed) < kGestures; ++b) {
            // Host automation arrives on the audio thread between blocks:
            // it rebinds widgets and switches the motors and a block.
            if (b % 20 == 10) {
                fx->setParameter(fx, kPhaserEnable, float((b / 20) % 2));
                fx->setParameter(fx, kMotorizedKnobs, float((b / 40) % 2 == 0));
                fx->setParameter(fx, kOutput, float((b % 7) / 7.0));
            }
            FillInput(in, b);
            fx->processDoubleReplacing(fx, ins, outs, kFrames);
            blocksRun.fetch_add(1, std::memory_order_relaxed);
        }
        // The last block leaves the motors on, so the display keeps moving
        // up to the end.
        fx->setParameter(fx, kMotorizedKnobs, 1.0f);
        FillInput(in, 6);
        fx->processDoubleReplacing(fx, ins, outs, kFrames);
        audioDone.store(true, std::memory_order_release);
    });

    // The window thread: drags on a motor knob, a plain knob and the
    // floor/ceiling pair (which limit each other's widgets), clicks on the
    // MOTORS button and a block switch, and ticks between every gesture.
    const int dragged[] = {56, 65, 71, 72, 60};
    int paints = 0;
    while (!audioDone.load(std::memory_order_acquire)) {
        const int k = gestures.fetch_add(1, std::memory_order_relaxed);
        if (k % 7 == 3) {
            window.Click(g.WidgetByIndex(24));
        } else if (k % 11 == 5) {
            window.Click(g.WidgetByIndex(33));
        } else {
            const IWidget* w = g.WidgetByIndex(dragged[k % 5]);
            window.Drag(w, (k % 2 ? 1 : -1) * (4 + k % 17));
        }
        for (int t = 0; t < 3; ++t) paints += window.Tick() ? 1 : 0;
    }
    audio.join();
    EXPECT_GE(blocksRun.load(), kBlocks);
    EXPECT_GE(gestures.load(), kGestures);
    EXPECT_GT(paints, 0);

    // Whatever landed during the last redraws is drawn by the next tick.
    for (int t = 0; t < 2; ++t) window.Tick();
    EXPECT_FALSE(window.Tick()) << "something stays dirty with nothing feeding it";

    // All those partial redraws leave the picture a full redraw makes.
    const int w = g.Width(), h = g.Height();
    const auto* bits = static_cast<const std::uint32_t*>(g.SurfaceBits());
    const std::vector<std::uint32_t> partial(bits, bits + size_t(w) * size_t(h));
    g.MarkAllChanged();
    window.Tick();
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (partial[size_t(y * w + x)] != bits[size_t(y * w + x)] && differing++ == 0)
                firstX = x, firstY = y;
    EXPECT_EQ(differing, 0) << "first at " << firstX << "," << firstY;

    fx->dispatcher(fx, effMainsChanged, 0, 0, nullptr, 0.0f);
}

}  // namespace
