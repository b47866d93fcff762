#include "products/quorvex/widgets/IPositionSwitchWidget.h"

namespace quorvex {

namespace {
// Pixels at each end that map to the end positions.
constexpr int kMargin = 6;
}  // namespace

IPositionSwitchWidget::IPositionSwitchWidget(VexilBase* plug, int x, int y, int paramIdx,
                                             const IImageStrip& strip, int orientation)
    : IFrameWidget(plug, x, y, paramIdx, strip, BlendNormal), orientation_(orientation) {}

void IPositionSwitchWidget::PointerDown(int x, int y, const IMouseKeys& keys) {
    if (keys.right) {
        OpenParamEntry();
        return;
    }
    // A switch too small for its margins still answers: both ends meet in
    // the middle instead of dividing by zero.
    if (orientation_ == Horizontal) {
        const int span = box_.right - box_.left - 2 * kMargin;
        const double offset = x - box_.left - kMargin;
        SetValue(span > 0 ? offset / span : (offset >= 0 ? 1.0 : 0.0));
    } else {
        const int span = box_.bottom - box_.top - 2 * kMargin;
        const double offset = y - box_.top - kMargin;
        SetValue(1.0 - (span > 0 ? offset / span : (offset >= 0 ? 1.0 : 0.0)));
    }
    // Clamps to the range; the plug-in quantises stepped parameters.
    MarkChanged(true);
}

void IPositionSwitchWidget::PointerDrag(int x, int y, int, int, const IMouseKeys& keys) {
    PointerDown(x, y, keys);
}

}  // namespace quorvex
