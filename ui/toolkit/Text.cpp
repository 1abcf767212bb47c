#include "Text.h"

#include "collection/Windows1252.h"

#include <QList>

namespace dovra::toolkit {

QString toQString(std::string_view windows1252) {
    QString text(static_cast<qsizetype>(windows1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : windows1252) {
        // Every Windows-1252 character lies in the basic plane, so one QChar each.
        *out++ =
            QChar(static_cast<char16_t>(unicodeFromWindows1252(static_cast<unsigned char>(byte))));
    }
    return text;
}

std::string fromQString(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t character : text.toUcs4()) {
        const auto byte = windows1252FromUnicode(character);
        bytes.push_back(static_cast<char>(byte ? *byte : '?'));
    }
    return bytes;
}

bool isWindows1252(const QString& text) {
    for (const char32_t character : text.toUcs4()) {
        if (!windows1252FromUnicode(character)) {
            return false;
        }
    }
    return true;
}

} // namespace dovra::toolkit

namespace dovra::toolkit {

namespace {

// Calls emit(byteRun) for the text between breaks and onBreak() for each break.
template <class Text, class Break>
void splitAtBreaks(std::string_view text, Text&& onText, Break&& onBreak) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        onText(text.substr(start, i - start));
        onBreak();
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == pair) {
            ++i;
        }
        start = i + 1;
    }
    onText(text.substr(start));
}

QString joinedAtBreaks(std::string_view text, const QString& separator) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    splitAtBreaks(
        text, [&](std::string_view run) { result += toQString(run); },
        [&] { result += separator; });
    return result;
}

} // namespace

QString withLineBreaks(std::string_view windows1252) {
    return joinedAtBreaks(windows1252, QStringLiteral("\n"));
}

QString inOneLine(std::string_view windows1252) {
    if (windows1252.find_first_of("\r\n") == std::string_view::npos) {
        return toQString(windows1252);
    }
    return joinedAtBreaks(windows1252, QStringLiteral(" \u00B6 "));
}

} // namespace dovra::toolkit
