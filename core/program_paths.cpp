#include "program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sorami {
namespace {
QString& overrideDir() {
    static QString dir;
    return dir;
}

QString selfExe() {
    // The program file itself, whatever the working directory or argv[0] say.
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!exe.isEmpty()) return exe;
    return QCoreApplication::applicationFilePath();
}
} // namespace

void setProgramDirForTesting(const QString& dir) {
    overrideDir() = dir;
}

QString programFilePath() {
    const QString exe = selfExe();
    if (overrideDir().isEmpty()) return exe;
    return QDir(overrideDir()).filePath(QFileInfo(exe).fileName());
}

QString programDir() {
    if (!overrideDir().isEmpty()) return overrideDir();
    return QFileInfo(selfExe()).absolutePath();
}

QString besideProgram(const QString& name) {
    return QDir(programDir()).filePath(name);
}

QString iniPathFor(const QString& programPath) {
    const auto slash = programPath.lastIndexOf(QLatin1Char('/'));
    const QString dir = programPath.left(slash + 1); // keeps the slash; empty for a bare name
    const QString name = programPath.mid(slash + 1);
    const auto dot = name.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the name is no extension separator.
    return dir + (dot > 0 ? name.left(dot) : name) + QStringLiteral(".ini");
}

QString programIniPath() {
    return iniPathFor(programFilePath());
}

} // namespace sorami
