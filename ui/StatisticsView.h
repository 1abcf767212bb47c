#pragma once

namespace dovra {

struct Program;
struct StatisticsFigures;

// Recounts the whole collection and CountryBox's entries, keeps the record count and the country
// entry count, and writes the statistics lines and the three counter labels.
void refreshStatistics(Program& program);

// Shows figures counted elsewhere (kept up while a file loads), with the same texts.
void showStatistics(Program& program, const StatisticsFigures& figures);

} // namespace dovra
