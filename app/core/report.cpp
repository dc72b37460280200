// SPDX-License-Identifier: MIT
// Parsola report core: parses one program message and reports everything the parser found.
#include "report.h"

#include <vector>

#include "display_texts.h"
#include "real_format.h"
#include "table_reading.h"
#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

namespace parsola {

namespace {

/// How many records each array of a channel-list entry can take.
constexpr uint8_t CHAN_CAPACITY = SCPI_MAX_COUNT;
/// The largest list entry number the parser can be asked for.
constexpr unsigned MAX_ENTRY = SCPI_MAX_COUNT;

std::string Dec(unsigned long ulVal) { return std::to_string(ulVal); }

/// Routes the parser's trace lines to the sink's AddTraceLine while the report runs with
/// tracing on; installs nothing otherwise, so the parser builds no line.
class TraceRoute {
 public:
  explicit TraceRoute(ResultsSink& sink) : sink_(sink) {
#if SCPI_TRACE
    if (!sink.Tracing()) return;
    const STraceSink sRoute = {&OnText, &OnReal, &OnEndLine, &ErrorCodeText,
                               &PTypeText, &NumSubtypeText, this};
    SCPI_SetTraceSink(&sRoute);
    bInstalled_ = true;
#endif
  }
  ~TraceRoute() {
#if SCPI_TRACE
    if (bInstalled_) SCPI_SetTraceSink(nullptr);
#endif
  }
  TraceRoute(const TraceRoute&) = delete;
  TraceRoute& operator=(const TraceRoute&) = delete;

 private:
  static void OnText(void* pCtx, const char* pText, uint16_t uiLen) {
    static_cast<TraceRoute*>(pCtx)->sLine_.append(pText, uiLen);
  }
  static void OnReal(void* pCtx, double fdVal) {
    static_cast<TraceRoute*>(pCtx)->sLine_ += RealText(fdVal);
  }
  static void OnEndLine(void* pCtx, uint8_t ucLevel) {
    TraceRoute* pRoute = static_cast<TraceRoute*>(pCtx);
    pRoute->sink_.AddTraceLine(ucLevel, pRoute->sLine_);
    pRoute->sLine_.clear();
  }

  ResultsSink& sink_;
  std::string sLine_;
  bool bInstalled_ = false;
};

/// One run of the report. The variables that the parser's calls write belong to the whole
/// run: they start at 0 and are never reset between the commands and parameters of the line,
/// so a call that leaves one unwritten shows (and traces) what an earlier call left there.
class Report {
 public:
  /// psTable: the record to parse with through a context, or null for SCPI_Parse and its table.
  Report(const std::string& sInput, ResultsSink& sink, const SScpiTable* psTable)
      : sInput_(sInput.c_str()),  // a NUL byte ends the line
        sink_(sink),
        psContextTable_(psTable),
        sTable_(psTable != nullptr ? *psTable : GlobalTable()),
        vChanFirst_(CHAN_CAPACITY),
        vChanLast_(CHAN_CAPACITY) {}

  uint8_t Run();

 private:
  void Add(const std::string& sText) { sink_.AddOutputLine(LEVEL_REPORT, sText); }
  void CommandReport();
  void ParamLine(uint8_t ucSlot);
  void NumListReport(const SParam& sParam);
  void ChanListReport(const SParam& sParam);
  std::string Real(const SParam& sParam);

  const std::string sInput_;
  ResultsSink& sink_;
  const SScpiTable* psContextTable_;
  const SScpiTable& sTable_;
  SScpiContext sContext_ = {};
  std::string sLine_;  // the parameter line under construction
  uint8_t ucCode_ = SCPI_ERR_OK;

