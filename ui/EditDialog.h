#pragma once

namespace dovra {

struct Program;

// EditButton: the record of the selected row in a window of its own. Closing the window (or the
// main window) writes the fields back into that record; until then, every other command waits.
void editRecord(Program& program);

} // namespace dovra
