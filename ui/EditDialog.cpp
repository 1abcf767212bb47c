#include "EditDialog.h"

#include "ListView.h"
#include "PicturePreview.h"
#include "Program.h"
#include "StatusArea.h"
#include "collection/NumberText.h"
#include "toolkit/Text.h"


namespace dovra {

using toolkit::ControlKind;
using toolkit::ControlSpec;

namespace {

constexpr WindowNumber editWindow = WindowNumber::Edit;

const ControlSpec controls[] = {
    {Control::EditSetNumberField, editWindow, ControlKind::TextField, 0, 0, 250, 25, ""},
    {Control::EditCapNumberField, editWindow, ControlKind::TextField, 0, 27, 250, 25, ""},
    {Control::EditNameField, editWindow, ControlKind::TextField, 0, 54, 250, 25, ""},
    {Control::EditCountryField, editWindow, ControlKind::TextField, 0, 81, 250, 25, ""},
    {Control::EditFoundDatePicker, editWindow, ControlKind::DatePicker, 0, 108, 250, 25, ""},
    {Control::EditDamageField, editWindow, ControlKind::TextField, 0, 135, 250, 25, ""},
    {Control::EditImagePathField, editWindow, ControlKind::TextField, 0, 164, 190, 25, ""},
    {Control::EditBrowseButton, editWindow, ControlKind::PushButton, 195, 164, 50, 25, "..."},
};

const char* const dateFormat = "dd.MM.yyyy"; // how the main form writes a find date
const char* const dateMask = "%dd.%mm.%yyyy";

// The damage text has lines; its field has one. Each break shows as " ¶ " (the pilcrow is 0xB6).
const std::string shownBreak = " \xB6 ";

std::string damageInOneLine(const std::string& damage) {
    const QString oneLine = toolkit::inOneLine(damage);
    return toolkit::fromQString(oneLine);
}

std::string damageFromOneLine(const std::string& oneLine) {
    std::string damage;
    std::size_t start = 0;
    for (std::size_t at; (at = oneLine.find(shownBreak, start)) != std::string::npos;) {
        damage.append(oneLine, start, at - start).append("\r\n");
        start = at + shownBreak.size();
    }
    return damage.append(oneLine, start);
}

void browseForEditPicture(Program& program) {
    const QString path = choosePictureFile(program, QString());
    if (!path.isEmpty()) {
        program.toolkit.setText(Control::EditImagePathField, toolkit::fromQString(path));
    }
}

bool openEditWindow(Program& program, const CapRecord& record, QDate& shownDate,
                    std::string& shownDamage) {
    toolkit::Toolkit& tk = program.toolkit;
    toolkit::WindowSpec window;
    window.title = QStringLiteral("Ändern");
    window.client = QSize(250, 190);
    window.position = QPoint(65, 56);
    if (!tk.openWindow(editWindow, window)) {
        return false;
    }
    for (const ControlSpec& entry : controls) {
        if (!tk.createControl(entry)) {
            tk.closeWindow(editWindow);
            return false;
        }
    }
    tk.setText(Control::EditSetNumberField, textFromNumber(record.setNumber));
    tk.setText(Control::EditCapNumberField, textFromNumber(record.capNumber));
    tk.setText(Control::EditNameField, record.name);
    tk.setText(Control::EditCountryField, record.country);
    tk.setText(Control::EditFoundDatePicker, dateMask);
    const QDate found =
        QDate::fromString(toolkit::toQString(record.foundDate), QLatin1String(dateFormat));
    if (found.isValid()) {
        tk.setDate(Control::EditFoundDatePicker, found);
    }
    shownDate = tk.date(Control::EditFoundDatePicker);
    shownDamage = damageInOneLine(record.damage);
    tk.setText(Control::EditDamageField, shownDamage);
    tk.setText(Control::EditImagePathField, record.imagePath);
    return true;
}

} // namespace

void editRecord(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    // Held by reference for as long as the window is open: no command that could remove the
    // record runs meanwhile, and a sort only moves rows.
    CapRecord* record = recordOfSelectedRow(program);
    if (!record) {
        enterNoticeMode(program, "Keinen Eintrag ausgewählt.");
        return;
    }
    QDate shownDate;
    std::string shownDamage;
    if (!openEditWindow(program, *record, shownDate, shownDamage)) {
        return;
    }
    for (;;) {
        const toolkit::Event event = tk.events().wait();
        if (event.kind == toolkit::Event::Kind::Close) {
            break; // from either window
        }
        if (event.kind == toolkit::Event::Kind::Control &&
            event.number == number(Control::EditBrowseButton)) {
            browseForEditPicture(program);
        }
        // Every other event is dropped: no other command runs while the record is open.
    }

    const CapRecord before = *record;
    record->setNumber = numberFromText(tk.text(Control::EditSetNumberField));
    record->capNumber = numberFromText(tk.text(Control::EditCapNumberField));
    record->name = tk.text(Control::EditNameField);
    record->country = tk.text(Control::EditCountryField);
    // A date the user did not change never replaces what was stored, whatever form it had.
    const QDate date = tk.date(Control::EditFoundDatePicker);
    if (date != shownDate) {
        record->foundDate = toolkit::fromQString(date.toString(QLatin1String(dateFormat)));
    }
    const std::string damage = tk.text(Control::EditDamageField);
    if (damage != shownDamage) {
        record->damage = damageFromOneLine(damage);
    }
    record->imagePath = tk.text(Control::EditImagePathField);
    if (!(*record == before)) {
        program.modified = true; // an edit is a change like any other: quitting offers to save it
    }
    refreshList(program);
    tk.closeWindow(editWindow);
}

} // namespace dovra
