// The multi-effect's editor: the layout of its 83 widgets on the panel and
// the routines that feed lamps, meters, needles and motor knobs from the
// signal chain.

#include <cassert>
#include <cmath>

#include "framework/editor/EditorWindow.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "framework/editor/ILinkWidget.h"
#include "products/quorvex/Quorvex.h"
#include "products/quorvex/QuorvexEditorLayout.h"
#include "products/quorvex/widgets/ProductWidgets.h"

namespace quorvex {

namespace {

struct ImageInfo {
    int id;
    const char* name;
    int frames;
};

// In the order they are loaded; the background (101) is loaded first by
// SetBackground.
constexpr ImageInfo kImages[] = {
    {102, "img/glow_r.png", 1},
    {103, "img/glow_y.png", 1},
    {104, "img/glow_g.png", 1},
    {106, "img/knob-cap-stack.png", 136},
    {107, "img/tiny-knob-stack.png", 136},
    {108, "img/big-knob-stack.png", 136},
    {109, "img/env-slider.png", 50},
    {110, "img/mod-switch-L.png", 5},
    {111, "img/mod-switch-R.png", 5},
    {112, "img/filter-shape-sw.png", 3},
    {113, "img/phaser-stereo-sw.png", 2},
    {114, "img/chorus-stereo-sw.png", 2},
    {115, "img/VU-stack-outer.png", 101},
    {116, "img/VU-stack-inner.png", 101},
    {117, "img/toggle-v.png", 2},
    {118, "img/toggle-h.png", 2},
    {119, "img/trim-stack.png", 62},
    {126, "img/lfo-stack.png", 41},
    {127, "img/motor-button-stack.png", 2},
    {121, "img/numbers-quorvex.png", 10},
    {129, "img/sidechain-toggle.png", 2},
    {130, "img/sync-toggle.png", 2},
};
constexpr int kNumImages = int(sizeof(kImages) / sizeof(kImages[0]));

constexpr double kPi = 3.14159265358979323846;
constexpr double kNeedleAngle0 = -0.6 * kPi;
constexpr double kNeedleAngle1 = 0.55 * kPi;
constexpr IArgb kRed = {255, 255, 0, 0};
constexpr IArgb kYellow = {255, 255, 255, 0};
constexpr IArgb kGreen = {255, 0, 255, 0};

using editor::kDisplayOrder;

// Whether each target's block runs, in display order; the output always does.
void TargetsEnabled(bool out[kNumModTargets], bool cutoff, bool drive, bool chorus, bool phaser) {
    const bool on[kNumModTargets] = {cutoff, drive,  chorus, chorus, true,
                                     phaser, phaser, phaser, phaser};
    for (int i = 0; i < kNumModTargets; ++i) out[i] = on[i];
}

// Adds the widgets in order and checks that each lands at the index the
// display routines use.
class LayoutBuilder {
  public:
    LayoutBuilder(IGraphics& g, VexilBase* plug) : g_(g), plug_(plug) {
        for (int i = 0; i < kNumImages; ++i)
            strips_[i] = g_.LoadStrip(kImages[i].id, kImages[i].name, kImages[i].frames);
    }

    IImageStrip Strip(int id) const {
        for (int i = 0; i < kNumImages; ++i)
            if (kImages[i].id == id) return strips_[i];
        assert(false && "image not loaded");
        return {};
    }

    template <class W>
    W* Add(W* widget) {
        [[maybe_unused]] const int index = g_.AddWidget(widget);
        assert(index == ++expected_ && "editor widget out of order");
        return widget;
    }

