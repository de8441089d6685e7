#include "chart_png.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace sorami::tool {

bool paintChartPng(const ChartPicture& picture, QByteArray& png, QString& why) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        why = QStringLiteral("no GUI application for the fonts");
        return false;
    }
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        for (const ChartShape& sh : picture.shapes) {
            const QColor colour = QColor::fromString(sh.colour);
            switch (sh.kind) {
            case ChartShape::Rect:
                p.fillRect(QRectF(sh.points[0], sh.points[1]), colour);
                break;
            case ChartShape::Line:
            case ChartShape::Polyline: {
                QPen pen(colour, sh.size);
                pen.setJoinStyle(Qt::RoundJoin);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(sh.points.data(), static_cast<int>(sh.points.size()));
                break;
            }
            case ChartShape::Polygon:
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawPolygon(sh.points.data(), static_cast<int>(sh.points.size()));
                break;
            case ChartShape::Circle:
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawEllipse(sh.points[0], sh.size, sh.size);
                break;
            case ChartShape::Text: {
                QFont font(QStringLiteral("Noto Sans CJK JP"));
                font.setPixelSize(static_cast<int>(sh.size));
                font.setBold(sh.bold);
                p.setFont(font);
                p.setPen(colour);
                const double w = QFontMetricsF(font).horizontalAdvance(sh.text);
                QPointF at = sh.points[0];
                if (sh.anchor == ChartShape::Middle) at.rx() -= w / 2;
                if (sh.anchor == ChartShape::End) at.rx() -= w;
                p.drawText(at, sh.text);
                break;
            }
            }
        }
    }
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        why = QStringLiteral("the PNG could not be encoded");
        return false;
    }
    return true;
}

} // namespace sorami::tool
