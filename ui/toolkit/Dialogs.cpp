#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace dovra::toolkit {

std::vector<NameFilter> parseNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    std::vector<NameFilter> filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        NameFilter entry;
        entry.description = parts[i].trimmed();
        const QString patternText = i + 1 < parts.size() ? parts[i + 1] : parts[i];
        for (const QString& raw : patternText.split(QLatin1Char(';'))) {
            const QString pattern = raw.trimmed();
            if (pattern.isEmpty() || pattern.contains(QLatin1Char(' '))) {
                continue;
            }
            entry.patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (entry.description.isEmpty() && entry.patterns.isEmpty()) {
            continue;
        }
        if (entry.patterns.isEmpty()) {
            entry.patterns << QStringLiteral("*");
        }
        filters.push_back(entry);
    }
    return filters;
}

QString qtNameFilter(const NameFilter& filter) {
    const QString list =
        QLatin1Char('(') + filter.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    if (filter.description.endsWith(list)) {
        return filter.description;
    }
    return filter.description + QLatin1Char(' ') + list;
}

QString QtDialogs::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(nullptr, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(request.kind == FileDialogRequest::Kind::Save ? QFileDialog::AcceptSave
                                                                       : QFileDialog::AcceptOpen);
    // A name that does not exist yet is accepted, as long as its folder does.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    QStringList nameFilters;
    for (const NameFilter& filter : parseNameFilters(request.filter)) {
        nameFilters << qtNameFilter(filter);
    }
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.front());
    }
    if (!request.folder.isEmpty()) {
        dialog.setDirectory(request.folder);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}

bool QtDialogs::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace dovra::toolkit
