#pragma once
// The result dialog of a block run: the run's size, its correct answers and
// the grade word, and the button that saves the result to the score file.
// The end of the run has already written the record's first field; this
// dialog always ends the line: with the result, with the cancel mark when
// the learner declines, or with a row of asterisks when it is left unsaved
// (by OK or by the title-bar close box).

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace sorami {

class Platform;

class TKekka : public QDialog {
    Q_OBJECT
public:
    explicit TKekka(Platform& platform, QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Rensyuu_Num = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* SeikaiNum = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Keizi = nullptr;
    QFrame* SaveBox = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* SeisekiSave = nullptr;
    QFrame* Divider = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    // The grade the save button writes by: 0 none, 1 "優合格", 2 "良合格",
    // 3 "可合格", 4 "不合格".
    int gradeCode() const { return gradeCode_; }
    void setGradeCode(int code) { gradeCode_ = code; }
    // 1 once the block record has been ended.
    int recordEnded() const { return recordEnded_; }

public slots:
    void SeisekiSaveClick();
    void BitBtn1Click();

protected:
    // The title-bar close box leaves the dialog as OK does, so the record
    // never stays without its line end.
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    Platform& platform_;
    int gradeCode_ = 0;
    int recordEnded_ = 0;
};

// Steps of the end of a block run from the creation of the result dialog to
// its release: the counts, the end cue ("clapping.wav" for showy tones, else
// "shoot.wav"), a 500 ms pause, the grade with its cue and word, the first
// field of the block record, and the dialog shown modally. The cues play in
// every sound mode. When the score file cannot take the first field, the
// error is shown and the dialog still shows the grade.
void showBlockJudgement(Platform& platform, QWidget* parent, const QString& problemFileName,
                        int blockSize, int blockCorrect, bool showyTone);

} // namespace sorami
