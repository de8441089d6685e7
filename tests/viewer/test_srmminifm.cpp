// The card viewer in both builds, driven through its handlers and buttons
// against the scripted desktop.
#include "SrmMinifm.h"
#include "companion_test.h"
#include "fake_platform.h"
#include "fonts.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "question_file.h"
#include "sjis_text.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

using namespace sorami;

namespace {

QString tango(const TSoramiMiniVer& v) {
    return v.TangoDisp->toPlainText();
}
QString imi(const TSoramiMiniVer& v) {
    return v.ImiDisp->toPlainText();
}

} // namespace

class TestSrmMinifm : public CompanionTest {
    Q_OBJECT

    void writeIni(const QByteArray& bytes) {
        writeFileBytes(TSoramiMiniVer::viewerIniPath(), bytes);
    }
    void load(TSoramiMiniVer& v, const QString& path) {
        if (v.build() == ViewerBuild::InDrill) fake_.messageAnswers.push_back(MsgResult::No);
        fake_.fileAnswers.push_back(path);
        v.YomikomiClick();
    }

private slots:
    // The programs' face names as the programs themselves map them.
    void initTestCase() { mapFaces(); }

    void init() { startAfresh(TSoramiMiniVer::viewerIniPath()); }

    void moves_data() {
        QTest::addColumn<int>("build");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QStringList>("shown");
        for (int b : {0, 1}) {
            const QByteArray tag = b ? "in-drill " : "stand-alone ";
            QTest::newRow(tag + "9: forward wraps to card 1")
                << b << 9 << "NNN" << QStringList{"J2", "J3", "J1"};
            QTest::newRow(tag + "9: back from card 1 to card 3")
                << b << 9 << "PPP" << QStringList{"J3", "J2", "J1"};
            QTest::newRow(tag + "10: the loose last line is no card")
                << b << 10 << "NNNN" << QStringList{"J2", "J3", "J1", "J2"};
            QTest::newRow(tag + "10: back to the last whole card")
                << b << 10 << "PNP" << QStringList{"J3", "J1", "J3"};
            QTest::newRow(tag + "2: stays on the first line")
                << b << 2 << "NPPN" << QStringList{"X0", "X0", "X0", "X0"};
        }
    }
    void moves() {
        QFETCH(int, build);
        QFETCH(int, lineCount);
        QFETCH(QString, moves);
        QFETCH(QStringList, shown);
        TSoramiMiniVer v(fake_, build ? ViewerBuild::InDrill : ViewerBuild::StandAlone);
        load(v, writeCards(lineCount));
        QCOMPARE(tango(v), lineCount >= 3 ? QStringLiteral("J1") : QStringLiteral("X0"));
        QStringList seen;
        for (QChar m : moves) {
            QTest::mouseClick(m == 'N' ? v.Susumeru : v.Modoru, Qt::LeftButton);
            seen << tango(v);
            QVERIFY(v.cardLine() >= 0 && v.cardLine() < std::max<int>(1, lineCount));
        }
        QCOMPARE(seen, shown);
        QVERIFY(fake_.errorTexts().isEmpty());
    }

    void answerAndIdiom_data() {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("idiom");
        QTest::newRow("first card") << 9 << ""
                                    << "A1"
                                    << "I1";
        QTest::newRow("after a step back") << 10 << "P"
                                           << "A3"
                                           << "I3";
        QTest::newRow("two lines: nothing") << 2 << "N"
                                            << ""
                                            << "";
        QTest::newRow("no file: nothing") << 0 << "NP"
                                          << ""
                                          << "";
    }
    void answerAndIdiom() {
        QFETCH(int, lineCount);
        QFETCH(QString, moves);
        QFETCH(QString, answer);
        QFETCH(QString, idiom);
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        if (lineCount) load(v, writeCards(lineCount));
        for (QChar m : moves)
            m == 'N' ? v.SusumeruClick() : v.ModoruClick();
        QTest::mouseClick(v.Imi, Qt::LeftButton);
        QCOMPARE(imi(v), answer);
        QTest::mouseClick(v.Ideom, Qt::LeftButton);
        QCOMPARE(imi(v), idiom);
        // Every move hides what was asked for.
        v.ImiClick();
        v.SusumeruClick();
        QCOMPARE(imi(v), QString());
    }

    void markedSentenceShownAsIs() {
        const QString path = dir_.filePath(QStringLiteral("marked.lko"));
        writeQuestionFile(path, {sjis("? 私は学生です。"), "I am a student.", sjis("学生")});
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        load(v, path);
        QCOMPARE(tango(v), QStringLiteral("? 私は学生です。"));
        v.IdeomClick();
        QCOMPARE(imi(v), QStringLiteral("学生"));
    }

