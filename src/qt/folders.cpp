#include "folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace gf {

namespace {

QString perUserFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace

Folders chooseFolders(const QString& programFolder, const QString& dataOption) {
    if (!dataOption.isEmpty()) return {QDir(dataOption).absolutePath(), perUserFolder()};
    const QDir program(programFolder);
    if (QFileInfo::exists(program.filePath(QStringLiteral("item.ini")))) {
        const bool writable = QFileInfo(programFolder).isWritable();
        return {program.absolutePath(), writable ? program.absolutePath() : perUserFolder()};
    }
    // Relative to the executable, so the install works under any prefix.
    return {QDir::cleanPath(program.filePath(QStringLiteral(GLOAMFELL_DATA_FROM_PROGRAM))), perUserFolder()};
}

} // namespace gf
