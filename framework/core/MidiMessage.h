#pragma once

#include <cstdint>

// One short MIDI message; offset counts frames from the start of the block.
struct MidiMessage {
    std::int32_t offset = 0;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};
