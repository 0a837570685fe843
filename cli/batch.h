#pragma once

namespace velmar {
// The batch tool velmar-calc: options applied in order to a freshly started
// form, one calculation pass, both panes printed. Returns the exit status;
// no exception leaves it (whatever stops the run is a line on stderr and
// status 2).
int runBatch(int argc, char** argv);
}  // namespace velmar
