#include "cli/batch.h"

int main(int argc, char** argv) { return velmar::runBatch(argc, argv); }
