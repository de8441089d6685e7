// A question file another program changed while the drill held marks is
// never overwritten unasked: the learner puts the marks on the file as it
// is now, or leaves the file alone.
#include "drill_fixture.h"

#include <QDateTime>
#include <QDir>

using namespace drilltest;
using sorami::MsgResult;

Q_DECLARE_METATYPE(sorami::MsgResult)

namespace {

QString changedText(const QString& path) {
    return QStringLiteral(
               "ファイル %1 は、読み込んだ後にほかのプログラムで書き換えられています。\r\n"
               "このセッションのマークを今のファイルの問題に付けて保存しますか？\r\n"
               "「いいえ」を選ぶと、ファイルは今のままにします。")
        .arg(path);
}

void setModified(const QString& path, int secondsLater) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                          QFileDevice::FileModificationTime));
}

} // namespace

class TestFileChanged : public QObject {
    Q_OBJECT
private slots:
    void changedFileIsNeverOverwrittenUnasked_data();
    void changedFileIsNeverOverwrittenUnasked();
};

// Question 2 answered wrongly; meanwhile another program writes `now` to the
// file (or rewrites its bytes unchanged); then the window closes.
void TestFileChanged::changedFileIsNeverOverwrittenUnasked_data() {
    QTest::addColumn<QByteArray>("now"); // empty: the same bytes again
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<QByteArray>("expected"); // the file after the exit
    const auto q = [](int n, const std::set<int>& m = {}) {
        return QByteArray::fromStdString(questionFile(n, m));
    };
    const QByteArray first =
        QByteArray::fromStdString(sorami::sjis("新しい問題\r\nNew.\r\nnew\r\n"));
    QByteArray sameSize = q(3);
    sameSize.replace("Answer 3.", "Answer 9.");
    QTest::newRow("untouched") << q(3) << MsgResult::No << q(3, {2});
    QTest::newRow("saved unchanged") << QByteArray() << MsgResult::No << q(3, {2});
    QTest::newRow("question added, marks put on") << q(4) << MsgResult::Yes << q(4, {2});
    QTest::newRow("question added, file left") << q(4) << MsgResult::No << q(4);
    QTest::newRow("question inserted first, marks follow their question")
        << first + q(3) << MsgResult::Yes << first + q(3, {2});
    QTest::newRow("same size, other bytes")
        << sameSize << MsgResult::Yes << QByteArray(q(3, {2})).replace("Answer 3.", "Answer 9.");
}

void TestFileChanged::changedFileIsNeverOverwrittenUnasked() {
    QFETCH(QByteArray, now);
    QFETCH(MsgResult, answer);
    QFETCH(QByteArray, expected);
    Drill d;
    const QString file = d.openQuestions(3);
    d.w->SusumeruClick();
    d.answer(QStringLiteral("wrong"));
    const bool changed = !now.isEmpty() && now != QByteArray::fromStdString(questionFile(3));
    if (now != QByteArray::fromStdString(questionFile(3))) {
        writeBytes(file, now.isEmpty() ? questionFile(3) : now.toStdString());
        setModified(file, 10);
    }
    d.fake.messageAnswers.push_back(answer);
    d.w->close();
    QCOMPARE(d.fake.messageTexts(),
             changed ? QStringList{changedText(QDir::toNativeSeparators(file))} : QStringList{});
    QCOMPARE(QByteArray::fromStdString(readBytes(file)), expected);
    QVERIFY(!d.w->isVisible());
}

QTEST_MAIN(TestFileChanged)
#include "test_srmi105_file_changed.moc"
