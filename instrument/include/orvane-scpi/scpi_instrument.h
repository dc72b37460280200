// SPDX-License-Identifier: MIT
/*
 * Orvane-SCPI instrument layer: the instrument side around the parser.
 *
 * An instrument (SScpiInstrument: its command table, one handler per command, its identity and
 * callbacks) serves one or more sessions (SScpiSession: one per interface such as a UART, a USB
 * endpoint or one TCP connection). Each session has its own parser context, input buffer,
 * output path, error/event queue and status registers, so sessions never disturb one another.
 *
 * Bytes arrive in chunks of any size through SCPI_Input; a program message ends at LF outside
 * block data (a CR right before it is dropped) or at SCPI_InputEnd. Each command of a complete
 * message runs its handler; handlers answer through the SCPI_Respond functions, which stream
 * the response message through the session's write function in pieces of the output buffer's
 * size. Every record is the caller's; nothing is allocated.
 * This header compiles as C99 and as C++.
 */
#ifndef ORVANE_SCPI_INSTRUMENT_H
#define ORVANE_SCPI_INSTRUMENT_H

#include <stdint.h>

#include <orvane-scpi/scpi.h>
#include <orvane-scpi/scpi_table.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Return codes of the layer's functions (beside the parser's) ------------------------------ */

/** SCPI_SessionInit: a buffer is missing, or the error queue holds fewer than 2 entries. */
#define SCPI_ERR_SESSION_SETUP 220
/** SCPI_ReadRequest: no response was pending (the session queued -420). */
#define SCPI_ERR_NOTHING_TO_READ 221

/* ---- Limits ------------------------------------------------------------------------------------ */

/** Longest text of an error/event queue entry between its quotes, detail included. */
#define SCPI_ERROR_TEXT_MAX 255
/** Significant digits SCPI_RespondDouble writes at most. */
#define SCPI_DOUBLE_DIGITS_MAX 17

/* ---- Status bits -------------------------------------------------------------------------------- */

/** Status byte (*STB?, serial poll). */
#define SCPI_STB_EAV 0x04  /* the error/event queue is not empty */
#define SCPI_STB_QSB 0x08  /* QUEStionable summary */
#define SCPI_STB_MAV 0x10  /* this session has response bytes not yet taken */
#define SCPI_STB_ESB 0x20  /* event status summary: ESR & ESE */
#define SCPI_STB_MSS 0x40  /* master summary (*STB?); RQS in a serial poll */
#define SCPI_STB_OSB 0x80  /* OPERation summary */

/** Standard Event Status Register (*ESR?, *ESE). */
#define SCPI_ESR_OPC 0x01  /* operation complete */
#define SCPI_ESR_RQC 0x02  /* request control */
#define SCPI_ESR_QYE 0x04  /* query error: -400..-499 */
#define SCPI_ESR_DDE 0x08  /* device-dependent error: -300..-399 and positive numbers */
#define SCPI_ESR_EXE 0x10  /* execution error: -200..-299 */
#define SCPI_ESR_CME 0x20  /* command error: -100..-199 */
#define SCPI_ESR_URQ 0x40  /* user request */
#define SCPI_ESR_PON 0x80  /* power on */

/** The two SCPI status registers of a session, for SCPI_SetCondition. */
#define SCPI_REG_OPERATION 0
#define SCPI_REG_QUESTIONABLE 1

/** Session modes (SScpiSessionSetup.ucMode). */
#define SCPI_MODE_STREAM 0        /* socket, UART: a response goes out as soon as it is complete */
#define SCPI_MODE_READ_REQUEST 1  /* USBTMC, GPIB: a response waits for SCPI_ReadRequest */

/* ---- Records --------------------------------------------------------------------------------- */

typedef struct SScpiSession SScpiSession;

/** One entry of a session's error/event queue, in the caller's array: the number, its text
 *  (standard or the instrument's), and an optional detail (NULL, or text that outlives the entry). */
