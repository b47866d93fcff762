#include "products/quorvex_phaser/SingleEffectEditor.h"

#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "framework/editor/ILinkWidget.h"
#include "products/quorvex/widgets/ProductWidgets.h"
#include "products/quorvex_phaser/SingleEffectOutput.h"

namespace quorvex {

IGraphics* NewSingleEditor(VexilBase* plug) {
    return new IGraphicsWindow(plug, kSingleEditorWidth, kSingleEditorHeight, kSingleEditorFps);
}

SingleEditorImages LoadSingleEditorImages(IGraphics& g, const char* panelName, bool withBigKnob) {
    SingleEditorImages images;
    images.panel = g.LoadStrip(101, panelName, 2);
    images.knob = g.LoadStrip(106, "img/knob-cap-stack.png", 136);
    if (withBigKnob) images.bigKnob = g.LoadStrip(108, "img/big-knob-stack.png", 136);
    images.toggle = g.LoadStrip(118, "img/toggle-big-h.png", 2);
    images.glow = g.LoadStrip(102, "img/glow_r.png", 1);
    images.meter = g.LoadStrip(120, "img/small-VU.png", 87);
    images.digits = g.LoadStrip(121, "img/numbers.png", 10);
    return images;
}

void AddLabelLanguageBackground(IGraphics& g, VexilBase* plug, const IImageStrip& panel,
                                int paramIdx, const IBox& hitBox) {
    auto* background = new ICycleSwitchWidget(plug, 0, 0, paramIdx, panel, BlendReplace);
    background->SetHitBox(hitBox);
    background->SetNoTextEntry(true);
    g.AddWidget(background);
}

void AddKnobs(IGraphics& g, VexilBase* plug, const IImageStrip& strip,
              std::initializer_list<KnobAt> knobs) {
    for (const KnobAt& k : knobs)
        g.AddWidget(new IKnobStripWidget(plug, k.x, k.y, k.param, strip, IKnobStripWidget::Vertical,
                                         kKnobGearing));
}

void AddOutputDisplays(IGraphics& g, VexilBase* plug, SingleEffectOutput& output,
                       const SingleEditorImages& images, int lampX, int lampY,
                       const IBox& manualBox) {
    output.lampWidget = g.AddWidget(new IGlowLampWidget(plug, lampX, lampY, images.glow));
    output.meterWidget = g.AddWidget(new IFrameWidget(plug, 108, 133, images.meter, BlendNormal));
    g.AddWidget(NewManualLink(g, plug, manualBox));
    g.AddWidget(new IVersionDigitsWidget(plug, kVersionPlate, images.digits, 0, 8));
}

}  // namespace quorvex
