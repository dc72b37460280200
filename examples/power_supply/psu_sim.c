/* SPDX-License-Identifier: MIT */
/*
 * psu-sim: the bench supply on a host, serving the raw SCPI socket protocol of LAN instruments.
 * One thread and one poll() loop; every TCP connection is a session of its own.
 *
 *   psu-sim [--port N] [--listen ADDR] [--stdio]
 *
 * --port 0 takes a free port; the address and port listened on go to standard error.
 */
#define _POSIX_C_SOURCE 200809L

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "psu_instrument.h"

/* Connections served at once; one more is closed as soon as it is accepted. */
#define SIM_MAX_SESSIONS 8
#define SIM_DEFAULT_PORT 5025
/* Bytes taken from a socket or standard input per read. */
#define SIM_READ_CHUNK 4096
/* How long a client may leave its answers unread before its session is closed (ms). */
#define SIM_SEND_TIMEOUT_MS 5000

typedef struct {
  int iFd; /* -1: slot free */
  SPsuSession sPsu;
} SSimSlot;

static SSimSlot sSlots[SIM_MAX_SESSIONS];
static volatile sig_atomic_t bStop;

static void OnSignal(int iSignal) {
  (void)iSignal;
  bStop = 1;
}

/* Writes all of a piece to a descriptor, waiting at most SIM_SEND_TIMEOUT_MS for room each time.
 * Returns 0 when the peer has gone or does not read. */
