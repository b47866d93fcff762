#include "dsp/Lfo.h"

namespace quorvex {

const double* Lfo::RenderBlock(int n) {
    ReserveBlock(n);
    double p = phase;
    for (int i = 0; i < n; ++i) {
        p += increment;
        if (p >= 1.0) p -= 1.0;
        block[static_cast<size_t>(i)] = table->Lookup(p);
    }
    return block.data();
}

}  // namespace quorvex
