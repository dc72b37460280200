/* SPDX-License-Identifier: MIT */
/* Must not compile: the public headers are reached as <orvane-scpi/...> only. */
#include <scpi.h>

int main(void) { return 0; }
