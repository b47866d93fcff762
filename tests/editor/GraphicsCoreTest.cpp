// The graphics object: binding, redraw cycle, hit testing, mouse dispatch
// with gestures, strip frames and the drawing operations it offers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "FakePlug.h"
#include "TestGraphics.h"
#include "framework/editor/IFrameWidget.h"

namespace {
using Log = std::vector<std::string>;

struct Editor : testing::Test {
    FakePlug plug;
    TestGraphics* g = new TestGraphics(&plug, 40, 30, 18);
    LogWidget* AddLog(const IBox& box, int param, const char* name) {
        auto* w = new LogWidget(&plug, box, param, &plug.log, name);
        g->AddWidget(w);
        return w;
    }
    void Attach() {
        plug.AttachEditor(g);
        plug.log.clear();
    }
    // One timer tick as the windows run it: collect, then redraw that box.
    bool Tick() {
        IBox box;
        if (!g->CollectDirtyArea(box)) return false;
        g->RenderArea(box);
        return true;
    }
};

TEST_F(Editor, FramesPerSecondDefaultsTo24) {
    TestGraphics other(&plug, 10, 10, 0);
    EXPECT_EQ(other.FramesPerSecond(), 24);
    EXPECT_EQ(g->FramesPerSecond(), 18);
    delete g;
}

TEST_F(Editor, AttachGivesEveryBoundWidgetItsValueAndDefault) {
    plug.Param(1)->SetFromNormalized(0.25);
    LogWidget* a = AddLog({0, 0, 10, 10}, 1, "a");
    LogWidget* b = AddLog({0, 0, 10, 10}, 1, "b");
    LogWidget* free = AddLog({0, 0, 10, 10}, -1, "free");
    Attach();
    EXPECT_DOUBLE_EQ(a->Value(), 0.25);
    EXPECT_DOUBLE_EQ(b->DefaultValue(), 0.25);
    EXPECT_DOUBLE_EQ(free->Value(), 0.0);
    EXPECT_DOUBLE_EQ(free->DefaultValue(), -1.0);
    EXPECT_NE(g->SurfaceBits(), nullptr);
}

TEST_F(Editor, PlainValuesAreConvertedAndUnboundParametersChangeNothing) {
    LogWidget* w = AddLog({0, 0, 10, 10}, 2, "w");
    Attach();
    while (Tick()) {
    }
    g->ApplyParamFromPlug(2, 5.0, false);  // range 0..10
    EXPECT_DOUBLE_EQ(w->Value(), 0.5);
    while (Tick()) {
    }
    g->ApplyParamFromPlug(3, 0.9, true);
    g->ApplyParamFromPlug(99, 0.9, false);
    IBox box;
    EXPECT_FALSE(g->CollectDirtyArea(box));
    EXPECT_DOUBLE_EQ(w->Value(), 0.5);
}

TEST_F(Editor, RedrawCycleDrawsDirtyWidgetsBackToFrontAndHostValuesTwice) {
    LogWidget* back = AddLog({0, 0, 40, 30}, -1, "back");
    LogWidget* knob = AddLog({5, 5, 15, 15}, 0, "knob");
    back->colour = {255, 0, 0, 255};
    knob->colour = {255, 0, 255, 0};
    Attach();
    IBox box;
    ASSERT_TRUE(g->CollectDirtyArea(box));
    EXPECT_EQ(box, (IBox{0, 0, 40, 30}));
    g->RenderArea(box);
    EXPECT_EQ(g->presentCount, 1);
    EXPECT_EQ(g->lastPresented, box);
    EXPECT_EQ(g->ReadPixel(7, 7), (IArgb{255, 0, 255, 0}));  // knob over background
    EXPECT_EQ(g->ReadPixel(20, 20), (IArgb{255, 0, 0, 255}));
    // The knob got a value from the plug-in: it stays dirty for one more pass.
    box = {};
    ASSERT_TRUE(g->CollectDirtyArea(box));
    EXPECT_EQ(box, (IBox{5, 5, 15, 15}));
    g->RenderArea(box);
    EXPECT_EQ(back->renders, 2);  // intersects the knob's box
    EXPECT_EQ(knob->renders, 2);
    EXPECT_FALSE(Tick());
}

TEST_F(Editor, OnlyWidgetsTouchingTheBoxAreRenderedButAllAreMarkedDrawn) {
    LogWidget* left = AddLog({0, 0, 10, 10}, -1, "left");
    LogWidget* right = AddLog({30, 20, 40, 30}, -1, "right");
    LogWidget* hidden = AddLog({0, 0, 10, 10}, -1, "hidden");
    hidden->SetHidden(true);
    Attach();
    g->RenderArea({0, 0, 5, 5});
    EXPECT_EQ(left->renders, 1);
    EXPECT_EQ(right->renders, 0);
    EXPECT_EQ(hidden->renders, 0);
    EXPECT_FALSE(right->NeedsRedraw());
}

TEST_F(Editor, AValueArrivingDuringAFrameGetsAFrameOfItsOwn) {
    LogWidget* meter = AddLog({0, 0, 10, 10}, -1, "meter");
    LogWidget* later = AddLog({20, 0, 30, 10}, -1, "later");
    Attach();
    while (Tick()) {
    }
    const int meterIdx = 0;
    g->ApplyWidgetFromPlug(meterIdx, 0.3);
    // While the meter's frame is drawn, the audio thread stores a new value.
    later->onRender = [&] { g->ApplyWidgetFromPlug(meterIdx, 0.7); };
    g->MarkAllChanged();
    Tick();
    later->onRender = nullptr;
    EXPECT_DOUBLE_EQ(meter->drawnValue, 0.3);
    ASSERT_TRUE(meter->NeedsRedraw());
    Tick();
    EXPECT_DOUBLE_EQ(meter->drawnValue, 0.7);
}

TEST_F(Editor, EmptyWidgetListPresentsNothing) {
    Attach();
    IBox box;
    EXPECT_FALSE(g->CollectDirtyArea(box));
    EXPECT_FALSE(g->RenderArea({0, 0, 40, 30}));
    EXPECT_EQ(g->presentCount, 0);
}

TEST_F(Editor, HitTestingPrefersTheLaterWidgetUnlessHiddenOrDisabled) {
    LogWidget* under = AddLog({0, 0, 20, 20}, -1, "under");
    LogWidget* over = AddLog({10, 10, 30, 30}, -1, "over");
    Attach();
    EXPECT_EQ(g->WidgetAt(15, 15), 1);
    EXPECT_EQ(g->WidgetAt(5, 5), 0);
    EXPECT_EQ(g->WidgetAt(20, 20), 1);
    EXPECT_EQ(g->WidgetAt(35, 5), -1);
    over->SetHidden(true);
    EXPECT_EQ(g->WidgetAt(15, 15), 0);
    over->SetHidden(false);
    over->SetDisabled(true);
    EXPECT_EQ(g->WidgetAt(15, 15), 0);
    under->SetHitBox({});
    EXPECT_EQ(g->WidgetAt(5, 5), -1);
}

TEST_F(Editor, PressDragReleaseReportsInOrderEvenWhenReleasedOutside) {
    AddLog({0, 0, 10, 10}, -1, "free");
    AddLog({10, 0, 20, 10}, 2, "knob");
    Attach();
    g->HandlePointerDown(12, 5, {true});
    g->HandlePointerDrag(12, 5, {true});  // no movement: nothing
    g->HandlePointerDrag(14, 2, {true});
    g->HandlePointerDrag(3, 30, {true});
    g->HandlePointerUp(100, 100);
    g->HandlePointerDrag(5, 5, {true});  // nothing captured any more
    EXPECT_EQ(plug.log, (Log{"knob down 12,5", "begin 2", "knob drag 2,-3", "knob drag -11,28",
                             "knob up 100,100", "end 2"}));
    EXPECT_EQ(g->CaptureIndex(), -1);
}

TEST_F(Editor, UnboundWidgetsAndEmptySpotsSendNoGestures) {
    AddLog({0, 0, 10, 10}, -1, "free");
    Attach();
    g->HandlePointerDown(5, 5, {true});
    g->HandlePointerUp(5, 5);
    g->HandlePointerDown(30, 30, {true});
    g->HandlePointerUp(30, 30);
    EXPECT_EQ(plug.log, (Log{"free down 5,5", "free up 5,5"}));
}

TEST_F(Editor, DoubleClickWheelAndLeaveSendNoGestures) {
    AddLog({0, 0, 10, 10}, 1, "knob");
    Attach();
    EXPECT_FALSE(g->HandleDoubleClick(5, 5, {true}));
    g->HandleWheel(5, 5, {}, -2);
    g->HandleWheel(25, 5, {}, 1);
    EXPECT_FALSE(g->HandlePointerHover(5, 5, {}));
    g->HandlePointerLeave();
    // The reset is reported as a value, without begin or end.
    EXPECT_EQ(plug.log, (Log{"knob double", "automate 1", "knob wheel -2", "knob leave"}));
}

TEST_F(Editor, DrawStripFrameReadsTheFrameOffset) {
    Attach();
    const IImageStrip strip = g->LoadStrip(1300, "strip", 10);  // 10 x 300
    ASSERT_EQ(strip.height, 300);
    const IImageStrip single = {strip.surface, 10, 300, 1};
    struct {
        const IImageStrip* strip;
        int frame, srcY;
    } cases[] = {
        {&strip, 1, 0}, {&strip, 2, 30}, {&strip, 10, 270}, {&strip, 0, 0}, {&single, 5, 0}};
    for (auto& c : cases) {
        g->blits.clear();
        g->DrawStripFrame(*c.strip, {0, 0, 10, 30}, c.frame);
        ASSERT_EQ(g->blits.size(), 1u);
        EXPECT_EQ(g->blits[0].srcY, c.srcY) << c.frame;
    }
}

TEST_F(Editor, BlitStripIsClippedToThePaintBox) {
    TestGraphics big(&plug, 60, 60, 18);
    big.PrepareSurfaces();
    const IImageStrip strip = big.LoadStrip(1100, "strip", 1);  // 10 x 100, pixel = row<<8 | x
    const IImageStrip wide = big.ScaleStrip(strip, 40, 100);
    IBlendSpec replace = {BlendReplace, 1.0f};
    big.FillBox({255, 0, 0, 0}, {0, 0, 60, 60}, &replace);
    big.SetPaintBox({0, 0, 20, 20});
    big.BlitStrip(strip, {10, 10, 40, 40}, 0, 7, &replace);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 20;
            const IArgb want = inside ? IArgb{255, 0, 7 + y - 10, x - 10} : IArgb{255, 0, 0, 0};
            ASSERT_EQ(big.ReadPixel(x, y), want) << x << "," << y;
        }
    // Before any redraw pass the paint box is empty: nothing is drawn.
    TestGraphics fresh(&plug, 20, 20, 18);
    fresh.PrepareSurfaces();
    fresh.FillBox({255, 0, 0, 0}, {0, 0, 20, 20}, &replace);
    fresh.BlitStrip(wide, {0, 0, 20, 20}, 0, 0, &replace);
    EXPECT_EQ(fresh.ReadPixel(5, 5), (IArgb{255, 0, 0, 0}));
    delete g;
}

