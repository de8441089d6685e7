#include "program_paths.h"

#include "whole_file.h"

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

namespace {

constexpr char ProjectFolder[] = "sorami";

bool writableFolder(const QString& dir) {
    return QFileInfo(dir).isDir() && mayWrite(dir);
}

QString userFolder(const char* variable, const QString& fallback) {
    QString base = qEnvironmentVariable(variable);
    // Only an absolute path counts, as the base directory rules ask.
    if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + fallback;
    return QDir(base).filePath(QString::fromLatin1(ProjectFolder));
}

} // namespace

QString installedShareDir() {
    return QDir::cleanPath(programDir() + QStringLiteral("/../share/") +
                           QString::fromLatin1(ProjectFolder));
}

bool keepsFilesBesideProgram() {
    return writableFolder(programDir()) && !QFileInfo(installedShareDir()).isDir();
}

QString writableFilePath(const QString& name, FileKind kind) {
    if (keepsFilesBesideProgram()) return besideProgram(name);
    const QString dir = kind == FileKind::Settings
                            ? userFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"))
                            : userFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

QString userDataFolder() {
    return userFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}

QString questionFolderAtStart() {
    if (keepsFilesBesideProgram()) return {};
    const QFileInfo sample(shippedFilePath(QStringLiteral("sample.lko")));
    return sample.exists() ? sample.absolutePath() : QString();
}

QString shippedFilePath(const QString& relativePath) {
    const QString beside = besideProgram(relativePath);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QDir(installedShareDir()).filePath(relativePath);
    return QFileInfo::exists(installed) ? installed : beside;
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
    return settingsFilePath(QFileInfo(iniPathFor(programFilePath())).fileName());
}

} // namespace sorami
