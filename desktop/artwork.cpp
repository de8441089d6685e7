#include "artwork.h"

#include "colour_qt.h"
#include "fonts.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>
#include <cmath>
#include <numbers>

namespace sorami {
namespace {

constexpr int side = 20;

// Letters and marks are read against the face of the button they sit on,
// which the desktop's theme colours: dark ink turns light on a dark face.
QColor onFace(const QColor& ink) {
    return readableOn(ink, QGuiApplication::palette().color(QPalette::Button));
}

void drawCharacter(QPainter& p, const QString& text, const QColor& colour) {
    // The face the programs use for Japanese; the font substitutions map it
    // to an installed Japanese face.
    QFont f = pixelFont(face::Gothic, 16, {.bold = true});
    p.setFont(f);
    p.setPen(onFace(colour));
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
    p.setPen(QPen(onFace(QColor(0, 0, 64)), 1));
    p.setBrush(onFace(QColor(0, 0, 160)));
    p.drawPath(path);
}

void drawFlashAdvance(QPainter& p) {
    // Two solid triangles, black like the captions beside them: an outline
    // would read as a disabled button.
    p.setPen(Qt::NoPen);
    p.setBrush(onFace(Qt::black));
    for (const qreal left : {3.0, 10.0}) {
        QPainterPath path;
        path.moveTo(left, 5);
        path.lineTo(left + 7, 10);
        path.lineTo(left, 15);
        path.closeSubpath();
        p.drawPath(path);
    }
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

// A pale grey copy of a picture for a disabled button: the one the style
// would make is not pale on every platform (a solid black glyph stayed black
// under X11), and a locked button must look locked.
QPixmap disabledLook(const QPixmap& pm) {
    QImage grey = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = 128 + qGray(line[x]) / 3;
            line[x] = qRgba(g, g, g, qAlpha(line[x]) * 2 / 3);
        }
    }
    QPixmap out = QPixmap::fromImage(grey);
    out.setDevicePixelRatio(pm.devicePixelRatio());
    return out;
}

// Screens at 100 %, 200 % and 300 %; between them the icon takes the next
// larger picture and shrinks it, which keeps it sharp.
constexpr qreal iconRatios[] = {1.0, 2.0, 3.0};

QIcon drawnIcon(QSize size, bool disabledLookToo, const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (const qreal ratio : iconRatios) {
        const QPixmap pm = drawnPicture(size, ratio, true, draw);
        icon.addPixmap(pm);
        if (disabledLookToo) icon.addPixmap(disabledLook(pm), QIcon::Disabled);
    }
    return icon;
}

} // namespace

QPixmap drawnPicture(QSize size, qreal dpr, bool transparent,
                     const std::function<void(QPainter&)>& draw) {
    // Drawn in the picture's own units on a canvas with the screen's pixels,
    // so lines and letters get the screen's detail rather than being enlarged.
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return pm;
}

QIcon letterGlyph(const QString& text, const QColor& colour) {
    return drawnIcon(QSize(18, 18), false, [&](QPainter& p) {
        p.setPen(colour);
        p.setFont(pixelFont(face::Gothic, 15, {.bold = true}));
        p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, text);
    });
}

namespace {

// Keeps a label's drawn picture drawn for the pixel ratio of the screen the
// label is on, again when its window moves to another screen.
class PictureKeeper : public QObject {
public:
    PictureKeeper(QLabel* label, std::function<QPixmap(qreal)> draw)
        : QObject(label), label_(label), draw_(std::move(draw)) {
        label->installEventFilter(this);
        refresh();
    }

