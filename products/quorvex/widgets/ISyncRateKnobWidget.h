// An LFO rate knob that, while its LFO follows the host tempo, moves in the
// eight steps of the tempo divisions.
#pragma once

#include "framework/editor/IKnobStripWidget.h"

namespace quorvex {

class ISyncRateKnobWidget : public IKnobStripWidget {
  public:
    ISyncRateKnobWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip);

    void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys& keys) override;
    void ApplyHostValue(double v) override;

    // x, or the tempo division step below it while the knob's LFO is synced.
    double Quantise(double x) const;
    double DragPosition() const { return dragPosition_; }

  private:
    double dragPosition_ = 0.0;
};

}  // namespace quorvex
