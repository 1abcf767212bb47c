#include "RecordCommands.h"

#include "collection/NumberText.h"
#include "ui/ListView.h"
#include "ui/Program.h"
#include "ui/StatusArea.h"

namespace dovra {

namespace {

void showRecordCount(Program& program) {
    program.recordCount = program.collection.count();
    program.toolkit.setText(Control::TotalNumberField, textFromNumber(program.recordCount));
}

} // namespace

void addRecord(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    CapCollection& collection = program.collection;
    showStatus(program, "Datensatz wird erstellt...");
    const std::int32_t totalNumber = collection.count() + 1;
    // Behind the current record: the last one, or the one just previewed.
    CapRecord& record = collection.insertAfterCurrent();
    record.setNumber = numberFromText(tk.text(Control::SetNumberField));
    const std::string capNumber = tk.text(Control::CapNumberField);
    record.capNumber = capNumber.empty() ? collection.countWithSetNumber(record.setNumber)
                                         : numberFromText(capNumber);
    record.totalNumber = totalNumber;
    record.name = tk.text(Control::NameField);
    record.country = tk.text(Control::CountryBox);
    record.foundDate = tk.text(Control::FoundDatePicker);
    record.damage = tk.text(Control::DamageEditor);
    record.imagePath = tk.text(Control::ImagePathField);
    refreshList(program);
    program.modified = true;
    showRecordCount(program);
    showStatus(program, "Datensatz erstellt.\n\rDatensatz in Statistik aufgenommen.\r\nBereit");
}

void deleteRecord(Program& program) {
    showStatus(program, "Datensatz wird gelöscht...");
    if (program.toolkit.state(Control::RecordList) < 0) {
        enterNoticeMode(program, "Keinen Eintrag ausgewählt");
        return;
    }
    if (!program.toolkit.dialogs().askYesNo(
            QStringLiteral("Dovra"),
            QStringLiteral("Soll der ausgewählte Datensatz wirklich gelöscht werden?"))) {
        return;
    }
    if (!recordOfSelectedRow(program)) {
        return;
    }
    program.collection.deleteCurrent();
    program.collection.renumberTotals();
    refreshList(program);
    showRecordCount(program);
    program.modified = true;
    showStatus(program, "Datensatz gelöscht.\r\nBereit");
}

void resetForm(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    showStatus(program, "Parameter werden gelöscht...");
    tk.setState(Control::CountryBox, 0);
    for (const Control field :
         {Control::SetNumberField, Control::CapNumberField, Control::FoundDatePicker,
          Control::NameField, Control::ImagePathField, Control::DamageEditor}) {
        tk.setText(field, "");
    }
    showStatus(program, "Alle Parameter gelöscht.\r\nBereit");
}

} // namespace dovra
