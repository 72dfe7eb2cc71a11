#pragma once
// The core keeps text in Latin-1 and paths in the file system's bytes; these
// are the only conversions at the Qt edge.
#include "util/text.h"

#include <QFile>
#include <QString>

#include <string>

namespace gf {

// Line breaks arrive as CR LF, which a Qt label would show as two.
inline QString toQt(const std::string& latin1) {
    QString s = QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

// Qt would put '?' for a character Latin-1 lacks, which would rename a creature unasked.
inline std::string fromQt(const QString& s) {
    std::string out;
    for (const char32_t c : s.toUcs4())
        out += c <= 0xFF ? static_cast<char>(c) : kNotLatin1;
    return out;
}

inline QString pathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string pathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace gf
