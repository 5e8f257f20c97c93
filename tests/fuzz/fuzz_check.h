#pragma once
// Invariant checks for the fuzz targets: a broken one prints what failed and aborts, which
// libFuzzer reports as a crash and saves the input that caused it.

#include <cstdio>
#include <cstdlib>

namespace ventrix::fuzzing {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace ventrix::fuzzing
