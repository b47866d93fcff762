// The end of every single effect's block: optional brickwall limiting, the
// limiter lamp, the level meter and the cadence at which both reach the
// editor. Shared by the phaser, chorus and drive plug-ins.
#pragma once

#include <cmath>

#include "dsp/EnvelopeFollower.h"
#include "dsp/OutputStage.h"

class IGraphics;

namespace quorvex {

class SingleEffectOutput {
  public:
    // Meter ballistics of all three products.
    static constexpr double kMeterAttackMs = 10.0;
    static constexpr double kMeterReleaseMs = 500.0;
    // Display updates per second.
    static constexpr int kDisplayRate = 18;

    SingleEffectOutput() {
        meter.SetAttack(kMeterAttackMs);
        meter.SetRelease(kMeterReleaseMs);
    }

    void Reset(double sampleRate) {
        meter.SetSampleRate(sampleRate);
        lamp.Clear();
        countdown = 0;
    }

    void SetBrickwall(bool on) { brickwall = on; }
    bool Brickwall() const { return brickwall; }

    // Largest input magnitude the effects take (+120 dBFS). Far beyond any
    // real signal, and far below where the all-pass saturators overflow.
    static constexpr double kInputCeiling = 1e6;

    // The block all three single effects run: the inputs copied to the
    // outputs, `effect(left, right)` on every frame with the meter fed after
    // it, a block that went non-finite silenced after `rebuild` restarts the
    // engine, then the limiter, lamp and display of EndBlock.
    template <class Effect, class Rebuild>
    void RunBlock(double** inputs, double** outputs, int n, double sampleRate, int blockSize,
                  IGraphics* editor, Effect&& effect, Rebuild&& rebuild) {
        double* left = outputs[0];
        double* right = outputs[1];
        CopyInput(inputs[0], left, n);
        CopyInput(inputs[1], right, n);
        lamp.Decay(n, sampleRate);
        for (int i = 0; i < n; ++i) {
            effect(left[i], right[i]);
            meter.Process(left[i] + right[i]);
        }
        if (!AllFinite(left, right, n)) {
            rebuild();
            // Silence and a clean meter, so the next block starts clean.
            for (int i = 0; i < n; ++i) left[i] = right[i] = 0.0;
            meter.SetSampleRate(sampleRate);
        }
        EndBlock(left, right, n, sampleRate, blockSize, editor);
    }

    // Widget indices in the editor, -1 while there is none.
    int lampWidget = -1;
    int meterWidget = -1;

    // The values last handed to the editor and how often that happened; kept
    // also without an editor, so the display cadence can be observed.
    double PublishedLamp() const { return publishedLamp; }
    double PublishedMeter() const { return publishedMeter; }
    long Publications() const { return publications; }
    double LampValue() const { return lamp.Value(); }
    double MeterLevel() const { return meter.Envelope(); }

  private:
    // Copies the host's input into the output buffers, where the effect then
    // works in place. Samples that are not finite enter as silence and
    // absurd levels are held at the ceiling, so one bad sample cannot poison
    // the recursive states of the effect.
    static void CopyInput(const double* in, double* out, int n) {
        for (int i = 0; i < n; ++i) {
            const double x = in[i];
            out[i] = x >= -kInputCeiling && x <= kInputCeiling ? x
                     : x > kInputCeiling                       ? kInputCeiling
                     : x < -kInputCeiling                      ? -kInputCeiling
                                                               : 0.0;  // NaN
        }
    }

    // True when the block holds only finite samples.
    static bool AllFinite(const double* left, const double* right, int n) {
        double probe = 0.0;
        for (int i = 0; i < n; ++i) probe += left[i] * 0.0 + right[i] * 0.0;
        return probe == 0.0;
    }

    // Limits the block when the brickwall is on, then publishes the lamp and
    // the meter every trunc(sampleRate / blockSize / 18) blocks.
    void EndBlock(double* left, double* right, int n, double sampleRate, int blockSize,
                  IGraphics* editor);

    EnvelopeFollower meter;
    LimitIndicator lamp;
    bool brickwall = true;
    int countdown = 0;
    double publishedLamp = 0.0;
    double publishedMeter = 0.0;
    long publications = 0;
};

}  // namespace quorvex
