#include "Results.h"
#include "cue_names.h"

#include "Blockpr1.h"
#include "artwork.h"
#include "colour_qt.h"
#include "error_guard.h"
#include "form_kit.h"
#include "platform.h"
#include "score_file.h"
#include "sjis_text.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <cmath>
#include <numbers>

namespace sorami {

namespace {

void setColours(QWidget* w, ColourValue text, ColourValue background = -1) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, toQColor(text));
    if (background != -1) {
        pal.setColor(QPalette::Window, toQColor(background));
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

QLabel* label(const QString& text, QWidget* parent, const QRect& geometry, const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setGeometry(geometry);
    return l;
}

} // namespace

TKekka::TKekka(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    layOut();
    connectGuarded(platform_, SeisekiSave, &QPushButton::clicked, this, &TKekka::SeisekiSaveClick);
    connectGuarded(platform_, BitBtn1, &QPushButton::clicked, this, &TKekka::BitBtn1Click);
    finishForm(this);
}

void TKekka::layOut() {
    setWindowTitle(QStringLiteral("結果の判定"));
    setDialogFrame(this);
    setFixedSize(470, 297);
    const QFont normal = pixelFont(face::PGothic, 14);
    const QFont large = pixelFont(face::PGothic, 16, {.bold = true});
    setFont(normal);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 0, 470, 297);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setColours(Panel1, Colours::Black, Colours::Silver);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(8, 8, 88, 88);
    Image1->setScaledContents(true);
    showDrawnPicture(Image1, [](qreal dpr) { return resultIllustration(dpr); });
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Label5 = label(QStringLiteral("ガンバレソラミ君"), Panel1, QRect(106, 10, 190, 30),
                   pixelFont(face::PGothic, 23, {.bold = true, .underline = true}));
    setColours(Label5, Colours::Maroon);

    Label1 = label(QStringLiteral("＜結果の判定＞"), Panel1, QRect(106, 50, 180, 24), large);

    // "10 問出題中" / "8 問" / "が正解でした。"
    Rensyuu_Num = label(QString(), Panel1, QRect(106, 90, 50, 26), large);
    Rensyuu_Num->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2 = label(QStringLiteral(" 問出題中"), Panel1, QRect(156, 90, 110, 26), large);

    SeikaiNum = label(QString(), Panel1, QRect(106, 124, 50, 26), large);
    SeikaiNum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setColours(SeikaiNum, Colours::Fuchsia, Colours::Aqua);
    Label4 = label(QStringLiteral("問"), Panel1, QRect(160, 124, 30, 26), large);
    Label3 = label(QStringLiteral("が正解でした。"), Panel1, QRect(106, 158, 180, 26), large);
    // A screen reader says each number and the grade with the words beside them.
    Label2->setBuddy(Rensyuu_Num);
    Label3->setBuddy(SeikaiNum);

    Keizi = label(QString(), Panel1, QRect(298, 10, 162, 56),
                  pixelFont(face::PGothic, 27, {.bold = true}));
    Keizi->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Keizi->setLineWidth(2);
    Keizi->setAlignment(Qt::AlignCenter);
    setColours(Keizi, Colours::Red);
    Label1->setBuddy(Keizi);

    SaveBox = new QFrame(Panel1);
    SaveBox->setGeometry(298, 76, 162, 112);
    SaveBox->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label8 = label(QStringLiteral("●成績をﾌｧｲﾙにｾｰﾌﾞ"), SaveBox, QRect(8, 8, 150, 20), normal);
    Label9 = label(QStringLiteral("しますか？"), SaveBox, QRect(22, 30, 130, 20), normal);
    SeisekiSave = new QPushButton(saveGlyph(), QString(), SaveBox);
    SeisekiSave->setAccessibleName(QStringLiteral("成績をファイルにセーブ"));
    SeisekiSave->setIconSize(QSize(24, 24));
    SeisekiSave->setGeometry(46, 60, 70, 40);
    SeisekiSave->setAutoDefault(false);

    Divider = new QFrame(Panel1);
    Divider->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Divider->setGeometry(8, 196, 454, 4);

    Label6 = label(QStringLiteral("陽気発する処、金石また透る"), Panel1, QRect(16, 210, 300, 22),
                   normal);
    Label7 = label(QStringLiteral("精神一到何事か成らざらん。"), Panel1, QRect(16, 240, 300, 22),
                   normal);
    setColours(Label6, Colours::Navy);
    setColours(Label7, Colours::Navy);

    BitBtn1 = new QPushButton(okGlyph(), QStringLiteral("OK"), Panel1);
    BitBtn1->setGeometry(364, 246, 96, 36);
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
}

void TKekka::SeisekiSaveClick() {
    const QDateTime moment = platform_.localTime();
    const ScoreFile file;
    if (platform_.messageBox(this, QStringLiteral("成績をファイルにセーブします\r\nいいですか？"),
                             MsgIcon::Question, MsgButtons::OkCancel) == MsgResult::Ok) {
        platform_.playSound(cue::Up, true);
        file.saveBlockResult(moment, toSjis(Rensyuu_Num->text()), toSjis(SeikaiNum->text()),
                             gradeCode_);
    } else {
        platform_.playSound(cue::Poki, true);
        file.declineBlockResult(moment);
    }
    recordEnded_ = 1;
}

void TKekka::BitBtn1Click() {
    // OK always closes, also when the file fails: the error is shown and the
    // learner is not held in the dialog.
    const auto close = qScopeGuard([this] { QDialog::done(QDialog::Accepted); });
    if (recordEnded_ == 0) {
        platform_.playSound(cue::Poki, true);
        ScoreFile().leaveBlockResult();
        recordEnded_ = 1;
    }
}

void TKekka::reject() {
    guarded(platform_, this, [this] { BitBtn1Click(); });
}

void TKekka::keyPressEvent(QKeyEvent* event) {
    // There is no cancel button, so Esc leaves nothing and does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void showBlockJudgement(Platform& platform, QWidget* parent, const QString& problemFileName,
                        int blockSize, int blockCorrect, bool showyTone) {
    TKekka dialog(platform, parent);
    dialog.Rensyuu_Num->setText(QString::number(blockSize));
    dialog.SeikaiNum->setText(QString::number(blockCorrect));

    platform.playSound(showyTone ? cue::Clapping : cue::Shoot, true);
    platform.busyWait(500);

    const BlockGrade grade = blockGrade(blockCorrect, blockSize);
    platform.playSound(grade.cue, true);
    dialog.Keizi->setText(fromSjis(grade.word));
    dialog.setGradeCode(grade.code);

    try {
        ScoreFile().beginBlockRecord(problemFileName);
    } catch (...) {
        // The grade is still shown and the run still ends; only the record
        // is missing, and the learner has been told why.
        reportCurrentException(platform, parent);
    }
    dialog.exec();
}

} // namespace sorami
