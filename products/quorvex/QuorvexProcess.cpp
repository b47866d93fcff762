// The multi-effect's signal chain, run once per host block.

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "products/quorvex/LfoSync.h"
#include "products/quorvex/Quorvex.h"

namespace quorvex {

namespace {

// Input samples a host may hand us that no signal path should see: NaN and
// infinity read as silence (one bad sample must not poison filter states for
// good), magnitudes below 1e-30 (-600 dB) as exact zeros so no recursion
// starts on denormals, and finite values beyond +-1e6 (+120 dBFS) are held
// there so that no state can overflow.
inline double CleanInput(double x) {
    constexpr double kTiny = 1e-30;
    constexpr double kHuge = 1e6;
    const double a = std::fabs(x);
    if (a >= kTiny && a <= kHuge) return x;
    if (a > kHuge && a <= 1.79e308) return x > 0.0 ? kHuge : -kHuge;
    return 0.0;
}

}  // namespace

void Quorvex::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    // The frame never hands us more than the block size; should a host do
    // so, the block is run in pieces the block arrays can hold.
    const int capacity = static_cast<int>(followerBlock.size());
    if (capacity <= 0) return;
    for (int offset = 0; offset < nFrames;) {
        const int n = std::min(capacity, nFrames - offset);
        ProcessChunk(inputs, outputs, offset, n);
        offset += n;
    }
}

