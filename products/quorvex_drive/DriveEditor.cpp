// The drive's editor: the phaser's frame with a large drive knob and one
// more lamp, which shows whether drive feedback is on.
#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_drive/DriveParams.h"
#include "products/quorvex_drive/QuorvexDrive.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::drive;

void QuorvexDrive::BuildEditor() {
    auto* g = new IGraphicsWindow(this, kSingleEditorWidth, kSingleEditorHeight, kSingleEditorFps);
    const IImageStrip bg = g->LoadStrip(101, "img/drive-bg.png", 2);
    const IImageStrip knob = g->LoadStrip(106, "img/knob-cap-stack.png", 136);
    const IImageStrip bigKnob = g->LoadStrip(108, "img/big-knob-stack.png", 136);
    const IImageStrip toggle = g->LoadStrip(118, "img/toggle-big-h.png", 2);
    const IImageStrip glow = g->LoadStrip(102, "img/glow_r.png", 1);
    const IImageStrip meter = g->LoadStrip(120, "img/small-VU.png", 87);
    const IImageStrip digits = g->LoadStrip(121, "img/numbers.png", 10);

    AddLabelLanguageBackground(*g, this, bg, kEnglishLabels, {193, 111, 238, 129});
    g->AddWidget(new IKnobStripWidget(this, 51, 172, kInputGain, knob, IKnobStripWidget::Vertical,
                                      kKnobGearing));
    g->AddWidget(new IKnobStripWidget(this, 121, 245, kDrive, bigKnob, IKnobStripWidget::Vertical,
                                      kKnobGearing));
    g->AddWidget(new ICycleSwitchWidget(this, 195, 162, kDriveFeedback, toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 186, 190, kBrickwallLimit, toggle));
    feedbackLampWidget = g->AddWidget(new IGlowLampWidget(this, 221, 153, glow));
    output.lampWidget = g->AddWidget(new IGlowLampWidget(this, 210, 181, glow));
    output.meterWidget = g->AddWidget(new IFrameWidget(this, 108, 133, meter, BlendNormal));
    AddManualLink(*g, this, {38, 104, 82, 131});
    g->AddWidget(new IVersionDigitsWidget(this, kVersionPlate, digits, 0, 8));
    AttachEditor(g);
}
