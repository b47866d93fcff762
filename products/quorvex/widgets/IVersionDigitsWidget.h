// The two version digits printed after the major version on the panel: the
// minor and bugfix numbers of the plug-in, last decimal digit of each.
#pragma once

#include "framework/editor/IWidget.h"

namespace quorvex {

class IVersionDigitsWidget : public IWidget {
  public:
    IVersionDigitsWidget(VexilBase* plug, const IBox& box, const IImageStrip& digits, int dx,
                         int dy);

    bool Render(IGraphics& graphics) override;
    int FirstDigit() const { return first_; }
    int SecondDigit() const { return second_; }

  private:
    IImageStrip digits_;
    int first_ = 0;
    int second_ = 0;
    int dx_;
    int dy_;
};

}  // namespace quorvex
