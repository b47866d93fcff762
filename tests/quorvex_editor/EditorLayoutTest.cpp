// The editor against its layout table: the widgets in order, their classes,
// boxes, parameters and blends, the images they draw, and the handles the
// display routines use.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <typeinfo>

#include "EditorTestKit.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "framework/editor/ILinkWidget.h"
#include "products/quorvex/QuorvexEditorLayout.h"
#include "products/quorvex/widgets/ProductWidgets.h"

using namespace quorvex;
using namespace quorvex_editor_test;

namespace {

struct Image {
    int w, h, frames;
};

// Image id -> width, height and frame count.
const std::map<int, Image> kImages = {
    {101, {790, 350, 1}},   {102, {30, 31, 1}},       {103, {30, 31, 1}},
    {104, {30, 31, 1}},     {106, {24, 3128, 136}},   {107, {16, 2040, 136}},
    {108, {31, 3808, 136}}, {109, {16, 3000, 50}},    {110, {53, 125, 5}},
    {111, {55, 130, 5}},    {112, {47, 39, 3}},       {113, {29, 26, 2}},
    {114, {29, 28, 2}},     {115, {158, 11514, 101}}, {116, {104, 7474, 101}},
    {117, {15, 46, 2}},     {118, {27, 20, 2}},       {119, {38, 2356, 62}},
    {121, {5, 70, 10}},     {126, {25, 697, 41}},     {127, {76, 44, 2}},
    {129, {23, 40, 2}},     {130, {13, 46, 2}},
};

enum Kind {
    Lamp,
    Frame,
    Needle,
    Momentary,
    Detent,
    Cycle,
    Shape,
    Position,
    Motor,
    Knob,
    SyncRate,
    Link,
    Digits
};

struct Row {
    Kind kind;
    int x, y;
    int image;  // 0: none
    int param;  // -1: none
    int blend;
};

constexpr int N = BlendNormal, R = BlendReplace, A = BlendAdd;

// Rows 1 to 83 in the order of adding; needles, the link and the digits
// give their box's corner.
const Row kRows[] = {
    {Lamp, 137, 25, 102, -1, A},      {Lamp, 93, 168, 102, -1, A},
    {Lamp, 215, 271, 102, -1, A},     {Lamp, 164, 240, 102, -1, A},
    {Lamp, 506, 228, 102, -1, A},     {Lamp, 705, 243, 102, -1, A},
    {Lamp, 583, 100, 102, -1, A},     {Lamp, 659, 138, 102, -1, A},
    {Lamp, 734, 100, 102, -1, A},     {Lamp, 605, 269, 102, -1, A},
    {Lamp, 383, 189, 102, -1, A},     {Lamp, 376, 206, 103, -1, A},
    {Lamp, 373, 222, 104, -1, A},     {Lamp, 59, -3, 104, -1, A},
    {Lamp, -3, 167, 104, -1, A},      {Lamp, 101, 325, 104, -1, A},
    {Lamp, 550, -3, 104, -1, A},      {Frame, 317, 25, 115, -1, R},
    {Frame, 344, 52, 116, -1, N},     {Needle, 0, 0, 0, -1, A},
    {Needle, 0, 0, 0, -1, A},         {Needle, 0, 0, 0, -1, A},
    {Needle, 0, 0, 0, -1, A},         {Momentary, 358, 160, 127, 57, N},
    {Detent, 376, 86, 119, 1, N},     {Cycle, 290, 199, 129, 0, N},
    {Cycle, 536, 74, 130, 4, N},      {Cycle, 473, 171, 130, 5, N},
    {Shape, 498, 88, 126, 6, N},      {Shape, 494, 185, 126, 7, N},
    {Cycle, 83, 5, 118, 18, N},       {Cycle, 1, 190, 117, 25, N},
    {Cycle, 125, 333, 118, 45, N},    {Cycle, 573, 5, 118, 30, N},
    {Position, 181, 6, 112, 19, N},   {Position, 689, 6, 113, 44, N},
    {Position, 248, 333, 114, 53, N}, {Position, 98, 86, 110, 20, N},
    {Position, 43, 202, 110, 26, N},  {Position, 117, 285, 110, 49, N},
    {Position, 252, 285, 110, 46, N}, {Position, 541, 283, 111, 54, N},
    {Position, 677, 306, 111, 31, N}, {Position, 577, 172, 111, 34, N},
    {Position, 653, 212, 111, 37, N}, {Position, 728, 172, 111, 40, N},
    {Detent, 104, 64, 106, 21, N},    {Detent, 50, 182, 106, 27, N},
    {Detent, 260, 264, 106, 47, N},   {Detent, 126, 264, 106, 50, N},
    {Detent, 553, 263, 106, 55, N},   {Detent, 691, 284, 106, 32, N},
    {Detent, 590, 148, 106, 35, N},   {Detent, 666, 189, 106, 38, N},
    {Detent, 743, 148, 106, 41, N},   {Motor, 174, 64, 108, 22, N},
    {Motor, 140, 155, 108, 28, N},    {Motor, 187, 289, 107, 48, N},
    {Motor, 209, 216, 108, 51, N},    {Motor, 495, 282, 107, 56, N},
    {Motor, 754, 251, 107, 33, N},    {Motor, 593, 70, 107, 36, N},
    {Motor, 668, 109, 107, 39, N},    {Motor, 745, 70, 107, 42, N},
    {Knob, 16, 92, 106, 24, N},       {Knob, 49, 48, 106, 23, N},
    {Cycle, 204, 140, 117, 29, N},    {Knob, 68, 282, 107, 52, N},
    {Knob, 664, 45, 106, 43, N},      {Knob, 255, 81, 106, 8, N},
    {Knob, 269, 136, 107, 9, N},      {Knob, 275, 30, 107, 10, N},
    {SyncRate, 501, 35, 106, 2, N},   {SyncRate, 501, 134, 106, 3, N},
    {Knob, 415, 223, 106, 11, N},     {Knob, 354, 201, 107, 12, N},
    {Knob, 336, 238, 107, 13, N},     {Position, 352, 273, 109, 14, N},
    {Position, 378, 273, 109, 15, N}, {Position, 403, 273, 109, 16, N},
    {Position, 428, 273, 109, 17, N}, {Link, 375, 137, 0, -1, N},
    {Digits, 426, 3, 121, -1, N},
};
static_assert(sizeof(kRows) / sizeof(kRows[0]) == 83);

const std::type_info& TypeOf(Kind k) {
    switch (k) {
        case Lamp:
            return typeid(IGlowLampWidget);
        case Frame:
            return typeid(IFrameWidget);
        case Needle:
            return typeid(INeedleWidget);
        case Momentary:
            return typeid(IMomentaryButtonWidget);
        case Detent:
            return typeid(IDetentKnobWidget);
        case Cycle:
            return typeid(ICycleSwitchWidget);
        case Shape:
            return typeid(IShapeSelectorWidget);
        case Position:
            return typeid(IPositionSwitchWidget);
        case Motor:
            return typeid(IMotorKnobWidget);
        case Knob:
            return typeid(IKnobStripWidget);
        case SyncRate:
            return typeid(ISyncRateKnobWidget);
        case Link:
            return typeid(ILinkWidget);
        case Digits:
            return typeid(IVersionDigitsWidget);
    }
    return typeid(void);
}

// The image strip a widget draws, or none.
const IImageStrip* StripOf(IWidget* w) {
    if (auto* f = dynamic_cast<IFrameWidget*>(w)) return &f->Strip();
    if (auto* k = dynamic_cast<IKnobStripWidget*>(w)) return &k->Strip();
    if (auto* l = dynamic_cast<IGlowLampWidget*>(w)) return &l->Lamp();
    return nullptr;
}

}  // namespace

