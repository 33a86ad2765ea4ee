#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a finding like a sanitizer report: libFuzzer sees the abort, keeps the
// input as a crash artefact and ends with a non-zero status.
inline void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "Eigenschaft verletzt: %s\n", property);
        std::abort();
    }
}
