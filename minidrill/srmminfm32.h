#pragma once
// The mini drill: walks through a question file like the card viewer, with
// a question counter, switches that show the answer or the idiom line with
// every question, automatic and flash advance at a typed interval, and
// fonts kept in the program's INI between runs.

#include "card_view.h"
#include "interval_timer.h"
#include "platform.h"
#include "question_file.h"

#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace sorami {

class TSoramiMini : public QWidget {
    Q_OBJECT
public:
    explicit TSoramiMini(Platform& platform, QWidget* parent = nullptr);

    QFrame* Panel1;
    QPlainTextEdit* TangoDisp;
    QPlainTextEdit* ImiDisp;
    QFrame* Panel2;
    QToolButton* FileOpen;
    QToolButton* Exit;
    QToolButton* Modoru;
    QToolButton* Susumeru;
    QToolButton* SpeedButton1;
    QToolButton* Ideom;
    QToolButton* WubunFont;
    QToolButton* EibunFont;
    QLabel* Label2;
    QLabel* ProblemNum;
    QLabel* Label3;
    QLabel* ProblemNo;
    QLabel* AutoSenderLabel;
    QLineEdit* InputsBox;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QPushButton* SetButton;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    FileDialogState OpenDialog1;
    FontChooser FontDialog1;
    FontChooser FontDialog2;
    IntervalTimer* Timer1;
    IntervalTimer* Timer2;

    const Lines& cardLines() const { return cards_.lines; }
    int cardLine() const { return cards_.line; }
    const QString& cardFileName() const { return cards_.fileName; }
    int flashStep() const { return flashStep_; }

    // Opens a question file named on the command line as if the learner had
    // chosen it in the open dialog; a failure is reported, never thrown.
    void openFile(const QString& path);

public slots:
    void FormCreate();
    void YomikomiClick();
    void TojiruClick();
    void SusumeruClick();
    void ModoruClick();
    void ImiClick();
    void IdeomClick();
    void WubunFontClick();
    void EibunFontClick();
    void CheckBox1Click();
    void CheckBox2Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void SetButtonClick();
    void Timer1Timer();
    void Timer2Timer();

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void showOpenedFile();
    void showCard();
    CardView<QPlainTextEdit> view() const { return {TangoDisp, ImiDisp, speak_.speaker}; }
    void showNumber();
    void showAlways();
    void loadFontSettings();

    Platform& platform_;
    CardList cards_;
    SpeakCommand speak_;
    int alwaysShowAnswer_ = 0;
    int alwaysShowIdiom_ = 0;
    int autoAdvanceOn_ = 0;
    int flashAdvanceOn_ = 0;
    int flashStep_ = 0;
    QString flashHeldText_;
};

} // namespace sorami
