// The phaser's editor: one panel whose two frames carry the labels in
// Russian and in English, switched by the bow-tie at the lower right.
#include <string>

#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "framework/editor/ILinkWidget.h"
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_phaser/PhaserParams.h"
#include "products/quorvex_phaser/QuorvexPhaser.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::phaser;

void QuorvexPhaser::BuildEditor() {
    auto* g = new IGraphicsWindow(this, kSingleEditorWidth, kSingleEditorHeight, kSingleEditorFps);
    const IImageStrip bg = g->LoadStrip(101, "img/phaser-bg.png", 2);
    const IImageStrip knob = g->LoadStrip(106, "img/knob-cap-stack.png", 136);
    const IImageStrip toggle = g->LoadStrip(118, "img/toggle-big-h.png", 2);
    const IImageStrip glow = g->LoadStrip(102, "img/glow_r.png", 1);
    const IImageStrip meter = g->LoadStrip(120, "img/small-VU.png", 87);
    const IImageStrip digits = g->LoadStrip(121, "img/numbers.png", 10);

    AddLabelLanguageBackground(*g, this, bg, kEnglishLabels, {204, 231, 245, 336});
    const struct {
        int x, y, param;
    } knobs[] = {{48, 140, kFxLevel},    {201, 207, kLfoRate},    {48, 207, kLfoDepth},
                 {49, 268, kFrequency1}, {125, 268, kFrequency2}, {201, 268, kFrequency3},
                 {125, 204, kFeedback}};
    for (const auto& k : knobs)
        g->AddWidget(new IKnobStripWidget(this, k.x, k.y, k.param, knob, IKnobStripWidget::Vertical,
                                          kKnobGearing));
    g->AddWidget(new ICycleSwitchWidget(this, 126, 73, kSuperStereo, toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 190, 147, kBrickwallLimit, toggle));
    output.lampWidget = g->AddWidget(new IGlowLampWidget(this, 215, 138, glow));
    output.meterWidget = g->AddWidget(new IFrameWidget(this, 108, 133, meter, BlendNormal));
    AddManualLink(*g, this, {27, 318, 96, 334});
    g->AddWidget(new IVersionDigitsWidget(this, kVersionPlate, digits, 0, 8));
    AttachEditor(g);
}
