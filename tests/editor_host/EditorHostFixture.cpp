#include "tests/editor_host/EditorHostFixture.h"

#include "framework/editor/DrelSurface.h"
#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IGraphicsOffscreen.h"
#include "framework/editor/IKnobStripWidget.h"

namespace {

// A strip of flat frames, each with a bar whose length follows the frame,
// so every value draws different pixels.
IImageStrip MakeStrip(int w, int h, int frames, std::uint32_t base) {
    // Lives as long as the module, like loaded images.
    auto* surface = new DrelMemorySurface(w, h * frames);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < h; ++y) {
            std::uint32_t* row = surface->Row(f * h + y);
            for (int x = 0; x < w; ++x) {
                bool bar = x < (w * (f + 1)) / frames && y > h / 3 && y < 2 * h / 3;
                row[x] = bar ? 0xff000000u | std::uint32_t(30 + 8 * f) << 8 | 0x20u : base;
            }
        }
    return {surface, w, h * frames, frames};
}

}  // namespace

EditorHostFixture::EditorHostFixture(audioMasterCallback audioMaster, bool offscreen)
    : VexilVST(audioMaster, kNumParams, "2-2", 1, "Editor Host Fixture", "", "Norvu", 0x10002,
               VstFourCC('Q', 'v', 'x', 'E'), VstFourCC('N', 'o', 'r', 'v'), 0, false, false,
               false) {
    Param(kLevel)->SetupContinuous("Level", 0.5, 0.0, 1.0, 0.01);
    Param(kMode)->SetupChoice("Mode", 1, 3);
    Param(kMode)->AddValueText(0, "Soft");
    Param(kMode)->AddValueText(1, "Medium");
    Param(kMode)->AddValueText(2, "Hard");
    AddDefaultPresets(nullptr, 1);

    static const IImageStrip background = MakeStrip(kWidth, kHeight, 1, 0xff283848u);
    static const IImageStrip level = MakeStrip(kLevelBox.W(), kLevelBox.H(), 21, 0xff806040u);
    static const IImageStrip mode = MakeStrip(kModeBox.W(), kModeBox.H(), 3, 0xff405080u);
    IGraphics* g =
        offscreen ? static_cast<IGraphics*>(new IGraphicsOffscreen(this, kWidth, kHeight, kFps))
                  : static_cast<IGraphics*>(new IGraphicsWindow(this, kWidth, kHeight, kFps));
    g->AddWidget(new IFrameWidget(this, 0, 0, background, BlendReplace));
    g->AddWidget(new IKnobStripWidget(this, kLevelBox.left, kLevelBox.top, kLevel, level, 0, 6.0));
    g->AddWidget(new IKnobStripWidget(this, kModeBox.left, kModeBox.top, kMode, mode, 0, 6.0));
    AttachEditor(g);
    if (offscreen) graphics_ = g;
}

void EditorHostFixture::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < nFrames; ++i) outputs[c][i] = inputs[c][i];
}
