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

void browseForPicture(Program& program) {
    toolkit::FileDialogRequest request;
    request.kind = toolkit::FileDialogRequest::Kind::Open;
    request.title = QStringLiteral("Bild laden");
    request.filter = QStringLiteral("Pünngs (*.png)|*.png");
    // The proposed place is "C:\autoexec.bat"; here there is no drive C:, so the home folder.
    request.folder = QDir::homePath();
    request.fileName = QStringLiteral("autoexec.bat");
    const QString path = program.toolkit.dialogs().chooseFile(request);
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
