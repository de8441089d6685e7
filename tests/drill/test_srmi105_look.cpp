// What the learner sees of the drill window's buttons: every caption whole,
// every glyph telling enabled from disabled at a glance.
#include "drill_fixture.h"
#include "form_kit.h"

#include <QPushButton>
#include <QToolButton>

using namespace drilltest;

namespace {

// Dark pixels of a widget as drawn: the ink of its caption or glyph.
int ink(QWidget* w) {
    const QImage img = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 90) ++n;
    return n;
}

} // namespace

class TestSrmi105Look : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { sorami::installFontSubstitutions(); }

    void captionsFitTheirButtons() {
        Drill d;
        d.w->show();
        QStringList cut;
        for (QPushButton* b : d.w->findChildren<QPushButton*>()) {
            const QString text = b->text().remove(QLatin1Char('&'));
            if (text.isEmpty() || !b->isVisibleTo(d.w.get())) continue;
            if (b->fontMetrics().horizontalAdvance(text) + sorami::CaptionFrameRoom > b->width())
                cut << text;
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char(' '))));
        QVERIFY(d.w->Owari->font().pixelSize() >= 11); // still readable
    }

    void glyphsShowTheirState_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("flash advance ▷▷") << "AutoDelay";
        QTest::newRow("automatic advance ▶") << "AutoSend";
        QTest::newRow("stop ■") << "AutoStop";
    }
    void glyphsShowTheirState() {
        QFETCH(QString, button);
        Drill d;
        d.w->show();
        QWidget* const b = button == QLatin1String("AutoDelay")
                               ? static_cast<QWidget*>(d.w->AutoDelay)
                           : button == QLatin1String("AutoSend") ? d.w->AutoSend
                                                                 : d.w->AutoStop;
        QVERIFY(!b->isEnabled()); // locked until a file is open
        const int locked = ink(b);
        d.openQuestions(3);
        QVERIFY(b->isEnabled());
        const int usable = ink(b);
        // A usable glyph is solid, as the play button's triangle is; a locked
        // one has next to no dark ink.
        const int play = ink(d.w->AutoSend);
        QVERIFY2(usable * 10 >= play * 6,
                 qPrintable(QStringLiteral("%1 vs %2").arg(usable).arg(play)));
        QVERIFY2(locked * 3 <= usable,
                 qPrintable(QStringLiteral("%1 vs %2").arg(locked).arg(usable)));
    }
};

QTEST_MAIN(TestSrmi105Look)
#include "test_srmi105_look.moc"
