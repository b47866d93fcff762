// A push button whose parameter is on only while the mouse button is held.
#pragma once

#include "framework/editor/IFrameWidget.h"

namespace quorvex {

class IMomentaryButtonWidget : public IFrameWidget {
  public:
    IMomentaryButtonWidget(VexilBase* plug, int x, int y, int paramIdx, const IImageStrip& strip);

    void PointerDown(int x, int y, const IMouseKeys& keys) override;
    void PointerUp(int x, int y) override;
};

}  // namespace quorvex