TEST_F(Editor, BlendKindsMapToDrelModes) {
    const struct {
        int kind;
        int mode;
    } cases[] = {{BlendReplace, DrelModeCopy},
                 {BlendAdd, DrelModeAdd | DrelUseSourceAlpha},
                 {BlendDodge, DrelModeDodge | DrelUseSourceAlpha},
                 {BlendNormal, DrelModeCopy | DrelUseSourceAlpha},
                 {42, DrelModeCopy | DrelUseSourceAlpha}};
    for (auto& c : cases) {
        IBlendSpec blend = {c.kind, 0.5f};
        EXPECT_EQ(IGraphicsDrel::BlendMode(&blend), c.mode) << c.kind;
        EXPECT_EQ(IGraphicsDrel::BlendOpacity(&blend), 0.5f);
    }
    EXPECT_EQ(IGraphicsDrel::BlendMode(nullptr), DrelModeCopy | DrelUseSourceAlpha);
    EXPECT_EQ(IGraphicsDrel::BlendOpacity(nullptr), 1.0f);
    delete g;
}

TEST_F(Editor, StrokeRadialPointsUpAtZeroAndTurnsClockwise) {
    Attach();
    const IArgb white = {255, 255, 255, 255};
    IBlendSpec replace = {BlendReplace, 1.0f};
    g->StrokeRadial(white, 20, 15, 0.0f, 2, 10, &replace);
    EXPECT_EQ(g->ReadPixel(20, 8), white);
    EXPECT_EQ(g->ReadPixel(20, 22).r, 0);
    g->StrokeRadial(white, 20, 15, float(std::numbers::pi / 2), 2, 10, &replace);
    EXPECT_EQ(g->ReadPixel(27, 15), white);
    EXPECT_EQ(g->ReadPixel(13, 15).r, 0);
}

