// The real dialogs, driven offscreen: what the learner sees in them (Japanese
// buttons, line breaks, titles, filters) and what they hand back.

#include "app_setup.h"
#include "qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace sorami;

Q_DECLARE_METATYPE(sorami::MsgButtons)
Q_DECLARE_METATYPE(sorami::MsgResult)

namespace {
// Runs `act` on the modal dialog as soon as it is up.
void whenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start(10);
}

QStringList buttonTexts(QWidget* w) {
    QStringList out;
    for (auto* b : w->findChildren<QAbstractButton*>())
        if (b->isVisible() || !b->text().isEmpty()) out << b->text().remove(QLatin1Char('&'));
    return out;
}

QAbstractButton* buttonWith(QWidget* w, const QString& text) {
    for (auto* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove(QLatin1Char('&')).startsWith(text)) return b;
    return nullptr;
}
} // namespace

class TestQtPlatform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(QStringLiteral("LkO for Win95")); }
    void messageBoxes_data();
    void messageBoxes();
    void shortMessageKeepsItsTitleWhole_data();
    void shortMessageKeepsItsTitleWhole();
    void inputBoxGivesDefaultOnCancel();
    void openDialogShowsTheFilterList();
    void starDotStarListsEveryFile_data();
    void starDotStarListsEveryFile();
    void saveDialogKeepsTheNameWhenTheFilterChanges_data();
    void saveDialogKeepsTheNameWhenTheFilterChanges();
    void fontChooserKeepsTheStoredFace();
    void fontDialogKeysCloseTheWholeDialog_data();
    void fontDialogKeysCloseTheWholeDialog();
    void colourChooserKeepsItsCustomColours();
    void changesArePaintedBeforeWaiting_data();
    void changesArePaintedBeforeWaiting();

private:
    QtPlatform platform_;
};

void TestQtPlatform::messageBoxes_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<QStringList>("expectedButtons");
    QTest::addColumn<QString>("press");
    QTest::addColumn<MsgResult>("result");
    QTest::newRow("yes/no, no") << MsgButtons::YesNo << QStringList{"はい", "いいえ"} << "いいえ"
                                << MsgResult::No;
    QTest::newRow("yes/no, yes") << MsgButtons::YesNo << QStringList{"はい", "いいえ"} << "はい"
                                 << MsgResult::Yes;
    QTest::newRow("ok/cancel") << MsgButtons::OkCancel << QStringList{"OK", "キャンセル"}
                               << "キャンセル" << MsgResult::Cancel;
    QTest::newRow("yes/no/cancel")
        << MsgButtons::YesNoCancel << QStringList{"はい", "いいえ", "キャンセル"} << "はい"
        << MsgResult::Yes;
    QTest::newRow("retry/cancel") << MsgButtons::RetryCancel << QStringList{"再試行", "キャンセル"}
                                  << "再試行" << MsgResult::Retry;
    QTest::newRow("ok") << MsgButtons::Ok << QStringList{"OK"} << "OK" << MsgResult::Ok;
}

void TestQtPlatform::messageBoxes() {
    QFETCH(MsgButtons, buttons);
    QFETCH(QStringList, expectedButtons);
    QFETCH(QString, press);
    QFETCH(MsgResult, result);
    QString title, text;
    QStringList shown;
    whenModal([&](QWidget* w) {
        title = w->windowTitle();
        for (auto* l : w->findChildren<QLabel*>())
            if (l->text().contains(QStringLiteral("終了"))) text = l->text();
        shown = buttonTexts(w);
        if (auto* b = buttonWith(w, press)) b->click();
    });
    const MsgResult r = platform_.messageBox(
        nullptr, QStringLiteral("ソラミ君ＬｋＯを終了します\r\nよろしいですか？"),
        MsgIcon::Question, buttons);
    QCOMPARE(r, result);
    QCOMPARE(title, QStringLiteral("LkO for Win95"));
    QCOMPARE(text, QStringLiteral("ソラミ君ＬｋＯを終了します\nよろしいですか？"));
    // Japanese buttons carry their access key in brackets: "はい(Y)".
    for (const QString& b : expectedButtons)
        QVERIFY2(std::any_of(shown.begin(), shown.end(),
                             [&](const QString& s) { return s.startsWith(b); }),
                 qPrintable(shown.join(',')));
}

void TestQtPlatform::shortMessageKeepsItsTitleWhole_data() {
    QTest::addColumn<QString>("caption");
    QTest::newRow("application title") << QString();
    QTest::newRow("long caption") << QStringLiteral("「ガンバレソラミ君」の成績表の確認");
}

