// The paste keys reach a text box only when the clipboard holds text.
#include "paste_guard.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

using namespace sorami;

class TestPasteGuard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installPasteGuard(); }

    void pasteKeys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("clipboard"); // "<none>": nothing at all, "<image>": no text
        QTest::addColumn<QString>("expected");
        for (const char* box : {"QTextEdit", "QPlainTextEdit", "QLineEdit"}) {
            QTest::addRow("%s, empty clipboard", box) << box << "<none>"
                                                      << "ab";
            QTest::addRow("%s, clipboard without text", box) << box << "<image>"
                                                             << "ab";
            QTest::addRow("%s, text on the clipboard", box) << box << "貼り"
                                                            << "ab貼り";
        }
    }
    void pasteKeys() {
        QFETCH(QString, box);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        QClipboard* cb = QGuiApplication::clipboard();
        cb->clear();
        if (clipboard == QLatin1String("<image>")) {
            auto* data = new QMimeData;
            data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
            cb->setMimeData(data);
        } else if (clipboard != QLatin1String("<none>")) {
            cb->setText(clipboard);
        }
        std::unique_ptr<QWidget> w;
        std::function<QString()> text;
        if (box == QLatin1String("QTextEdit")) {
            auto* e = new QTextEdit;
            w.reset(e);
            e->setPlainText(QStringLiteral("ab"));
            e->moveCursor(QTextCursor::End);
            text = [e] { return e->toPlainText(); };
        } else if (box == QLatin1String("QPlainTextEdit")) {
            auto* e = new QPlainTextEdit;
            w.reset(e);
            e->setPlainText(QStringLiteral("ab"));
            e->moveCursor(QTextCursor::End);
            text = [e] { return e->toPlainText(); };
        } else {
            auto* e = new QLineEdit(QStringLiteral("ab"));
            w.reset(e);
            text = [e] { return e->text(); };
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(), expected);
        QCOMPARE(clipboardHoldsText(), expected != QLatin1String("ab"));
    }
};

QTEST_MAIN(TestPasteGuard)
#include "test_paste_guard.moc"
