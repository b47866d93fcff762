// The chorus's editor: the phaser's frame, meter, lamp and label-language
// switch, here with the bow-tie at the upper right.
#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_chorus/ChorusParams.h"
#include "products/quorvex_chorus/QuorvexChorus.h"
#include "products/quorvex_phaser/SingleEffectEditor.h"

using namespace quorvex;
using namespace quorvex::chorus;

void QuorvexChorus::BuildEditor() {
    auto* g = new IGraphicsWindow(this, kSingleEditorWidth, kSingleEditorHeight, kSingleEditorFps);
    const IImageStrip bg = g->LoadStrip(101, "img/chorus-bg.png", 2);
    const IImageStrip knob = g->LoadStrip(106, "img/knob-cap-stack.png", 136);
    const IImageStrip toggle = g->LoadStrip(118, "img/toggle-big-h.png", 2);
    const IImageStrip glow = g->LoadStrip(102, "img/glow_r.png", 1);
    const IImageStrip meter = g->LoadStrip(120, "img/small-VU.png", 87);
    const IImageStrip digits = g->LoadStrip(121, "img/numbers.png", 10);

    AddLabelLanguageBackground(*g, this, bg, kEnglishLabels, {193, 111, 238, 129});
    const struct {
        int x, y, param;
    } knobs[] = {{200, 162, kFxLevel},
                 {63, 230, kRate},
                 {50, 162, kDepth},
                 {186, 230, kDelay},
                 {125, 260, kSpread}};
    for (const auto& k : knobs)
        g->AddWidget(new IKnobStripWidget(this, k.x, k.y, k.param, knob, IKnobStripWidget::Vertical,
                                          kKnobGearing));
    g->AddWidget(new ICycleSwitchWidget(this, 125, 73, kSuperStereo, toggle));
    g->AddWidget(new ICycleSwitchWidget(this, 109, 211, kBrickwallLimit, toggle));
    output.lampWidget = g->AddWidget(new IGlowLampWidget(this, 136, 202, glow));
    output.meterWidget = g->AddWidget(new IFrameWidget(this, 108, 133, meter, BlendNormal));
    AddManualLink(*g, this, {39, 108, 79, 134});
    g->AddWidget(new IVersionDigitsWidget(this, kVersionPlate, digits, 0, 8));
    AttachEditor(g);
}
