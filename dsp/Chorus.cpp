#include "dsp/Chorus.h"

#include "dsp/Conversions.h"

namespace quorvex {

Chorus::Chorus() {
    for (Lfo& v : voice) v.SetTable(LfoTableFor(kLfoNonlinear));
    delayRamp.Init(0.1, false);
    depthRamp.Init(0.00005, false);
    depthRamp.SetNow(1.0);
    dryAllpassLeft.SetFrequency(880.0);
    dryAllpassRight.SetFrequency(880.0);
    wetAllpassLeft.SetFrequency(3400.0);
    wetAllpassRight.SetFrequency(3400.0);
    SetSampleRate(44100.0);
    UpdateVoiceRates();
}

void Chorus::UpdateVoiceRates() {
    voice[0].SetRate(baseRate);
    voice[1].SetRate(baseRate * (1.0 + 0.33 * spread));
    voice[2].SetRate(baseRate * (1.0 + 0.67 * spread));
    voice[3].SetRate(baseRate * (1.0 + 1.33 * spread));
}

void Chorus::SetSampleRate(double sr) {
    sampleRate = sr;
    for (Lfo& v : voice) v.SetSampleRate(sr);
    dryAllpassLeft.SetSampleRate(sr);
    wetAllpassLeft.SetSampleRate(sr);
    dryAllpassRight.SetSampleRate(sr);
    wetAllpassRight.SetSampleRate(sr);
    depthRamp.Snap();
    delayRamp.SetNow(delayMs * 0.001 * sr);
    writePos = 0;
    // A line of at least one sample keeps a nonsense rate from writing
    // outside it.
    length = TruncToInt(sr * 0.2);
    if (length < 1) length = 1;
    maxDelay = length - 1;
    line.assign(static_cast<size_t>(length), 0.0);
}

}  // namespace quorvex
