// SPDX-License-Identifier: MIT
// Fuzz target for the instrument layer: a session of the test instrument, its buffer sizes and
// mode chosen by the first bytes, is fed the rest as a stream of operations: chunks of input of
// 1 to 32 bytes, END signals, read requests, device clears and condition changes. Checked:
//  - every write is 1 to the output buffer's size bytes, and a stream session has written all
//    of every response when its input call returns;
//  - what a stream session writes is a sequence of well-formed response messages: data elements
//    (definite blocks, quoted strings with doubled quotes, or plain text) joined by ',' and ';',
//    each message ended by LF;
//  - the queue never holds more than its capacity, and every entry has a number and a text.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "test_instrument.h"

namespace {

struct Sink {
  std::string sWritten;
  uint16_t uiPiece;
};

void Write(SScpiSession* psSession, const char* pcData, uint16_t uiLen) {
  Sink* p = static_cast<Sink*>(psSession->pvUser);
  FUZZ_CHECK(uiLen >= 1 && uiLen <= p->uiPiece);
  p->sWritten.append(pcData, uiLen);
}

// Reads one data element at s[i]; returns the index after it, or npos if it is malformed.
size_t Element(const std::string& s, size_t i) {
  if (i < s.size() && s[i] == '#') {
    if (i + 1 >= s.size() || s[i + 1] < '1' || s[i + 1] > '9') return std::string::npos;
    const size_t uiDigits = (size_t)(s[i + 1] - '0');
    if (i + 2 + uiDigits > s.size()) return std::string::npos;
    const std::string sLen = s.substr(i + 2, uiDigits);
    if (sLen.find_first_not_of("0123456789") != std::string::npos) return std::string::npos;
    const size_t uiEnd = i + 2 + uiDigits + std::stoul(sLen);
    return uiEnd <= s.size() ? uiEnd : std::string::npos;
  }
  if (i < s.size() && s[i] == '"') {
    for (++i; i < s.size(); ++i) {
      if (s[i] != '"') continue;
      if (i + 1 < s.size() && s[i + 1] == '"') {
        ++i;
        continue;
      }
      return i + 1;
    }
    return std::string::npos;
  }
  const size_t uiEnd = s.find_first_of(",;\n\"#", i);
  return uiEnd == i || uiEnd == std::string::npos ? std::string::npos : uiEnd;
}

void CheckResponses(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    i = Element(s, i);
    FUZZ_CHECK(i != std::string::npos && i < s.size());
    FUZZ_CHECK(s[i] == ',' || s[i] == ';' || s[i] == '\n');
    ++i;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t uSize) {
  if (uSize < 3) return 0;
  const uint16_t uiInputSize = (uint16_t)(8 + pData[0]);
  const uint16_t uiOutputSize = (uint16_t)(1 + (pData[1] & 0x3F));
  const uint8_t ucMode = pData[1] >> 7 ? SCPI_MODE_READ_REQUEST : SCPI_MODE_STREAM;
  const uint8_t ucCapacity = (uint8_t)(2 + (pData[2] & 7));
  std::vector<char> vcInput(uiInputSize), vcOutput(uiOutputSize);
  std::vector<SScpiError> vsErrors(ucCapacity);
  Sink sSink{std::string(), uiOutputSize};
  const SScpiSessionSetup sSetup = {vcInput.data(), vcOutput.data(), vsErrors.data(), &Write,
                                    &sSink, uiInputSize, uiOutputSize, ucCapacity, ucMode};
  SScpiSession sSession;
  FUZZ_CHECK(SCPI_SessionInit(&sSession, &TestInstrument, &sSetup) == SCPI_ERR_OK);

  size_t i = 3;
  while (i < uSize) {
    const uint8_t ucOp = pData[i++];
    switch (ucOp & 7) {
      case 5: SCPI_InputEnd(&sSession); break;
      case 6: SCPI_ReadRequest(&sSession); break;
      case 7:
        if (ucOp & 8) {
          SCPI_DeviceClear(&sSession);
        } else {
          SCPI_SetCondition(&sSession, (uint8_t)(ucOp >> 7), 0xFFFF, (uint16_t)(ucOp * 0x0101u));
        }
        break;
      default: {
        const size_t uiLen = std::min<size_t>((size_t)(ucOp >> 3) + 1, uSize - i);
        SCPI_Input(&sSession, reinterpret_cast<const char*>(pData + i), (uint32_t)uiLen);
        i += uiLen;
        break;
      }
    }
    FUZZ_CHECK(sSession.ucErrorCount <= ucCapacity);
    for (uint8_t uc = 0; uc < sSession.ucErrorCount; ++uc)
      FUZZ_CHECK(vsErrors[uc].iNumber != 0 && vsErrors[uc].pSText != nullptr);
    if (ucMode == SCPI_MODE_STREAM) FUZZ_CHECK(sSession.uiOutputLen == 0);
  }
  if (ucMode == SCPI_MODE_STREAM) CheckResponses(sSink.sWritten);
  return 0;
}
