// SPDX-License-Identifier: MIT
// The window's sample lines (the non-empty lines of the console vectors' input), read once.
#ifndef ORVANE_BENCH_SAMPLE_LINES_H
#define ORVANE_BENCH_SAMPLE_LINES_H

#include <fstream>
#include <string>
#include <vector>

inline const std::vector<std::string>& SampleLines() {
  static const std::vector<std::string> vLines = [] {
    std::vector<std::string> v;
    std::ifstream sFile(ORVANE_SAMPLES);
    for (std::string sLine; std::getline(sFile, sLine);) {
      if (!sLine.empty()) v.push_back(sLine);
    }
    return v;
  }();
  return vLines;
}

#endif  // ORVANE_BENCH_SAMPLE_LINES_H