TEST(QuorvexEditorLayout, BackgroundThenTheEightyThreeWidgetsInOrder) {
    EditorPlug plug;
    IGraphics& g = plug.G();
    EXPECT_EQ(g.Width(), 790);
    EXPECT_EQ(g.Height(), 350);
    EXPECT_EQ(g.FramesPerSecond(), 18);
    ASSERT_EQ(g.WidgetCount(), 84);

    auto* bg = dynamic_cast<IFrameWidget*>(plug.W(0));
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->Box(), (IBox{0, 0, 790, 350}));
    EXPECT_EQ(bg->Blend().kind, BlendReplace);
    EXPECT_EQ(bg->ParamIdx(), -1);

    for (int i = 1; i <= 83; ++i) {
        const Row& r = kRows[i - 1];
        SCOPED_TRACE(testing::Message() << "widget " << i);
        IWidget* w = plug.W(i);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(typeid(*w), TypeOf(r.kind)) << typeid(*w).name();
        EXPECT_EQ(w->ParamIdx(), r.param);
        if (r.kind != Digits) {
            EXPECT_EQ(w->Blend().kind, r.blend);
        }
        if (r.image != 0 && r.kind != Digits) {
            const Image& im = kImages.at(r.image);
            EXPECT_EQ(w->Box(), (IBox{r.x, r.y, r.x + im.w, r.y + im.h / im.frames}));
            const IImageStrip* s = StripOf(w);
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->frames, im.frames);
        }
    }
    EXPECT_EQ(plug.W(82)->Box(), (IBox{375, 137, 415, 151}));
    EXPECT_EQ(plug.W(83)->Box(), (IBox{426, 3, 448, 9}));
    for (int i = 20; i <= 21; ++i) EXPECT_EQ(plug.W(i)->Box(), (IBox{337, 46, 457, 130}));
    for (int i = 22; i <= 23; ++i) EXPECT_EQ(plug.W(i)->Box(), (IBox{312, 21, 482, 137}));
    for (int i = 20; i <= 23; ++i) EXPECT_FLOAT_EQ(plug.W(i)->Blend().weight, 0.85f);
}

