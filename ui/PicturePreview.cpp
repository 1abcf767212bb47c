#include "PicturePreview.h"

#include "ListView.h"
#include "Program.h"
#include "StatusArea.h"
#include "toolkit/PictureFile.h"
#include "toolkit/PictureScaling.h"
#include "toolkit/Text.h"

#include <QDir>

namespace dovra {

void showPictureFile(Program& program, const QString& path) {
    QImage& picture = program.toolkit.picture(previewPicture);
    picture = QImage(); // released first: a load that fails leaves no picture
    picture = toolkit::scaleToPictureSize(toolkit::loadPicture(path));
    program.toolkit.setState(Control::PictureView, previewPicture);
}

QString choosePictureFile(Program& program, const QString& proposedName) {
    toolkit::FileDialogRequest request;
    request.kind = toolkit::FileDialogRequest::Kind::Open;
    request.title = QStringLiteral("Bild laden");
    request.filter = QStringLiteral("Pünngs (*.png)|*.png");
    request.folder = QDir::homePath();
    request.fileName = proposedName;
    return program.toolkit.dialogs().chooseFile(request);
}

void browseForPicture(Program& program) {
    // The proposed place is "C:\autoexec.bat"; here there is no drive C:, so the home folder.
    const QString path = choosePictureFile(program, QStringLiteral("autoexec.bat"));
    program.toolkit.setText(Control::ImagePathField, toolkit::fromQString(path));
    if (!path.isEmpty()) {
        showPictureFile(program, path);
    }
}

void previewSelectedRow(Program& program) {
    if (program.toolkit.state(Control::RecordList) < 0) {
        return;
    }
    showStatus(program, "Bild wird geladen...");
    if (const CapRecord* record = recordOfSelectedRow(program)) {
        showPictureFile(program, toolkit::toQString(record->imagePath));
    }
    showStatus(program, "Bild geladen.\r\nBereit.");
}

} // namespace dovra
