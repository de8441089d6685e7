#include "Settime1.h"

#include "artwork.h"
#include "error_guard.h"
#include "form_kit.h"
#include "platform.h"
#include "srmi105_widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sorami {

int IntervalEntered = 0;
int IntervalCancelled = 0;

TSetTimes::TSetTimes(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    layOut();
    connectGuarded(platform_, UpDown1, &QSpinBox::valueChanged, this, &TSetTimes::UpDown1Click);
    connectGuarded(platform_, BitBtn1, &QPushButton::clicked, this, &TSetTimes::BitBtn1Click);
    connectGuarded(platform_, BitBtn2, &QPushButton::clicked, this, &TSetTimes::BitBtn2Click);
    finishForm(this);
}

void TSetTimes::layOut() {
    setWindowTitle(QStringLiteral("自動送り時間の設定"));
    setDialogFrame(this);
    setFixedSize(ClientWidth, ClientHeight);
    setFaceColour(this, Colours::Silver);
    setFont(pixelFont(face::PGothic, 14));

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 332, 196);

    Label1 = new QLabel(QStringLiteral("自動出題モードに入りました。"), Bevel1);
    Label1->setFont(pixelFont(face::Gothic, 18));
    Label1->setGeometry(16, 12, 304, 24);
    Label2 = new QLabel(QStringLiteral("送り間隔を何秒に設定しますか？"), Bevel1);
    Label2->setGeometry(16, 44, 304, 22);
    Label3 = new QLabel(QStringLiteral("（3秒以上の設定が必要です）"), Bevel1);
    Label3->setGeometry(16, 68, 304, 22);

    Image1 = new QLabel(Bevel1);
    showDrawnPicture(Image1, [](qreal dpr) { return intervalIllustration(dpr); });
    Image1->setScaledContents(true);
    Image1->setGeometry(24, 104, 80, 80);

    IntervalTime = new QLineEdit(QStringLiteral("3"), Bevel1);
    IntervalTime->setReadOnly(true);
    IntervalTime->setAttribute(Qt::WA_InputMethodEnabled, false);
    IntervalTime->setFont(pixelFont(face::Gothic, 22));
    IntervalTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    IntervalTime->setGeometry(140, 124, 64, 36);

    UpDown1 = new UpDownSpinner(Bevel1);
    Label2->setBuddy(IntervalTime);
    UpDown1->setAccessibleName(QStringLiteral("送り間隔の秒数"));
    UpDown1->setRange(3, 30);
    UpDown1->setValue(3);
    UpDown1->setGeometry(205, 124, 20, 36);

    Label4 = new QLabel(QStringLiteral("秒"), Bevel1);
    Label4->setFont(IntervalTime->font());
    Label4->setGeometry(234, 128, 30, 28);

    BitBtn1 = new QPushButton(okGlyph(), QStringLiteral("OK"), this);
    BitBtn1->setGeometry(64, 218, 96, 34);
    BitBtn1->setDefault(true);

    BitBtn2 = new QPushButton(cancelGlyph(), QStringLiteral("ｷｬﾝｾﾙ"), this);
    BitBtn2->setGeometry(188, 218, 96, 34);
    BitBtn2->setAutoDefault(false);

    setTabOrder(IntervalTime, UpDown1);
    setTabOrder(UpDown1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    // The arrow keys move the number at once, and Enter still reaches OK.
    UpDown1->setFocus();
}

void TSetTimes::UpDown1Click() {
    IntervalTime->setText(QString::number(UpDown1->value()));
}

void TSetTimes::BitBtn1Click() {
    bool ok = false;
    const int seconds = IntervalTime->text().trimmed().toInt(&ok);
    if (ok) {
        IntervalEntered = seconds;
    } else {
        platform_.messageBox(
            this,
            QStringLiteral("数値が入力されなかったので\r\nデフォルトのインターバル時間"
                           "\r\n３秒を設定します。"),
            MsgIcon::Warning, MsgButtons::Ok);
    }
    IntervalCancelled = 0;
    done(QDialog::Accepted);
}

void TSetTimes::BitBtn2Click() {
    IntervalCancelled = 1;
    done(QDialog::Rejected);
}

void TSetTimes::keyPressEvent(QKeyEvent* event) {
    if (escapeClicksCancel(event, BitBtn2)) return;
    QDialog::keyPressEvent(event);
}

QString askInterval(Platform& platform, QWidget* parent) {
    TSetTimes dialog(platform, parent);
    dialog.exec();
    return dialog.IntervalTime->text();
}

} // namespace sorami