    IGlowLampWidget* Lamp(int x, int y, int image) {
        return Add(new IGlowLampWidget(plug_, x, y, Strip(image)));
    }
    INeedleWidget* Needle(const IArgb& colour, double r0, double r1) {
        return Add(new INeedleWidget(plug_, colour, {BlendAdd, 0.85f}, 397, 106, kNeedleAngle0,
                                     kNeedleAngle1, r0, r1));
    }
    void Toggle(int x, int y, int image, int param) {
        Add(new ICycleSwitchWidget(plug_, x, y, param, Strip(image)));
    }
    void Position(int x, int y, int image, int param, int orientation) {
        Add(new IPositionSwitchWidget(plug_, x, y, param, Strip(image), orientation));
    }
    void Strength(int x, int y, int param) {
        Add(new IDetentKnobWidget(plug_, x, y, param, Strip(106), 6.0, 0.5));
    }
    IMotorKnobWidget* Motor(int x, int y, int image, int param) {
        return Add(new IMotorKnobWidget(plug_, x, y, param, Strip(image),
                                        IKnobStripWidget::Vertical, 6.0));
    }
    void Knob(int x, int y, int image, int param) {
        Add(new IKnobStripWidget(plug_, x, y, param, Strip(image), IKnobStripWidget::Vertical,
                                 6.0));
    }

