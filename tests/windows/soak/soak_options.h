#pragma once
// What a soak or abuse run does, from its command line.

#include <cstdint>

namespace velmora::soak {

struct SoakOptions {
    bool abuse = false;
    double minutes = 1.0;       // soak: how long it runs
    uint32_t sampleMs = 60000;  // soak: between samples
    uint32_t warmUpMs = 60000;  // soak: before the first sample
    int passes = 3;             // abuse
    int pasteChars = 32768;     // abuse: per paste
    int typedChars = 3000;      // abuse: per box and pass
    int openings = 100;         // abuse: test-window openings per pass
    int linkClicks = 30;        // abuse: per pass
    uint32_t spinHoldMs = 1500;
};

// Reads the command line; false (with a message) when it does not make sense.
bool ParseSoakOptions(int argc, char** argv, SoakOptions& options);

}  // namespace velmora::soak