  // SCPI_Parse
  uint8_t ucCmdNum_ = 0;
  SParam asParam_[SCPI_MAX_PARAM_SLOTS] = {};
  uint8_t ucNumSufCnt_ = 0;
  uint32_t aulNumSuf_[MAX_NUM_SUFFIX] = {};
  // the accessors
  EPType ePType_ = P_NONE;
  ENumSubtype eNumSubtype_ = 0;
  double fdVal_ = 0;
  EUnits eUnits_ = U_NONE;
  uint8_t bVal_ = 0;
  uint8_t ucItemNum_ = 0;
  const char* pSString_ = nullptr;
  uint8_t ucLen_ = 0;
  char cDelimiter_ = 0;
  const uint8_t* pucBlock_ = nullptr;
  uint32_t ulBlockLen_ = 0;
  // the list entry accessors
  uint8_t bNumRange_ = 0;
  SParam sNumFirst_ = {};
  SParam sNumLast_ = {};
  uint8_t ucDims_ = 0;
  uint8_t bChanRange_ = 0;
  std::vector<SParam> vChanFirst_;
  std::vector<SParam> vChanLast_;
};

uint8_t Report::Run() {
  const char* pSInput = sInput_.c_str();
  uint8_t bResetTree = 1;
  unsigned long ulCommand = 0;  // a console line may hold more than 255 commands

  Add("Parsing Input String: \"" + sInput_ + "\"");
  Add("");
  const char* const pEnd = sInput_.c_str() + sInput_.size();
  if (psContextTable_ != nullptr) {
    SCPI_ContextInit(&sContext_, psContextTable_, SCPI_STANDARD_RULES);
  }
  for (;;) {
    Add("Input Command " + Dec(++ulCommand) + ":");
    ucCode_ = psContextTable_ == nullptr
                  ? SCPI_Parse(&pSInput, bResetTree, &ucCmdNum_, asParam_, &ucNumSufCnt_,
                               aulNumSuf_)
                  : SCPI_ParseCtx(&sContext_, &pSInput, pEnd, bResetTree, &ucCmdNum_, asParam_,
                                  &ucNumSufCnt_, aulNumSuf_);
    if (ucCode_ == SCPI_ERR_NO_COMMAND) break;
    bResetTree = 0;
    if (ucCode_ == SCPI_ERR_OK) CommandReport();
    if (pSInput == pEnd && ucCode_ == SCPI_ERR_OK) ucCode_ = SCPI_ERR_NO_COMMAND;
    if (ucCode_ != SCPI_ERR_OK) break;
  }
  Add(ErrorCodeText(ucCode_));
  Add("Parsing Complete.");
  sink_.AddOutputLine(LEVEL_CLOSING, "");
  sink_.AddHistoryLine(sInput_);
  return ucCode_;
}

void Report::CommandReport() {
  Add("Recognized as Command #" + Dec(ucCmdNum_) + "  (\"" + sTable_.ppCmdSpecs[ucCmdNum_] +
      "\")");

  if (ucNumSufCnt_ > 0) {
    std::string sSuffixes;
    const unsigned uCount = ucNumSufCnt_ < MAX_NUM_SUFFIX ? ucNumSufCnt_ : MAX_NUM_SUFFIX;
    for (unsigned uSuf = 0; uSuf < uCount; ++uSuf) {
      if (uSuf > 0) sSuffixes += ", ";
      sSuffixes += "Numeric Suffix #" + Dec(uSuf) + " = " + Dec(aulNumSuf_[uSuf]);
    }
    Add(sSuffixes);
  }

  // The count comes from the command's specification, so an optional parameter left out
  // still gets its line.
  const SParamSpec* psSlots = sTable_.psParamSpecs + unsigned{ucCmdNum_} * sTable_.ucParamWidth;
  const uint8_t ucParamCount = scpi::UsedSlots(psSlots, sTable_.ucParamWidth);
  if (ucParamCount == 0) {
    Add("No Parameters");
  } else {
    for (uint8_t ucSlot = 0; ucSlot < ucParamCount; ++ucSlot) ParamLine(ucSlot);
  }
  Add("");
}

void Report::ParamLine(uint8_t ucSlot) {
  const SParam& sParam = asParam_[ucSlot];
  SCPI_ParamType(&sParam, &ePType_, &eNumSubtype_);  // its code does not count
  sLine_ = "Param " + Dec(ucSlot + 1u) + ": Type=" + PTypeText(ePType_);
  if (ePType_ == P_NUM) sLine_ += std::string(" (") + NumSubtypeText(eNumSubtype_) + ")";

  if (ePType_ != P_NONE) {
    sLine_ += ", Val=";
    switch (ePType_) {
      case P_NUM:
        // The units call's code is the one that stands for a numeric parameter.
        ucCode_ = SCPI_ParamToDouble(&sParam, &fdVal_);
        if (ucCode_ == SCPI_ERR_OK) sLine_ += RealText(fdVal_);
        ucCode_ = SCPI_ParamUnits(&sParam, &eUnits_);
        sLine_ += ", Units=Type " + std::to_string(static_cast<int8_t>(eUnits_)) + " (" +
                  UnitsText(eUnits_) + ")";
        break;
      case P_BOOL:
        ucCode_ = SCPI_ParamToBOOL(&sParam, &bVal_);
        if (ucCode_ == SCPI_ERR_OK) sLine_ += Dec(bVal_) + " (" + BoolText(bVal_) + ")";
        break;
      case P_CH_DAT:
        ucCode_ = SCPI_ParamToCharDataItem(&sParam, &ucItemNum_);
        if (ucCode_ == SCPI_ERR_OK) {
          sLine_ += "Item #" + Dec(ucItemNum_) + " (\"" +
                    CharDataItemText(sTable_, ucCmdNum_, ucSlot, ucItemNum_) + "\")";
        }
        break;
      case P_STR:
      case P_UNQ_STR:
      case P_EXPR:
        ucCode_ = SCPI_ParamToString(&sParam, &pSString_, &ucLen_, &cDelimiter_);
        if (ucCode_ == SCPI_ERR_OK && pSString_ != nullptr) {
          sLine_ += '"' + std::string(pSString_, ucLen_) + '"';
        }
        // An unquoted string (delimiter 0) and an expression show no delimiter.
        if (sParam.ePType != P_EXPR && static_cast<int8_t>(cDelimiter_) >= ' ') {
          sLine_ += std::string(" (delimiter=") + cDelimiter_ + ")";
        }
        break;
      case P_NUM_LIST:
        NumListReport(sParam);
        break;
      case P_CHAN_LIST:
        ChanListReport(sParam);
        break;
      case P_BLOCK:
        ucCode_ = SCPI_ParamToBlock(&sParam, &pucBlock_, &ulBlockLen_);
        if (ucCode_ == SCPI_ERR_OK) sLine_ += BlockText(pucBlock_, ulBlockLen_);
        break;
      default:
        break;
    }
  }
  if (ucCode_ != SCPI_ERR_OK) sLine_ += std::string(",   ") + ErrorCodeText(ucCode_);
  Add(sLine_);
}

// The real of a list entry record; the conversion's code is not shown.
std::string Report::Real(const SParam& sParam) {
  SCPI_ParamToDouble(&sParam, &fdVal_);
  return RealText(fdVal_);
}

// List entries are read until the first call that fails (normally "No entry to retrieve");
// that code is neither shown nor kept. The parameter line itself is then left empty.
void Report::NumListReport(const SParam& sParam) {
  Add(sLine_ + "...");
  for (unsigned uEntry = 0; uEntry <= MAX_ENTRY; ++uEntry) {
    if (SCPI_GetNumListEntry(&sParam, static_cast<uint8_t>(uEntry), &bNumRange_, &sNumFirst_,
                             &sNumLast_) != SCPI_ERR_OK) {
      break;
    }
    std::string sEntry = "Entry #" + Dec(uEntry) + ": ";
    if (bNumRange_ != 0) {
      sEntry += "Range from " + Real(sNumFirst_);
      sEntry += " to " + Real(sNumLast_);
    } else {
      sEntry += Real(sNumFirst_);
    }
    Add(sEntry);
  }
  sLine_.clear();
}

void Report::ChanListReport(const SParam& sParam) {
  Add(sLine_ + "...");
  for (unsigned uEntry = 0; uEntry <= MAX_ENTRY; ++uEntry) {
    ucDims_ = CHAN_CAPACITY;
    if (SCPI_GetChanListEntry(&sParam, static_cast<uint8_t>(uEntry), &ucDims_, &bChanRange_,
                              vChanFirst_.data(), vChanLast_.data()) != SCPI_ERR_OK) {
      break;
    }
    Add("Entry #" + Dec(uEntry) + ": ");
    const char* pFirstName = bChanRange_ != 0 ? "First[" : "Value[";
    for (unsigned uDim = 0; uDim < ucDims_ && uDim < CHAN_CAPACITY; ++uDim) {
      Add(pFirstName + Dec(uDim) + "] = " + Real(vChanFirst_[uDim]));
    }
    if (bChanRange_ != 0) {
      for (unsigned uDim = 0; uDim < ucDims_ && uDim < CHAN_CAPACITY; ++uDim) {
        Add("Last[" + Dec(uDim) + "] = " + Real(vChanLast_[uDim]));
      }
    }
  }
  sLine_.clear();
}

}  // namespace

uint8_t ParseAndReportCode(const std::string& sInput, ResultsSink& sink,
                           const SScpiTable* psTable) {
  const TraceRoute route(sink);
  return Report(sInput, sink, psTable).Run();
}

void ParseAndReport(const std::string& sInput, ResultsSink& sink) {
  ParseAndReportCode(sInput, sink);
}

}  // namespace parsola
