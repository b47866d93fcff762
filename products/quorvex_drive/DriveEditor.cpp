// The drive's editor: the phaser's frame with a large drive knob and one
// more lamp, which shows whether drive feedback is on.
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_drive/DriveParams.h"
#include "products/quorvex_drive/QuorvexDrive.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::drive;

void QuorvexDrive::BuildEditor() {
    IGraphics* g = NewSingleEditor(this);
    const SingleEditorImages images = LoadSingleEditorImages(*g, "img/drive-bg.png", true);
    AddLabelLanguageBackground(*g, this, images.panel, kEnglishLabels, {193, 111, 238, 129});
    AddKnobs(*g, this, images.knob, {{51, 172, kInputGain}});
    AddKnobs(*g, this, images.bigKnob, {{121, 245, kDrive}});
    g->AddWidget(new ICycleSwitchWidget(this, 195, 162, kDriveFeedback, images.toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 186, 190, kBrickwallLimit, images.toggle));
    feedbackLampWidget = g->AddWidget(new IGlowLampWidget(this, 221, 153, images.glow));
    AddOutputDisplays(*g, this, output, images, 210, 181, {38, 104, 82, 131});
    AttachEditor(g);
}
