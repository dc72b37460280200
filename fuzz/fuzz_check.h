// SPDX-License-Identifier: MIT
// Checks shared by the fuzz targets: a failed check prints what failed and aborts, which libFuzzer
// reports as a crash (and saves the input) and which fails a replay run.
#ifndef ORVANE_FUZZ_CHECK_H
#define ORVANE_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                          \
  do {                                                                            \
    if (!(cond)) {                                                                \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

#endif  // ORVANE_FUZZ_CHECK_H
