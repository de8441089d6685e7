#pragma once
// The ground both companion windows' tests stand on: a program folder of
// their own, a scripted desktop, and card files written there.

#include "card_files.h"
#include "fake_platform.h"
#include "fonts.h"
#include "program_paths.h"
#include "question_file.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

class CompanionTest : public QObject {
protected:
    QTemporaryDir dir_;
    sorami::FakePlatform fake_;

    // The programs' face names as the programs themselves map them.
    static void mapFaces() { sorami::installFontSubstitutions(); }

    // A fresh program folder state: no INI at `iniPath`, a new desktop script.
    void startAfresh(const QString& iniPath) {
        QVERIFY(dir_.isValid());
        sorami::setProgramDirForTesting(dir_.path());
        QFile::remove(iniPath);
        fake_ = sorami::FakePlatform();
    }

    QString writeCards(int lineCount, const QString& name = QStringLiteral("cards.lko")) {
        const QString path = dir_.filePath(name);
        sorami::writeQuestionFile(path, cardFile(lineCount));
        return path;
    }

    static void writeFileBytes(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
};
