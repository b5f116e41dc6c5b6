#include "tests/windows/soak/soak_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velmora::soak {

namespace {

bool ReadNumber(const char* text, double& value) {
    char* end = nullptr;
    value = strtod(text, &end);
    return end != text && *end == '\0' && value > 0;
}

}  // namespace

bool ParseSoakOptions(int argc, char** argv, SoakOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--abuse") == 0) {
            o.abuse = true;
            continue;
        }
        double value = 0;
        if (i + 1 >= argc || !ReadNumber(argv[i + 1], value)) {
            fprintf(stderr, "%s: a positive number must follow\n", arg);
            return false;
        }
        ++i;
        if (strcmp(arg, "--minutes") == 0)
            o.minutes = value;
        else if (strcmp(arg, "--sample-seconds") == 0)
            o.sampleMs = static_cast<uint32_t>(value * 1000);
        else if (strcmp(arg, "--warm-up-seconds") == 0)
            o.warmUpMs = static_cast<uint32_t>(value * 1000);
        else if (strcmp(arg, "--passes") == 0)
            o.passes = static_cast<int>(value);
        else if (strcmp(arg, "--paste-chars") == 0)
            o.pasteChars = static_cast<int>(value);
        else if (strcmp(arg, "--typed-chars") == 0)
            o.typedChars = static_cast<int>(value);
        else if (strcmp(arg, "--openings") == 0)
            o.openings = static_cast<int>(value);
        else if (strcmp(arg, "--link-clicks") == 0)
            o.linkClicks = static_cast<int>(value);
        else {
            fprintf(stderr, "unknown option %s\n", arg);
            return false;
        }
    }
    if (o.passes < 2) {
        fprintf(stderr, "--passes: at least 2 (the first pass's end is the baseline)\n");
        return false;
    }
    return true;
}

}  // namespace velmora::soak