void TestQtPlatform::shortMessageKeepsItsTitleWhole() {
    QFETCH(QString, caption);
    int width = 0, needed = 0;
    whenModal([&](QWidget* w) {
        // Room for the title and for the title bar's own buttons.
        needed = w->fontMetrics().horizontalAdvance(w->windowTitle()) + 80;
        width = w->width();
        qobject_cast<QDialog*>(w)->accept();
    });
    platform_.messageBox(nullptr, QStringLiteral("!"), MsgIcon::None, MsgButtons::Ok, caption);
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
}

void TestQtPlatform::inputBoxGivesDefaultOnCancel() {
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QStringLiteral("名前の登録"));
        QVERIFY(d->labelText().contains(QStringLiteral("世界へ！\n\nあなた")));
        d->setTextValue(QStringLiteral("花子"));
        d->accept();
    });
    const QString prompt =
        QStringLiteral("ようこそ「ガンバレソラミ君」の世界へ！\r\n\r\nあなたの名前を登録します。");
    QCOMPARE(platform_.inputBox(nullptr, QStringLiteral("名前の登録"), prompt, {}),
             QStringLiteral("花子"));
    whenModal([](QWidget* w) {
        qobject_cast<QInputDialog*>(w)->setTextValue(QStringLiteral("typed"));
        qobject_cast<QInputDialog*>(w)->reject();
    });
    QCOMPARE(platform_.inputBox(nullptr, QStringLiteral("t"), QStringLiteral("p"),
                                QStringLiteral("既定")),
             QStringLiteral("既定"));
}

void TestQtPlatform::openDialogShowsTheFilterList() {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("問題.lko")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    FileDialogState state;
    state.filter = QStringLiteral("ソラミ君データ(*.lko)|*.lko|すべてのﾌｧｲﾙ(*.*)|*.*");
    state.initialDir = dir.path();
    QStringList filters;
    QString selectedFilter;
    bool stuck = false;
    whenModal([&](QWidget* w) {
        // Whatever happens below, a dialog still open a moment after is
        // closed, so a failure is reported instead of waiting for ever.
        const auto rescue = qScopeGuard([&stuck, dialog = QPointer<QWidget>(w)] {
            QTimer::singleShot(200, [&stuck, dialog] {
                if (!dialog || !dialog->isVisible()) return;
                stuck = true;
                qobject_cast<QDialog*>(dialog.data())->reject();
            });
        });
        auto* d = qobject_cast<QFileDialog*>(w);
        QVERIFY(d);
        filters = d->nameFilters();
        selectedFilter = d->selectedNameFilter();
        // The directory is read in the background: the name is given once
        // the file is listed, and typed into the name box, as the learner
        // does (selectFile leaves a box that has the focus empty).
        auto* list = d->findChild<QListView*>(QStringLiteral("listView"));
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(list && name);
        QTRY_VERIFY(list->model()->rowCount(list->rootIndex()) > 0);
        name->setText(QStringLiteral("問題.lko"));
        static_cast<QDialog*>(d)->accept();
    });
    QVERIFY(platform_.openFile(nullptr, state));
    QVERIFY2(!stuck, "the dialog did not take the listed file");
    QCOMPARE(filters, (QStringList{"ソラミ君データ(*.lko)", "すべてのﾌｧｲﾙ(*.*)"}));
    QCOMPARE(selectedFilter, QStringLiteral("ソラミ君データ(*.lko)"));
    QCOMPARE(state.fileName, dir.filePath(QStringLiteral("問題.lko")));
    QCOMPARE(state.filterIndex, 1);

    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    FileDialogState before = state;
    QVERIFY(!platform_.openFile(nullptr, state));
    QCOMPARE(state.fileName, before.fileName);
}

void TestQtPlatform::starDotStarListsEveryFile_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<bool>("chosenInTheDialog"); // else selected when it opens
    QTest::addColumn<QStringList>("listed");
    const QString drill = QStringLiteral("ソラミ君データ(*.lko)|*.lko|ソラミ君データ(*.sra)|*.sra|"
                                         "ﾃｷｽﾄﾌｧｲﾙ   (*.txt)|*.txt|ある特定ﾌｧｲﾙ(*.qvd)|*.qvd|"
                                         "すべてのﾌｧｲﾙ(*.*)|*.*");
    QTest::newRow("*.lko") << drill << 1 << false << QStringList{"a.lko"};
    QTest::newRow("*.* when the dialog opens")
        << drill << 5 << false << QStringList{"a.lko", "b.mem", "noext"};
    QTest::newRow("*.* chosen in the dialog")
        << drill << 1 << true << QStringList{"a.lko", "b.mem", "noext"};
    // Labels Qt cannot read a pattern from still list by their own patterns.
    QTest::newRow("full-width parenthesis")
        << QStringLiteral("ソラミ君データ（*.lko)|*.lko") << 1 << false << QStringList{"a.lko"};
    QTest::newRow("label without parentheses, two patterns")
        << QStringLiteral("メモ|*.mem;*.lko") << 1 << false << QStringList{"a.lko", "b.mem"};
}