typedef struct {
  int16_t iNumber;
  const char* pSText;
  const char* pSDetail;
} SScpiError;

/** A device-specific (positive) error number and its text; a list ends with number 0. */
typedef struct {
  int16_t iNumber;
  const char* pSText;
} SScpiErrorText;

/** What a handler is called with: the command's number in the table, its numeric suffixes
 *  (puiNumSuf[0 .. ucNumSufCnt-1], an omitted one as 1) and its parameters (the table's width). */
typedef struct {
  const SParam* psParams;
  const uint32_t* puiNumSuf;
  uint8_t ucCmdNum;
  uint8_t ucNumSufCnt;
} SScpiCall;

/** A command handler. It answers a query through the SCPI_Respond functions and returns 0, or
 *  an error number (-222, ...) that the layer queues; SCPI_QueueError adds one with a detail. */
typedef int16_t (*PFnScpiHandler)(SScpiSession* psSession, const SScpiCall* psCall);

/** Where a session's output goes: uiLen bytes (1 or more) of the response message, in order.
 *  It may block until the transport has taken them. */
typedef void (*PFnScpiWrite)(SScpiSession* psSession, const char* pcData, uint16_t uiLen);

/** An instrument: constant data shared by its sessions. Every callback may be NULL.
 *  ppfnHandlers has one entry per command of psTable (NULL: the command does nothing). */
typedef struct {
  const SScpiTable* psTable;
  const PFnScpiHandler* ppfnHandlers;
  /** The *IDN? answer: "maker,model,serial number,firmware version". */
  const char* pSIdentity;
  /** Texts of the positive error numbers, ended by number 0; NULL for none. */
  const SScpiErrorText* psErrorTexts;
  /** *RST: the device's reset state. */
  void (*pfnReset)(SScpiSession* psSession);
  /** *TST?: runs the self-test and returns its result, 0 for passed (NULL answers 0). */
  int16_t (*pfnSelfTest)(SScpiSession* psSession);
  /** *CLS: what the device clears beyond the session's status and queue. */
  void (*pfnClear)(SScpiSession* psSession);
  /** Called when the session's request for service (RQS) rises. */
  void (*pfnServiceRequest)(SScpiSession* psSession);
  /** Overlapped operations: nonzero while any is still running (NULL: none ever runs). */
  uint8_t (*pfnPending)(SScpiSession* psSession);
  /** *WAI and *OPC?: returns when no overlapped operation runs any more. */
  void (*pfnWait)(SScpiSession* psSession);
  /** SCPI_RULES_STANDARD or SCPI_RULES_LIBRARY for the sessions' parser contexts. */
  uint8_t ucRules;
} SScpiInstrument;

/** A session's buffers and output, given to SCPI_SessionInit. The input buffer holds the
 *  longest program message (its CR included); the output buffer is the piece size of writes. */
typedef struct {
  char* pcInput;
  char* pcOutput;
  SScpiError* psErrors;   /* the error/event queue's entries */
  PFnScpiWrite pfnWrite;
  void* pvUser;           /* the caller's, kept in the session for its handlers and write */
  uint16_t uiInputSize;
  uint16_t uiOutputSize;  /* at least 1 */
  uint8_t ucErrorCapacity; /* at least 2 */
  uint8_t ucMode;         /* SCPI_MODE_STREAM or SCPI_MODE_READ_REQUEST */
} SScpiSessionSetup;

/** One of the two SCPI status registers (OPERation, QUEStionable); bit 15 is always 0. */
typedef struct {
  uint16_t uiCondition;
  uint16_t uiPosTransition;
  uint16_t uiNegTransition;
  uint16_t uiEvent;
  uint16_t uiEnable;
} SScpiStatusReg;

/** A session: its parser context, buffers, queue and status. Caller-owned; read its fields,
 *  change them only through the functions below. */
