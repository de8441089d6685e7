// The session ends (a log-off, a shutdown): the drill and the notebook ask
// nothing, write what they can where it belongs and keep the rest as a
// recovery copy, which the next start offers with one question.
#include "Memnote1.h"
#include "drill_fixture.h"
#include "recovery.h"
#include "termination.h"

#include <QDir>

using namespace drilltest;
using sorami::MsgResult;

Q_DECLARE_METATYPE(sorami::MsgResult)

namespace {

QStringList pendingCopies() {
    return QDir(sorami::recoveryPendingFolder()).entryList(QDir::Files, QDir::Name);
}
QByteArray q(int count, const std::set<int>& marked = {}) {
    return QByteArray::fromStdString(questionFile(count, marked));
}

} // namespace

class TestSessionEnd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { sorami::beginSessionEnd(false); }
    void nothingIsAsked_data();
    void nothingIsAsked();
    void nextStartOffersTheCopy_data();
    void nextStartOffersTheCopy();

private:
    std::unique_ptr<QTemporaryDir> data_;
};

void TestSessionEnd::init() {
    data_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", data_->path().toUtf8());
}

// Question 1 answered wrongly, `trouble` in the way, then the session ends
// with the notebook open.
void TestSessionEnd::nothingIsAsked_data() {
    QTest::addColumn<QString>("trouble");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addColumn<QByteArray>("copy"); // what the recovery copy holds; empty: none
    QTest::newRow("none") << "" << q(3, {1}) << QByteArray();
    QTest::newRow("read-only question file") << "read-only" << q(3) << q(3, {1});
    QTest::newRow("file changed by another program") << "changed" << q(4) << q(3, {1});
    QTest::newRow("INI cannot be written") << "ini" << q(3, {1}) << QByteArray();
    QTest::newRow("unsaved note") << "note" << q(3, {1}) << QByteArray("recovered words");
}

void TestSessionEnd::nothingIsAsked() {
    QFETCH(QString, trouble);
    QFETCH(QByteArray, fileAfter);
    QFETCH(QByteArray, copy);
    Drill d;
    const QString file = d.openQuestions(3);
    d.answer(QStringLiteral("wrong"));
    if (trouble == "read-only") QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
    if (trouble == "changed") writeBytes(file, questionFile(4));
    if (trouble == "ini") QVERIFY(QDir().mkpath(d.iniPath()));
    sorami::TSrmMemNote note(d.fake, nullptr);
    note.show();
    if (trouble == "note") note.SoramiMemo->insertPlainText(QStringLiteral("recovered words"));
    d.fake.clearRecords();
    sorami::beginSessionEnd();
    note.close();
    d.w->close();
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(d.fake.messageTexts(), QStringList{});
    QVERIFY(!d.w->isVisible() && !note.isVisible());
    QCOMPARE(QByteArray::fromStdString(readBytes(file)), fileAfter);
    const QStringList copies = pendingCopies();
    QCOMPARE(copies.size(), copy.isEmpty() ? 0 : 1);
    if (!copy.isEmpty())
        QVERIFY(QByteArray::fromStdString(
                    readBytes(QDir(sorami::recoveryPendingFolder()).filePath(copies[0])))
                    .contains(copy));
}

void TestSessionEnd::nextStartOffersTheCopy_data() {
    QTest::addColumn<MsgResult>("answer");
    QTest::newRow("keep") << MsgResult::Yes;
    QTest::newRow("discard") << MsgResult::No;
}

void TestSessionEnd::nextStartOffersTheCopy() {
    QFETCH(MsgResult, answer);
    const QString copy = sorami::recoveryCopyPath(QStringLiteral("q.lko"), QDateTime());
    writeBytes(copy, questionFile(2, {2}));
    sorami::FakePlatform fake;
    fake.messageAnswers.push_back(answer);
    // A second start asks nothing more.
    for (int start = 0; start < 2; ++start)
        sorami::offerRecoveryCopies(fake, nullptr);
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(fake.messages[0].text.contains(QFileInfo(copy).fileName()));
    QCOMPARE(pendingCopies(), QStringList{});
    const QString kept = QDir(sorami::recoveryKeptFolder()).filePath(QFileInfo(copy).fileName());
    QCOMPARE(readBytes(kept), answer == MsgResult::Yes ? questionFile(2, {2}) : "<missing>");
}

QTEST_MAIN(TestSessionEnd)
#include "test_srmi105_session_end.moc"
