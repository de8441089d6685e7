#include "recovery.h"

#include "program_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorami {

QString recoveryKeptFolder() {
    return userDataFolder();
}

QString recoveryPendingFolder() {
    return QDir(recoveryKeptFolder()).filePath(QStringLiteral("recovery"));
}

QString recoveryCopyPath(const QString& originalName, const QDateTime& moment) {
    const QDir dir(recoveryPendingFolder());
    QDir().mkpath(dir.path());
    const QString stem = moment.toString(QStringLiteral("yyyyMMdd-HHmmss-"));
    QString name = stem + QFileInfo(originalName).fileName();
    // Two copies of one name in one second (the drill's list and the memo
    // of the same name) both stay.
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = stem + QString::number(n) + QLatin1Char('-') + QFileInfo(originalName).fileName();
    return dir.filePath(name);
}

void offerRecoveryCopies(Platform& platform, QWidget* parent) {
    const QDir pending(recoveryPendingFolder());
    const QDir kept(recoveryKeptFolder());
    for (const QFileInfo& copy : pending.entryInfoList(QDir::Files, QDir::Name)) {
        const QString keptPath = kept.filePath(copy.fileName());
        const MsgResult r = platform.messageBox(
            parent,
            QStringLiteral("前回の終了時に保存できなかった内容が残っています。\r\n%1\r\n\r\n"
                           "このファイルを %2 に残しますか？\r\n"
                           "「いいえ」を選ぶと削除します。")
                .arg(copy.fileName(), QDir::toNativeSeparators(kept.path())),
            MsgIcon::Question, MsgButtons::YesNo);
        if (r == MsgResult::Yes) {
            // A kept copy of that name is never replaced; this one is then
            // offered again next time.
            QFile::rename(copy.filePath(), keptPath);
        } else {
            QFile::remove(copy.filePath());
        }
    }
}

} // namespace sorami
