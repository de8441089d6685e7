#include "memo_files.h"

#include "profile_ini.h"
#include "program_paths.h"
#include "sorami_error.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorami {
namespace {

const QString ColourSection = QStringLiteral("メモ背景色");
const QString NameSection = QStringLiteral("ﾒﾓﾌｫﾝﾄの名前");
const QString SizeSection = QStringLiteral("ﾒﾓﾌｫﾝﾄのｻｲｽﾞ");
const QString FontColourSection = QStringLiteral("ﾒﾓﾌｫﾝﾄの色");
const QString ModeSection = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙの形式");

QString cannotOpen(const QString& path) {
    return fillTemplate(QStringLiteral("ﾌｧｲﾙ %s は開けません"), QDir::toNativeSeparators(path));
}

} // namespace

rich::Document readMemoFile(const QString& path, MemoMode mode) {
    // Only a regular file is read: a named pipe or a device would block or never end.
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) raise(cannotOpen(path));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) raise(cannotOpen(path));
    const std::string_view bytes(data.constData(), static_cast<size_t>(data.size()));
    if (mode == MemoMode::Rich)
        if (auto doc = rich::readRtf(bytes)) return std::move(*doc);
    return rich::readPlainText(bytes);
}

void writeMemoFile(const QString& path, const rich::Document& doc, MemoMode mode) {
    const std::string bytes =
        mode == MemoMode::Rich ? rich::writeRtf(doc) : rich::writePlainText(doc);
    writeWholeFile(
        path, bytes,
        {fillTemplate(QStringLiteral("ﾌｧｲﾙ %s を作成できません"), QDir::toNativeSeparators(path)),
         {}});
}

QString memoIniPath() {
    return settingsFilePath(QStringLiteral("SoramiMemo.ini"));
}

MemoSettings readMemoSettings(const QString& iniPath) {
    const ProfileIni ini(iniPath);
    MemoSettings s;
    s.background = ini.readInteger(ColourSection, QStringLiteral("Color"), -1);
    s.faceName = ini.readString(NameSection, QStringLiteral("Name"), "-1");
    s.size = ini.readInteger(SizeSection, QStringLiteral("Size"), -1);
    s.fontColour = ini.readInteger(FontColourSection, QStringLiteral("Color"), -1);
    s.plainText = ini.readBool(ModeSection, QStringLiteral("PlainText"), true);
    return s;
}

void writeMemoSettings(const QString& iniPath, const MemoSettings& s) {
    ProfileIni ini(iniPath);
    ini.batch([&] {
        ini.writeInteger(ColourSection, QStringLiteral("Color"), s.background);
        ini.writeString(NameSection, QStringLiteral("Name"), s.faceName);
        ini.writeInteger(SizeSection, QStringLiteral("Size"), s.size);
        ini.writeInteger(FontColourSection, QStringLiteral("Color"), s.fontColour);
        ini.writeBool(ModeSection, QStringLiteral("PlainText"), s.plainText);
    });
}

MemoModule& memoModule() {
    static MemoModule module;
    return module;
}

} // namespace sorami
