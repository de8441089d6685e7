#include "Results.h"

#include "Blockpr1.h"
#include "colour_qt.h"
#include "error_guard.h"
#include "fonts.h"
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

QFont faceFont(const char* face, int pixels, bool bold = false, bool underline = false) {
    FontSpec fontSpec;
    fontSpec.face = QString::fromUtf8(face);
    fontSpec.height = -pixels;
    fontSpec.bold = bold;
    fontSpec.underline = underline;
    return toQFont(fontSpec);
}

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

QIcon saveGlyph() {
    // A small floppy disk.
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 80), 1.2));
    p.setBrush(QColor(40, 70, 160));
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(18, 3);
    body.lineTo(21, 6);
    body.lineTo(21, 21);
    body.lineTo(3, 21);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(7, 3.5, 9, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 13, 12, 8));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(8, 16), QPointF(16, 16));
    p.drawLine(QPointF(8, 18.5), QPointF(16, 18.5));
    return QIcon(pm);
}

} // namespace

QPixmap resultIllustration() {
    // A cheerful round face with a graduate's cap over a small pennant:
    // the learner who has just finished a block.
    QPixmap pm(96, 96);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 96);
    sky.setColorAt(0, QColor(120, 190, 255));
    sky.setColorAt(1, QColor(225, 245, 255));
    p.fillRect(pm.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 170, 70));
    p.drawEllipse(QRectF(-20, 78, 136, 50));

    // Face.
    p.setPen(QPen(QColor(150, 90, 30), 1.5));
    p.setBrush(QColor(255, 214, 150));
    p.drawEllipse(QRectF(24, 30, 48, 46));
    // Eyes and smile.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(37, 46, 5, 6));
    p.drawEllipse(QRectF(54, 46, 5, 6));
    p.setBrush(QColor(255, 140, 140));
    p.drawEllipse(QRectF(31, 56, 8, 5));
    p.drawEllipse(QRectF(57, 56, 8, 5));
    p.setPen(QPen(QColor(160, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 50, 20, 16), 200 * 16, 140 * 16);

    // Cap.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 60));
    QPolygonF board;
    board << QPointF(48, 14) << QPointF(80, 25) << QPointF(48, 36) << QPointF(16, 25);
    p.drawPolygon(board);
    p.drawRect(QRectF(32, 27, 32, 9));
    p.setPen(QPen(QColor(230, 180, 0), 1.5));
    p.drawLine(QPointF(48, 25), QPointF(74, 30));
    p.drawLine(QPointF(74, 30), QPointF(74, 42));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 0));
    p.drawEllipse(QRectF(71.5, 41, 5, 5));

    // Star of success.
    p.setBrush(QColor(255, 220, 0));
    p.setPen(QPen(QColor(200, 120, 0), 1));
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 9.0 : 4.0;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(14 + r * std::cos(a), 14 + r * std::sin(a));
    }
    p.drawPolygon(star);
    return pm;
}

TKekka::TKekka(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    layOut();
    connectGuarded(platform_, SeisekiSave, &QPushButton::clicked, this, &TKekka::SeisekiSaveClick);
    connectGuarded(platform_, BitBtn1, &QPushButton::clicked, this, &TKekka::BitBtn1Click);
}

void TKekka::layOut() {
    setWindowTitle(QStringLiteral("結果の判定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(470, 297);
    const QFont normal = faceFont("ＭＳ Ｐゴシック", 14);
    const QFont large = faceFont("ＭＳ Ｐゴシック", 16, true);
    setFont(normal);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 0, 470, 297);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setColours(Panel1, Colours::Black, Colours::Silver);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(8, 8, 88, 88);
    Image1->setScaledContents(true);
    Image1->setPixmap(resultIllustration());
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Label5 = label(QStringLiteral("ガンバレソラミ君"), Panel1, QRect(106, 10, 190, 30),
                   faceFont("ＭＳ Ｐゴシック", 23, true, true));
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

    Keizi =
        label(QString(), Panel1, QRect(298, 10, 162, 56), faceFont("ＭＳ Ｐゴシック", 27, true));
    Keizi->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Keizi->setLineWidth(2);
    Keizi->setAlignment(Qt::AlignCenter);
    setColours(Keizi, Colours::Red);

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
        platform_.playSound(QStringLiteral("up.wav"), true);
        file.saveBlockResult(moment, toSjis(Rensyuu_Num->text()), toSjis(SeikaiNum->text()),
                             gradeCode_);
    } else {
        platform_.playSound(QStringLiteral("poki.wav"), true);
        file.declineBlockResult(moment);
    }
    recordEnded_ = 1;
}

void TKekka::BitBtn1Click() {
    // OK always closes, also when the file fails: the error is shown and the
    // learner is not held in the dialog.
    const auto close = qScopeGuard([this] { QDialog::done(QDialog::Accepted); });
    if (recordEnded_ == 0) {
        platform_.playSound(QStringLiteral("poki.wav"), true);
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

    platform.playSound(showyTone ? QStringLiteral("clapping.wav") : QStringLiteral("shoot.wav"),
                       true);
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
