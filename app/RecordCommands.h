#pragma once

namespace dovra {

struct Program;

// AddButton: the form becomes a new record behind the current one.
void addRecord(Program& program);
// DeleteButton: the record of the selected row goes, after the user confirms.
void deleteRecord(Program& program);
// ResetButton: the form is emptied; the list keeps its rows until the next refresh.
void resetForm(Program& program);

} // namespace dovra
