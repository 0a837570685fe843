#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "cli/batch.h"
#include "core/named_input.h"

// No exception leaves the batch tool: whatever escapes the run is reported on
// one line with the status of a usage error.
int main(int argc, char** argv) {
  try {
    return velmar::runBatch(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fputs("velmar-calc: out of memory\n", stderr);
  } catch (const std::exception& e) {
    const std::string line = "velmar-calc: the run stopped on an unexpected error " + velmar::quotedInput(e.what()) + "\n";
    std::fputs(line.c_str(), stderr);
  } catch (...) {
    std::fputs("velmar-calc: the run stopped on an unexpected error\n", stderr);
  }
  return 2;
}
