// The chorus's editor: the phaser's frame, meter, lamp and label-language
// switch, here with the bow-tie at the upper right.
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_chorus/ChorusParams.h"
#include "products/quorvex_chorus/QuorvexChorus.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::chorus;

void QuorvexChorus::BuildEditor() {
    IGraphics* g = NewSingleEditor(this);
    const SingleEditorImages images = LoadSingleEditorImages(*g, "img/chorus-bg.png", false);
    AddLabelLanguageBackground(*g, this, images.panel, kEnglishLabels, {193, 111, 238, 129});
    AddKnobs(*g, this, images.knob,
             {{200, 162, kFxLevel},
              {63, 230, kRate},
              {50, 162, kDepth},
              {186, 230, kDelay},
              {125, 260, kSpread}});
    g->AddWidget(new ICycleSwitchWidget(this, 125, 73, kSuperStereo, images.toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 109, 211, kBrickwallLimit, images.toggle));
    AddOutputDisplays(*g, this, output, images, 136, 202, {39, 108, 79, 134});
    AttachEditor(g);
}
