// A small plug-in with an editor for the editor-host tests: a background, a
// knob on a continuous parameter and a knob on a three-way choice. The
// images are made in memory, so the test can draw the same editor offscreen
// and compare it with the window's pixels. A fixture, not a product.
#pragma once

#include "framework/editor/IGraphics.h"
#include "framework/vst/VexilVST.h"

class EditorHostFixture : public VexilVST {
  public:
    enum Params { kLevel, kMode, kNumParams };
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 140;
    static constexpr int kFps = 18;
    static constexpr IBox kLevelBox = {30, 40, 90, 100};
    static constexpr IBox kModeBox = {150, 40, 210, 100};

    // With `offscreen` the editor draws into memory instead of a window.
    EditorHostFixture(audioMasterCallback audioMaster, bool offscreen = false);

    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
    // The editor, for the offscreen kind (null for the window kind).
    IGraphics* Graphics() const { return graphics_; }

  private:
    IGraphics* graphics_ = nullptr;
};
