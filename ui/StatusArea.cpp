#include "StatusArea.h"

#include "Program.h"
#include "collection/Windows1252.h"

namespace dovra {

namespace {

constexpr int noticeColour = 0xCC0000; // 0x00BBGGRR: blue

// Every control but StatusText and OkButton.
void enableCommandControls(toolkit::Toolkit& tk, bool enabled) {
    for (int n = number(Control::RecordList); n <= number(Control::StatisticsLine5); ++n) {
        tk.enable(static_cast<Control>(n), enabled);
    }
    tk.enable(Control::ResetButton, enabled);
}

} // namespace

void showStatus(Program& program, std::string_view text) {
    program.toolkit.setText(Control::StatusText, windows1252FromUtf8(text));
    // Shown at once: a command that reports progress keeps the loop busy until it is done.
    program.toolkit.repaintNow(Control::StatusText);
}

void enterNoticeMode(Program& program, std::string_view text) {
    toolkit::Toolkit& tk = program.toolkit;
    program.savedTextColour = tk.textColour(Control::StatusText);
    if (tk.makeFont(noticeFont, 10, true)) {
        tk.setFont(Control::StatusText, noticeFont);
    }
    tk.setTextColour(Control::StatusText, noticeColour);
    showStatus(program, text);
    enableCommandControls(tk, false);
}

void leaveNoticeMode(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    if (tk.makeFont(noticeFont, 8, false)) {
        tk.setFont(Control::StatusText, noticeFont);
    }
    tk.setTextColour(Control::StatusText, program.savedTextColour);
    showStatus(program, "Bereit.");
    enableCommandControls(tk, true);
}

} // namespace dovra
