#include "cli/batch.h"

// runBatch reports whatever stops the run on one line, so that no exception
// leaves main.
int main(int argc, char** argv) { return velmar::runBatch(argc, argv); }