void TestQtPlatform::starDotStarListsEveryFile() {
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(bool, chosenInTheDialog);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    for (const char* name : {"a.lko", "noext", "b.mem"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    FileDialogState state;
    state.filter = filter;
    state.filterIndex = filterIndex;
    state.initialDir = dir.path();
    QStringList shown, labels;
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < types->count(); ++i)
            labels << types->itemText(i);
        if (chosenInTheDialog) {
            types->setCurrentIndex(4);
            emit types->activated(4);
            emit types->textActivated(types->currentText());
        }
        auto* list = d->findChild<QListView*>(QStringLiteral("listView"));
        // The directory is read in the background.
        QTRY_VERIFY(list->model()->rowCount(list->rootIndex()) > 0);
        QTest::qWait(100);
        for (int i = 0; i < list->model()->rowCount(list->rootIndex()); ++i)
            shown << list->model()->index(i, 0, list->rootIndex()).data().toString();
        d->reject();
    });
    QVERIFY(!platform_.openFile(nullptr, state));
    shown.sort();
    QCOMPARE(shown, listed);
    QStringList given;
    for (const NameFilter& entry : parseFilterList(filter))
        given << entry.label;
    QCOMPARE(labels, given);
}

void TestQtPlatform::saveDialogKeepsTheNameWhenTheFilterChanges_data() {
    QTest::addColumn<QList<int>>("filtersChosen"); // combo rows, in order
    QTest::addColumn<QString>("typed");            // then typed, then *.* chosen; empty: none
    QTest::addColumn<QString>("saved");
    QTest::newRow("all files") << QList<int>{4} << ""
                               << "問題.lko";
    QTest::newRow("text files") << QList<int>{2} << ""
                                << "問題.lko";
    QTest::newRow("there and back") << QList<int>{2, 4, 0} << ""
                                    << "問題.lko";
    QTest::newRow("typed name, then all files") << QList<int>{} << "new.sra"
                                                << "new.sra";
}

void TestQtPlatform::saveDialogKeepsTheNameWhenTheFilterChanges() {
    // No extension is ever put on a name: choosing a filter only changes
    // what the dialog lists.
    QFETCH(QList<int>, filtersChosen);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    FileDialogState state;
    state.filter = QStringLiteral("ソラミ君データ(*.lko)|*.lko|ソラミ君データ(*.sra)|*.sra|"
                                  "ﾃｷｽﾄﾌｧｲﾙ   (*.txt)|*.txt|ある特定ﾌｧｲﾙ(*.qvd)|*.qvd|"
                                  "すべてのﾌｧｲﾙ(*.*)|*.*");
    state.fileName = dir.filePath(QStringLiteral("問題.lko"));
    whenModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        for (int row : filtersChosen) {
            types->setCurrentIndex(row);
            emit types->activated(row);
            emit types->textActivated(types->currentText());
        }
        if (!typed.isEmpty()) {
            name->clear();
            QTest::keyClicks(name, typed);
            types->setCurrentIndex(4);
            emit types->activated(4);
            emit types->textActivated(types->currentText());
        }
        static_cast<QDialog*>(d)->accept();
    });
    QVERIFY(platform_.saveFile(nullptr, state));
    QCOMPARE(state.fileName, dir.filePath(saved));
}