struct SScpiSession {
  SScpiContext sCtx;
  const SScpiInstrument* psInstr;
  char* pcInput;
  char* pcOutput;
  SScpiError* psErrors;
  PFnScpiWrite pfnWrite;
  void* pvUser;
  uint32_t ulBlockLeft;       /* input framing: bytes of block data (or length digits) to come */
  uint16_t uiInputSize;
  uint16_t uiInputLen;
  uint16_t uiOutputSize;
  uint16_t uiOutputLen;
  SScpiStatusReg asReg[2];    /* SCPI_REG_OPERATION, SCPI_REG_QUESTIONABLE */
  uint8_t ucErrorCapacity;
  uint8_t ucErrorCount;
  uint8_t ucFrame;            /* input framing state */
  uint8_t ucFlags;            /* mode and progress bits */
  uint8_t ucEsr;
  uint8_t ucEse;
  uint8_t ucSre;
  uint8_t ucSpare;
};

/* ---- Sessions ------------------------------------------------------------------------------------ */

/** Starts a session at power-on state: empty buffers and queue, status registers cleared,
 *  transition filters positive, ESR PON set. Returns 0, SCPI_ERR_SESSION_SETUP, or the code of
 *  SCPI_ContextInit. */
uint8_t SCPI_SessionInit(SScpiSession* psSession, const SScpiInstrument* psInstr,
                         const SScpiSessionSetup* psSetup);

/** Device clear (GPIB DCL/SDC, USBTMC INITIATE_CLEAR): drops the unfinished input message and
 *  any response not yet sent; status and queue stay. Returns 0. */
uint8_t SCPI_DeviceClear(SScpiSession* psSession);

/* ---- Input ----------------------------------------------------------------------------------------- */

/** Takes ulLen bytes of input and runs every program message they complete. A message longer
 *  than the input buffer queues -363 and is dropped up to its end. Returns 0. */
uint8_t SCPI_Input(SScpiSession* psSession, const char* pcData, uint32_t ulLen);

/** The transport's END signal (USBTMC EOM, GPIB EOI): ends the message in progress, and runs it
 *  when it holds anything. Returns 0. */
uint8_t SCPI_InputEnd(SScpiSession* psSession);

/** Read-request transports: the controller asks to read. Writes the pending response and
 *  returns 0; with none pending, queues -420 "Query UNTERMINATED" and returns
 *  SCPI_ERR_NOTHING_TO_READ. */
uint8_t SCPI_ReadRequest(SScpiSession* psSession);

/* ---- Responses: called by handlers; each call is one data element ------------------------------ */

/** A signed integer, NR1: "-42". */
void SCPI_RespondInt(SScpiSession* psSession, int32_t lVal);

/** An exact numeric value, in full: "2.5", "-0.001", "3E+45". */
void SCPI_RespondNum(SScpiSession* psSession, const SNum* psNum);

/** A scaled integer: lVal / 10^ucDecimals with exactly ucDecimals decimals (3300, 3: "3.300"). */
void SCPI_RespondScaled(SScpiSession* psSession, int32_t lVal, uint8_t ucDecimals);

/** A double as NR3 with ucDigits significant digits (1..SCPI_DOUBLE_DIGITS_MAX):
 *  "1.2346E+03"; infinity "9.9E37", minus infinity "-9.9E37", NaN "9.91E37". */
void SCPI_RespondDouble(SScpiSession* psSession, double fdVal, uint8_t ucDigits);

/** A Boolean: "1" or "0". */
void SCPI_RespondBool(SScpiSession* psSession, uint8_t bVal);

/** Character data: the short form (upper case and digits) of choice ucItem, from 0, of a
 *  '|'-separated list such as "MINimum|MAXimum" (item 1 gives "MAX"); a lone keyword is item 0. */
void SCPI_RespondChoice(SScpiSession* psSession, const char* pSChoices, uint8_t ucItem);

