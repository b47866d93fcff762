#include "dsp/Drive.h"

#include <initializer_list>

namespace quorvex {

Drive::Drive() {
    for (LadderLowPass* lp : {&lowPassLeft, &lowPassRight}) {
        lp->SetFrequency(7800.0);
        lp->SetResonance(0.3);
        lp->SetSampleRate(44100.0);
    }
}

void Drive::SetFilterActive(bool on) {
    filterActive = on;
    if (!on) {
        lowPassLeft.SetSampleRate(sampleRate);
        lowPassRight.SetSampleRate(sampleRate);
    }
}

void Drive::SetSampleRate(double sr) {
    sampleRate = sr;
    feedbackState = 0.0;
    envelope = 0.0;
    // 0.5 ms time constant at every rate.
    envelopeCoef = std::exp(-1.0 / (sr * 0.0005));
    lowPassLeft.SetSampleRate(sr);
    lowPassRight.SetSampleRate(sr);
}

}  // namespace quorvex
