#include "products/quorvex/widgets/ManualLink.h"

#include <string>

#include "framework/editor/IGraphics.h"
#include "framework/editor/ILinkWidget.h"

namespace quorvex {

ILinkWidget* NewManualLink(IGraphics& graphics, VexilBase* plug, const IBox& box) {
    // The folder comes with its trailing separator.
    std::string manual;
    graphics.ModuleDirectory(manual);
    manual += kManualFile;
    return new ILinkWidget(plug, box, manual.c_str(), nullptr, nullptr);
}

}  // namespace quorvex
