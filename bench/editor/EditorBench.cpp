// Cost of the editor's redraw cycle as the window's timer drives it: a
// full-editor redraw (every widget dirty) and a tick with nothing to draw.
// The editor is the product's own, built by its constructor; with no window
// open, presenting is a no-op, so the figures are the drawing alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "framework/editor/EditorWindowLogic.h"
#include "framework/editor/IGraphics.h"

#if defined(BENCH_EDITOR_MULTI)
#include "products/quorvex/Quorvex.h"
using Product = quorvex::Quorvex;
#define BENCH_PRODUCT_NAME "quorvex"
#else
#include "products/quorvex_phaser/QuorvexPhaser.h"
using Product = QuorvexPhaser;
#define BENCH_PRODUCT_NAME "quorvex_phaser"
#endif

namespace {

// True when the background image was found and drawn: a benchmark of an
// editor missing its images would time almost nothing.
bool DrewPicture(IGraphics& g) {
    const auto* bits = static_cast<const std::uint32_t*>(g.SurfaceBits());
    if (!bits) return false;
    for (int i = 0, n = g.Width() * g.Height(); i < n; ++i)
        if ((bits[i] & 0xffffffu) != 0) return true;
    return false;
}

VstIntPtr VSTCALLBACK SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) {
    return 0;
}

// Everything marked changed, then the tick the window runs: collect the
// dirty area and draw it.
void BM_FullRedraw(benchmark::State& state) {
    auto plug = std::make_unique<Product>(&SilentHost);
    IGraphics& g = *plug->Editor();
    EditorWindowLogic logic(g);
    IBox dirty;
    for (auto _ : state) {
        g.MarkAllChanged();
        if (logic.Tick(dirty)) g.RenderArea(dirty);
        benchmark::DoNotOptimize(g.SurfaceBits());
        benchmark::ClobberMemory();
    }
    if (!DrewPicture(g)) state.SkipWithError("the editor drew nothing: images missing");
    state.counters["width"] = g.Width();
    state.counters["height"] = g.Height();
    state.counters["pixels_per_s"] = benchmark::Counter(
        double(g.Width()) * g.Height(), benchmark::Counter::kIsIterationInvariantRate);
}

// A tick that finds nothing dirty: the cost of the timer while the editor
// sits idle with no audio running.
void BM_IdleTick(benchmark::State& state) {
    auto plug = std::make_unique<Product>(&SilentHost);
    IGraphics& g = *plug->Editor();
    EditorWindowLogic logic(g);
    g.MarkAllChanged();
    IBox dirty;
    if (logic.Tick(dirty)) g.RenderArea(dirty);
    for (auto _ : state) {
        bool any = logic.Tick(dirty);
        benchmark::DoNotOptimize(any);
        if (any) g.RenderArea(dirty);  // never in practice; keeps the loop honest
    }
    state.counters["widgets"] = g.WidgetCount();
}

}  // namespace

BENCHMARK(BM_FullRedraw)->Name(BENCH_PRODUCT_NAME "/FullRedraw")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IdleTick)->Name(BENCH_PRODUCT_NAME "/IdleTick")->Unit(benchmark::kNanosecond);
