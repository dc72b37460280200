// SPDX-License-Identifier: MIT
// Checks shared by the fuzz targets: a failed check prints what failed and aborts, which libFuzzer
// reports as a crash (and saves the input) and which fails a replay run.
#ifndef ORVANE_FUZZ_CHECK_H
#define ORVANE_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond)                                                          \
  do {                                                                            \
    if (!(cond)) {                                                                \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

// Everything one run returned, in order, as bytes; two runs over one line must agree.
class Transcript {
 public:
  template <typename T>
  void Note(T v) {
    sBytes.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  const std::string& Bytes() const { return sBytes; }

 private:
  std::string sBytes;
};

#endif  // ORVANE_FUZZ_CHECK_H
