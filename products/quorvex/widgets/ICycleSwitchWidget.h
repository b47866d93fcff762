// A switch that steps to its next frame on every click and wraps to the
// first after the last: toggles, three-way switches.
#pragma once

#include "framework/editor/IFrameWidget.h"

namespace quorvex {

class ICycleSwitchWidget : public IFrameWidget {
  public:
    ICycleSwitchWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                       int blendKind = BlendNormal);

    void PointerDown(int x, int y, const IMouseKeys& keys) override;
};

// The value after one click on a switch whose strip has `frames` frames:
// one frame further, back to 0 past the last.
double CycleSwitchNext(double value, int frames);

}  // namespace quorvex