// In a redraw pass only the paint box is redrawn beneath a line: the line
// must not be drawn over itself elsewhere (an additive needle would
// brighten with every partial redraw), and inside the box it must leave
// the pixels of a full redraw.
TEST_F(Editor, LinesInARedrawPassStayInsideThePaintBox) {
    const IArgb dark = {255, 20, 20, 20};
    const IArgb red = {255, 255, 0, 0};
    IBlendSpec replace = {BlendReplace, 1.0f};
    IBlendSpec add = {BlendAdd, 0.85f};
    TestGraphics t(&plug, 40, 30, 18);
    t.PrepareSurfaces();
    auto redraw = [&](const IBox& box) {
        t.SetPaintBox(box);
        t.FillBox(dark, box, &replace);  // what the clipped background blit does
        t.StrokeRadial(red, 20, 15, 0.7f, 2, 14, &add);
    };
    redraw({0, 0, 40, 30});
    std::vector<IArgb> full;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) full.push_back(t.ReadPixel(x, y));
    for (int pass = 0; pass < 3; ++pass) redraw({18, 8, 26, 16});
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(t.ReadPixel(x, y), full[size_t(y * 40 + x)]) << x << "," << y;
    delete g;
}

TEST_F(Editor, StraightLinesClampToTheSurface) {
    Attach();
    const IArgb red = {255, 255, 0, 0};
    g->VerticalLine(red, 3, -5, 1000);
    g->HorizontalLine(red, 100, 38, 2);  // x2 < x1: nothing
    int column = 0, lastRow = 0;
    for (int y = 0; y < 30; ++y) column += g->ReadPixel(3, y) == red;
    for (int x = 0; x < 40; ++x) lastRow += g->ReadPixel(x, 29) == red;
    EXPECT_EQ(column, 30);
    EXPECT_EQ(lastRow, 1);
    g->HorizontalLine(red, 100, -4, 5);
    lastRow = 0;
    for (int x = 0; x < 40; ++x) lastRow += g->ReadPixel(x, 29) == red;
    EXPECT_EQ(lastRow, 6);
    EXPECT_EQ(g->ReadPixel(-1, 0), (IArgb{0, 0, 0, 0}));
}

