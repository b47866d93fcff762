#include "framework/editor/IFrameWidget.h"

#include <algorithm>

#include "framework/editor/IGraphics.h"

IBox StripFrameBox(int x, int y, const IImageStrip& strip) {
    const int frames = strip.frames > 0 ? strip.frames : 1;
    return {x, y, x + strip.width, y + strip.height / frames};
}

IFrameWidget::IFrameWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                           int blendKind)
    : IWidget(plug, StripFrameBox(x, y, strip), paramIdx, blendKind, 1.0f), strip_(strip) {}

IFrameWidget::IFrameWidget(VexilBase* plug, int x, int y, const IImageStrip& strip, int blendKind)
    : IFrameWidget(plug, x, y, -1, strip, blendKind) {}

int IFrameWidget::FrameForValue() const {
    if (strip_.frames <= 1) return 1;
    const int frame = int((strip_.frames - 1) * Value() + 0.5) + 1;
    return std::clamp(frame, 1, strip_.frames);
}

bool IFrameWidget::Render(IGraphics& graphics) {
    const IBlendSpec blend = Blend();
    graphics.DrawStripFrame(strip_, box_, FrameForValue(), &blend);
    return true;
}
