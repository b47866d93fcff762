// Preset slots and the framing of program and bank chunks.
#pragma once

#include <cstdint>

#include "framework/core/GrowBuffer.h"

struct PresetRecord {
    static constexpr int kNameSize = 256;

    bool initialized = false;
    char name[kNameSize] = {};
    GrowBuffer values;  // parameter chunk: one little-endian double per parameter
};

// Header in front of program and bank chunks: magic, then version.
constexpr std::int32_t kChunkMagic = 0x70666674;
constexpr std::int32_t kChunkVersion = 0x00010000;
constexpr int kChunkHeaderSize = 8;

// Marker for parameters not named by AddPresetNamedValues.
constexpr double kPresetUnsetMarker = 9.999e-8;
