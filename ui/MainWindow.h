#pragma once

namespace dovra {

struct Program;

// Builds the main window with its menu and controls at their fixed places, then fills the
// statistics. False when the window could not be made.
bool buildMainWindow(Program& program);

// StatusText's text at start: the blanks push "Bereit." onto the second line.
extern const char* const startupStatusText;

} // namespace dovra
