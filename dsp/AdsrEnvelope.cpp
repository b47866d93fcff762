#include "dsp/AdsrEnvelope.h"

#include <algorithm>

#include "dsp/EnvelopeTables.h"

namespace quorvex {

AdsrEnvelope::AdsrEnvelope()
    : rise(&EnvelopeRiseTable()), fall(&EnvelopeFallTable()), inverse(&EnvelopeInverseTable()) {
    SetSampleRate(44100.0);
}

void AdsrEnvelope::ComputeSteps() {
    const double g = sampleRate * 0.001;  // samples per millisecond
    if (attackMs == 0.0 && decayMs == 0.0) {
        // No attack and no decay: glide to the sustain level over 4 ms instead.
        attackStep = 0.0;
        decayStep = 0.0;
        toSustainStep = sustain != 0.0 ? 1.0 / (4.0 * g) : 0.0;
    } else {
        // No segment is shorter than 4 ms.
        attackStep = 1.0 / (g * std::max(attackMs, 4.0));
        decayStep = 1.0 / (g * std::max(decayMs, 4.0));
        toSustainStep = 0.0;
    }
    releaseStep = 1.0 / (g * std::max(releaseMs, 4.0));
}

void AdsrEnvelope::SetTimes(double attack, double decay, double sustainLevel, double release) {
    attackMs = attack;
    decayMs = decay;
    sustain = sustainLevel;
    releaseMs = release;
    ComputeSteps();
    if (sustaining) output = sustain;
}

void AdsrEnvelope::SetSampleRate(double sr) {
    sampleRate = sr;
    active = false;
    sustaining = false;
    attackCounter = decayCounter = toSustainCounter = releaseCounter = 0.0;
    output = 0.0;
    velocity = 0.0;
    releaseLevel = 0.0;
    ComputeSteps();
}

void AdsrEnvelope::Trigger(double vel) {
    velocity = vel;
    active = true;
    sustaining = false;
    decayCounter = decayStep > 0.0 ? 1.0 : 0.0;
    toSustainCounter = toSustainStep > 0.0 ? 1.0 : 0.0;
    releaseCounter = 0.0;
    releaseLevel = 0.0;
    if (!(attackStep > 0.0)) {
        attackCounter = 0.0;
    } else if (!(output > 0.0)) {
        attackCounter = 1.0;
    } else {
        // Resume the attack from the present level. A level above 1 (from a
        // velocity or sustain above 1) reads the table's last entry instead
        // of past its end.
        const int k = static_cast<int>(std::min(output, 1.0) * 8191.0);
        attackCounter = (*inverse)[k];
    }
}

void AdsrEnvelope::Release() {
    attackCounter = decayCounter = toSustainCounter = releaseCounter = 0.0;
    velocity = 0.0;
    sustaining = false;
    if (releaseStep > 0.0 && output > 0.0) {
        releaseCounter = 1.0;
    } else {
        active = false;
    }
    releaseLevel = output;
}

}  // namespace quorvex
