#include "products/quorvex/widgets/IShapeSelectorWidget.h"

namespace quorvex {

double SnapToShape(double value) {
    if (value < 4.0 / 41) return 0.0;
    if (value < 14.0 / 41) return 9.0 / 41;
    if (value < 24.0 / 41) return 19.0 / 41;
    if (value < 36.0 / 41) return 31.0 / 41;
    return 1.0;
}

IShapeSelectorWidget::IShapeSelectorWidget(VexilBase* plug, int x, int y, int paramIdx,
                                           const IImageStrip& strip, double gearing)
    : IKnobStripWidget(plug, x, y, paramIdx, strip, Vertical, gearing) {}

void IShapeSelectorWidget::PointerUp(int, int) {
    SetValue(SnapToShape(Value()));
    MarkChanged(true);
}

}  // namespace quorvex
