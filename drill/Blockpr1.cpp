#include "Blockpr1.h"

#include "artwork.h"
#include "error_guard.h"
#include "form_kit.h"
#include "platform.h"
#include "srmi105_widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace sorami {

int BlockCountEntered = 0;
int BlockCancelled = 0;

namespace {

QFont dialogFont() {
    return pixelFont(face::PGothic, 14);
}

} // namespace

TBlockProblem::TBlockProblem(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    layOut();
    connectGuarded(platform_, UpDown1, &QSpinBox::valueChanged, this, &TBlockProblem::UpDown1Click);
    connectGuarded(platform_, BlockOk, &QPushButton::clicked, this, &TBlockProblem::BlockOkClick);
    connectGuarded(platform_, BlockCancel, &QPushButton::clicked, this,
                   &TBlockProblem::BlockCancelClick);
    finishForm(this);
}

void TBlockProblem::layOut() {
    setWindowTitle(QStringLiteral("ブロック問題出題数"));
    setDialogFrame(this);
    setFixedSize(371, 230);
    setFont(dialogFont());

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 355, 160);

    Label1 = new QLabel(QStringLiteral("ブロック出題モードに入りました。"), Panel1);
    Label1->setGeometry(24, 14, 310, 22);
    Label2 = new QLabel(QStringLiteral("出題数を何題に設定しますか？"), Panel1);
    Label2->setGeometry(24, 40, 310, 22);
    Label3 = new QLabel(QStringLiteral("(10題以上を設定して下さい）"), Panel1);
    Label3->setGeometry(24, 66, 310, 22);

    BlockNum = new QLineEdit(QStringLiteral("10"), Panel1);
    BlockNum->setReadOnly(true);
    BlockNum->setAttribute(Qt::WA_InputMethodEnabled, false);
    BlockNum->setFont(pixelFont(face::Gothic, 22));
    BlockNum->setGeometry(112, 104, 72, 36);

    UpDown1 = new UpDownSpinner(Panel1);
    Label2->setBuddy(BlockNum);
    UpDown1->setAccessibleName(QStringLiteral("出題数"));
    UpDown1->setRange(10, 100);
    UpDown1->setValue(10);
    UpDown1->setGeometry(185, 104, 20, 36);

    Label4 = new QLabel(QStringLiteral("題"), Panel1);
    Label4->setFont(BlockNum->font());
    Label4->setGeometry(214, 108, 30, 28);

    BlockOk = new QPushButton(okGlyph(), QStringLiteral("OK"), this);
    BlockOk->setGeometry(76, 182, 96, 34);
    BlockOk->setDefault(true);

    BlockCancel = new QPushButton(cancelGlyph(), QString(), this);
    BlockCancel->setAccessibleName(QStringLiteral("キャンセル"));
    BlockCancel->setGeometry(200, 182, 96, 34);
    BlockCancel->setAutoDefault(false);

    setTabOrder(BlockNum, UpDown1);
    setTabOrder(UpDown1, BlockOk);
    setTabOrder(BlockOk, BlockCancel);
    // The arrow keys move the number at once, and Enter still reaches OK.
    UpDown1->setFocus();
}

void TBlockProblem::UpDown1Click() {
    BlockNum->setText(QString::number(UpDown1->value()));
}

void TBlockProblem::BlockOkClick() {
    bool ok = false;
    const int n = BlockNum->text().trimmed().toInt(&ok);
    if (ok) {
        BlockCountEntered = n;
    } else {
        platform_.messageBox(
            this,
            QStringLiteral("数値が入力されなかったので\r\nデフォルトのブロック問題数"
                           "\r\n１０を設定します。"),
            MsgIcon::Warning, MsgButtons::Ok);
    }
    done(QDialog::Accepted);
}

void TBlockProblem::BlockCancelClick() {
    BlockCancelled = 1;
    done(QDialog::Rejected);
}

void TBlockProblem::keyPressEvent(QKeyEvent* event) {
    if (escapeClicksCancel(event, BlockCancel)) return;
    QDialog::keyPressEvent(event);
}

std::optional<int> askBlockSize(Platform& platform, QWidget* parent) {
    {
        TBlockProblem dialog(platform, parent);
        dialog.exec();
    }
    if (BlockCancelled == 1) {
        BlockCancelled = 0;
        return std::nullopt;
    }
    return std::max(BlockCountEntered, 10);
}

} // namespace sorami
