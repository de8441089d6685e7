#include "marks_journal.h"
#include "program_paths.h"
#include "sjis_text.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace sorami;

namespace {

// "犬 ?猫 鳥=a bird": a question per word, "?" marks it, "=" gives its
// answer (else the word's own).
Lines questions(const QString& words) {
    Lines lines;
    for (const QString& q : words.split(' ', Qt::SkipEmptyParts)) {
        const QString word = q.section('=', 0, 0);
        lines.push_back(toSjis(word.startsWith('?') ? "? " + word.mid(1) : word));
        lines.push_back(
            toSjis(q.contains('=') ? q.section('=', 1) : word.mid(word.startsWith('?'))));
        lines.push_back("");
    }
    return lines;
}

} // namespace

class TestMarksJournal : public QObject {
    Q_OBJECT
private slots:
    void reopening_data();
    void reopening();
};

// A session over "犬 猫 鳥" records marks ("+line" set, "-line" taken off),
// dies, and the file is opened again as `now`.
void TestMarksJournal::reopening_data() {
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<bool>("otherFile"); // the journal names another question file
    QTest::addColumn<bool>("cutShort");  // a last record without its line end
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("expected");
    const QStringList both = {"+0", "+6"};
    QTest::newRow("applied") << both << false << false << "犬 猫 鳥"
                             << "?犬 猫 ?鳥";
    QTest::newRow("later record wins")
        << QStringList{"+0", "+6", "-0"} << false << false << "犬 猫 鳥"
        << "犬 猫 ?鳥";
    QTest::newRow("taken off") << QStringList{"-3"} << false << false << "犬 ?猫 鳥"
                               << "犬 猫 鳥";
    QTest::newRow("last record cut short") << both << false << true << "犬 猫 鳥 蛙"
                                           << "?犬 猫 ?鳥 蛙";
    QTest::newRow("journal of another file") << both << true << false << "犬 猫 鳥"
                                             << "犬 猫 鳥";
    QTest::newRow("question added before meanwhile") << both << false << false << "蛙 犬 猫 鳥"
                                                     << "蛙 ?犬 猫 ?鳥";
    QTest::newRow("question gone, answer changed meanwhile")
        << both << false << false << "猫 鳥=a bird"
        << "猫 鳥=a bird";
}

void TestMarksJournal::reopening() {
    QFETCH(QStringList, records);
    QFETCH(bool, otherFile);
    QFETCH(bool, cutShort);
    QFETCH(QString, now);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    setProgramDirForTesting(dir.path());
    const QString file = dir.filePath(QStringLiteral("q.lko"));
    const QString other = dir.filePath(QStringLiteral("other.lko"));
    {
        MarksJournal journal;
        journal.start(otherFile ? other : file);
        for (const QString& r : records) {
            MarkRecord rec = markRecordAt(questions("犬 猫 鳥 蛙"), r.mid(1).toInt());
            rec.marked = r.startsWith('+');
            QVERIFY(journal.record(rec));
        }
        journal.keepOnDisk();
    }
    if (otherFile) QVERIFY(QFile::rename(marksJournalPath(other), marksJournalPath(file)));
    QFile f(marksJournalPath(file));
    QVERIFY(f.open(QIODevice::Append));
    MarkRecord frog = markRecordAt(questions("犬 猫 鳥 蛙"), 9);
    if (cutShort) f.write("+ 9 " + QByteArray::number(frog.key, 16).rightJustified(8, '0'));
    f.close();
    Lines lines = questions(now);
    applyMarks(journalledMarks(file), lines);
    QCOMPARE(lines, questions(expected));
}

QTEST_GUILESS_MAIN(TestMarksJournal)
#include "test_marks_journal.moc"
