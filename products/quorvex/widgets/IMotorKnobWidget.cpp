#include "products/quorvex/widgets/IMotorKnobWidget.h"

#include <algorithm>

#include "framework/editor/IGraphics.h"

namespace quorvex {

IMotorKnobWidget::IMotorKnobWidget(VexilBase* plug, int x, int y, int paramIdx,
                                   const IImageStrip& strip, int direction, double gearing)
    : IKnobStripWidget(plug, x, y, paramIdx, strip, direction, gearing) {}

void IMotorKnobWidget::RequestRedraw() {
    // Only flags: rewriting the value here (as a clamp would) could undo a
    // drag step the window thread stores at the same moment. The pending
    // flag gives a position that lands during a redraw a pass of its own.
    SetDirty(true);
    SetRedrawPending(true);
}

void IMotorKnobWidget::SetMotorMode(bool on) {
    motorPosition_.store(Value(), std::memory_order_relaxed);
    motorMode_.store(on, std::memory_order_relaxed);
    RequestRedraw();
}

void IMotorKnobWidget::SetMotorPosition(double x) {
    motorPosition_.store(x, std::memory_order_relaxed);
    RequestRedraw();
}

int IMotorKnobWidget::ShownFrame() const {
    if (!MotorMode()) return FrameForValue();
    const int frames = std::max(strip_.frames, 1);
    const double p = MotorPosition();
    // A position that is not a number shows the first frame.
    if (!(p >= 0.0)) return 1;
    if (p >= 1.0) return frames;
    return std::clamp(int((frames - 1) * p + 0.5) + 1, 1, frames);
}

bool IMotorKnobWidget::Render(IGraphics& graphics) {
    const IBlendSpec blend = Blend();
    graphics.DrawStripFrame(strip_, box_, ShownFrame(), &blend);
    return true;
}

}  // namespace quorvex
