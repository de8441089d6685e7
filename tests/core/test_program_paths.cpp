// Where settings and scores go: beside a program in a folder of its own, in
// the learner's folders for an installed copy.
#include "program_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorami;

class TestProgramPaths : public QObject {
    Q_OBJECT
private slots:
    void whereFilesGo_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("settingsIn"); // "program", "config" or "data"
        QTest::addColumn<QString>("scoresIn");
        // Where the open dialog starts: "" the working folder, else the
        // folder of the shipped sample.
        QTest::addColumn<QString>("questionsFrom");
        QTest::newRow("build or copied folder") << "own"
                                                << "program"
                                                << "program"
                                                << "";
        QTest::newRow("read-only folder") << "read-only"
                                          << "config"
                                          << "data"
                                          << "program";
        QTest::newRow("installed, even where writable") << "installed"
                                                        << "config"
                                                        << "data"
                                                        << "share";
    }
    void whereFilesGo() {
        QFETCH(QString, layout);
        QFETCH(QString, settingsIn);
        QFETCH(QString, scoresIn);
        QFETCH(QString, questionsFrom);
        QTemporaryDir root, home;
        const QString bin = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/sorami"));
        QVERIFY(QDir().mkpath(bin));
        const bool installed = layout == QLatin1String("installed");
        if (installed) QVERIFY(QDir().mkpath(share));
        QVERIFY(QFile(QDir(installed ? share : bin).filePath(QStringLiteral("sample.lko")))
                    .open(QIODevice::WriteOnly));
        if (layout == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther));
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
        setProgramDirForTesting(bin);
        const QMap<QString, QString> folders{
            {QStringLiteral("program"), bin},
            {QStringLiteral("config"), home.filePath(QStringLiteral("config/sorami"))},
            {QStringLiteral("data"), home.filePath(QStringLiteral("data/sorami"))},
            {QStringLiteral("share"), share}};
        QCOMPARE(settingsFilePath(QStringLiteral("ソラミ君.ini")),
                 folders[settingsIn] + QStringLiteral("/ソラミ君.ini"));
        QCOMPARE(scoreFilePath(QStringLiteral("成績.dat")),
                 folders[scoresIn] + QStringLiteral("/成績.dat"));
        // The program's own INI keeps its name wherever it goes.
        QCOMPARE(QFileInfo(programIniPath()).absolutePath(), folders[settingsIn]);
        // The learner's folders exist once a path in them was asked for.
        QVERIFY(QFileInfo(folders[settingsIn]).isDir());
        QCOMPARE(questionFolderAtStart(), folders.value(questionsFrom));
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setProgramDirForTesting({});
    }

    void shippedFilesBesideOrInstalled() {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/sorami"));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share + QStringLiteral("/help")));
        setProgramDirForTesting(bin);
        QFile(share + QStringLiteral("/help/Sorami10.html")).open(QIODevice::WriteOnly);
        QCOMPARE(shippedFilePath(QStringLiteral("help/Sorami10.html")),
                 share + QStringLiteral("/help/Sorami10.html"));
        QDir(bin).mkpath(QStringLiteral("help"));
        QFile(bin + QStringLiteral("/help/Sorami10.html")).open(QIODevice::WriteOnly);
        QCOMPARE(shippedFilePath(QStringLiteral("help/Sorami10.html")),
                 bin + QStringLiteral("/help/Sorami10.html"));
        setProgramDirForTesting({});
    }
};

QTEST_MAIN(TestProgramPaths)
#include "test_program_paths.moc"
