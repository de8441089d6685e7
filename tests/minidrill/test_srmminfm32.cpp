// The mini drill window, driven through its handlers, buttons and timers
// against the scripted desktop.
#include "companion_test.h"
#include "fake_platform.h"
#include "fonts.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "question_file.h"
#include "sjis_text.h"
#include "srmminfm32.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace sorami;

namespace {

// What the window shows: upper box, lower box and the question number.
QString shown(const TSoramiMini& m) {
    return m.TangoDisp->toPlainText() + "|" + m.ImiDisp->toPlainText() + "|" + m.ProblemNo->text();
}

} // namespace

class TestSrmminfm32 : public CompanionTest {
    Q_OBJECT

    void load(TSoramiMini& m, const QString& path) {
        fake_.fileAnswers.push_back(path);
        m.YomikomiClick();
    }
    void writeIni(const QString& text) {
        const std::string bytes = toSjis(text);
        writeFileBytes(programIniPath(), QByteArray(bytes.data(), qsizetype(bytes.size())));
    }

private slots:
    // The programs' face names as the programs themselves map them.
    void initTestCase() { mapFaces(); }

    void init() { startAfresh(programIniPath()); }

    void moves_data() {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("9: forward wraps") << 9 << "NNN" << QStringList{"J2||2", "J3||3", "J1||1"};
        QTest::newRow("9: back wraps") << 9 << "PP" << QStringList{"J3||3", "J2||2"};
        QTest::newRow("10: loose line skipped")
            << 10 << "NNN" << QStringList{"J2||2", "J3||3", "J1||1"};
        QTest::newRow("10: back to last whole question") << 10 << "P" << QStringList{"J3||3"};
        QTest::newRow("2: first line only") << 2 << "NP" << QStringList{"X0||1", "X0||1"};
    }
    void moves() {
        QFETCH(int, lineCount);
        QFETCH(QString, moves);
        QFETCH(QStringList, seen);
        TSoramiMini m(fake_);
        load(m, writeCards(lineCount));
        QCOMPARE(m.ProblemNum->text(), QString::number(lineCount / 3));
        QStringList got;
        for (QChar c : moves) {
            QTest::mouseClick(c == 'N' ? m.Susumeru : m.Modoru, Qt::LeftButton);
            got << shown(m);
        }
        QCOMPARE(got, seen);
    }

    void loading() {
        TSoramiMini m(fake_);
        const QString path = writeCards(15);
        load(m, path);
        QCOMPARE(m.windowTitle(), QStringLiteral("ソラミ君ミニVer1.0 [") + path + "]");
        QCOMPARE(shown(m), QStringLiteral("J1||1"));
        QCOMPARE(fake_.fileDialogs.last().stateShown.filter,
                 QStringLiteral("ソラミ君データ（*.lko)|*.lko"));
        for (int i = 0; i < 4; ++i)
            m.SusumeruClick();
        // A cancelled dialog, proposing the file in use, changes nothing.
        fake_.fileAnswers.push_back(std::nullopt);
        QTest::mouseClick(m.FileOpen, Qt::LeftButton);
        QCOMPARE(fake_.fileDialogs.last().stateShown.fileName, path);
        QCOMPARE(shown(m), QStringLiteral("J5||5"));
        // An unreadable file: Retry opens the dialog again, Cancel leaves all as it was.
        const QString missing = dir_.filePath(QStringLiteral("missing.lko"));
        fake_.fileAnswers = {missing, missing};
        fake_.messageAnswers = {MsgResult::Retry, MsgResult::Cancel};
        fake_.clearRecords();
        m.YomikomiClick();
        QCOMPARE(fake_.fileDialogs.size(), 2);
        QCOMPARE(fake_.messageTexts(),
                 QStringList(2, QStringLiteral("ﾌｧｲﾙ %1 は開けません").arg(missing)));
        QCOMPARE(fake_.messages.first().buttons, MsgButtons::RetryCancel);
        QCOMPARE(shown(m), QStringLiteral("J5||5"));
        QCOMPARE(m.cardFileName(), path);
    }

