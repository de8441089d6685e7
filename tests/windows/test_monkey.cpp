// Thousands of random actions at each program's window with a question file
// loaded: buttons, menu items, short-cuts, typed text and timer ticks, with
// every dialog answered at random from a fixed seed. After each action the
// window must still hold together: the current question inside the list, the
// question file on disk readable with whole questions, the score labels
// matching the score. SORAMI_MONKEY_ACTIONS sets the number of actions
// (2,000 by default), SORAMI_MONKEY_SEED the seed.
#include "SrmMinifm.h"
#include "drill_session.h"
#include "fake_platform.h"
#include "interval_timer.h"
#include "program_paths.h"
#include "question_file.h"
#include "sjis_text.h"
#include "srmi105.h"
#include "srmminfm32.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <random>

using namespace sorami;

namespace {

int actionCount() {
    const int n = qEnvironmentVariableIntValue("SORAMI_MONKEY_ACTIONS");
    return n > 0 ? n : 2000;
}

std::string questionBytes() {
    std::string out;
    for (int k = 1; k <= 12; ++k) {
        if (k % 4 == 0) out += "? ";
        out += sjis("問題") + std::to_string(k) + "\r\nAnswer " + std::to_string(k) + ".\r\n" +
               sjis("熟語") + "\r\n";
    }
    return out;
}

class Monkey {
public:
    Monkey(QWidget* window, FakePlatform& fake, QString questions, unsigned seed)
        : window_(window), fake_(fake), questions_(std::move(questions)), rng_(seed) {
        fake_.answerUnscripted = [this](MsgButtons b) { return answerFor(b); };
        // Dialogs the windows open themselves are answered by a poll.
        closer_.setInterval(1);
        QObject::connect(&closer_, &QTimer::timeout, [this] {
            // A menu popped up by a button (the menu bar's overflow button).
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible()) return;
            if (auto* d = qobject_cast<QDialog*>(w))
                pick(2) ? d->accept() : d->reject();
            else
                w->close();
        });
        closer_.start();
    }

    // One random action at the window.
    void act() {
        scriptDialogs();
        switch (pick(6)) {
        case 0:
        case 1:
            clickSomeButton();
            break;
        case 2:
            triggerSomeAction();
            break;
        case 3:
            pressSomeKey();
            break;
        case 4:
            typeSomething();
            break;
        case 5:
            tickSomeTimer();
            break;
        }
        QCoreApplication::processEvents();
        // Windows released after closing go, as the main loop lets them go.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!window_->isVisible()) window_->show(); // closed: the learner starts it again
    }

    QString lastAction;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    MsgResult answerFor(MsgButtons b) {
        switch (b) {
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::OkCancel:
            return pick(2) ? MsgResult::Ok : MsgResult::Cancel;
        case MsgButtons::YesNo:
            return pick(2) ? MsgResult::Yes : MsgResult::No;
        case MsgButtons::YesNoCancel:
            return std::array{MsgResult::Yes, MsgResult::No, MsgResult::Cancel}[pick(3)];
        case MsgButtons::RetryCancel:
            return pick(3) ? MsgResult::Cancel : MsgResult::Retry;
        }
        return MsgResult::Cancel;
    }

    void scriptDialogs() {
        fake_.fileAnswers.clear();
        fake_.inputAnswers.clear();
        fake_.fontAnswers.clear();
        fake_.colourAnswers.clear();
        const int f = pick(4);
        fake_.fileAnswers.push_back(f == 0   ? std::optional<QString>()
                                    : f == 1 ? std::optional<QString>(questions_ + ".missing")
                                             : std::optional<QString>(questions_));
        fake_.inputAnswers.push_back(pick(2) ? std::optional<QString>(QString::number(pick(40)))
                                             : std::optional<QString>());
        if (pick(2)) {
            FontSpec font;
            font.face = QStringLiteral("ＭＳ ゴシック");
            font.size = 8 + pick(20);
            fake_.fontAnswers.push_back(font);
        } else {
            fake_.fontAnswers.push_back(std::nullopt);
        }
        fake_.colourAnswers.push_back(pick(2) ? std::optional<ColourValue>(pick(0xFFFFFF))
                                              : std::optional<ColourValue>());
    }

    void clickSomeButton() {
        QList<QAbstractButton*> buttons;
        for (auto* b : window_->findChildren<QAbstractButton*>())
            if (b->isEnabled() && b->isVisibleTo(window_)) buttons << b;
        if (buttons.isEmpty()) return;
        QAbstractButton* b = buttons.at(pick(int(buttons.size())));
        lastAction = QStringLiteral("click ") + b->objectName() + b->text() + b->toolTip();
        b->click();
    }

    void triggerSomeAction() {
        QList<QAction*> actions;
        for (auto* a : window_->findChildren<QAction*>()) {
            // Only the window's own commands: a notebook it opened and closed
            // is another window, whose commands act on that window's files.
            const auto* owner = qobject_cast<QWidget*>(a->parent());
            if (owner && owner->window() != window_) continue;
            if (a->isEnabled() && !a->isSeparator() && !a->menu()) actions << a;
        }
        if (actions.isEmpty()) return;
        QAction* a = actions.at(pick(int(actions.size())));
        lastAction = QStringLiteral("menu ") + a->text();
        a->trigger();
    }

