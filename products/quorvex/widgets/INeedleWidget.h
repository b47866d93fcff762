// A meter needle: a line from an inner to an outer radius about a fixed
// centre, turned between two angles by the value. Display only.
#pragma once

#include "framework/editor/IWidget.h"

namespace quorvex {

class INeedleWidget : public IWidget {
  public:
    // Angles in radians, 0 straight up, positive clockwise.
    INeedleWidget(VexilBase* plug, const IArgb& colour, const IBlendSpec& blend, int cx, int cy,
                  double angle0, double angle1, double r0, double r1);

    bool Render(IGraphics& graphics) override;
    // Angle of the needle for the current value.
    double Angle() const;

  private:
    IArgb colour_;
    int cx_;
    int cy_;
    double angle0_;
    double angle1_;
    double r0_;
    double r1_;
};

}  // namespace quorvex
