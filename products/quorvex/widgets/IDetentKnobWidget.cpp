#include "products/quorvex/widgets/IDetentKnobWidget.h"

#include <cmath>

namespace quorvex {

namespace {
constexpr double kHalfZone = 0.05;  // half the width of the sticky zone
}

double DetentValue(double p, double c) {
    // Below and above the zone the travel is stretched so that 0 and 1
    // are still reached; a centre too close to an end has no stretch there.
    if (p < c - kHalfZone) return c - kHalfZone > 0 ? p * c / (c - kHalfZone) : p;
    if (p > c + kHalfZone) {
        const double room = 1.0 - c - kHalfZone;
        return room > 0 ? 1.0 - (1.0 - c) * (1.0 - p) / room : p;
    }
    return c;
}

IDetentKnobWidget::IDetentKnobWidget(VexilBase* plug, int x, int y, int paramIdx,
                                     const IImageStrip& strip, double gearing, double centre)
    : IKnobStripWidget(plug, x, y, paramIdx, strip, Vertical, gearing), centre_(centre) {}

void IDetentKnobWidget::PointerDrag(int, int, int, int dy, const IMouseKeys&) {
    const int span = box_.top - box_.bottom;
    if (span == 0 || gearing_ == 0) return;
    // A value set from elsewhere (host, double click, wheel, clamping)
    // restarts the drag from where the knob now is.
    if (std::fabs(Value() - lastValue_) > 0.001) dragPosition_ = Value();
    dragPosition_ += double(dy) / span / gearing_;
    SetValue(DetentValue(dragPosition_, centre_));
    lastValue_ = Value();
    MarkChanged(true);
}

}  // namespace quorvex
