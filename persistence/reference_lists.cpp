#include "persistence/reference_lists.h"

#include "core/session.h"

namespace velmar {

// The stored names live with the program's files; until those are kept the
// list stays as it is.
void LoadMediumNames(Session&) {}

}  // namespace velmar