    void pressSomeKey() {
        static const int keys[] = {Qt::Key_Return, Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,
                                   Qt::Key_Down,   Qt::Key_Space, Qt::Key_A,     Qt::Key_Escape};
        const int key = keys[pick(int(std::size(keys)))];
        const auto mods = pick(4) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window_) target = window_;
        lastAction = QStringLiteral("key %1 %2").arg(key).arg(int(mods));
        QTest::keyClick(target, Qt::Key(key), mods);
    }

    void typeSomething() {
        static const char* texts[] = {"Answer 1.", "Answer 2.", "wrong",     "",
                                      "?",         "あいう",    "Answer 12."};
        const QString text = QString::fromUtf8(texts[pick(int(std::size(texts)))]);
        QList<QWidget*> boxes;
        for (auto* e : window_->findChildren<QTextEdit*>())
            if (!e->isReadOnly() && e->isEnabled()) boxes << e;
        for (auto* e : window_->findChildren<QPlainTextEdit*>())
            if (!e->isReadOnly() && e->isEnabled()) boxes << e;
        if (boxes.isEmpty()) return;
        QWidget* box = boxes.at(pick(int(boxes.size())));
        lastAction = QStringLiteral("type ") + text;
        if (auto* e = qobject_cast<QTextEdit*>(box)) e->setPlainText(text);
        if (auto* e = qobject_cast<QPlainTextEdit*>(box)) e->setPlainText(text);
        // Most typing ends with Enter, as an answer does.
        if (pick(3)) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
        }
    }

    void tickSomeTimer() {
        const auto timers = window_->findChildren<IntervalTimer*>();
        if (timers.isEmpty()) return;
        IntervalTimer* t = timers.at(pick(int(timers.size())));
        lastAction = QStringLiteral("tick");
        t->fire();
    }

    QPointer<QWidget> window_;
    FakePlatform& fake_;
    QString questions_;
    std::mt19937 rng_;
    QTimer closer_;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString questionFile() {
        const QString path = dir_.filePath(QStringLiteral("q.lko"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const std::string bytes = questionBytes();
        f.write(bytes.data(), qint64(bytes.size()));
        return path;
    }

private slots:
    void init() { setProgramDirForTesting(dir_.path()); }

    void drill() {
        FakePlatform fake;
        const QString path = questionFile();
        fake.inputAnswers.push_back(QStringLiteral("monkey"));
        TSorami w(fake);
        w.show();
        fake.fileAnswers.push_back(path);
        w.FileOpn->trigger();
        Monkey monkey(&w, fake, path, qEnvironmentVariableIntValue("SORAMI_MONKEY_SEED") + 1);
        for (int i = 0; i < actionCount(); ++i) {
            monkey.act();
            const DrillSession& s = w.session();
            const QString where = QStringLiteral("after action %1: %2 (line %3 of %4)")
                                      .arg(i)
                                      .arg(monkey.lastAction)
                                      .arg(s.currentLine())
                                      .arg(s.lineCount());
            QVERIFY2(s.lineCount() == 0 ||
                         (s.currentLine() >= 0 && s.currentLine() < s.lineCount()),
                     qPrintable(where));
            QVERIFY2(w.N_Kaitou->text() == QString::number(s.answerCount()), qPrintable(where));
            QVERIFY2(w.N_Seikai->text() == QString::number(s.correctCount()), qPrintable(where));
            if (QFileInfo::exists(path)) {
                Lines onDisk;
                try {
                    onDisk = readQuestionFile(path);
                } catch (const std::exception&) {
                    QFAIL(qPrintable(where + QStringLiteral(": the question file cannot be read")));
                }
                QVERIFY2(onDisk.size() % 3 == 0, qPrintable(where));
            }
        }
        qInfo("drill: %d actions, %d answers judged, %lld boxes, %lld error boxes, %lld sounds",
              actionCount(), w.session().answerCount(), qlonglong(fake.messages.size()),
              qlonglong(fake.errorTexts().size()), qlonglong(fake.sounds.size()));
        QCOMPARE(fake.errorTexts().filter(QStringLiteral("範囲")), QStringList());
    }

    void companions_data() {
        QTest::addColumn<bool>("viewer");
        QTest::newRow("card viewer") << true;
        QTest::newRow("mini drill") << false;
    }
    void companions() {
        QFETCH(bool, viewer);
        FakePlatform fake;
        const QString path = questionFile();
        std::unique_ptr<QWidget> w;
        std::function<std::pair<int, int>()> card; // line, line count
        if (viewer) {
            auto* v = new TSoramiMiniVer(fake, ViewerBuild::InDrill);
            w.reset(v);
            card = [v] { return std::pair{v->cardLine(), int(v->cardLines().size())}; };
        } else {
            auto* m = new TSoramiMini(fake);
            w.reset(m);
            card = [m] { return std::pair{m->cardLine(), int(m->cardLines().size())}; };
        }
        w->show();
        Monkey monkey(w.get(), fake, path, qEnvironmentVariableIntValue("SORAMI_MONKEY_SEED") + 2);
        for (int i = 0; i < actionCount(); ++i) {
            monkey.act();
            const auto [line, count] = card();
            const QString where =
                QStringLiteral("after action %1: %2").arg(i).arg(monkey.lastAction);
            QVERIFY2(line % 3 == 0 && line >= 0 && (count == 0 || line < count), qPrintable(where));
        }
        qInfo("%s: %d actions, %lld boxes, %lld file dialogs", viewer ? "viewer" : "mini drill",
              actionCount(), qlonglong(fake.messages.size()), qlonglong(fake.fileDialogs.size()));
        // The companions never write the question file.
        QCOMPARE(readQuestionFile(path).size(), size_t(36));
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