    void openDialogListsQuestionFiles() {
        // The label opens its parenthesis full-width; the entry still lists
        // question files by the pattern given with it.
        TSoramiMini m(fake_);
        QCOMPARE(parseFilterList(m.OpenDialog1.filter),
                 (QList<NameFilter>{{QStringLiteral("ソラミ君データ（*.lko)"), {"*.lko"}}}));
    }

    void alwaysShow_data() {
        QTest::addColumn<int>("box"); // 0 none, 1 answer, 2 idiom
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("neither") << 0 << QStringList{"J1||1", "J2||2", "J1||1"};
        QTest::newRow("answer") << 1 << QStringList{"J1|A1|1", "J2|A2|2", "J1|A1|1"};
        QTest::newRow("idiom") << 2 << QStringList{"J1|I1|1", "J2|I2|2", "J1|I1|1"};
    }
    void alwaysShow() {
        QFETCH(int, box);
        QFETCH(QStringList, seen);
        TSoramiMini m(fake_);
        const QString path = writeCards(6);
        load(m, path);
        if (box) {
            QTest::mouseClick(box == 1 ? m.CheckBox1 : m.CheckBox2, Qt::LeftButton);
            QCOMPARE(shown(m), QStringLiteral("J1||1")); // nothing shows at once
        }
        load(m, path);
        QStringList got{shown(m)};
        m.SusumeruClick();
        got << shown(m);
        m.ModoruClick();
        got << shown(m);
        QCOMPARE(got, seen);
    }

    void checkBoxesDisableEachOther_data() {
        QTest::addColumn<bool>("first");
        QTest::newRow("answer box") << true;
        QTest::newRow("idiom box") << false;
    }
    void checkBoxesDisableEachOther() {
        QFETCH(bool, first);
        TSoramiMini m(fake_);
        m.show();
        QCheckBox* ticked = first ? m.CheckBox1 : m.CheckBox2;
        QCheckBox* other = first ? m.CheckBox2 : m.CheckBox1;
        QTest::mouseClick(ticked, Qt::LeftButton);
        QVERIFY(ticked->isChecked());
        QVERIFY(!other->isEnabled());
        QTest::mouseClick(ticked, Qt::LeftButton);
        QVERIFY(!ticked->isChecked());
        QVERIFY(other->isEnabled());
    }

    void modes_data() {
        QTest::addColumn<int>("mode"); // radio button 1, 2 or 3
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("timer1");
        QTest::addColumn<int>("timer2");
        QTest::newRow("normal") << 1 << "" << 0 << 0;
        QTest::newRow("automatic") << 2 << "自動送りの間隔＝" << 4000 << 0;
        QTest::newRow("flash") << 3 << "フラッシュ間隔＝" << 0 << 4000;
    }
    void modes() {
        QFETCH(int, mode);
        QFETCH(QString, label);
        QFETCH(int, timer1);
        QFETCH(int, timer2);
        TSoramiMini m(fake_);
        m.show();
        QVERIFY(!m.AutoSenderLabel->isVisible() && !m.InputsBox->isVisible());
        QRadioButton* radio[] = {m.RadioButton1, m.RadioButton2, m.RadioButton3};
        // Arm the other timed mode first: choosing a mode stops the other one's timer.
        QTest::mouseClick(mode == 2 ? m.RadioButton3 : m.RadioButton2, Qt::LeftButton);
        m.InputsBox->setText(QStringLiteral("4"));
        m.SetButtonClick();
        QVERIFY(m.Timer1->isActive() || m.Timer2->isActive());
        QTest::mouseClick(radio[mode - 1], Qt::LeftButton);
        if (mode != 1) QTest::mouseClick(m.SetButton, Qt::LeftButton);
        QCOMPARE(m.AutoSenderLabel->isVisible(), mode != 1);
        QCOMPARE(m.InputsBox->isVisible(), mode != 1);
        if (mode != 1) QCOMPARE(m.AutoSenderLabel->text(), label);
        QCOMPARE(m.Timer1->isActive() ? m.Timer1->interval() : 0, timer1);
        QCOMPARE(m.Timer2->isActive() ? m.Timer2->interval() : 0, timer2);
        QVERIFY(fake_.errorTexts().isEmpty());
    }

