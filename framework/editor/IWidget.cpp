#include "framework/editor/IWidget.h"

#include "framework/core/VexilBase.h"
#include "framework/editor/IGraphics.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}

IWidget::IWidget(VexilBase* plug, const IBox& box, int paramIdx, int blendKind, float blendWeight)
    : plug_(plug),
      box_(box),
      hitBox_(box),
      paramIdx_(paramIdx),
      blendKind_(blendKind),
      blendWeight_(blendWeight) {}

IWidget::~IWidget() = default;

void IWidget::PointerDown(int, int, const IMouseKeys& keys) {
    if (keys.right) OpenParamEntry();
}

void IWidget::PointerUp(int, int) {}
void IWidget::PointerDrag(int, int, int, int, const IMouseKeys&) {}

void IWidget::PointerDoubleClick(int, int, const IMouseKeys&) {
    const double d = DefaultValue();
    if (d < 0) return;
    SetValue(d);
    MarkChanged(true);
}

void IWidget::WheelTurn(int, int, const IMouseKeys& keys, int notches) {
    const double step = (keys.ctrl || keys.shift) ? 0.001 : 0.01;
    SetValue(Value() + notches * step);
    MarkChanged(true);
}

void IWidget::SpareHook(int, int, const IMouseKeys&) {}
void IWidget::PointerHover(int, int, const IMouseKeys&) {}
void IWidget::PointerLeave() {}
void IWidget::SpareHook2() {}

void IWidget::ApplyHostValue(double v) {
    if (DefaultValue() < 0) {
        // The first value from the plug-in becomes the double-click default.
        default_.store(v, kRelaxed);
        SetValue(v);
    } else {
        if (v == Value()) return;
        SetValue(v);
    }
    MarkChanged(false);
    SetRedrawPending(true);
}

void IWidget::SetHidden(bool hidden) {
    hidden_.store(hidden, kRelaxed);
    MarkChanged(false);
}

void IWidget::SetDisabled(bool disabled) {
    disabled_.store(disabled, kRelaxed);
    blendWeight_.store(disabled ? 0.25f : 1.0f, kRelaxed);
    MarkChanged(false);
}

bool IWidget::Contains(int x, int y) {
    if (hitBox_.Empty()) return false;
    return hitBox_.left <= x && x < hitBox_.right && hitBox_.top <= y && y < hitBox_.bottom;
}

void IWidget::SetClamp(double low, double high) {
    clampLow_.store(low, kRelaxed);
    clampHigh_.store(high, kRelaxed);
}

void IWidget::MarkChanged(bool report) {
    // Written so that a NaN lands on the low limit instead of staying NaN;
    // when low exceeds high, high wins.
    const double low = clampLow_.load(kRelaxed), high = clampHigh_.load(kRelaxed);
    const double v = Value();
    const double m = v >= low ? v : low;
    const double clamped = m < high ? m : high;
    // Stored only when clamping changed it: an unconditional store would put
    // back a stale value over one the audio thread stored in the meantime.
    if (!(clamped == v)) SetValue(clamped);
    SetDirty(true);
    if (report && plug_ && paramIdx_ >= 0 && plug_->Param(paramIdx_))
        plug_->SetParameterFromGUI(paramIdx_, Value());
}

void IWidget::MarkDrawn() {
    // Taking the pending flag and clearing it in one step: a value stored
    // from another thread in between is never lost.
    SetDirty(redrawPending_.exchange(false, kRelaxed));
}

bool IWidget::NeedsRedraw() {
    // A value that lands while MarkDrawn runs may leave only the pending
    // flag set; it still asks for a pass.
    return dirty_.load(kRelaxed) || redrawPending_.load(kRelaxed);
}

void IWidget::ApplyEnteredValue(double v) {
    if (v == Value()) return;
    SetValue(v);
    MarkChanged(true);
    SetRedrawPending(true);
}

IGraphics* IWidget::Graphics() const {
    return plug_ ? plug_->Editor() : nullptr;
}

void IWidget::OpenParamEntry() {
    if (paramIdx_ < 0 || noTextEntry_) return;
    if (IGraphics* g = Graphics()) g->PromptParamEntry(this, plug_->Param(paramIdx_));
    SetRedrawPending(true);
}