/** A string: quoted with '"', an inner '"' doubled. */
void SCPI_RespondString(SScpiSession* psSession, const char* pSText, uint16_t uiLen);

/** Arbitrary ASCII response data, written as it is (the *IDN? answer). */
void SCPI_RespondText(SScpiSession* psSession, const char* pSText, uint16_t uiLen);

/** A definite-length block "#<d><len><bytes>", whole. */
void SCPI_RespondBlock(SScpiSession* psSession, const void* pvData, uint32_t ulLen);

/** A definite-length block in pieces: the header for ulLen bytes, then SCPI_RespondBlockData
 *  with exactly ulLen bytes in all, in calls of any size; a block larger than any buffer streams. */
void SCPI_RespondBlockHeader(SScpiSession* psSession, uint32_t ulLen);
void SCPI_RespondBlockData(SScpiSession* psSession, const void* pvData, uint32_t ulLen);

/** A list of scaled integers, ',' between them (ucDecimals 0 writes NR1). */
void SCPI_RespondScaledList(SScpiSession* psSession, const int32_t alVal[], uint16_t uiCount,
                            uint8_t ucDecimals);

/* ---- Error/event queue ------------------------------------------------------------------------- */

/** Queues an error or event: its text is the standard one for a negative number, the
 *  instrument's for a positive one; pSDetail (NULL for none) must outlive the entry. Sets the
 *  ESR bit of its class. A full queue's newest entry becomes -350 "Queue overflow". Returns 0. */
uint8_t SCPI_QueueError(SScpiSession* psSession, int16_t iNumber, const char* pSDetail);

/** Queues the standard error of a parser code (SCPI_StandardError). Returns 0, or
 *  SCPI_ERR_NO_ENTRY for a code without one (nothing queued). */
uint8_t SCPI_QueueParseError(SScpiSession* psSession, uint8_t ucErr);

/** Removes the oldest entry into *psError, or writes 0 "No error" when the queue is empty.
 *  Returns 0. */
uint8_t SCPI_NextError(SScpiSession* psSession, SScpiError* psError);

/** The standard text of an error number ("Undefined header"), the text of its class for a
 *  number without its own ("Command error" for -199), or NULL for 0 and positive numbers. */
const char* SCPI_ErrorText(int16_t iNumber);

/* ---- Status ------------------------------------------------------------------------------------ */

/** The status byte as *STB? reads it, MSS in bit 6. */
uint8_t SCPI_StatusByte(const SScpiSession* psSession);

/** Serial poll (GPIB, USBTMC READ_STATUS_BYTE): the status byte with RQS in bit 6, which the
 *  poll clears. Returns the byte. */
uint8_t SCPI_SerialPoll(SScpiSession* psSession);

/** Sets the bits uiMask of register ucReg's condition to those of uiValue; the transition
 *  filters pass changes into the event register. Returns 0, or SCPI_ERR_NO_ENTRY for a bad ucReg. */
uint8_t SCPI_SetCondition(SScpiSession* psSession, uint8_t ucReg, uint16_t uiMask,
                          uint16_t uiValue);

/** Sets bits of the Standard Event Status Register (SCPI_ESR_...). Returns 0. */
uint8_t SCPI_SetEventStatus(SScpiSession* psSession, uint8_t ucBits);

/** The instrument's overlapped operations have all finished: a pending *OPC sets OPC.
 *  Returns 0. */
uint8_t SCPI_OperationsComplete(SScpiSession* psSession);

/* ---- The commands the layer answers ---------------------------------------------------------- */

/** The numeric attribute of the register values these commands take (plain numbers). */
extern const SNumAttr ScpiRegisterValue;

