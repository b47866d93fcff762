#include "products/quorvex/widgets/IGlowLampWidget.h"

#include "framework/editor/IGraphics.h"

namespace quorvex {

IGlowLampWidget::IGlowLampWidget(VexilBase* plug, int x, int y, const IImageStrip& lamp)
    : IWidget(plug, {x, y, x + lamp.width, y + lamp.height}, -1, BlendAdd, 0.0f), lamp_(lamp) {
    SetHitBox({});
}

bool IGlowLampWidget::Render(IGraphics& graphics) {
    // The glow pictures are black around the light and have no alpha, so
    // adding them at opacity 0 leaves the panel untouched.
    const float weight = float(Value());
    blendWeight_.store(weight, std::memory_order_relaxed);
    const IBlendSpec blend{blendKind_, weight};
    graphics.DrawStripFrame(lamp_, box_, 1, &blend);
    return true;
}

}  // namespace quorvex
