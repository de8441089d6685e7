#include "speed_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace sorami {
namespace {

constexpr int side = 20;

void drawCharacter(QPainter& p, const QString& text, const QColor& colour) {
    // The face the programs use for Japanese; the font substitutions map it
    // to an installed Japanese face.
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, text);
}

void drawArrow(QPainter& p, bool forward) {
    QPainterPath path;
    if (forward) {
        path.moveTo(6, 3);
        path.lineTo(16, 10);
        path.lineTo(6, 17);
    } else {
        path.moveTo(14, 3);
        path.lineTo(4, 10);
        path.lineTo(14, 17);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 64), 1));
    p.setBrush(QColor(0, 0, 160));
    p.drawPath(path);
}

void drawFolder(QPainter& p) {
    p.setPen(QPen(QColor(96, 64, 0), 1));
    p.setBrush(QColor(240, 200, 64));
    QPainterPath back;
    back.moveTo(2, 5);
    back.lineTo(7, 5);
    back.lineTo(9, 7);
    back.lineTo(17, 7);
    back.lineTo(17, 16);
    back.lineTo(2, 16);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(255, 228, 120));
    QPainterPath flap;
    flap.moveTo(4, 10);
    flap.lineTo(19, 10);
    flap.lineTo(17, 16);
    flap.lineTo(2, 16);
    flap.closeSubpath();
    p.drawPath(flap);
}

void drawExit(QPainter& p) {
    // A door with an arrow walking out of it.
    p.setPen(QPen(QColor(64, 32, 0), 1));
    p.setBrush(QColor(176, 112, 48));
    p.drawRect(3, 2, 9, 15);
    p.setBrush(QColor(255, 224, 96));
    p.drawEllipse(QPointF(10, 10), 1, 1);
    p.setPen(QPen(QColor(192, 0, 0), 2));
    p.drawLine(11, 10, 18, 10);
    p.drawLine(15, 7, 18, 10);
    p.drawLine(15, 13, 18, 10);
}

} // namespace

QIcon speedGlyph(SpeedGlyph glyph) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case SpeedGlyph::Open:
        drawFolder(p);
        break;
    case SpeedGlyph::Exit:
        drawExit(p);
        break;
    case SpeedGlyph::Back:
        drawArrow(p, false);
        break;
    case SpeedGlyph::Forward:
        drawArrow(p, true);
        break;
    case SpeedGlyph::Answer:
        drawCharacter(p, QStringLiteral("正"), QColor(200, 0, 0));
        break;
    case SpeedGlyph::Idiom:
        drawCharacter(p, QStringLiteral("熟"), QColor(0, 112, 0));
        break;
    case SpeedGlyph::JapaneseFont:
        drawCharacter(p, QStringLiteral("和"), QColor(0, 0, 160));
        break;
    case SpeedGlyph::EnglishFont:
        drawCharacter(p, QStringLiteral("英"), QColor(128, 0, 128));
        break;
    }
    p.end();
    return QIcon(pm);
}

QToolButton* makeSpeedButton(QWidget* parent, SpeedGlyph glyph, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setIcon(speedGlyph(glyph));
    b->setIconSize(QSize(side, side));
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (!hint.isEmpty()) b->setToolTip(hint);
    return b;
}

} // namespace sorami
