#include "cli/batch.h"

#include <cstdio>

namespace velmar {
int runBatch(int, char**) {
  std::fputs("velmar-calc: not built yet\n", stderr);
  return 2;
}
}  // namespace velmar