int16_t SCPI_HandleCls(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleEse(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleEseQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleEsrQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleIdnQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleOpc(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleOpcQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleRst(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleSre(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleSreQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStbQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleTstQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleWai(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleSystErrNextQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleSystErrCountQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleSystVersionQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatOperEventQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatOperCondQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatOperEnable(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatOperEnableQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatQuesEventQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatQuesCondQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatQuesEnable(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatQuesEnableQuery(SScpiSession* psSession, const SScpiCall* psCall);
int16_t SCPI_HandleStatPreset(SScpiSession* psSession, const SScpiCall* psCall);

#ifdef __cplusplus
}
#endif

/* ---- The commands as rows of a one-place table: CMD(Name, Spec, Handler, Slot) ---------------- */

/** The IEEE 488.2 common commands. */
#define SCPI_COMMON_COMMANDS(CMD)                                                                 \
  CMD(SCPI_CMD_CLS, "*CLS", SCPI_HandleCls)                                                       \
  CMD(SCPI_CMD_ESE, "*ESE", SCPI_HandleEse, SCPI_NUM(&ScpiRegisterValue))                         \
  CMD(SCPI_CMD_ESE_Q, "*ESE?", SCPI_HandleEseQuery)                                               \
  CMD(SCPI_CMD_ESR_Q, "*ESR?", SCPI_HandleEsrQuery)                                               \
  CMD(SCPI_CMD_IDN_Q, "*IDN?", SCPI_HandleIdnQuery)                                               \
  CMD(SCPI_CMD_OPC, "*OPC", SCPI_HandleOpc)                                                       \
  CMD(SCPI_CMD_OPC_Q, "*OPC?", SCPI_HandleOpcQuery)                                               \
  CMD(SCPI_CMD_RST, "*RST", SCPI_HandleRst)                                                       \
  CMD(SCPI_CMD_SRE, "*SRE", SCPI_HandleSre, SCPI_NUM(&ScpiRegisterValue))                         \
  CMD(SCPI_CMD_SRE_Q, "*SRE?", SCPI_HandleSreQuery)                                               \
  CMD(SCPI_CMD_STB_Q, "*STB?", SCPI_HandleStbQuery)                                               \
  CMD(SCPI_CMD_TST_Q, "*TST?", SCPI_HandleTstQuery)                                               \
  CMD(SCPI_CMD_WAI, "*WAI", SCPI_HandleWai)

/** The SYSTem and STATus commands every SCPI instrument answers. */
#define SCPI_SYSTEM_COMMANDS(CMD)                                                                 \
  CMD(SCPI_CMD_SYST_ERR_COUN_Q, "SYSTem:ERRor:COUNt?", SCPI_HandleSystErrCountQuery)              \
  CMD(SCPI_CMD_SYST_ERR_Q, "SYSTem:ERRor[:NEXT]?", SCPI_HandleSystErrNextQuery)                   \
  CMD(SCPI_CMD_SYST_VERS_Q, "SYSTem:VERSion?", SCPI_HandleSystVersionQuery)                       \
  CMD(SCPI_CMD_STAT_OPER_COND_Q, "STATus:OPERation:CONDition?", SCPI_HandleStatOperCondQuery)     \
  CMD(SCPI_CMD_STAT_OPER_ENAB, "STATus:OPERation:ENABle",                                         \
      SCPI_HandleStatOperEnable, SCPI_NUM(&ScpiRegisterValue))                                    \
  CMD(SCPI_CMD_STAT_OPER_ENAB_Q, "STATus:OPERation:ENABle?", SCPI_HandleStatOperEnableQuery)      \
  CMD(SCPI_CMD_STAT_OPER_Q, "STATus:OPERation[:EVENt]?", SCPI_HandleStatOperEventQuery)           \
  CMD(SCPI_CMD_STAT_QUES_COND_Q, "STATus:QUEStionable:CONDition?", SCPI_HandleStatQuesCondQuery)  \
  CMD(SCPI_CMD_STAT_QUES_ENAB, "STATus:QUEStionable:ENABle",                                      \
      SCPI_HandleStatQuesEnable, SCPI_NUM(&ScpiRegisterValue))                                    \
  CMD(SCPI_CMD_STAT_QUES_ENAB_Q, "STATus:QUEStionable:ENABle?", SCPI_HandleStatQuesEnableQuery)   \
  CMD(SCPI_CMD_STAT_QUES_Q, "STATus:QUEStionable[:EVENt]?", SCPI_HandleStatQuesEventQuery)        \
  CMD(SCPI_CMD_STAT_PRES, "STATus:PRESet", SCPI_HandleStatPreset)

/** Both lists: include SCPI_MANDATORY_COMMANDS(CMD) in the instrument's own list. */
#define SCPI_MANDATORY_COMMANDS(CMD) SCPI_COMMON_COMMANDS(CMD) SCPI_SYSTEM_COMMANDS(CMD)

/* An instrument's list names each command's handler on the command's own row, after the header
 * specification and before the parameter slots (scpi_declare.h):
 *
 *   #define PSU_COMMANDS(CMD) \
 *     SCPI_MANDATORY_COMMANDS(CMD) \
 *     CMD(PSU_VOLT, "[SOURce#:]VOLTage[:LEVel]", PsuVolt, SCPI_LEVEL(VoltLevel))
 *
 *   SCPI_INSTRUMENT_ENUM(PSU_COMMANDS, PSU_COMMAND_COUNT);              (command numbers)
 *   SCPI_INSTRUMENT_TABLE(PSU_COMMANDS, PsuTable, 1, PsuUnits, PsuHandlers);
 *
 * SCPI_INSTRUMENT_TABLE is SCPI_NAMED_COMMAND_TABLE for such rows: the SScpiTable Name over
 * arrays of its own (ucWidth slots per command, checked the same way) and unitSuffixes, and the
 * handler array HandlersName. The handlers and attribute records must be declared before it. */
#define SCPI_INSTR_SECOND_(a, b, ...) b
#define SCPI_INSTR_ENUM_ENTRY_(Name, ...) Name,
#define SCPI_INSTR_HANDLER_(Name, ...) SCPI_INSTR_SECOND_(__VA_ARGS__, ~),
#define SCPI_INSTR_CHECK_ROW_(...) SCPI_ROW_WITHOUT_THIRD(SCPI_DECL_CHECK_ROW_, __VA_ARGS__)
#define SCPI_INSTR_SPEC_ROW_(...) SCPI_ROW_WITHOUT_THIRD(SCPI_DECL_SPEC_, __VA_ARGS__)
#define SCPI_INSTR_PARAM_ROW_(...) SCPI_ROW_WITHOUT_THIRD(SCPI_DECL_ROW_, __VA_ARGS__)

/** The command numbers, one enumerator per row in list order, then CountName. Write a ';'. */
#define SCPI_INSTRUMENT_ENUM(LIST, CountName) enum { LIST(SCPI_INSTR_ENUM_ENTRY_) CountName }

/** The handler array alone, parallel to the list (beside a table written some other way).
 *  Write a ';' after it. */
#define SCPI_HANDLER_ARRAY(LIST, HandlersName) \
  const PFnScpiHandler HandlersName[] = {LIST(SCPI_INSTR_HANDLER_)}

/** The table record Name and its handler array from the list. Write a ';' after it. */
#define SCPI_INSTRUMENT_TABLE(LIST, Name, ucWidth, unitSuffixes, HandlersName)                  \
  SCPI_NAMED_COMMAND_TABLE_ROWS(LIST, Name, ucWidth, unitSuffixes, SCPI_INSTR_CHECK_ROW_,        \
                                SCPI_INSTR_SPEC_ROW_, SCPI_INSTR_PARAM_ROW_);                    \
  SCPI_HANDLER_ARRAY(LIST, HandlersName)

#endif /* ORVANE_SCPI_INSTRUMENT_H */
