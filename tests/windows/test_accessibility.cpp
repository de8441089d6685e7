// Every control the keyboard can reach has a name a screen reader can say,
// in every window of the three programs; the text boxes carry the names the
// learner reads beside them.
#include "SrmMinifm.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

using namespace sorami;

namespace {

QString spokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// Focusable controls without a spoken name, by class and object name.
QStringList nameless(QWidget* window) {
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window)) continue;
        // Parts of a compound control speak through it.
        if (w->focusProxy() || w->parentWidget()->inherits("QAbstractSpinBox")) continue;
        if (spokenName(w).trimmed().isEmpty())
            out << QStringLiteral("%1 %2").arg(w->metaObject()->className(), w->objectName());
    }
    return out;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    FakePlatform fake_;

private slots:
    void init() { setProgramDirForTesting(dir_.path()); }

    void everyWindowNamesItsControls_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("drill") << 0;
        QTest::newRow("card viewer") << 1;
        QTest::newRow("mini drill") << 2;
    }
    void everyWindowNamesItsControls() {
        QFETCH(int, window);
        std::unique_ptr<QWidget> w;
        QStringList boxes;
        if (window == 0) {
            auto* d = new TSorami(fake_);
            w.reset(d);
            boxes = {spokenName(d->WabunDisp), spokenName(d->SeikaiDisp),
                     spokenName(d->KaitouDisp)};
            QCOMPARE(boxes, (QStringList{"和文", "正解", "解答"}));
        } else if (window == 1) {
            auto* v = new TSoramiMiniVer(fake_, ViewerBuild::StandAlone);
            w.reset(v);
            QCOMPARE(spokenName(v->Yomikomi), QStringLiteral("ファイルを開く"));
        } else {
            auto* m = new TSoramiMini(fake_);
            w.reset(m);
            QCOMPARE(spokenName(m->Susumeru), QStringLiteral("問題を進める"));
        }
        w->show();
        const QStringList missing = nameless(w.get());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
