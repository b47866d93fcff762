#include "products/quorvex/widgets/INeedleWidget.h"

#include <algorithm>
#include <cmath>

#include "framework/editor/IGraphics.h"

namespace quorvex {

namespace {

// Square around the centre reaching the outer radius above and to both
// sides, and below as far as the lower end of the sweep reaches, with a
// margin for the anti-aliased edge. A needle that would reach below the
// centre line on neither end still keeps the centre inside its box.
IBox NeedleBox(int cx, int cy, double angle0, double angle1, double r1) {
    const int r = int(r1);
    const int down = std::max({0, int(-std::cos(angle0) * r1), int(-std::cos(angle1) * r1)});
    return {cx - r - 8, cy - r - 8, cx + r + 8, cy + down + 8};
}

}  // namespace

INeedleWidget::INeedleWidget(VexilBase* plug, const IArgb& colour, const IBlendSpec& blend, int cx,
                             int cy, double angle0, double angle1, double r0, double r1)
    : IWidget(plug, NeedleBox(cx, cy, angle0, angle1, r1), -1, blend.kind, blend.weight),
      colour_(colour),
      cx_(cx),
      cy_(cy),
      angle0_(angle0),
      angle1_(angle1),
      r0_(r0),
      r1_(r1) {}

double INeedleWidget::Angle() const {
    return angle0_ + (angle1_ - angle0_) * Value();
}

bool INeedleWidget::Render(IGraphics& graphics) {
    const IBlendSpec blend = Blend();
    graphics.StrokeRadial(colour_, float(cx_), float(cy_), float(Angle()), float(r0_), float(r1_),
                          &blend, true);
    return true;
}

}  // namespace quorvex
