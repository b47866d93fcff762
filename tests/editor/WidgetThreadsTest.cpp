// Values pushed from an audio thread while the window thread redraws: no
// data race (run under ThreadSanitizer) and the last value is always drawn.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "FakePlug.h"
#include "TestGraphics.h"

namespace {
TEST(WidgetThreads, TheLastValueFromTheAudioThreadIsAlwaysDrawn) {
    FakePlug plug;
    auto* g = new TestGraphics(&plug, 64, 64, 18);
    auto* meter = new LogWidget(&plug, {0, 0, 16, 16}, -1, nullptr, "meter");
    auto* knob = new LogWidget(&plug, {16, 0, 32, 16}, 0, nullptr, "knob");
    const int meterIdx = g->AddWidget(meter);
    g->AddWidget(knob);
    plug.AttachEditor(g);

    for (int trial = 0; trial < 20; ++trial) {
        std::atomic<bool> done{false};
        const double last = 0.5 + trial * 0.01;
        std::thread audio([&] {
            for (int i = 0; i < 2000; ++i) {
                g->ApplyWidgetFromPlug(meterIdx, (i % 100) / 100.0);
                g->ApplyParamFromPlug(0, (i % 50) / 50.0, true);
            }
            g->ApplyWidgetFromPlug(meterIdx, last);
            done = true;
        });
        while (!done) {
            IBox box;
            if (g->CollectDirtyArea(box)) g->RenderArea(box);
        }
        audio.join();
        for (int tick = 0; tick < 4; ++tick) {
            IBox box;
            if (g->CollectDirtyArea(box)) g->RenderArea(box);
        }
        ASSERT_DOUBLE_EQ(meter->drawnValue, last) << trial;
        ASSERT_FALSE(meter->NeedsRedraw());
    }
}
}  // namespace
