#include "StatisticsView.h"

#include "Program.h"
#include "collection/Statistics.h"

namespace dovra {

void refreshStatistics(Program& program) {
    showStatistics(program, computeStatistics(program.collection));
}

void showStatistics(Program& program, const StatisticsFigures& figures) {
    toolkit::Toolkit& tk = program.toolkit;
    program.recordCount = figures.recordCount;
    program.countryEntryCount = countCountryEntries(tk.entryTexts(Control::CountryBox));
    const StatisticsTexts texts = statisticsTexts(figures, program.countryEntryCount);
    static constexpr Control lines[] = {Control::StatisticsLine1, Control::StatisticsLine2,
                                        Control::StatisticsLine3, Control::StatisticsLine4,
                                        Control::StatisticsLine5};
    for (std::size_t i = 0; i < texts.lines.size(); ++i) {
        tk.setText(lines[i], texts.lines[i]);
    }
    tk.setText(Control::TotalLabel, texts.totalLabel);
    tk.setText(Control::CountryLabel, texts.countryLabel);
    tk.setText(Control::SetLabel, texts.setLabel);
}

} // namespace dovra
