#include "products/quorvex_phaser/SingleEffectOutput.h"

#ifdef QUORVEX_HAVE_EDITOR
#include "framework/editor/IGraphics.h"
#endif

namespace quorvex {

void SingleEffectOutput::EndBlock(double* left, double* right, int n, double sampleRate,
                                  int blockSize, IGraphics* editor) {
    if (brickwall) {
        const double a = BrickwallLimit(left, n);
        const double b = BrickwallLimit(right, n);
        lamp.Update(a, b);
    }
    if (--countdown > 0) return;
    countdown = blockSize > 0 ? TruncToInt(sampleRate / blockSize / kDisplayRate) : 0;
    publishedLamp = lamp.Value();
    publishedMeter = meter.Envelope();
    ++publications;
#ifdef QUORVEX_HAVE_EDITOR
    if (editor) {
        editor->ApplyWidgetFromPlug(lampWidget, publishedLamp);
        editor->ApplyWidgetFromPlug(meterWidget, publishedMeter);
    }
#endif
}

}  // namespace quorvex