    void loadingThroughTheDialog() {
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        const QString first = writeCards(9, QStringLiteral("first.lko"));
        const QString second = writeCards(6, QStringLiteral("second.lko"));
        load(v, first);
        QCOMPARE(v.windowTitle(), QStringLiteral("単語カード(") + first + ")");
        v.SusumeruClick();
        load(v, second);
        QCOMPARE(v.cardLine(), 0);
        QCOMPARE(v.cardLines().size(), size_t(6));
        QCOMPARE(v.windowTitle(), QStringLiteral("単語カード(") + second + ")");
        // The dialog proposes the file loaded last, with the one filter entry.
        QCOMPARE(fake_.fileDialogs.size(), 2);
        QCOMPARE(fake_.fileDialogs[0].stateShown.fileName, QString());
        QCOMPARE(fake_.fileDialogs[1].stateShown.fileName, first);
        QCOMPARE(fake_.fileDialogs[1].stateShown.filter,
                 QStringLiteral("ソラミ君データ(*.lko)|*.lko"));
        QVERIFY(fake_.messages.isEmpty()); // the stand-alone viewer asks nothing first

        // A cancelled dialog changes nothing.
        v.SusumeruClick();
        fake_.fileAnswers.push_back(std::nullopt);
        v.YomikomiClick();
        QCOMPARE(tango(v), QStringLiteral("J2"));
        QCOMPARE(v.cardFileName(), second);
    }

    void unreadableFileOffersRetry_data() {
        QTest::addColumn<bool>("retrySucceeds");
        QTest::newRow("retry, then cancel") << false;
        QTest::newRow("retry, then a good file") << true;
    }
    void unreadableFileOffersRetry() {
        QFETCH(bool, retrySucceeds);
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        const QString good = writeCards(9);
        load(v, good);
        v.SusumeruClick();
        const QString missing = dir_.filePath(QStringLiteral("missing.lko"));
        const QString other = writeCards(6, QStringLiteral("other.lko"));
        fake_.clearRecords();
        fake_.fileAnswers = {missing, retrySucceeds ? other : missing};
        fake_.messageAnswers = {MsgResult::Retry, MsgResult::Cancel};
        v.YomikomiClick();
        QCOMPARE(fake_.messages.size(), retrySucceeds ? 1 : 2);
        for (const auto& m : fake_.messages) {
            QCOMPARE(m.buttons, MsgButtons::RetryCancel);
            QCOMPARE(m.icon, MsgIcon::Error);
            QCOMPARE(m.text, QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(missing));
        }
        QCOMPARE(fake_.fileDialogs.size(), 2);
        // The retry opens the dialog on the last file that did load.
        QCOMPARE(fake_.fileDialogs[1].stateShown.fileName, good);
        QCOMPARE(v.cardFileName(), retrySucceeds ? other : good);
        QCOMPARE(tango(v), retrySucceeds ? QStringLiteral("J1") : QStringLiteral("J2"));
    }

    void resume_data() {
        QTest::addColumn<QString>("ini"); // %1 stands for the question file's path
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("cardLine");
        QTest::addColumn<QStringList>("messages");
        const QString both = "[問題ファイル名]\r\nPFileName=%1\r\n[問題番号]\r\nPProblemNum=%2\r\n";
        const QString empty = "[問題ファイル名]\r\nPFileName=\r\n[問題番号]\r\nPProblemNum=1\r\n";
        QTest::newRow("card 4") << both.arg("%1", "4") << "J4" << 9 << QStringList{};
        QTest::newRow("card 1") << both.arg("%1", "1") << "J1" << 0 << QStringList{};
        QTest::newRow("beyond the last card") << both.arg("%1", "6") << "J1" << 0 << QStringList{};
        QTest::newRow("far beyond") << both.arg("%1", "2147483647") << "J1" << 0 << QStringList{};
        QTest::newRow("below card 1") << both.arg("%1", "-5") << "J1" << 0 << QStringList{};
        QTest::newRow("file but no number") << "[問題ファイル名]\r\nPFileName=%1\r\n"
                                            << "" << 0 << QStringList{};
        QTest::newRow("empty name")
            << empty << "" << 0 << QStringList{"前回の問題は記憶されていません!"};
        QTest::newRow("no INI") << QString() << "" << 0 << QStringList{};
    }
    void resume() {
        QFETCH(QString, ini);
        QFETCH(QString, shown);
        QFETCH(int, cardLine);
        QFETCH(QStringList, messages);
        const QString path = writeCards(16); // five whole questions and a loose line
        if (!ini.isNull()) {
            const std::string s = toSjis(QString(ini).replace(QStringLiteral("%1"), path));
            writeIni(QByteArray(s.data(), qsizetype(s.size())));
        }
        TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
        fake_.messageAnswers.push_back(MsgResult::Yes);
        QTest::mouseClick(v.Yomikomi, Qt::LeftButton);
        QCOMPARE(fake_.messages.first().text, QStringLiteral("前回の続きから始めますか？"));
        QCOMPARE(fake_.messages.first().buttons, MsgButtons::YesNo);
        QCOMPARE(fake_.messages.first().icon, MsgIcon::Question);
        QCOMPARE(fake_.messageTexts().mid(1), messages);
        QVERIFY(fake_.fileDialogs.isEmpty());
        QCOMPARE(tango(v), shown);
        QCOMPARE(v.cardLine(), cardLine);
        // The resume leaves the caption alone.
        QCOMPARE(v.windowTitle(), QStringLiteral("ｶﾞﾝﾊﾞﾚソラミ君ミニ"));
    }

