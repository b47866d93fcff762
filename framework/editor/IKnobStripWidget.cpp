#include "framework/editor/IKnobStripWidget.h"

#include <algorithm>

#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IGraphics.h"

IKnobStripWidget::IKnobStripWidget(VexilBase* plug, int x, int y, int paramIdx,
                                   const IImageStrip& strip, int direction, double gearing)
    : IWidget(plug, StripFrameBox(x, y, strip), paramIdx, BlendNormal, 1.0f),
      direction_(direction),
      gearing_(gearing),
      strip_(strip) {}

void IKnobStripWidget::PointerDrag(int, int, int dx, int dy, const IMouseKeys&) {
    // An upward drag (negative dy) raises the value; one box height of travel
    // moves it by 1 / gearing. A box without extent cannot be dragged.
    const int span = direction_ == Horizontal ? box_.right - box_.left : box_.top - box_.bottom;
    if (span == 0 || gearing_ == 0) return;
    const int delta = direction_ == Horizontal ? dx : dy;
    SetValue(Value() + double(delta) / span / gearing_);
    MarkChanged(true);
}

int IKnobStripWidget::FrameForValue() const {
    const int frames = std::max(strip_.frames, 1);
    return std::clamp(int((frames - 1) * Value() + 0.5) + 1, 1, frames);
}

bool IKnobStripWidget::Render(IGraphics& graphics) {
    const IBlendSpec blend = Blend();
    graphics.DrawStripFrame(strip_, box_, FrameForValue(), &blend);
    return true;
}
