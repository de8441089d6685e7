// Where a typed answer differs from the model answer: the spans marked in
// each text (shown here in brackets) and the kind of difference named.
#include "answer_diff.h"
#include "sjis_text.h"

#include <QTest>

using sorami::AnswerDiff;
using Kind = AnswerDiff::Kind;

Q_DECLARE_METATYPE(Kind)

namespace {

QString bracketed(const QString& text, const std::vector<sorami::TextSpan>& spans) {
    QString out = text;
    for (auto it = spans.rbegin(); it != spans.rend(); ++it) {
        out.insert(it->start + it->length, u']');
        out.insert(it->start, u'[');
    }
    return out;
}

QString sj(const char* bytes) {
    return sorami::fromSjis(bytes);
}

} // namespace

class TestAnswerDiff : public QObject {
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
};

void TestAnswerDiff::differences_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("typedMarked");
    QTest::addColumn<QString>("modelMarked");
    QTest::addColumn<Kind>("kind");
    auto row = [](const char* name, const QString& typed, const QString& model,
                  const char* typedMarked, const char* modelMarked, Kind kind) {
        QTest::newRow(name) << typed << model << QString::fromUtf8(typedMarked)
                            << QString::fromUtf8(modelMarked) << kind;
    };
    row("equal", u"I am ten."_qs, u"I am ten."_qs, "I am ten.", "I am ten.", Kind::Equal);
    row("a digit left out", u"I am 1 years old."_qs, u"I am 10 years old."_qs, "I am 1 years old.",
        "I am 1[0] years old.", Kind::Mixed);
    // The longest texts marked, nothing shared: the search's buffer is let go
    // after it, and the rows below must not see what it left.
    row("nothing shared, as long as marked", QString(1000, u'x'), QString(1000, u'y'),
        qPrintable(u'[' + QString(1000, u'x') + u']'),
        qPrintable(u'[' + QString(1000, u'y') + u']'), Kind::Mixed);
    row("case only", u"i like it."_qs, u"I like it."_qs, "[i] like it.", "[I] like it.",
        Kind::CaseOnly);
    row("punctuation only", u"Yes it is"_qs, u"Yes, it is."_qs, "Yes it is", "Yes[,] it is[.]",
        Kind::Punctuation);
    row("a trailing space", u"I am. "_qs, u"I am."_qs, "I am.[ ]", "I am.", Kind::SpacesOnly);
    row("a space left out", u"Iam."_qs, u"I am."_qs, "Iam.", "I[ ]am.", Kind::SpacesOnly);
    row("full-width letters", u"I am ｔｅｎ."_qs, u"I am ten."_qs, "I am [ｔｅｎ].", "I am [ten].",
        Kind::FullWidth);
    row("an ideographic space", u"I　am."_qs, u"I am."_qs, "I[　]am.", "I[ ]am.", Kind::FullWidth);
    row("case and punctuation", u"yes"_qs, u"Yes."_qs, "[y]es", "[Y]es[.]", Kind::Mixed);
    row("a word changed", u"He go home."_qs, u"He goes home."_qs, "He go home.", "He go[es] home.",
        Kind::Mixed);
    row("Japanese, one character each", u"私は学生です"_qs, u"私は先生です"_qs, "私は[学]生です",
        "私は[先]生です", Kind::Mixed);
    row("an invalid byte in the model answer", u"abc"_qs,
        sj("ab\x80"
           "c"),
        "abc", "ab[\xEF\xBF\xBD]c", Kind::Mixed);
    row("an invalid byte typed back", sj("a\x88"), u"a"_qs, "a[\xEF\xBF\xBD]", "a", Kind::Mixed);
    row("a character outside the first plane", u"I 😀"_qs, u"I"_qs, "I[ 😀]", "I", Kind::Mixed);
    row("nothing typed", QString(), u"Go."_qs, "", "[Go.]", Kind::Mixed);
}

void TestAnswerDiff::differences() {
    QFETCH(QString, typed);
    QFETCH(QString, model);
    const AnswerDiff diff = sorami::diffAnswers(typed, model);
    QTEST(bracketed(typed, diff.typedExtra), "typedMarked");
    QTEST(bracketed(model, diff.modelMissing), "modelMarked");
    QTEST(diff.kind, "kind");
}

QTEST_MAIN(TestAnswerDiff)
#include "test_answer_diff.moc"