TEST(QuorvexEditorLayout, ImagesMatchTheirTableInSizeAndFrames) {
    EditorPlug plug;
    // Every strip a widget holds was decoded from the library's images.
    std::map<int, int> seen;
    for (int i = 1; i <= 83; ++i) {
        const Row& r = kRows[i - 1];
        if (r.image == 0 || r.kind == Digits) continue;
        const IImageStrip* s = StripOf(plug.W(i));
        ASSERT_NE(s, nullptr);
        ASSERT_NE(s->surface, nullptr) << "image " << r.image;
        const Image& im = kImages.at(r.image);
        EXPECT_EQ(s->width, im.w) << "image " << r.image;
        EXPECT_EQ(s->height, im.h) << "image " << r.image;
        ++seen[r.image];
    }
    // All images but the background and the digits are used by some widget.
    EXPECT_EQ(seen.size(), kImages.size() - 2);
}

TEST(QuorvexEditorLayout, WidgetSettings) {
    EditorPlug plug;
    auto* trim = dynamic_cast<IDetentKnobWidget*>(plug.W(25));
    ASSERT_NE(trim, nullptr);
    EXPECT_EQ(trim->Centre(), 0.25);
    for (int i = 47; i <= 55; ++i)
        EXPECT_EQ(dynamic_cast<IDetentKnobWidget*>(plug.W(i))->Centre(), 0.5) << i;
    for (int i = 35; i <= 46; ++i)
        EXPECT_EQ(dynamic_cast<IPositionSwitchWidget*>(plug.W(i))->Orientation(),
                  IPositionSwitchWidget::Horizontal)
            << i;
    for (int i = 78; i <= 81; ++i)
        EXPECT_EQ(dynamic_cast<IPositionSwitchWidget*>(plug.W(i))->Orientation(),
                  IPositionSwitchWidget::Vertical)
            << i;
    // Gearing shows in the drag: 6 box heights for the whole travel of the
    // plain knobs, 10 for the trim and the shape selectors.
    struct Case {
        int widget;
        double gearing;
    } cases[] = {{65, 6}, {70, 6}, {56, 6}, {62, 6}, {73, 6}, {29, 10}, {30, 10}};
    for (const Case& c : cases) {
        IWidget* w = plug.W(c.widget);
        const int h = w->Box().bottom - w->Box().top;
        const double before = w->Value();
        w->PointerDrag(0, 0, 0, h, {});  // one box height down
        EXPECT_NEAR(before - w->Value(), std::min(before, 1.0 / c.gearing), 1e-9)
            << "widget " << c.widget;
    }
    // The trim starts at 0 dB, its detent; a box height down leaves it at
    // drag position 0.15.
    trim->PointerDrag(0, 0, 0, trim->Box().bottom - trim->Box().top, {});
    EXPECT_NEAR(trim->Value(), DetentValue(0.15, 0.25), 1e-9);
}

TEST(QuorvexEditorLayout, HandlesPointAtTheTargetsLampsAndKnobs) {
    EditorPlug plug;
    const int baseParam[kNumModTargets] = {22, 28, 48, 51, 56, 33, 36, 39, 42};
    for (int i = 0; i < kNumModTargets; ++i) {
        const ModTarget& t = plug.Target(editor::kDisplayOrder[i]);
        SCOPED_TRACE(i);
        EXPECT_EQ(t.lampControl, 1 + i);
        ASSERT_NE(t.knob, nullptr);
        EXPECT_EQ(static_cast<IWidget*>(t.knob), plug.W(56 + i));
        EXPECT_EQ(t.knob->ParamIdx(), baseParam[i]);
    }
    // The engine's own order differs from the display order.
    EXPECT_EQ(plug.Target(kTargetOutput).lampControl, 5);
    EXPECT_EQ(plug.Target(kTargetChorusWet).lampControl, 3);
}

TEST(QuorvexEditorLayout, ManualLinkAndVersionDigits) {
    EditorPlug plug;
    auto* link = dynamic_cast<ILinkWidget*>(plug.W(82));
    ASSERT_NE(link, nullptr);
    std::string dir;
    plug.G().ModuleDirectory(dir);
    EXPECT_EQ(std::string(link->Target()), dir + "Quorvex_manual.pdf");
    EXPECT_FALSE(dir.empty());
    EXPECT_STREQ(link->Fallback(), "");
    auto* digits = dynamic_cast<IVersionDigitsWidget*>(plug.W(83));
    ASSERT_NE(digits, nullptr);
    EXPECT_EQ(digits->FirstDigit(), 0);
    EXPECT_EQ(digits->SecondDigit(), 2);
    // The logo link wins the hit test over the meters beneath it.
    EXPECT_EQ(plug.G().WidgetAt(395, 144), 82);
}

TEST(QuorvexEditorLayout, WidgetsStartAtTheParameterValues) {
    EditorPlug plug;
    for (int i = 24; i <= 81; ++i) {
        IWidget* w = plug.W(i);
        if (w->ParamIdx() < 0) continue;
        EXPECT_NEAR(w->Value(), plug.Param(w->ParamIdx())->Normalized(), 1e-9) << i;
        EXPECT_NEAR(w->DefaultValue(), plug.Param(w->ParamIdx())->Normalized(), 1e-9) << i;
    }
}
