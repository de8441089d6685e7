#include "LkOVer10.h"

#include "artwork.h"
#include "fonts.h"
#include "form_kit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace sorami {

TLkOVer10::TLkOVer10(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョン情報"));
    setDialogFrame(this);
    setFixedSize(367, 197);
    setFaceColour(this, Colours::Silver);
    setFont(pixelFont(face::PGothic, 14));

    ProgramIcon = new QLabel(this);
    showDrawnPicture(ProgramIcon, [](qreal dpr) { return programIcon(32, dpr); });
    ProgramIcon->setGeometry(16, 16, 32, 32);

    ProductName = new QLabel(QStringLiteral("ガンバレソラミ君・ＬｋＯ"), this);
    ProductName->setFont(pixelFont(face::PGothic, 22, {.bold = true}));
    setFontColour(ProductName, Colours::Maroon);
    ProductName->setGeometry(64, 16, 290, 32);

    Version = new QLabel(QStringLiteral("Version：１.０５"), this);
    Version->setGeometry(64, 60, 290, 24);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(12, 124, 343, 4);

    // The standard OK button: its caption, glyph and result.
    BitBtn1 = new QPushButton(okGlyph(), QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    BitBtn1->setGeometry(146, 150, 75, 28);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    finishForm(this);
}

} // namespace sorami