    void resumeOfAVanishedFile() {
        const QString gone = dir_.filePath(QStringLiteral("gone.lko"));
        const std::string s = toSjis(
            QStringLiteral("[問題ファイル名]\r\nPFileName=%1\r\n[問題番号]\r\nPProblemNum=2\r\n")
                .arg(gone));
        writeIni(QByteArray(s.data(), qsizetype(s.size())));
        TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
        load(v, writeCards(9));
        v.SusumeruClick();
        fake_.messageAnswers.push_back(MsgResult::Yes);
        QTest::mouseClick(v.Yomikomi, Qt::LeftButton); // through the guard, as the learner would
        QCOMPARE(fake_.errorTexts(), QStringList{QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(gone)});
        QCOMPARE(v.cardFileName(), gone);
        QCOMPARE(v.cardLines().size(), size_t(9));
        QCOMPARE(tango(v), QStringLiteral("J2")); // the stored number is not applied
    }

    void closingStoresTheResumePoint() {
        const QString path = writeCards(15);
        {
            TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
            v.show();
            load(v, path);
            for (int i = 0; i < 3; ++i)
                v.SusumeruClick();
            QTest::mouseClick(v.Tojiru, Qt::LeftButton);
            QVERIFY(!v.isVisible());
        }
        const ProfileIni ini(TSoramiMiniVer::viewerIniPath());
        QCOMPARE(fromSjis(ini.readString("問題ファイル名", "PFileName", "-1")), path);
        QCOMPARE(ini.readInteger("問題番号", "PProblemNum", -1), 4);

        TSoramiMiniVer next(fake_, ViewerBuild::InDrill);
        fake_.messageAnswers.push_back(MsgResult::Yes);
        next.YomikomiClick();
        QCOMPARE(tango(next), QStringLiteral("J4"));
    }

    void closingBeforeAnyLoad() {
        {
            TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
            v.Exit1->trigger(); // the pop-up's item runs the same close
        }
        const ProfileIni ini(TSoramiMiniVer::viewerIniPath());
        QCOMPARE(ini.readString("問題ファイル名", "PFileName", "-1"), std::string());
        QCOMPARE(ini.readInteger("問題番号", "PProblemNum", -1), 1);
        TSoramiMiniVer next(fake_, ViewerBuild::InDrill);
        fake_.messageAnswers.push_back(MsgResult::Yes);
        next.YomikomiClick();
        QCOMPARE(fake_.messageTexts().last(), QStringLiteral("前回の問題は記憶されていません!"));
        QVERIFY(next.cardLines().empty());
        QCOMPARE(tango(next), QString());
    }

    void closingThatStoresNothing_data() {
        QTest::addColumn<int>("build");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("in-drill, close box") << 1 << false;
        QTest::newRow("stand-alone, close button") << 0 << true;
        QTest::newRow("stand-alone, close box") << 0 << false;
    }
    void closingThatStoresNothing() {
        QFETCH(int, build);
        QFETCH(bool, byButton);
        TSoramiMiniVer v(fake_, build ? ViewerBuild::InDrill : ViewerBuild::StandAlone);
        v.show();
        load(v, writeCards(9));
        v.SusumeruClick();
        if (byButton)
            v.TojiruClick();
        else
            v.close();
        QVERIFY(!v.isVisible());
        QVERIFY(!QFile::exists(TSoramiMiniVer::viewerIniPath()));
    }

