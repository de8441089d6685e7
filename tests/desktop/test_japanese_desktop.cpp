// The standard dialogs' dates and day names are Japanese whatever the
// user's locale (the test runs under LC_ALL=C.UTF-8), and the rest of the
// user's locale stays as it was.
#include "app_setup.h"

#include <QDateTime>
#include <QDir>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

class TestJapaneseDesktop : public QObject {
    Q_OBJECT
private slots:
    void fileDialogDatesAreJapanese() {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("a.lko")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QFileSystemModel model;
        model.setRootPath(dir.path());
        const QModelIndex file = model.index(f.fileName());
        QVERIFY(file.isValid());
        const QString shown = model.index(file.row(), 3, file.parent()).data().toString();
        const QDate today = QFileInfo(f).lastModified().date();
        QVERIFY2(shown.startsWith(today.toString(QStringLiteral("yyyy/MM/dd"))), qPrintable(shown));
    }
    void dayNamesAreJapanese() {
        QCOMPARE(QLocale::system().dayName(6), QStringLiteral("土曜日"));
        QCOMPARE(QLocale::system().toString(QDate(2026, 12, 12), QStringLiteral("ddd")),
                 QStringLiteral("土"));
    }
    void characterTypeStaysTheUsers() {
        // The test environment asks for C.UTF-8 through LC_ALL.
        QCOMPARE(QByteArray(std::setlocale(LC_CTYPE, nullptr)), QByteArray("C.UTF-8"));
    }
};

int main(int argc, char** argv) {
    sorami::Application app(argc, argv, QStringLiteral("test"), QStringLiteral("test"));
    TestJapaneseDesktop t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_japanese_desktop.moc"
