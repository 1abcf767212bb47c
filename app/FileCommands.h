#pragma once

namespace dovra {

struct Program;

// Menu "Öffnen": adds the records of a chosen file to those in memory and its new countries to
// CountryBox.
void openCollectionFile(Program& program);

// Menu "Speichern": writes every record to a chosen file. True when the file was written whole.
bool saveCollectionFile(Program& program);

// At shutdown, while there are unsaved changes: asks "Abspeichern?" until the collection is saved
// or the user answers "Nein".
void savePrompt(Program& program);

} // namespace dovra