    void unwritableIniKeepsTheWindowOpen() {
        // A directory where the INI should be: the record cannot be written.
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("ソラミ君ミニ.ini")));
        TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
        v.show();
        QTest::mouseClick(v.Tojiru, Qt::LeftButton);
        QVERIFY(v.isVisible());
        QCOMPARE(fake_.errorTexts(),
                 QStringList{
                     QStringLiteral("%1 に書き込めません").arg(TSoramiMiniVer::viewerIniPath())});
        QDir(dir_.path()).rmdir(QStringLiteral("ソラミ君ミニ.ini"));
    }

    void showModalReturnsOnClose_data() {
        QTest::addColumn<bool>("deleteOnClose");
        QTest::newRow("kept") << false;
        QTest::newRow("deleted on close") << true;
    }
    void showModalReturnsOnClose() {
        QFETCH(bool, deleteOnClose);
        auto* v = new TSoramiMiniVer(fake_, ViewerBuild::InDrill);
        QPointer<TSoramiMiniVer> alive(v);
        v->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
        const QString path = writeCards(15);
        QTimer::singleShot(0, v, [&] {
            QVERIFY(v->isVisible());
            QCOMPARE(v->windowModality(), Qt::ApplicationModal);
            load(*v, path);
            v->SusumeruClick();
            QTest::mouseClick(v->Tojiru, Qt::LeftButton);
        });
        v->showModal();
        if (deleteOnClose)
            QTRY_VERIFY(alive.isNull());
        else
            QVERIFY(!v->isVisible());
        delete alive.data();
        QCOMPARE(
            ProfileIni(TSoramiMiniVer::viewerIniPath()).readInteger("問題番号", "PProblemNum", -1),
            2);
    }

    void fontsFromThePopup_data() {
        QTest::addColumn<bool>("upper");
        QTest::newRow("Japanese sentence") << true;
        QTest::newRow("answer box") << false;
    }
    void fontsFromThePopup() {
        QFETCH(bool, upper);
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        QTextEdit* box = upper ? v.TangoDisp : v.ImiDisp;
        QAction* item = upper ? v.SelectWabunFont : v.SelectSeikaiFont;
        const QFont before = box->font();
        const QColor beforeColour = box->palette().color(QPalette::Text);
        fake_.fontAnswers.push_back(std::nullopt);
        item->trigger();
        QCOMPARE(box->font(), before);
        QCOMPARE(box->palette().color(QPalette::Text), beforeColour);

        FontSpec chosen;
        chosen.face = QStringLiteral("ＭＳ 明朝");
        chosen.size = 20;
        chosen.colour = Colours::Blue;
        chosen.italic = true;
        fake_.fontAnswers.push_back(chosen);
        item->trigger();
        QCOMPARE(box->font().pointSize(), 20);
        QVERIFY(box->font().italic());
        QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE((upper ? v.FontDialog1 : v.FontDialog2).font, chosen);
        // The dialog opened on its design font.
        QCOMPARE(fake_.fontDialogs.first().font.face, QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(fake_.fontDialogs.first().font.height, -15);
    }

    void popupMenuFromBothBoxes_data() {
        QTest::addColumn<bool>("upper");
        QTest::newRow("upper box") << true;
        QTest::newRow("lower box") << false;
    }
    void popupMenuFromBothBoxes() {
        QFETCH(bool, upper);
        TSoramiMiniVer v(fake_, ViewerBuild::InDrill);
        v.show();
        QWidget* area = (upper ? v.TangoDisp : v.ImiDisp)->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                                area->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(area, &click);
        QVERIFY(v.PopupMenu1->isVisible());
        QStringList texts;
        for (QAction* a : v.PopupMenu1->actions())
            texts << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(texts, (QStringList{"和文フォントの選択", "-", "正解フォントの選択", "-",
                                     "正解を読み上げる(&L)", "-", "終了"}));
        v.PopupMenu1->hide();
    }

    void forwardButtonShowsThePanelsHint() {
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        for (auto [button, hint] : {std::pair{v.Susumeru, "進む"}, std::pair{v.Modoru, "戻す"}}) {
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(button, &help);
            QTRY_COMPARE(QToolTip::text(), QString::fromUtf8(hint));
            QToolTip::hideText();
        }
    }

    void windowAsDesigned() {
        TSoramiMiniVer v(fake_, ViewerBuild::StandAlone);
        QCOMPARE(v.size(), QSize(732, 98));
        QCOMPARE(v.minimumSize(), v.maximumSize());
        QVERIFY(!(v.windowFlags() & Qt::WindowMaximizeButtonHint));
        for (QToolButton* b : {v.Yomikomi, v.Tojiru, v.Modoru, v.Susumeru, v.Imi, v.Ideom}) {
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
            QVERIFY(v.buttonPanel->isAncestorOf(b));
        }
        // Rows of two: open/close, back/forward, answer/idiom.
        QCOMPARE(v.Yomikomi->y(), v.Tojiru->y());
        QVERIFY(v.Yomikomi->x() < v.Tojiru->x());
        QVERIFY(v.Modoru->y() > v.Yomikomi->y() && v.Imi->y() > v.Modoru->y());
        QVERIFY(v.Panel1->geometry().right() < v.buttonPanel->geometry().left());
        QVERIFY(v.rect().contains(v.buttonPanel->geometry()));
        QCOMPARE(fontColour(v.ImiDisp), Colours::Red);
    }
};

QTEST_MAIN(TestSrmMinifm)
#include "test_srmminifm.moc"
