#pragma once

#include <vector>

#include "dsp/Lfo.h"
#include "dsp/NonlinearAllpass.h"
#include "dsp/Ramp.h"

namespace quorvex {

// Four-voice chorus: the stereo input is summed to mono into one delay line
// read by four LFO-modulated taps; the tap sum is coloured by a 3400 Hz
// all-pass, each dry channel by an 880 Hz one. Super stereo gives the right
// channel its own taps a quarter LFO cycle ahead.
class Chorus {
  public:
    static constexpr int kVoices = 4;
    static constexpr double kMaxDelayMs = 50.0;

    Chorus();

    void SetWet(double w) {
        wet = w;
        inputGain = 1.0 / (w + 1.0);
    }
    void SetDelayMs(double ms) {
        const double limited = ms > kMaxDelayMs ? kMaxDelayMs : ms;
        if (limited != delayMs) {
            delayMs = limited;
            delayRamp.SetTarget(limited * 0.001 * sampleRate);
        }
    }
    void SetSpread(double s) {
        if (s != spread) {
            spread = s;
            UpdateVoiceRates();
        }
    }
    void SetRate(double r) {
        if (r != baseRate) {
            baseRate = r;
            UpdateVoiceRates();
        }
    }
    void SetDepth(double d) { depthRamp.SetTarget(d); }
    void SetSuperStereo(bool on) { superStereo = on; }
    void SetSampleRate(double sr);

    // One stereo sample in place.
    void Process(double& left, double& right) {
        const double l = left * inputGain;
        const double r = right * inputGain;
        line[static_cast<size_t>(writePos)] = (l + r) * 0.5;
        delayRamp.Advance();
        depthRamp.Advance();
        const double d = delayRamp.Current();
        const double depth = depthRamp.Current();
        double dryLeft = l;
        double dryRight = r;
        NonlinearAllpass::ProcessPair(dryAllpassLeft, dryAllpassRight, dryLeft, dryRight);
        const double t4 = Tap(d, depth, voice[3].Next());
        const double t3 = Tap(d, depth, voice[2].Next());
        const double t2 = Tap(d, depth, voice[1].Next());
        const double t1 = Tap(d, depth, voice[0].Next());
        double g = t1 + (t2 + (t3 + t4));
        if (superStereo) {
            const double u4 = Tap(d, depth, voice[3].Peek(0.25));
            const double u3 = Tap(d, depth, voice[2].Peek(0.25));
            const double u2 = Tap(d, depth, voice[1].Peek(0.25));
            const double u1 = Tap(d, depth, voice[0].Peek(0.25));
            double h = u1 + (u2 + (u3 + u4));
            NonlinearAllpass::ProcessPair(wetAllpassLeft, wetAllpassRight, g, h);
            left = dryLeft + wet * g;
            right = dryRight + wet * h;
        } else {
            g = wetAllpassLeft.Process(g);
            left = dryLeft + wet * wet * g;
            right = dryRight + wet * wet * g;
        }
        if (++writePos >= length) writePos = 0;
    }

    double DelayMs() const { return delayMs; }
    double DelaySamples() const { return delayRamp.Current(); }
    double Depth() const { return depthRamp.Current(); }
    double InputGain() const { return inputGain; }
    int Length() const { return length; }
    const Lfo& Voice(int i) const { return voice[i]; }

  private:
    // Interpolated read `centre * (depth * d + 1)` samples back; 0 reads the
    // sample written in this call. The delay is kept inside the line so that
    // no setting can read outside it; within the products' range (at most
    // twice 50 ms in a 200 ms line) the limit never acts.
    double Tap(double centre, double depth, double d) const {
        double delay = centre * (depth * d + 1.0);
        delay = delay > 0.0 ? delay : 0.0;
        delay = delay < maxDelay ? delay : maxDelay;
        const int n = static_cast<int>(delay);
        const double f = delay - n;
        int i = writePos - n;
        if (i < 0) i += length;
        int j = i - 1;
        if (j < 0) j += length;
        return (1.0 - f) * line[static_cast<size_t>(i)] + f * line[static_cast<size_t>(j)];
    }
    void UpdateVoiceRates();

    Lfo voice[kVoices];
    double sampleRate = 44100.0;
    double baseRate = 0.0625;
    double spread = 0.5;
    double wet = 1.0;
    double inputGain = 0.5;
    double delayMs = 12.5;
    Ramp delayRamp;
    Ramp depthRamp;
    bool superStereo = true;
    NonlinearAllpass dryAllpassLeft;
    NonlinearAllpass wetAllpassLeft;
    NonlinearAllpass dryAllpassRight;
    NonlinearAllpass wetAllpassRight;
    int writePos = 0;
    int length = 0;
    double maxDelay = 0.0;
    std::vector<double> line;
};

}  // namespace quorvex