    void automaticAdvance_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("neither") << 0 << QStringList{"J2||2", "J3||3", "J1||1"};
        QTest::newRow("answer") << 1 << QStringList{"J2|A2|2", "J3|A3|3", "J1|A1|1"};
        QTest::newRow("idiom") << 2 << QStringList{"J2|I2|2", "J3|I3|3", "J1|I1|1"};
    }
    void automaticAdvance() {
        QFETCH(int, box);
        QFETCH(QStringList, seen);
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        if (box) (box == 1 ? m.CheckBox1 : m.CheckBox2)->click();
        m.RadioButton2->click();
        QCOMPARE(shown(m).section('|', 2),
                 QStringLiteral("1")); // choosing the mode does not advance
        m.SetButton->click();          // empty box: 5 seconds, and one step at once
        QCOMPARE(m.InputsBox->text(), QStringLiteral("5"));
        QCOMPARE(m.Timer1->interval(), 5000);
        QVERIFY(m.Timer1->isActive());
        QStringList got{shown(m)};
        m.Timer1->fire();
        got << shown(m);
        m.Timer1->fire();
        got << shown(m);
        QCOMPARE(got, seen);
    }

    void flashAdvance_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("neither") << 0 << QStringList{"J2||2", "J2||2", "J3||3", "J3||3", "J1||1"};
        QTest::newRow("answer") << 1
                                << QStringList{"J2||2", "J2|A2|2", "J3||3", "J3|A3|3", "J1||1"};
        QTest::newRow("idiom") << 2 << QStringList{"J2||2", "J2|I2|2", "J3||3", "J3|I3|3", "J1||1"};
    }
    void flashAdvance() {
        QFETCH(int, box);
        QFETCH(QStringList, seen);
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        if (box) (box == 1 ? m.CheckBox1 : m.CheckBox2)->click();
        m.RadioButton3->click(); // one flash tick at once, before any interval is set
        QStringList got{shown(m)};
        QCOMPARE(m.Timer2->isActive(), false);
        m.InputsBox->setText(QStringLiteral("2"));
        m.SetButton->click(); // arms the timer and runs the second half
        QCOMPARE(m.Timer2->interval(), 2000);
        QVERIFY(m.Timer2->isActive() && !m.Timer1->isActive());
        got << shown(m);
        for (int i = 0; i < 3; ++i) {
            m.Timer2->fire();
            got << shown(m);
        }
        QCOMPARE(got, seen);
    }

    void selectedModeButtonClickedAgainDoesNothing() {
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        m.RadioButton3->click(); // first half of the flash cycle: question 2
        QCOMPARE(shown(m), QStringLiteral("J2||2"));
        m.RadioButton3->click(); // already selected: no second flash step
        QCOMPARE(shown(m), QStringLiteral("J2||2"));
        QCOMPARE(m.flashStep(), 1);
        // Selecting a mode by any other way than a click acts as well.
        m.RadioButton2->setChecked(true);
        QVERIFY(m.InputsBox->isVisibleTo(&m));
        QCOMPARE(m.AutoSenderLabel->text(), QStringLiteral("自動送りの間隔＝"));
    }

    void flashStepSurvivesModeChanges() {
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        m.CheckBox1->click();
        m.RadioButton3->click(); // first half: J2 alone, A2 held
        QCOMPARE(m.flashStep(), 1);
        m.RadioButton1->click();
        m.SusumeruClick();       // J3 with its answer
        m.RadioButton3->click(); // second half: the held A2 comes back
        QCOMPARE(shown(m), QStringLiteral("J3|A2|3"));
        QCOMPARE(m.flashStep(), 0);
    }

    void intervalBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("interval"); // of the armed timer; 0 = stopped
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("number"); // question number after the press
        QTest::newRow("3 seconds") << "3" << 3000 << ""
                                   << "2";
        QTest::newRow("blanks around") << " 7 " << 7000 << ""
                                       << "2";
        QTest::newRow("zero stops") << "0" << 0 << ""
                                    << "2";
        QTest::newRow("negative stops") << "-2" << 0 << ""
                                        << "2";
        QTest::newRow("huge is held") << "9999999" << INT_MAX << ""
                                      << "2";
        QTest::newRow("not a number") << "abc" << 9000 << "'abc' は有効な整数値ではありません"
                                      << "1";
        QTest::newRow("fraction") << "1.5" << 9000 << "'1.5' は有効な整数値ではありません"
                                  << "1";
    }
    void intervalBox() {
        QFETCH(QString, typed);
        QFETCH(int, interval);
        QFETCH(QString, error);
        QFETCH(QString, number);
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        m.RadioButton2->click();
        m.InputsBox->setText(QStringLiteral("9"));
        m.SetButton->click();
        m.ModoruClick(); // back on question 1 with a 9-second rhythm
        m.InputsBox->setText(typed);
        QTest::mouseClick(m.SetButton, Qt::LeftButton);
        QCOMPARE(fake_.errorTexts(), error.isEmpty() ? QStringList{} : QStringList{error});
        QCOMPARE(m.Timer1->isActive() ? m.Timer1->interval() : 0, interval);
        QCOMPARE(m.ProblemNo->text(), number);
    }

    void normalModeSetsNoTimer() {
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        m.SetButton->click();
        QCOMPARE(m.InputsBox->text(), QStringLiteral("5"));
        QVERIFY(!m.Timer1->isActive() && !m.Timer2->isActive());
        QCOMPARE(shown(m), QStringLiteral("J1||1"));
    }

    void realTimerAdvances() {
        TSoramiMini m(fake_);
        load(m, writeCards(9));
        m.RadioButton2->click();
        m.InputsBox->setText(QStringLiteral("1"));
        m.SetButton->click();
        QCOMPARE(m.ProblemNo->text(), QStringLiteral("2"));
        QTRY_COMPARE_WITH_TIMEOUT(m.ProblemNo->text(), QStringLiteral("3"), 2500);
        m.RadioButton1->click();
        QTest::qWait(1300);
        QCOMPARE(m.ProblemNo->text(), QStringLiteral("3")); // normal mode stopped it
    }

    void fontsStoredOnYes() {
        FontSpec upper, lower;
        {
            TSoramiMini m(fake_);
            QCOMPARE(m.TangoDisp->font().family(), QFont(QStringLiteral("System")).family());
            upper = m.FontDialog1.font;
            upper.face = QStringLiteral("ＭＳ 明朝");
            upper.size = 18;
            upper.colour = Colours::Blue;
            fake_.fontAnswers = {upper, std::nullopt};
            QTest::mouseClick(m.WubunFont, Qt::LeftButton);
            QTest::mouseClick(m.EibunFont, Qt::LeftButton); // cancelled: the design font stays
            lower = m.FontDialog2.font;
            m.show();
            fake_.messageAnswers.push_back(MsgResult::Yes);
            QTest::mouseClick(m.Exit, Qt::LeftButton);
            QCOMPARE(fake_.messages.last().text, QStringLiteral("閉じてもいいですか？"));
            QCOMPARE(fake_.messages.last().icon, MsgIcon::Question);
            QCOMPARE(fake_.messages.last().buttons, MsgButtons::YesNo);
            QVERIFY(!m.isVisible());
        }
        const ProfileIni ini(programIniPath());
        QCOMPARE(fromSjis(ini.readString("和文font", "Name", "")), QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(ini.readInteger("和文font", "Size", 0), 18);
        QCOMPARE(ini.readInteger("和文font", "Color", 0), Colours::Blue);
        QCOMPARE(fromSjis(ini.readString("正解font", "Name", "")), QStringLiteral("System"));
        QCOMPARE(ini.readInteger("正解font", "Size", 0), lower.size);
        QCOMPARE(ini.readInteger("正解font", "Color", 0), lower.colour);

        TSoramiMini next(fake_);
        QCOMPARE(next.FontDialog1.font.face, QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(next.TangoDisp->font().pointSize(), 18);
        QCOMPARE(next.TangoDisp->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(next.FontDialog2.font, lower);
    }

    void partialIniKeepsTheRestOfTheDesign_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("upperSize");
        QTest::addColumn<QColor>("lowerColour");
        QTest::newRow("size only above, colour only below")
            << "[和文font]\r\nSize=20\r\n[正解font]\r\nColor=255\r\n"
            << 20 << QColor(255, 0, 0);
        QTest::newRow("giant size") << "[和文font]\r\nSize=100000\r\n" << 12 << QColor();
        QTest::newRow("zero size") << "[和文font]\r\nSize=0\r\n" << 12 << QColor();
        QTest::newRow("size not a number") << "[和文font]\r\nSize=big\r\n" << 12 << QColor();
    }
    void partialIniKeepsTheRestOfTheDesign() {
        QFETCH(QString, ini);
        QFETCH(int, upperSize);
        QFETCH(QColor, lowerColour);
        writeIni(ini);
        TSoramiMini m(fake_);
        QCOMPARE(m.FontDialog1.font.face, QStringLiteral("System"));
        QCOMPARE(m.FontDialog1.font.size, upperSize);
        QCOMPARE(m.TangoDisp->font().pointSize(), upperSize);
        QCOMPARE(m.FontDialog2.font.size, 12);
        if (lowerColour.isValid())
            QCOMPARE(toQColor(fontColour(m.ImiDisp)), lowerColour);
        else
            QCOMPARE(m.FontDialog2.font.colour, SysColour::WindowText);
    }

    void closingThatStoresNothing_data() {
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<bool>("iniWritable");
        QTest::newRow("No to the question") << true << true;
        QTest::newRow("close box") << false << true;
        // Yes when the INI cannot be written: said once, and the window closes.
        QTest::newRow("Yes, INI not writable") << true << false;
    }
    void closingThatStoresNothing() {
        QFETCH(bool, byButton);
        QFETCH(bool, iniWritable);
        TSoramiMini m(fake_);
        m.show();
        fake_.fontAnswers.push_back(m.FontDialog1.font);
        m.WubunFontClick();
        if (!iniWritable) {
            QVERIFY(QDir().mkpath(programIniPath())); // a folder in the INI's place
            fake_.messageAnswers.push_back(MsgResult::Yes);
            m.Exit->click();
            QVERIFY(!m.isVisible());
            QCOMPARE(fake_.errorTexts().size(), 1);
            QVERIFY(QDir().rmdir(programIniPath()));
        } else if (byButton) {
            fake_.messageAnswers.push_back(MsgResult::No);
            m.TojiruClick();
            QVERIFY(m.isVisible());
        } else {
            m.close();
            QVERIFY(fake_.messages.isEmpty());
        }
        QVERIFY(!QFile::exists(programIniPath()));
    }

    void windowAsDesigned() {
        TSoramiMini m(fake_);
        QCOMPARE(m.windowTitle(), QStringLiteral("ソラミ君ミニ　Ver1.0           "));
        QCOMPARE(m.size(), QSize(632, 129));
        QVERIFY(!(m.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m.RadioButton1->isChecked());
        QCOMPARE(m.AutoSenderLabel->geometry().topLeft(), QPoint(301, 114));
        QCOMPARE(m.AutoSenderLabel->height(), 12);
        // Bottom strip from left to right, below the two panels.
        QList<QWidget*> strip{m.Label2,          m.ProblemNum, m.Label3,       m.ProblemNo,
                              m.AutoSenderLabel, m.InputsBox,  m.RadioButton1, m.RadioButton2,
                              m.RadioButton3,    m.SetButton,  m.CheckBox1,    m.CheckBox2};
        for (int i = 1; i < strip.size(); ++i)
            QVERIFY2(strip[i - 1]->geometry().right() < strip[i]->x(),
                     qPrintable(strip[i]->metaObject()->className()));
        QVERIFY(m.Panel1->geometry().bottom() < m.Label2->y());
        QVERIFY(m.rect().contains(m.CheckBox2->geometry()));
        QVERIFY(m.rect().contains(m.Panel2->geometry()));
        // Every caption fits its label, the interval label in both of its texts.
        for (QLabel* l : {m.Label2, m.Label3, m.AutoSenderLabel})
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->text()));
        QVERIFY(m.AutoSenderLabel->fontMetrics().horizontalAdvance(
                    QStringLiteral("フラッシュ間隔＝")) <= m.AutoSenderLabel->width());
        QCOMPARE(m.TangoDisp->lineWrapMode(), QPlainTextEdit::NoWrap);
    }
};

QTEST_MAIN(TestSrmminfm32)
#include "test_srmminfm32.moc"
