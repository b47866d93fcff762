// Channel configurations and the per-channel records of the processing frame.
#pragma once

#include <cstdint>

#include "framework/core/GrowBuffer.h"

// One legal channel configuration.
struct IOConfig {
    std::int32_t nIn;
    std::int32_t nOut;
};

struct InputChannel {
    bool connected = false;
    double** slot = nullptr;  // the input slot ProcessBlock reads
    GrowBuffer scratch;       // block-size doubles
};

struct OutputChannel {
    bool connected = false;
    double** slot = nullptr;       // the output slot ProcessBlock writes
    float* destination = nullptr;  // 32-bit host buffer, or none
    GrowBuffer scratch;            // block-size doubles
};
