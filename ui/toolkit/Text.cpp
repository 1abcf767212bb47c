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
