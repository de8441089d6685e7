// The memo notebook's help page names menus, buttons and boxes as the
// learner sees them on the screen: every name it puts in brackets is the
// caption of a menu item (its mnemonic shown as the menu shows it, without
// "&"), of a button or box, or a button's hint, in the notebook or the drill.
#include "Memnote1.h"
#include "fake_platform.h"
#include "program_paths.h"
#include "srmi105.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace sorami;

namespace {

// A caption as a menu or button draws it: "&" only underlines the next
// letter (no caption here holds an ampersand of its own).
QString shown(QString caption) {
    return caption.remove(u'&').trimmed();
}

QSet<QString> namesOn(QWidget* window) {
    QSet<QString> names;
    for (const QAction* a : window->findChildren<QAction*>())
        names << shown(a->text());
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        names << w->toolTip().trimmed();
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) names << shown(b->text());
    }
    names.remove(QString());
    return names;
}

} // namespace

class TestHelpPages : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QSet<QString> names_;

private slots:
    void initTestCase() {
        setProgramDirForTesting(dir_.path());
        FakePlatform fake;
        TSorami drill(fake);
        TSrmMemNote note(fake);
        names_ = namesOn(&drill) + namesOn(&note);
    }

    void memoHelpNamesWhatTheWindowsShow_data() {
        QTest::addColumn<QString>("name");
        QFile page(qEnvironmentVariable("SORAMI_SOURCE_DIR") + "/assets/help/Memo10.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        QTextDocument html;
        html.setHtml(QString::fromUtf8(page.readAll()));
        // Names stand in 「」 or ［］.
        static const QRegularExpression quoted(QStringLiteral("「([^」]+)」|［([^］]+)］"));
        QSet<QString> seen;
        for (const auto& m : quoted.globalMatch(html.toPlainText())) {
            const QString name = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
            if (!seen.contains(name)) QTest::newRow(qPrintable(name)) << name;
            seen << name;
        }
        QVERIFY(seen.size() > 10);
    }
    void memoHelpNamesWhatTheWindowsShow() {
        QFETCH(QString, name);
        QVERIFY2(names_.contains(name), qPrintable(name));
    }
};

QTEST_MAIN(TestHelpPages)
#include "test_help_pages.moc"
