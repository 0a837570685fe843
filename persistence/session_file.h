#pragma once
// The session file: the input data of the last session, written when the
// main window closes and read when it is shown.
#include <string>
#include <string_view>

namespace velmar {

struct Session;

inline constexpr std::string_view kSessionFile = "Velmar\\paramwin.vdt";

// As the main window is shown: the folder "Velmar" is made when missing, the
// default diameter series is filled when the series is empty, then the input
// data are loaded from the start-up file (the session file when none is
// given); when that load fails the input form is reset to its defaults.
// Returns the result of the load (0 read, 1 no such file, 2 not readable).
int showInputData(Session& s, const std::string& startUpFile = {});

// A first start without any session file, as the batch tool starts: the
// default diameter series and the reset of the input form. No file is read
// or written.
void startWithDefaults(Session& s);

// At shut-down: the input data into the session file. Returns 0 when written,
// 1 when not (the previous session file is unchanged).
int saveSessionFile(Session& s);

}  // namespace velmar
