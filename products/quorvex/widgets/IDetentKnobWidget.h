// A knob that sticks at a centre position (a bipolar strength, the trim's
// 0 dB) over a narrow zone of its travel and still reaches both ends.
#pragma once

#include "framework/editor/IKnobStripWidget.h"

namespace quorvex {

class IDetentKnobWidget : public IKnobStripWidget {
  public:
    IDetentKnobWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                      double gearing, double centre);

    void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys& keys) override;
    double Centre() const { return centre_; }
    double DragPosition() const { return dragPosition_; }

  private:
    double dragPosition_ = 0.0;
    double lastValue_ = 0.0;  // the value this widget set last
    double centre_;
};

// The value shown for a drag position p with the detent at centre c.
double DetentValue(double p, double c);

}  // namespace quorvex
