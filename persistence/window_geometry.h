#pragma once
// The window geometry "Velmar\nastrprg.nsw": nine integer lines, the main
// window's width, height, top and left, the settings window's width, height,
// top and left, and the width of the message pane Memo2. Written at every
// shut-down; read at start-up when TipPos is on.
#include <optional>
#include <string_view>

namespace velmar {

struct ProgramFiles;

inline constexpr std::string_view kGeometryFile = "Velmar\\nastrprg.nsw";

// The message pane never comes back narrower than this.
inline constexpr int kMinMessagePaneWidth = 200;

struct WindowGeometry {
  int mainWidth = 0;
  int mainHeight = 0;
  int mainTop = 0;
  int mainLeft = 0;
  int settingsWidth = 0;
  int settingsHeight = 0;
  int settingsTop = 0;
  int settingsLeft = 0;
  int messagePaneWidth = kMinMessagePaneWidth;
};

// The stored geometry, the message pane at least kMinMessagePaneWidth wide;
// nothing when the file is missing, holds fewer than nine integers, or gives
// a window no width or height (the platform's default geometry applies then).
std::optional<WindowGeometry> readWindowGeometry(const ProgramFiles& files);

// Writes the nine lines, safely. False when they could not be written.
bool writeWindowGeometry(const ProgramFiles& files, const WindowGeometry& g);

}  // namespace velmar
