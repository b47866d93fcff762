#include "products/quorvex/widgets/ICycleSwitchWidget.h"

namespace quorvex {

double CycleSwitchNext(double value, int frames) {
    value += frames >= 2 ? 1.0 / (frames - 1) : 1.0;
    // The small allowance keeps the last frame reachable despite rounding in
    // the steps; anything beyond it (a host value between frames, too) wraps.
    return value > 1.001 ? 0.0 : value;
}

ICycleSwitchWidget::ICycleSwitchWidget(VexilBase* plug, int x, int y, int paramIdx,
                                       const IImageStrip& strip, int blendKind)
    : IFrameWidget(plug, x, y, paramIdx, strip, blendKind) {
    // Small levers are hard to hit: take clicks a little around the picture.
    SetHitBox({box_.left - 4, box_.top - 4, box_.right + 4, box_.bottom + 4});
}

void ICycleSwitchWidget::PointerDown(int, int, const IMouseKeys& keys) {
    if (keys.right) {
        OpenParamEntry();
        return;
    }
    SetValue(CycleSwitchNext(Value(), strip_.frames));
    MarkChanged(true);
}

}  // namespace quorvex