  private:
    IGraphics& g_;
    VexilBase* plug_;
    IImageStrip strips_[kNumImages];
    int expected_ = 0;  // the background holds index 0
};

}  // namespace

void Quorvex::BuildEditor() {
    auto* g =
        new IGraphicsWindow(this, editor::kEditorWidth, editor::kEditorHeight, editor::kEditorFps);
    g->SetBackground(101, "img/bg.png");
    LayoutBuilder b(*g, this);
    constexpr int H = IPositionSwitchWidget::Horizontal;
    constexpr int V = IPositionSwitchWidget::Vertical;

    // 1-9: modulation lamps of the targets, in display order.
    const int lampAt[kNumModTargets][2] = {{137, 25},  {93, 168},  {215, 271},
                                           {164, 240}, {506, 228}, {705, 243},
                                           {583, 100}, {659, 138}, {734, 100}};
    for (int i = 0; i < kNumModTargets; ++i) {
        b.Lamp(lampAt[i][0], lampAt[i][1], 102);
        targets[kDisplayOrder[i]].lampControl = editor::kFirstTargetLamp + i;
    }
    // 10-17: limiter, gate closed / holding / open, the four blocks on.
    b.Lamp(605, 269, 102);
    b.Lamp(383, 189, 102);
    b.Lamp(376, 206, 103);
    b.Lamp(373, 222, 104);
    b.Lamp(59, -3, 104);
    b.Lamp(-3, 167, 104);
    b.Lamp(101, 325, 104);
    b.Lamp(550, -3, 104);
    // 18-19: gate meter (outer ring) and follower meter (inner ring).
    b.Add(new IFrameWidget(this, 317, 25, b.Strip(115), BlendReplace));
    b.Add(new IFrameWidget(this, 344, 52, b.Strip(116), BlendNormal));
    // 20-23: follower floor and ceiling, gate off and on thresholds.
    b.Needle(kRed, 30, 52);
    b.Needle(kYellow, 30, 52);
    b.Needle(kRed, 63, 77);
    b.Needle(kGreen, 63, 77);
    // 24-30: motors, trim, side chain, LFO sync and shape.
    b.Add(new IMomentaryButtonWidget(this, 358, 160, kMotorizedKnobs, b.Strip(127)));
    b.Add(new IDetentKnobWidget(this, 376, 86, kInputTrim, b.Strip(119), 10.0, 0.25));
    b.Toggle(290, 199, 129, kSidechainDetector);
    b.Toggle(536, 74, 130, kLfo1TempoSync);
    b.Toggle(473, 171, 130, kLfo2TempoSync);
    b.Add(new IShapeSelectorWidget(this, 498, 88, kLfo1Shape, b.Strip(126), 10.0));
    b.Add(new IShapeSelectorWidget(this, 494, 185, kLfo2Shape, b.Strip(126), 10.0));
    // 31-34: block enables.
    b.Toggle(83, 5, 118, kCutoffEnable);
    b.Toggle(1, 190, 117, kDriveEnable);
    b.Toggle(125, 333, 118, kChorusEnable);
    b.Toggle(573, 5, 118, kPhaserEnable);
    // 35-37: filter shape and the stereo switches.
    b.Position(181, 6, 112, kCutoffShape, H);
    b.Position(689, 6, 113, kPhaserSuperStereo, H);
    b.Position(248, 333, 114, kChorusSuperStereo, H);
    // 38-46: modulation sources.
    b.Position(98, 86, 110, kCutoffSource, H);
    b.Position(43, 202, 110, kDriveSource, H);
    b.Position(117, 285, 110, kChorusDelaySource, H);
    b.Position(252, 285, 110, kChorusWetSource, H);
    b.Position(541, 283, 111, kOutputSource, H);
    b.Position(677, 306, 111, kPhaserWetSource, H);
    b.Position(577, 172, 111, kPhaserFreq1Source, H);
    b.Position(653, 212, 111, kPhaserFreq2Source, H);
    b.Position(728, 172, 111, kPhaserFreq3Source, H);
    // 47-55: modulation strengths.
    b.Strength(104, 64, kCutoffStrength);
    b.Strength(50, 182, kDriveStrength);
    b.Strength(260, 264, kChorusWetStrength);
    b.Strength(126, 264, kChorusDelayStrength);
    b.Strength(553, 263, kOutputStrength);
    b.Strength(691, 284, kPhaserWetStrength);
    b.Strength(590, 148, kPhaserFreq1Strength);
    b.Strength(666, 189, kPhaserFreq2Strength);
    b.Strength(743, 148, kPhaserFreq3Strength);
    // 56-64: the modulated settings, in display order.
    IMotorKnobWidget* const motors[kNumModTargets] = {
        b.Motor(174, 64, 108, kCutoffFrequency), b.Motor(140, 155, 108, kDrive),
        b.Motor(187, 289, 107, kChorusWet),      b.Motor(209, 216, 108, kChorusDelay),
        b.Motor(495, 282, 107, kOutput),         b.Motor(754, 251, 107, kPhaserWet),
        b.Motor(593, 70, 107, kPhaserFreq1),     b.Motor(668, 109, 107, kPhaserFreq2),
        b.Motor(745, 70, 107, kPhaserFreq3),
    };
    for (int i = 0; i < kNumModTargets; ++i) targets[kDisplayOrder[i]].knob = motors[i];
    // 65-81: the remaining settings.
    b.Knob(16, 92, 106, kHighPassFrequency);
    b.Knob(49, 48, 106, kResonance);
    b.Toggle(204, 140, 117, kDriveFeedback);
    b.Knob(68, 282, 107, kChorusSpread);
    b.Knob(664, 45, 106, kPhaserFeedback);
    b.Knob(255, 81, 106, kFollowerSpeed);
    b.Knob(269, 136, 107, kFollowerFloor);
    b.Knob(275, 30, 107, kFollowerCeiling);
    b.Add(new ISyncRateKnobWidget(this, 501, 35, kLfo1Rate, b.Strip(106)));
    b.Add(new ISyncRateKnobWidget(this, 501, 134, kLfo2Rate, b.Strip(106)));
    b.Knob(415, 223, 106, kGateOnThreshold);
    b.Knob(354, 201, 107, kGateHysteresis);
    b.Knob(336, 238, 107, kGateHold);
    // The ADSR faders are position switches: a click puts the cap there.
    b.Position(352, 273, 109, kAdsrAttack, V);
    b.Position(378, 273, 109, kAdsrDecay, V);
    b.Position(403, 273, 109, kAdsrSustain, V);
    b.Position(428, 273, 109, kAdsrRelease, V);

    // 82: the manual, opened from the logo.
    b.Add(NewManualLink(*g, this, {375, 137, 415, 151}));
    // 83: the version digits after the printed major version.
    b.Add(new IVersionDigitsWidget(this, {426, 3, 448, 9}, b.Strip(121), 9, 0));

    AttachEditor(g);
}

void Quorvex::UpdateEditorDisplays(double followerValue, double adsrValue, double lfo1Value,
                                   double lfo2Value) {
    IGraphics* g = Editor();
    if (g == nullptr) return;

    g->ApplyWidgetFromPlug(editor::kCutoffEnabledLamp, cutoffEnabled ? 1.0 : 0.0);
    g->ApplyWidgetFromPlug(editor::kDriveEnabledLamp, driveEnabled ? 1.0 : 0.0);
    g->ApplyWidgetFromPlug(editor::kChorusEnabledLamp, chorusEnabled ? 1.0 : 0.0);
    g->ApplyWidgetFromPlug(editor::kPhaserEnabledLamp, phaserEnabled ? 1.0 : 0.0);

    bool enabled[kNumModTargets];
    TargetsEnabled(enabled, cutoffEnabled, driveEnabled, chorusEnabled, phaserEnabled);
    for (int i = 0; i < kNumModTargets; ++i) {
        ModTarget& t = targets[kDisplayOrder[i]];
        double lamp = 0.0;
        if (enabled[i]) {
            double source = 0.0;
            bool modulated = true;
            switch (t.source) {
                case kSourceLfo1:
                    source = lfo1Value;
                    break;
                case kSourceAdsr:
                    source = adsrValue;
                    break;
                case kSourceFollower:
                    source = followerValue;
                    break;
                case kSourceLfo2:
                    source = lfo2Value;
                    break;
                default:  // "no modulation" and numbers outside the list
                    modulated = false;
                    break;
            }
            lamp = modulated ? std::sqrt(std::fabs(t.strength)) * source : 1.0;
        }
        g->ApplyWidgetFromPlug(t.lampControl, lamp);
        // A target whose block is off keeps the position of its last block.
        if (motorized && t.knob) t.knob->SetMotorPosition(t.displayPosition);
    }

    g->ApplyWidgetFromPlug(editor::kLimiterLamp, limitLamp.Value());
    g->ApplyWidgetFromPlug(editor::kGateMeter, editor::MeterPosition(gate.Envelope()));
    g->ApplyWidgetFromPlug(editor::kFollowerMeter, editor::MeterPosition(follower.Envelope()));
    g->ApplyWidgetFromPlug(editor::kFloorNeedle, editor::MeterPosition(floorAmp));
    g->ApplyWidgetFromPlug(editor::kCeilingNeedle, editor::MeterPosition(ceilingAmp));
    g->ApplyWidgetFromPlug(editor::kGateOffNeedle, editor::MeterPosition(gateOffAmp));
    g->ApplyWidgetFromPlug(editor::kGateOnNeedle, editor::MeterPosition(gateOnAmp));

    const bool holding = gate.IsHolding();
    const bool open = !holding && gate.IsOpen();
    g->ApplyWidgetFromPlug(editor::kGateClosedLamp, !holding && !open ? 1.0 : 0.0);
    g->ApplyWidgetFromPlug(editor::kGateHoldingLamp, holding ? 1.0 : 0.0);
    g->ApplyWidgetFromPlug(editor::kGateOpenLamp, open ? 1.0 : 0.0);
}

void Quorvex::ApplyMotorModes() {
    if (Editor() == nullptr) return;
    bool enabled[kNumModTargets];
    TargetsEnabled(enabled, cutoffEnabled, driveEnabled, chorusEnabled, phaserEnabled);
    for (int i = 0; i < kNumModTargets; ++i) {
        IMotorKnobWidget* knob = targets[kDisplayOrder[i]].knob;
        if (knob) knob->SetMotorMode(motorized && enabled[i]);
    }
}

}  // namespace quorvex