TEST_F(Editor, TextKeepsTheFirstSizeAndFollowsTheColour) {
    Attach();
    g->FillBox({255, 0, 0, 0}, {0, 0, 40, 30});
    EXPECT_TRUE(g->WriteText({}, nullptr, {0, 0, 40, 30}));
    IFontSpec big;
    big.size = 16;
    big.colour = {255, 255, 0, 0};
    EXPECT_TRUE(g->WriteText(big, "I", {0, 0, 40, 30}));
    int first = 0;
    for (int y = 0; y < 30; ++y) first += g->ReadPixel(12, y).r == 255;  // anything red?
    g->FillBox({255, 0, 0, 0}, {0, 0, 40, 30});
    IFontSpec small = big;
    small.size = 8;
    small.colour = {255, 0, 255, 0};
    g->WriteText(small, "I", {0, 0, 40, 30});
    int red = 0, green = 0, greenRows = 0;
    for (int y = 0; y < 30; ++y) {
        bool row = false;
        for (int x = 0; x < 40; ++x) {
            const IArgb p = g->ReadPixel(x, y);
            red += p.r == 255;
            green += p.g == 255;
            row = row || p.g == 255;
        }
        greenRows += row;
    }
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 0);
    EXPECT_EQ(greenRows, 14);  // 7 rows of the font at the first call's scale 2
    (void)first;
}

TEST_F(Editor, BackgroundGoesUnderEveryOtherWidget) {
    LogWidget* knob = AddLog({0, 0, 10, 10}, -1, "knob");
    g->SetBackground(1030, "bg");
    ASSERT_EQ(g->WidgetCount(), 2);
    EXPECT_EQ(g->WidgetByIndex(1), knob);
    auto* bg = dynamic_cast<IFrameWidget*>(g->WidgetByIndex(0));
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->Blend().kind, BlendReplace);
    EXPECT_EQ(bg->Box(), (IBox{0, 0, 10, 30}));
    EXPECT_EQ(bg->ParamIdx(), -1);
    EXPECT_EQ(g->WidgetByIndex(2), nullptr);
    EXPECT_EQ(g->WidgetByIndex(-1), nullptr);
    g->ApplyWidgetFromPlug(7, 0.5);  // ignored
    delete g;
}

TEST_F(Editor, ResizeDropsTheWidgetsAndTellsThePlugIn) {
    AddLog({0, 0, 10, 10}, -1, "knob");
    Attach();
    g->ResizeEditor(50, 20);
    EXPECT_EQ(g->WidgetCount(), 0);
    EXPECT_EQ(g->Width(), 50);
    EXPECT_EQ(plug.log, (Log{"resized"}));
    g->PutPixel({255, 1, 2, 3}, 49, 19);
    EXPECT_EQ(g->ReadPixel(49, 19), (IArgb{255, 1, 2, 3}));
}

TEST(IBoxRules, IntersectionAndUnion) {
    const IBox a = {0, 0, 10, 10}, touching = {10, 10, 20, 20}, apart = {11, 0, 20, 5}, empty;
    EXPECT_TRUE(a.Intersects(touching));  // right and bottom edges count
    EXPECT_FALSE(a.Intersects(apart));
    EXPECT_FALSE(a.Intersects(empty));
    EXPECT_EQ(a.Intersection({5, 5, 15, 15}), (IBox{5, 5, 10, 10}));
    EXPECT_EQ(a.Intersection(apart), empty);
    EXPECT_EQ(a.Union(empty), a);
    EXPECT_EQ(empty.Union(apart), apart);
    EXPECT_EQ(a.Union(apart), (IBox{0, 0, 20, 10}));
}
}  // namespace
