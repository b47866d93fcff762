// A knob or slider drawn from an image strip and dragged with the mouse.
#pragma once

#include "framework/editor/IWidget.h"

class IKnobStripWidget : public IWidget {
  public:
    enum Direction { Vertical = 0, Horizontal = 1 };

    IKnobStripWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                     int direction = Vertical, double gearing = 6.0);

    void PointerDrag(int x, int y, int dx, int dy, const IMouseKeys& keys) override;
    bool Render(IGraphics& graphics) override;
    const IImageStrip& Strip() const { return strip_; }
    int FrameForValue() const;

  protected:
    int direction_;
    double gearing_;
    IImageStrip strip_;
};
