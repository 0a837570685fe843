#pragma once
// The session file and the start of a session: the input data of the last
// session, written when the main window closes and read when it is shown
// (or the start-up file named in the settings), and what the status line
// then says.
#include <string>
#include <string_view>
#include <utility>

namespace velmar {

struct Session;
struct LoadNote;

inline constexpr std::string_view kSessionFile = "Velmar\\paramwin.vdt";

// As the main window is shown: the folder "Velmar" is made when missing, the
// default diameter series is filled when the series is empty, then the input
// data are loaded from the start-up file (the session file when none is
// given); when that load fails the input form is reset to its defaults.
// Returns the result of the load (0 read, 1 no such file, 2 not readable,
// 3 empty); the note says where a reading stopped early and which inputs
// were not taken.
int showInputData(Session& s, const std::string& startUpFile = {}, LoadNote* note = nullptr);

// The status text after the start-up load, whether it tells of a problem,
// and the message that lists the inputs of the file not taken (empty when
// every input was taken).
struct StartUpStatus {
  StartUpStatus(std::string text = {}, bool problem = false) : text(std::move(text)), problem(problem) {}
  std::string text;
  bool problem = false;
  std::string message;
};

// The start-up load as the settings ask for it: the start-up file when TipZap
// is on, otherwise the session file. A reading that stops early leaves the
// input form reset with the values read before the stop; a file that cannot
// be read, or that is empty, leaves it reset; inputs of the file that were
// not taken keep their defaults. The status text says which
// data were loaded ("Загружены данные из …", "Загружены данные предыдущего
// сеанса работы"), or what failed and that the input form holds its
// defaults; when the folder "Velmar" cannot be made it adds that nothing of
// the session will be kept.
StartUpStatus loadStartUpData(Session& s);

// A first start without any session file, as the batch tool starts: the
// default diameter series and the reset of the input form. No file is read
// or written.
void startWithDefaults(Session& s);

// At shut-down: the input data into the session file. Returns 0 when written,
// 1 when not (the previous session file is unchanged, errno says why).
int saveSessionFile(Session& s);

}  // namespace velmar
