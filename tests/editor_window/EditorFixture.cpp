#include "EditorFixture.h"

#include "framework/editor/DrelSurface.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"

namespace fixture {
namespace {

// A strip of `frames` frames, each a flat colour with a frame-dependent bar,
// so every value draws visibly different pixels.
IImageStrip MakeStrip(int w, int h, int frames, std::uint32_t base) {
    // Owned for the life of the test process, like the module's images.
    auto* surface = new DrelMemorySurface(w, h * frames);
    for (int f = 0; f < frames; ++f) {
        for (int y = 0; y < h; ++y) {
            std::uint32_t* row = surface->Row(f * h + y);
            for (int x = 0; x < w; ++x) {
                bool bar = x < (w * (f + 1)) / frames && y > h / 3 && y < 2 * h / 3;
                row[x] = bar ? 0xff000000u | std::uint32_t(40 + 20 * f) << 8 : base;
            }
        }
    }
    return {surface, w, h * frames, frames};
}

}  // namespace

FixturePlug::FixturePlug()
    : VexilBase(2, "2-2", 1, "Fixture", "", "Vexil", 0x10002, 0x46697874, 0x56786c21, 0, false,
                false, false) {
    Param(kKnobParam)->SetupContinuous("Level", 0.5, 0.0, 1.0, 0.01);
    Param(kChoiceParam)->SetupChoice("Mode", 1, 3);
    Param(kChoiceParam)->AddValueText(0, "Soft");
    Param(kChoiceParam)->AddValueText(1, "Medium");
    Param(kChoiceParam)->AddValueText(2, "Hard");
}

FixturePlug::~FixturePlug() = default;

void FixturePlug::HostEditBegin(int paramIdx) {
    std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.push_back({'b', paramIdx, 0.0});
}

void FixturePlug::HostAutomate(int paramIdx, double normalized) {
    std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.push_back({'a', paramIdx, normalized});
}

void FixturePlug::HostEditEnd(int paramIdx) {
    std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.push_back({'e', paramIdx, 0.0});
}

std::vector<HostCall> FixturePlug::Calls() {
    std::lock_guard<std::mutex> lock(callsMutex_);
    return calls_;
}

void FixturePlug::ClearCalls() {
    std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.clear();
}

void BuildEditor(FixturePlug& plug, IGraphics* graphics) {
    static const IImageStrip background = MakeStrip(kWidth, kHeight, 1, 0xff203040u);
    static const IImageStrip knob = MakeStrip(kKnobBox.W(), kKnobBox.H(), 10, 0xff806040u);
    static const IImageStrip choice = MakeStrip(kChoiceBox.W(), kChoiceBox.H(), 3, 0xff405080u);
    graphics->AddWidget(new IFrameWidget(&plug, 0, 0, background, BlendReplace));
    graphics->AddWidget(
        new IKnobStripWidget(&plug, kKnobBox.left, kKnobBox.top, kKnobParam, knob, 0, 6.0));
    graphics->AddWidget(
        new IKnobStripWidget(&plug, kChoiceBox.left, kChoiceBox.top, kChoiceParam, choice, 0, 6.0));
    plug.AttachEditor(graphics);
}

}  // namespace fixture
