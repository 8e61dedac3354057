// How a fuzz target fails: the broken invariant on standard error, then abort, which libFuzzer
// reports together with the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace tavrin::fuzz {

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace tavrin::fuzz
