#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dovra::toolkit {

// The boundary between the records' Windows-1252 bytes and the window system's Unicode.
QString toQString(std::string_view windows1252);

// Characters that Windows-1252 cannot hold become "?"; the fields refuse them before they get
// this far, so this only matters for texts the program did not take from a field.
std::string fromQString(const QString& text);

// Whether every character of the text can be held in a record.
bool isWindows1252(const QString& text);

} // namespace dovra::toolkit

namespace dovra::toolkit {

// Each line break of a text (CR LF, LF CR, CR or LF) as one "\n", for controls that show lines.
QString withLineBreaks(std::string_view windows1252);

// A text that may hold line breaks, shown in one line: each break (CR LF, LF CR, CR or LF)
// becomes " ¶ ", so the user still sees where the lines were.
QString inOneLine(std::string_view windows1252);

} // namespace dovra::toolkit