    void refresh() {
        const qreal dpr = label_->devicePixelRatioF();
        if (dpr == drawnFor_) return;
        drawnFor_ = dpr;
        label_->setPixmap(draw_(dpr));
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
            refresh();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLabel* label_;
    std::function<QPixmap(qreal)> draw_;
    qreal drawnFor_ = 0;
};

} // namespace

void showDrawnPicture(QLabel* label, std::function<QPixmap(qreal)> draw) {
    new PictureKeeper(label, std::move(draw));
}

QIcon speedGlyph(SpeedGlyph glyph) {
    return drawnIcon(QSize(side, side), true, [glyph](QPainter& p) {
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
        case SpeedGlyph::FlashAdvance:
            drawFlashAdvance(p);
            break;
        }
    });
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

QIcon okGlyph() {
    return drawnIcon(QSize(18, 18), false, [](QPainter& p) {
        p.setPen(QPen(onFace(QColor(0, 128, 0)), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(3, 9);
        tick.lineTo(7, 14);
        tick.lineTo(15, 3);
        p.drawPath(tick);
    });
}

QIcon cancelGlyph() {
    return drawnIcon(QSize(18, 18), false, [](QPainter& p) {
        p.setPen(QPen(onFace(QColor(200, 0, 0)), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(4, 4, 14, 14);
        p.drawLine(14, 4, 4, 14);
    });
}

QIcon saveGlyph() {
    // A small floppy disk.
    return drawnIcon(QSize(24, 24), false, [](QPainter& p) {
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
    });
}

QPixmap intervalIllustration(qreal dpr) {
    return drawnPicture(QSize(64, 64), dpr, true, [&](QPainter& p) {
        // Crown and the two side buttons.
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(200, 160, 40));
        p.drawRect(QRectF(28, 4, 8, 6));
        p.drawRect(QRectF(25, 1, 14, 4));
        p.save();
        p.translate(32, 36);
        for (const double angle : {-45.0, 45.0}) {
            p.save();
            p.rotate(angle);
            p.drawRect(QRectF(-3, -31, 6, 6));
            p.restore();
        }
        // Case and dial.
        QRadialGradient metal(QPointF(-8, -8), 34);
        metal.setColorAt(0, QColor(255, 240, 170));
        metal.setColorAt(1, QColor(190, 140, 20));
        p.setBrush(metal);
        p.drawEllipse(QPointF(0, 0), 26, 26);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(0, 0), 21, 21);
        // Ticks: long ones every five seconds.
        for (int i = 0; i < 60; i += 5) {
            p.save();
            p.rotate(i * 6.0);
            p.setPen(
                QPen(i % 15 == 0 ? QColor(170, 0, 0) : QColor(40, 40, 40), i % 15 == 0 ? 2 : 1));
            p.drawLine(QPointF(0, -19), QPointF(0, i % 15 == 0 ? -14 : -16));
            p.restore();
        }
        // The swept part of the interval and the hand.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 120, 120));
        p.drawPie(QRectF(-17, -17, 34, 34), 90 * 16, -60 * 16);
        p.setPen(QPen(QColor(180, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, 0), QPointF(14.7, -8.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
        p.restore();
    });
}

QPixmap resultIllustration(qreal dpr) {
    // A cheerful round face with a graduate's cap over a small pennant:
    // the learner who has just finished a block.
    return drawnPicture(QSize(96, 96), dpr, false, [&](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 96);
        sky.setColorAt(0, QColor(120, 190, 255));
        sky.setColorAt(1, QColor(225, 245, 255));
        p.fillRect(QRect(0, 0, 96, 96), sky);
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
    });
}

QPixmap splashPicture(int w, int h, qreal dpr) {
    return drawnPicture(QSize(w, h), dpr, false, [&](QPainter& p) {
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, QColor(40, 70, 160));
        sky.setColorAt(1, QColor(250, 190, 120));
        p.fillRect(0, 0, w, h, sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 40));
        p.drawEllipse(QPointF(w * 0.62, h * 0.62), h * 0.22, h * 0.22);
        QPainterPath hills;
        hills.moveTo(0, h);
        hills.lineTo(0, h * 0.72);
        hills.quadTo(w * 0.3, h * 0.52, w * 0.55, h * 0.74);
        hills.quadTo(w * 0.8, h * 0.6, w, h * 0.7);
        hills.lineTo(w, h);
        p.setBrush(QColor(30, 90, 50));
        p.drawPath(hills);
        p.setPen(QPen(QColor(255, 255, 255), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, w - 1, h - 1);
    });
}

QPixmap programIcon(int size, qreal dpr) {
    return drawnPicture(QSize(size, size), dpr, true, [&](QPainter& p) {
        p.scale(size / 128.0, size / 128.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x4f, 0x9e));
        p.drawRoundedRect(QRectF(10, 8, 96, 112), 10, 10);
        p.setBrush(QColor(0xfd, 0xfb, 0xf2));
        p.drawRoundedRect(QRectF(18, 14, 86, 100), 6, 6);
        p.setPen(QPen(QColor(0xb9, 0xc7, 0xe6), 2));
        for (int y : {44, 64, 84, 104})
            p.drawLine(26, y, 96, y);
        QFont kanji(QStringLiteral("Noto Sans CJK JP"));
        kanji.setPixelSize(30);
        kanji.setBold(true);
        p.setFont(kanji);
        p.setPen(QColor(0x1d, 0x2f, 0x5c));
        p.drawText(QPointF(28, 42), QStringLiteral("和"));
        QPen check(QColor(0xd6, 0x28, 0x28), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(check);
        const QPointF tick[] = {{58, 82}, {76, 102}, {118, 50}};
        p.drawPolyline(tick, 3);
    });
}

} // namespace sorami