void Quorvex::ProcessChunk(double** inputs, double** outputs, int offset, int n) {
    double* L = outputs[0] + offset;
    double* R = outputs[1] + offset;
    const double* inL = inputs[0] + offset;
    const double* inR = inputs[1] + offset;
    const double* detL = (detectFromSideChain ? inputs[2] : inputs[0]) + offset;
    const double* detR = (detectFromSideChain ? inputs[3] : inputs[1]) + offset;
    const double sampleRate = SampleRate();

    limitLamp.Decay(n, sampleRate);

    // Synced LFOs restart on multiples of their period on the host's
    // timeline; re-derive the countdowns whenever the transport moved.
    const std::int64_t pos = HostSamplePosition();
    if (pos != lastSamplePos) {
        const std::int64_t blockStart = pos - n;
        if (period1 > 0) counter1 = AlignedCountdown(blockStart, period1);
        if (period2 > 0) counter2 = AlignedCountdown(blockStart, period2);
        lastSamplePos = pos;
    }

    double* lfo1Values = const_cast<double*>(lfo1.RenderBlock(n));
    double* lfo2Values = const_cast<double*>(lfo2.RenderBlock(n));

    // Detector pass. It reads the inputs before the outputs are written, so
    // a host that processes in place still feeds it the untrimmed signal.
    const bool sync1 = period1 > 0 || halfPeriod1 > 0;
    const bool sync2 = period2 > 0 || halfPeriod2 > 0;
    const double gain = inputGain;
    const double span = ceilingAmp - floorAmp;
    for (int i = 0; i < n; ++i) {
        if (sync1) {
            if (--counter1 <= 0) {
                lfo1.ResetPhase();
                counter1 = period1;
            }
            if (--halfCounter1 <= 0) {
                lfo1Half.ResetPhase();
                halfCounter1 = halfPeriod1;
            }
        }
        if (sync2) {
            if (--counter2 <= 0) {
                lfo2.ResetPhase();
                counter2 = period2;
            }
            if (--halfCounter2 <= 0) {
                lfo2Half.ResetPhase();
                halfCounter2 = halfPeriod2;
            }
        }
        const double d = (gain * CleanInput(detL[i]) + gain * CleanInput(detR[i])) * 0.75;
        const double e = follower.Process(d);
        double level = (e - floorAmp) / span;
        if (!(level > 0.0)) {
            level = 0.0;  // also when the floor meets the ceiling (NaN)
        } else if (level > 1.0) {
            level = 1.0;
        }
        followerBlock[static_cast<size_t>(i)] = level;
        const bool wasOpen = gate.IsOpen();
        const bool open = gate.Process(d);
        if (wasOpen && !open) envelope.Release();
        if (!wasOpen && open) envelope.Trigger(1.0);
        envelopeBlock[static_cast<size_t>(i)] = envelope.Process();
        lfo1Values[i] *= 0.5;
        lfo2Values[i] *= 0.5;
    }
    BlockSources sources;
    sources.lfo1 = lfo1Values;
    sources.lfo2 = lfo2Values;
    sources.follower = followerBlock.data();
    sources.adsr = envelopeBlock.data();

    for (int i = 0; i < n; ++i) {
        L[i] = CleanInput(inL[i]) * gain;
        R[i] = CleanInput(inR[i]) * gain;
    }

    bool processed = false;
    if (cutoffEnabled) {
        const double* f = RenderShapedModulation(targets[kTargetCutoff], 10.0, 18000.0, cutoffBase,
                                                 sources, n, 2.5);
        for (int i = 0; i < n; ++i) {
            ladderLeft.SetFrequency(f[i]);
            ladderRight.SetFrequencyLike(ladderLeft);
            double yL = L[i];
            double yR = R[i];
            LadderLowPass::ProcessPair(ladderLeft, ladderRight, yL, yR);
            if (filterShape == kWideBandPass) {
                bandLeft.SetFrequency(0.25 * f[i]);
                bandRight.SetFrequency(0.25 * f[i]);
                yL = bandLeft.Process(yL) * 4.0;
                yR = bandRight.Process(yR) * 4.0;
            } else if (filterShape == kNarrowBandPass) {
                bandLeft.SetFrequency(0.75 * f[i]);
                bandRight.SetFrequency(0.75 * f[i]);
                yL = bandLeft.Process(yL) * 8.0;
                yR = bandRight.Process(yR) * 8.0;
            }
            L[i] = yL;
            R[i] = yR;
        }
        processed = true;
    }

    for (int i = 0; i < n; ++i) {
        L[i] = highPassLeft.Process(L[i]);
        R[i] = highPassRight.Process(R[i]);
    }

    if (driveEnabled) {
        if (processed) StageClip(L, R, n);
        const double* d = RenderModulation(targets[kTargetDrive], 0.0, 1.0, driveBase, sources, n);
        for (int i = 0; i < n; ++i) {
            drive.SetDrive(d[i]);
            drive.Process(L[i], R[i]);
        }
        processed = true;
    }

    if (phaserEnabled) {
        if (processed) StageClip(L, R, n);
        StageClip(L, R, n);
        processed = true;
        const double* w =
            RenderModulation(targets[kTargetPhaserWet], 0.0, 1.0, phaserWetBase, sources, n);
        const double* m1 =
            RenderModulation(targets[kTargetPhaserFreq1], -1.0, 1.0, 0.0, sources, n);
        const double* m2 =
            RenderModulation(targets[kTargetPhaserFreq2], -1.0, 1.0, 0.0, sources, n);
        const double* m3 =
            RenderModulation(targets[kTargetPhaserFreq3], -1.0, 1.0, 0.0, sources, n);
        for (int i = 0; i < n; ++i) {
            phaser.SetWet(w[i]);
            phaser.ProcessModulated(L[i], R[i], m1[i], m2[i], m3[i]);
        }
    }

    if (chorusEnabled) {
        if (processed) StageClip(L, R, n);
        const double* half1 = lfo1Half.RenderBlock(n);
        const double* half2 = lfo2Half.RenderBlock(n);
        for (int i = 0; i < n; ++i) {
            chorusLfo1[static_cast<size_t>(i)] = half1[i] * 0.5;
            chorusLfo2[static_cast<size_t>(i)] = half2[i] * 0.5;
        }
        BlockSources delaySources = sources;
        delaySources.lfo1 = chorusLfo1.data();
        delaySources.lfo2 = chorusLfo2.data();
        const double* w =
            RenderModulation(targets[kTargetChorusWet], 0.0, 1.0, chorusWetBase, sources, n);
        const double* dl = RenderShapedModulation(targets[kTargetChorusDelay], 0.0, 50.0,
                                                  chorusDelayBase, delaySources, n, 1.5);
        for (int i = 0; i < n; ++i) {
            chorus.SetWet(w[i]);
            chorus.SetDelayMs(dl[i]);
            chorus.Process(L[i], R[i]);
        }
    }

    const double* g = RenderModulation(targets[kTargetOutput], 0.0, 2.0, outputBase, sources, n);
    for (int i = 0; i < n; ++i) {
        L[i] *= g[i];
        R[i] *= g[i];
    }

    if (brickwallOn) {
        const double aL = BrickwallLimit(L, n);
        const double aR = BrickwallLimit(R, n);
        limitLamp.Update(aL, aR);
    }

    lfo1.AdvanceBlock(n);
    lfo2.AdvanceBlock(n);
    lfo1Half.AdvanceBlock(n);
    lfo2Half.AdvanceBlock(n);

    // Last line of defence: inputs are cleaned above, so only a nonsense
    // sample rate could get here. Silence the block and start the signal
    // path afresh rather than emit NaN for ever.
    if (!std::isfinite(L[n - 1]) || !std::isfinite(R[n - 1])) RecoverFromNonFinite(L, R, n);

    if (--editorCountdown <= 0) {
        const int blockSize = BlockSize();
        editorCountdown = blockSize > 0 ? TruncToInt(sampleRate / blockSize / 18.0) : 0;
        UpdateEditorDisplays(followerBlock[static_cast<size_t>(n - 1)],
                             envelopeBlock[static_cast<size_t>(n - 1)], lfo1Values[n - 1] + 0.5,
                             lfo2Values[n - 1] + 0.5);
    }
}

void Quorvex::RecoverFromNonFinite(double* left, double* right, int n) {
    std::fill(left, left + n, 0.0);
    std::fill(right, right + n, 0.0);
    const double sr = SampleRate();
    // Phaser and chorus keep all-pass states that their sample-rate setters
    // leave alone; fresh copies replace them without allocating (the spare
    // chorus line fits the capacity of ours).
    phaser = Phaser();
    chorus = spareChorus;
    for (int idx :
         {kResonance, kHighPassFrequency, kDriveFeedback, kPhaserFreq1, kPhaserFreq2, kPhaserFreq3,
          kPhaserFeedback, kPhaserSuperStereo, kChorusSpread, kChorusSuperStereo}) {
        ParamChanged(idx);
    }
    follower.SetSampleRate(sr);
    gate.SetSampleRate(sr);
    envelope.SetSampleRate(sr);
    ladderLeft.SetSampleRate(sr);
    ladderRight.SetSampleRate(sr);
    bandLeft.SetSampleRate(sr);
    bandRight.SetSampleRate(sr);
    highPassLeft.SetSampleRate(sr);
    highPassRight.SetSampleRate(sr);
    drive.SetSampleRate(sr);
    phaser.SetSampleRate(sr);
    chorus.SetSampleRate(sr);
}

}  // namespace quorvex
