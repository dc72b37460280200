// SPDX-License-Identifier: MIT
// Everything scripts/check_parser_objects.sh must reject, in one object file: allocations, a
// thrown exception and a static constructor. Never linked into anything.
#include <string>

namespace {
struct Registered {
  std::string sName = std::string(120, 'x');
};
Registered sAtStartUp;
}  // namespace

int* ForbiddenSampleAllocate(int n) {
  if (n < 0) throw n;
  return new int(n);
}
size_t ForbiddenSampleLength() { return sAtStartUp.sName.size(); }
