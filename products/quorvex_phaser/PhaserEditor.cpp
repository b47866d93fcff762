// The phaser's editor: one panel whose two frames carry the labels in
// Russian and in English, switched by the bow-tie at the lower right.
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_phaser/PhaserParams.h"
#include "products/quorvex_phaser/QuorvexPhaser.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::phaser;

void QuorvexPhaser::BuildEditor() {
    IGraphics* g = NewSingleEditor(this);
    const SingleEditorImages images = LoadSingleEditorImages(*g, "img/phaser-bg.png", false);
    AddLabelLanguageBackground(*g, this, images.panel, kEnglishLabels, {204, 231, 245, 336});
    AddKnobs(*g, this, images.knob,
             {{48, 140, kFxLevel},
              {201, 207, kLfoRate},
              {48, 207, kLfoDepth},
              {49, 268, kFrequency1},
              {125, 268, kFrequency2},
              {201, 268, kFrequency3},
              {125, 204, kFeedback}});
    g->AddWidget(new ICycleSwitchWidget(this, 126, 73, kSuperStereo, images.toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 190, 147, kBrickwallLimit, images.toggle));
    AddOutputDisplays(*g, this, output, images, 215, 138, {27, 318, 96, 334});
    AttachEditor(g);
}
