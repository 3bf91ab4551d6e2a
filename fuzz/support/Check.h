#pragma once

#include <cstdio>
#include <cstdlib>

// A property a fuzz target asserts: when it does not hold, the input is a finding, so the
// run stops with the reason and libFuzzer keeps the input as a crash artifact.
#define VELMORA_FUZZ_CHECK(condition)                                                             \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
