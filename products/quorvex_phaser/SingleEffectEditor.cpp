#include "products/quorvex_phaser/SingleEffectEditor.h"

#include <string>

#include "framework/editor/ILinkWidget.h"
#include "products/quorvex/widgets/ICycleSwitchWidget.h"

namespace quorvex {

namespace {
constexpr const char* kManualFile = "Quorvex_manual.pdf";
}

void AddLabelLanguageBackground(IGraphics& g, VexilBase* plug, const IImageStrip& panel,
                                int paramIdx, const IBox& hitBox) {
    auto* background = new ICycleSwitchWidget(plug, 0, 0, paramIdx, panel, BlendReplace);
    background->SetHitBox(hitBox);
    background->SetNoTextEntry(true);
    g.AddWidget(background);
}

void AddManualLink(IGraphics& g, VexilBase* plug, const IBox& box) {
    // The folder comes with its trailing separator.
    std::string manual;
    g.ModuleDirectory(manual);
    manual += kManualFile;
    g.AddWidget(new ILinkWidget(plug, box, manual.c_str(), nullptr, nullptr));
}

}  // namespace quorvex
