#include "products/quorvex_phaser/SingleEffectOutput.h"

#include "framework/editor/IGraphics.h"

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
    if (editor) {
        editor->ApplyWidgetFromPlug(lampWidget, publishedLamp);
        editor->ApplyWidgetFromPlug(meterWidget, publishedMeter);
    }
}

}  // namespace quorvex