static int WriteAll(int iFd, const char* pData, size_t ulLen) {
  while (ulLen > 0) {
    ssize_t lSent = iFd == STDOUT_FILENO ? write(iFd, pData, ulLen)
                                         : send(iFd, pData, ulLen, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (lSent > 0) {
      pData += lSent;
      ulLen -= (size_t)lSent;
    } else if (lSent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      struct pollfd sPoll = {iFd, POLLOUT, 0};
      if (poll(&sPoll, 1, SIM_SEND_TIMEOUT_MS) <= 0) return 0;
    } else if (!(lSent < 0 && errno == EINTR)) {
      return 0;
    }
  }
  return 1;
}

/* The session's output: a response goes out as the layer writes it. A peer that has gone or does
 * not read loses its session at the next poll round. */
static void SlotWrite(SScpiSession* psSession, const char* pcData, uint16_t uiLen) {
  SSimSlot* psSlot = (SSimSlot*)psSession->pvUser;
  if (psSlot->iFd >= 0 && !WriteAll(psSlot->iFd, pcData, uiLen)) {
    shutdown(psSlot->iFd, SHUT_RDWR);
  }
}

static void CloseSlot(SSimSlot* psSlot) {
  close(psSlot->iFd);
  psSlot->iFd = -1;
}

static void Accept(int iListener) {
  const int iFd = accept(iListener, NULL, NULL);
  int iSlot;
  if (iFd < 0) return;
  for (iSlot = 0; iSlot < SIM_MAX_SESSIONS; iSlot++) {
    if (sSlots[iSlot].iFd < 0) {
      const int iOn = 1;
      setsockopt(iFd, IPPROTO_TCP, TCP_NODELAY, &iOn, sizeof iOn);
      sSlots[iSlot].iFd = iFd;
      PsuSessionInit(&sSlots[iSlot].sPsu, SlotWrite, &sSlots[iSlot]);
      return;
    }
  }
  close(iFd);
}

/* Bytes from a connection into its session; at the end of the connection the session goes, an
 * unfinished message with it. */
static void Receive(SSimSlot* psSlot) {
  char acChunk[SIM_READ_CHUNK];
  const ssize_t lLen = recv(psSlot->iFd, acChunk, sizeof acChunk, 0);
  if (lLen > 0) {
    SCPI_Input(&psSlot->sPsu.sSession, acChunk, (uint32_t)lLen);
  } else if (lLen == 0 || (errno != EINTR && errno != EAGAIN)) {
    CloseSlot(psSlot);
  }
}

static int Listen(const char* pAddress, unsigned uiPort) {
  struct sockaddr_in sAddr;
  socklen_t uiAddrLen = sizeof sAddr;
  const int iOn = 1;
  const int iFd = socket(AF_INET, SOCK_STREAM, 0);
  memset(&sAddr, 0, sizeof sAddr);
  sAddr.sin_family = AF_INET;
  sAddr.sin_port = htons((uint16_t)uiPort);
  if (inet_pton(AF_INET, pAddress, &sAddr.sin_addr) != 1) {
    fprintf(stderr, "psu-sim: not an IPv4 address: %s\n", pAddress);
    return -1;
  }
  if (iFd < 0) {
    perror("psu-sim: socket");
    return -1;
  }
  setsockopt(iFd, SOL_SOCKET, SO_REUSEADDR, &iOn, sizeof iOn);
  if (bind(iFd, (struct sockaddr*)&sAddr, sizeof sAddr) != 0 || listen(iFd, 16) != 0) {
    fprintf(stderr, "psu-sim: cannot listen on %s:%u: %s\n", pAddress, uiPort, strerror(errno));
    close(iFd);
    return -1;
  }
  getsockname(iFd, (struct sockaddr*)&sAddr, &uiAddrLen);
  fprintf(stderr, "psu-sim: listening on %s:%u\n", pAddress, (unsigned)ntohs(sAddr.sin_port));
  return iFd;
}

static int ServeSockets(const char* pAddress, unsigned uiPort) {
  struct pollfd asPoll[SIM_MAX_SESSIONS + 1];
  const int iListener = Listen(pAddress, uiPort);
  int iSlot;
  if (iListener < 0) return 1;
  for (iSlot = 0; iSlot < SIM_MAX_SESSIONS; iSlot++) sSlots[iSlot].iFd = -1;
  while (!bStop) {
    asPoll[0].fd = iListener;
    asPoll[0].events = POLLIN;
    for (iSlot = 0; iSlot < SIM_MAX_SESSIONS; iSlot++) {
      asPoll[iSlot + 1].fd = sSlots[iSlot].iFd;
      asPoll[iSlot + 1].events = POLLIN;
      asPoll[iSlot + 1].revents = 0;
    }
    if (poll(asPoll, SIM_MAX_SESSIONS + 1, -1) < 0) {
      if (errno == EINTR) continue;
      perror("psu-sim: poll");
      break;
    }
    for (iSlot = 0; iSlot < SIM_MAX_SESSIONS; iSlot++) {
      if (sSlots[iSlot].iFd >= 0 && asPoll[iSlot + 1].revents != 0) Receive(&sSlots[iSlot]);
    }
    if (asPoll[0].revents & POLLIN) Accept(iListener);
  }
  for (iSlot = 0; iSlot < SIM_MAX_SESSIONS; iSlot++) {
    if (sSlots[iSlot].iFd >= 0) CloseSlot(&sSlots[iSlot]);
  }
  close(iListener);
  return 0;
}

/* One session on standard input and output; the end of the input ends its last message. */
static int ServeStdio(void) {
  char acChunk[SIM_READ_CHUNK];
  sSlots[0].iFd = STDOUT_FILENO;
  PsuSessionInit(&sSlots[0].sPsu, SlotWrite, &sSlots[0]);
  while (!bStop) {
    const ssize_t lLen = read(STDIN_FILENO, acChunk, sizeof acChunk);
    if (lLen > 0) {
      SCPI_Input(&sSlots[0].sPsu.sSession, acChunk, (uint32_t)lLen);
    } else if (lLen == 0 || errno != EINTR) {
      break;
    }
  }
  SCPI_InputEnd(&sSlots[0].sPsu.sSession);
  return 0;
}

static int Usage(void) {
  fputs("usage: psu-sim [--port N] [--listen ADDR] [--stdio]\n", stderr);
  return 2;
}

int main(int iArgc, char** ppArgv) {
  const char* pAddress = "127.0.0.1";
  unsigned long ulPort = SIM_DEFAULT_PORT;
  int bStdio = 0;
  int iArg;
  struct sigaction sAction;
  for (iArg = 1; iArg < iArgc; iArg++) {
    if (strcmp(ppArgv[iArg], "--stdio") == 0) {
      bStdio = 1;
    } else if (strcmp(ppArgv[iArg], "--port") == 0 && iArg + 1 < iArgc) {
      char* pEnd = NULL;
      ulPort = strtoul(ppArgv[++iArg], &pEnd, 10);
      if (*pEnd != '\0' || ulPort > 65535) return Usage();
    } else if (strcmp(ppArgv[iArg], "--listen") == 0 && iArg + 1 < iArgc) {
      pAddress = ppArgv[++iArg];
    } else {
      return Usage();
    }
  }
  memset(&sAction, 0, sizeof sAction);
  sAction.sa_handler = OnSignal; /* no SA_RESTART: poll and read return with EINTR */
  sigaction(SIGINT, &sAction, NULL);
  sigaction(SIGTERM, &sAction, NULL);
  signal(SIGPIPE, SIG_IGN);
  PsuPowerOn();
  return bStdio ? ServeStdio() : ServeSockets(pAddress, (unsigned)ulPort);
}
