// An image strip showing the frame that matches the value; also the
// editor's background.
#pragma once

#include "framework/editor/IWidget.h"

class IFrameWidget : public IWidget {
  public:
    IFrameWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip,
                 int blendKind);
    IFrameWidget(VexilBase* plug, int x, int y, const IImageStrip& strip, int blendKind);

    bool Render(IGraphics& graphics) override;
    const IImageStrip& Strip() const { return strip_; }
    // 1-based frame for the current value.
    int FrameForValue() const;

  protected:
    IImageStrip strip_;
};

// The box of one frame of a strip placed at (x, y).
IBox StripFrameBox(int x, int y, const IImageStrip& strip);
