#pragma once

#include <cstdio>
#include <cstdlib>

#include "support/ProjectNames.h"

// Stops the fuzz run when a property does not hold: libFuzzer sees the abort
// as a crash and saves the input that caused it.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property does not hold: %s\n", property);
        std::abort();
    }
}
