// SPDX-License-Identifier: MIT
// Runs a fuzz target's entry point without libFuzzer: every file named on the command line, and
// every file inside every directory named, is fed to it once. Used by ctest to replay the seed
// corpus and every input that once made a fuzzer fail, in builds made with any compiler.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize);

namespace {

bool Replay(const std::filesystem::path& sPath) {
  std::ifstream sFile(sPath, std::ios::binary);
  if (!sFile) {
    std::fprintf(stderr, "cannot read %s\n", sPath.c_str());
    return false;
  }
  const std::vector<char> vBytes((std::istreambuf_iterator<char>(sFile)),
                                 std::istreambuf_iterator<char>());
  // An exact-size copy, so a sanitizer sees any read past the input's end.
  std::vector<uint8_t> vInput(vBytes.begin(), vBytes.end());
  LLVMFuzzerTestOneInput(vInput.data(), vInput.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned uFiles = 0;
  bool bOk = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path sArg(argv[i]);
    // A target without regressions has no directory for them.
    if (!std::filesystem::exists(sArg)) continue;
    if (std::filesystem::is_directory(sArg)) {
      std::vector<std::filesystem::path> vFiles;
      for (const auto& sEntry : std::filesystem::directory_iterator(sArg)) {
        if (sEntry.is_regular_file()) vFiles.push_back(sEntry.path());
      }
      std::sort(vFiles.begin(), vFiles.end());
      for (const auto& sFile : vFiles) {
        bOk = Replay(sFile) && bOk;
        ++uFiles;
      }
    } else {
      bOk = Replay(sArg) && bOk;
      ++uFiles;
    }
  }
  std::printf("replayed %u inputs\n", uFiles);
  // An empty corpus would make the test pass without testing anything.
  return bOk && uFiles > 0 ? 0 : 1;
}
