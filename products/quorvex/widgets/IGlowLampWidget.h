// A lamp that adds its glow picture to the panel with the value as opacity.
// Display only: the plug-in feeds it, it takes no clicks.
#pragma once

#include "framework/editor/IWidget.h"

namespace quorvex {

class IGlowLampWidget : public IWidget {
  public:
    IGlowLampWidget(VexilBase* plug, int x, int y, const IImageStrip& lamp);

    bool Render(IGraphics& graphics) override;
    const IImageStrip& Lamp() const { return lamp_; }

  private:
    IImageStrip lamp_;
};

}  // namespace quorvex
