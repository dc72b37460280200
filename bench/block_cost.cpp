// SPDX-License-Identifier: MIT
// The cost of an arbitrary block: parses "DATA 1,#<n><length><bytes>;*RST" through a context,
// once with the given number of block bytes. scripts/bench.sh counts the instructions of
// ParseBlockMessage under callgrind for 0 and 100,000 bytes; their difference per byte is the
// block's cost.
//
//   block_cost <bytes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <orvane-scpi/scpi_declare.h>

namespace {

const SNumAttr Plain = {U_NONE, nullptr, 0};
const SUnitSuffix Units[] = {{"", U_NONE, 0}};

#define BLOCK_COMMANDS(CMD)                          \
  CMD(B_RST, "*RST")                                 \
  CMD(B_DATA, "DATA", SCPI_NUM(&Plain), SCPI_BLOCK)

SCPI_NAMED_COMMAND_TABLE(BLOCK_COMMANDS, BlockTable, 2, Units);

}  // namespace

// Parses the message to its end; returns how many commands were recognised.
extern "C" __attribute__((noinline)) unsigned ParseBlockMessage(const std::string& sMessage) {
  SScpiContext sCtx;
  SCPI_ContextInit(&sCtx, &BlockTable, SCPI_RULES_LIBRARY);
  const char* p = sMessage.data();
  const char* const pEnd = p + sMessage.size();
  unsigned uRecognised = 0;
  for (uint8_t bReset = 1;; bReset = 0) {
    SParam asParam[2];
    uint8_t ucCmd = 0, ucSufCnt = 0;
    uint32_t aulSuf[MAX_NUM_SUFFIX];
    const uint8_t ucCode = SCPI_ParseCtx(&sCtx, &p, pEnd, bReset, &ucCmd, asParam, &ucSufCnt, aulSuf);
    if (ucCode == SCPI_ERR_NO_COMMAND) break;
    if (ucCode == SCPI_ERR_OK) ++uRecognised;
  }
  return uRecognised;
}

int main(int argc, char* argv[]) {
  const unsigned long ulBytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  std::string sBytes(ulBytes, '\0');
  for (unsigned long ul = 0; ul < ulBytes; ++ul) sBytes[ul] = static_cast<char>(ul % 256);
  const std::string sLen = std::to_string(ulBytes);
  const std::string sMessage =
      "DATA 1,#" + std::to_string(sLen.size()) + sLen + sBytes + ";*RST";
  const unsigned uRecognised = ParseBlockMessage(sMessage);
  std::printf("commands %u\n", uRecognised);
  return uRecognised == 2 ? 0 : 1;
}
