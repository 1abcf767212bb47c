#pragma once

namespace dovra {

struct Program;

// Connects RecordList's column titles to the sort. The sort then runs inside whichever wait for
// events delivers the click: the main loop's, a filter's drain, or the edit dialog's loop.
void installColumnSort(Program& program);

// A click on column k: columns 0 to 5 flip their own direction (the first click sorts
// descending) and sort the rows shown; any other column sorts nothing.
void clickColumn(Program& program, int column);

} // namespace dovra
