#include "products/quorvex/widgets/IMomentaryButtonWidget.h"

#include "products/quorvex/widgets/ICycleSwitchWidget.h"

namespace quorvex {

IMomentaryButtonWidget::IMomentaryButtonWidget(VexilBase* plug, int x, int y, int paramIdx,
                                               const IImageStrip& strip)
    : IFrameWidget(plug, x, y, paramIdx, strip, BlendNormal) {}

void IMomentaryButtonWidget::PointerDown(int, int, const IMouseKeys& keys) {
    if (keys.right) {
        OpenParamEntry();
        return;
    }
    SetValue(CycleSwitchNext(Value(), strip_.frames));
    MarkChanged(true);
}

void IMomentaryButtonWidget::PointerUp(int, int) {
    // The graphics object delivers the release to the pressed widget even
    // when the pointer has left it, so the parameter never stays on.
    SetValue(0.0);
    MarkChanged(true);
}

}  // namespace quorvex
