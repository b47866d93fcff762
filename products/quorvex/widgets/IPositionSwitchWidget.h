// A multi-position switch or fader: a click puts it at the position under
// the pointer, dragging follows the pointer.
#pragma once

#include "framework/editor/IFrameWidget.h"

namespace quorvex {

class IPositionSwitchWidget : public IFrameWidget {
  public:
    enum Orientation { Vertical = 0, Horizontal = 1 };

    IPositionSwitchWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                          int orientation);

    void PointerDown(int x, int y, const IMouseKeys& keys) override;
    void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys& keys) override;
    int Orientation() const { return orientation_; }

  private:
    int orientation_;
};

}  // namespace quorvex
