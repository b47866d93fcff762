#include "products/quorvex/widgets/IVersionDigitsWidget.h"

#include "framework/core/VexilBase.h"
#include "framework/editor/IGraphics.h"

namespace quorvex {

IVersionDigitsWidget::IVersionDigitsWidget(VexilBase* plug, const IBox& box,
                                           const IImageStrip& digits, int dx, int dy)
    : IWidget(plug, box, -1, BlendNormal, 1.0f), digits_(digits), dx_(dx), dy_(dy) {
    SetHitBox({});
    if (plug) {
        const unsigned version = unsigned(plug->VersionNumber(false));
        first_ = int((version >> 8) & 0xFF) % 10;
        second_ = int(version & 0xFF) % 10;
    }
}

bool IVersionDigitsWidget::Render(IGraphics& graphics) {
    const int w = digits_.width, h = digits_.height / 10;
    const int x = box_.left, y = box_.top;
    graphics.DrawStripFrame(digits_, {x, y, x + w, y + h}, first_ + 1);
    graphics.DrawStripFrame(digits_, {x + dx_, y + dy_, x + dx_ + w, y + dy_ + h}, second_ + 1);
    return true;
}

}  // namespace quorvex
