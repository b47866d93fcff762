// The LFO shape knob: drags through the morphing pictures and, on release,
// snaps to the nearest of the five shapes.
#pragma once

#include "framework/editor/IKnobStripWidget.h"

namespace quorvex {

class IShapeSelectorWidget : public IKnobStripWidget {
  public:
    IShapeSelectorWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                         double gearing);

    void PointerUp(int x, int y) override;
};

// The shape picture nearest to a value, as a value: frames 1, 10, 20, 31
// and 41 of the 41-frame strip.
double SnapToShape(double value);

}  // namespace quorvex
