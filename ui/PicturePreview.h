#pragma once

class QString;

namespace dovra {

struct Program;

// BrowseButton: a picture file for the form; its path goes into ImagePathField and the picture
// into PictureView.
void browseForPicture(Program& program);

// The dialog "Bild laden" in the home folder; the path chosen, empty when cancelled.
QString choosePictureFile(Program& program, const QString& proposedName);

// RecordList's events: the picture of the record the selected row shows.
void previewSelectedRow(Program& program);

// Releases the picture shown, loads the file in its place scaled to the picture size, and shows
// it, or nothing when the file is no picture.
void showPictureFile(Program& program, const QString& path);

} // namespace dovra
