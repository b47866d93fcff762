// The editor used with the mouse: a knob drag reaching the engine and the
// host, the MOTORS button, and the floor and ceiling keeping each other's
// knobs in range.
#include <gtest/gtest.h>

#include "EditorTestKit.h"
#include "products/quorvex/QuorvexEditorLayout.h"
#include "products/quorvex/widgets/IMotorKnobWidget.h"

using namespace quorvex;
using namespace quorvex::editor;
using namespace quorvex_editor_test;

namespace {

void Drag(IGraphics& g, int x, int y, int dy) {
    IMouseKeys keys;
    keys.left = true;
    g.HandlePointerDown(x, y, keys);
    g.HandlePointerDrag(x, y + dy, keys);
    g.HandlePointerUp(x, y + dy);
}

}  // namespace

TEST(QuorvexEditorInteraction, DraggingTheCutoffKnobSetsTheEngineAndAutomatesTheHost) {
    EditorPlug plug;
    IWidget* knob = plug.W(56);
    ASSERT_EQ(knob->ParamIdx(), kCutoffFrequency);
    const double before = plug.Param(kCutoffFrequency)->Normalized();
    // Down one box height: a sixth of the travel.
    const int h = knob->Box().bottom - knob->Box().top;
    Drag(plug.G(), knob->Box().left + 5, knob->Box().top + 5, h);
    const double after = plug.Param(kCutoffFrequency)->Normalized();
    EXPECT_NEAR(after, before - 1.0 / 6, 0.01);  // the parameter steps in whole Hz
    EXPECT_EQ(plug.CutoffBase(), plug.Param(kCutoffFrequency)->Value());
    EXPECT_LT(plug.CutoffBase(), 18000.0);
    const auto& calls = HostCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].index, kCutoffFrequency);
    EXPECT_NEAR(calls[1].value, before - 1.0 / 6, 1e-6);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    for (const HostCall& c : calls) EXPECT_EQ(c.index, kCutoffFrequency);
}

TEST(QuorvexEditorInteraction, MotorsButtonRunsTheMotorsOnlyWhileHeld) {
    EditorPlug plug;
    IGraphics& g = plug.G();
    IMotorKnobWidget* output = plug.Target(kTargetOutput).knob;
    IMouseKeys keys;
    keys.left = true;
    g.HandlePointerDown(358 + 20, 160 + 10, keys);
    EXPECT_TRUE(plug.Motorized());
    EXPECT_EQ(plug.Param(kMotorizedKnobs)->Value(), 1.0);
    EXPECT_TRUE(output->MotorMode());
    EXPECT_FALSE(plug.Target(kTargetCutoff).knob->MotorMode());  // cutoff is off by default
    g.HandlePointerDrag(700, 20, keys);
    g.HandlePointerUp(700, 20);  // released away from the button
    EXPECT_FALSE(plug.Motorized());
    EXPECT_EQ(plug.Param(kMotorizedKnobs)->Value(), 0.0);
    EXPECT_FALSE(output->MotorMode());
}

TEST(QuorvexEditorInteraction, FloorAndCeilingKnobsStopAtEachOther) {
    EditorPlug plug;
    IWidget* floorKnob = plug.W(71);
    IWidget* ceilingKnob = plug.W(72);
    ASSERT_EQ(floorKnob->ParamIdx(), kFollowerFloor);
    ASSERT_EQ(ceilingKnob->ParamIdx(), kFollowerCeiling);
    // The floor goes up to -6 dB from the editor; the ceiling then cannot be
    // dragged below it, however far the drag goes.
    plug.SetParameterFromGUI(kFollowerFloor, 18.0 / 24);
    Drag(plug.G(), ceilingKnob->Box().left + 3, ceilingKnob->Box().top + 3, 2000);
    EXPECT_NEAR(plug.Param(kFollowerCeiling)->Value(), -6.0, 0.01);
    EXPECT_NEAR(ceilingKnob->Value(), 0.75, 1e-12);
    // And the floor cannot be dragged above the ceiling, now at -6 dB.
    Drag(plug.G(), floorKnob->Box().left + 3, floorKnob->Box().top + 3, -2000);
    EXPECT_NEAR(plug.Param(kFollowerFloor)->Value(), -6.0, 0.01);
    // Lowering the floor from the host frees the ceiling knob again.
    plug.Set(kFollowerFloor, -24);
    Drag(plug.G(), ceilingKnob->Box().left + 3, ceilingKnob->Box().top + 3, 2000);
    EXPECT_NEAR(plug.Param(kFollowerCeiling)->Value(), -24.0, 0.01);
}

TEST(QuorvexEditorInteraction, FaderAndSourceSwitchClicks) {
    EditorPlug plug;
    IGraphics& g = plug.G();
    IMouseKeys keys;
    keys.left = true;
    // The attack fader (16 x 60 at 352, 273): a click near the top puts it
    // at the top.
    g.HandlePointerDown(352 + 8, 273 + 3, keys);
    g.HandlePointerUp(352 + 8, 273 + 3);
    EXPECT_EQ(plug.Param(kAdsrAttack)->Value(), 1.0);
    // The cutoff source lever (53 wide at 98, 86): the middle is "no
    // modulation", the right end LFO 2.
    g.HandlePointerDown(98 + 47, 86 + 10, keys);
    g.HandlePointerUp(98 + 47, 86 + 10);
    EXPECT_EQ(plug.Param(kCutoffSource)->Value(), kSourceLfo2);
    EXPECT_EQ(plug.Target(kTargetCutoff).source, kSourceLfo2);
    g.HandlePointerDown(98 + 26, 86 + 10, keys);
    g.HandlePointerUp(98 + 26, 86 + 10);
    EXPECT_EQ(plug.Param(kCutoffSource)->Value(), kSourceNone);
}