void TestQtPlatform::fontChooserKeepsTheStoredFace() {
    FontChooser chooser;
    chooser.font.face = QStringLiteral("System");
    chooser.font.height = -13;
    chooser.font.colour = 0x0000FF;
    whenModal([](QWidget* w) {
        // The colour list offers the font's colour, selected.
        auto* combo = w->findChild<QComboBox*>(QString(), Qt::FindChildrenRecursively);
        QVERIFY(combo);
        QDialogButtonBox* box = nullptr;
        for (auto* b : w->findChildren<QDialogButtonBox*>())
            if (b->parent() == w) box = b;
        QVERIFY(box);
        box->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(platform_.chooseFont(nullptr, chooser));
    QCOMPARE(chooser.font.face, QStringLiteral("System"));
    QCOMPARE(chooser.font.colour, 0x0000FF);
    QCOMPARE(chooser.font.height, 0);
    QVERIFY(chooser.font.size > 0);
}

void TestQtPlatform::fontDialogKeysCloseTheWholeDialog_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("onCancel"); // the key goes to the focused Cancel button
    QTest::addColumn<bool>("accepted");
    for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック", "System"}) {
        for (const bool bold : {false, true}) {
            const QByteArray tag = QByteArray(face) + (bold ? " bold" : " regular");
            QTest::newRow(tag + ", Enter")
                << face << 20 << bold << false << int(Qt::Key_Return) << false << true;
            QTest::newRow(tag + ", Esc")
                << face << 20 << bold << false << int(Qt::Key_Escape) << false << false;
        }
    }
    QTest::newRow("Enter on Cancel")
        << "System" << 20 << false << false << int(Qt::Key_Return) << true << false;
}

void TestQtPlatform::fontDialogKeysCloseTheWholeDialog() {
    QFETCH(QString, face);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, key);
    QFETCH(bool, onCancel);
    QFETCH(bool, accepted);
    FontChooser chooser;
    chooser.font.face = face;
    chooser.font.size = size;
    chooser.font.bold = bold;
    chooser.font.italic = italic;
    const FontSpec before = chooser.font;
    bool openedBold = !bold, stuck = false;
    whenModal([&](QWidget* w) {
        if (auto* inner = w->findChild<QFontDialog*>()) openedBold = inner->currentFont().bold();
        // Wherever the focus is in the dialog, the key closes all of it.
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
        if (onCancel) {
            target = w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
            target->setFocus();
        }
        QTest::keyClick(target, Qt::Key(key));
        QTimer::singleShot(200, [&stuck] {
            if (QWidget* still = QApplication::activeModalWidget()) {
                stuck = true;
                qobject_cast<QDialog*>(still)->reject();
            }
        });
    });
    QCOMPARE(platform_.chooseFont(nullptr, chooser), accepted);
    QTest::qWait(250);
    QVERIFY2(!stuck, "a frame of the dialog stayed open");
    QCOMPARE(openedBold, bold);
    // OK without a change changes nothing but the size's unit.
    QCOMPARE(chooser.font.face, before.face);
    QCOMPARE(chooser.font.bold, before.bold);
    QCOMPARE(chooser.font.italic, before.italic);
    QCOMPARE(chooser.font.size, before.size);
}

void TestQtPlatform::changesArePaintedBeforeWaiting_data() {
    QTest::addColumn<bool>("cue"); // else a busy wait
    QTest::newRow("synchronous cue") << true;
    QTest::newRow("busy wait") << false;
}

void TestQtPlatform::changesArePaintedBeforeWaiting() {
    QFETCH(bool, cue);
    QPushButton button(QStringLiteral("解答作成"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    struct PaintLog : QObject {
        QStringList painted;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Paint) painted << static_cast<QPushButton*>(o)->text();
            return false;
        }
    } log;
    button.installEventFilter(&log);
    button.setText(QStringLiteral("正解!?"));
    if (cue)
        platform_.playSound(QStringLiteral("no-such-cue.wav"), true);
    else
        platform_.busyWait(1);
    QVERIFY(log.painted.contains(QStringLiteral("正解!?")));
}

void TestQtPlatform::colourChooserKeepsItsCustomColours() {
    ColourChooser a, b;
    whenModal([](QWidget* w) {
        auto* d = qobject_cast<QColorDialog*>(w);
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
        d->setCurrentColor(QColor(0, 0, 255));
        d->accept();
    });
    QVERIFY(platform_.chooseColour(nullptr, a));
    QCOMPARE(a.colour, 0xFF0000);
    QCOMPARE(a.customColours.value(0), 0x030201);
    // Another chooser starts without them; the first gets them back.
    whenModal([](QWidget* w) {
        QCOMPARE(QColorDialog::customColor(0), QColor(Qt::white));
        qobject_cast<QDialog*>(w)->reject();
    });
    QVERIFY(!platform_.chooseColour(nullptr, b));
    QCOMPARE(b.colour, 0);
    whenModal([](QWidget* w) {
        QCOMPARE(QColorDialog::customColor(0), QColor(1, 2, 3));
        qobject_cast<QDialog*>(w)->reject();
    });
    QVERIFY(!platform_.chooseColour(nullptr, a));
}

QTEST_MAIN(TestQtPlatform)
#include "test_qt_platform.moc"
