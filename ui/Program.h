#pragma once

#include "collection/CapCollection.h"
#include "ui/toolkit/Toolkit.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>

namespace dovra {

// Which column the latest click on a column title asked for, and each sortable column's own
// direction: 0 never sorted, 1 descending, -1 ascending.
struct SortState {
    std::array<std::int32_t, 6> directions{};
    std::int32_t column = -1;
};

// Everything the program keeps from start-up to shutdown. The commands share it; the main
// routine owns it.
struct Program {
    explicit Program(toolkit::Dialogs& dialogs) : toolkit(dialogs) {}

    toolkit::Toolkit toolkit;
    CapCollection collection;
    bool modified = false; // records added, deleted or edited since the last save
    std::int32_t recordCount = 0;
    std::int32_t countryEntryCount = 0;
    SortState sort;
    std::int32_t savedTextColour = 0; // StatusText's colour to return to after a notice
    // The texts of CountryBox's entries, so a file of a million lines looks each country up once.
    std::unordered_set<std::string> countryEntries;
};

} // namespace dovra
