// Every drawn picture carries the detail of a screen at 200 %: drawn with
// twice the pixels, not the picture for 100 % enlarged.
#include "artwork.h"

#include <QTest>

using namespace sorami;

namespace {

// The speed glyphs share one way of being drawn; one of them stands for all.
QPixmap picture(int which, qreal dpr) {
    switch (which) {
    case 0:
        return speedGlyph(SpeedGlyph::Answer).pixmap(QSize(20, 20), dpr);
    case 1:
        return okGlyph().pixmap(QSize(18, 18), dpr);
    case 2:
        return cancelGlyph().pixmap(QSize(18, 18), dpr);
    case 3:
        return saveGlyph().pixmap(QSize(24, 24), dpr);
    case 4:
        return letterGlyph(QStringLiteral("強"), Qt::darkRed).pixmap(QSize(18, 18), dpr);
    case 5:
        return resultIllustration(dpr);
    case 6:
        return intervalIllustration(dpr);
    case 7:
        return splashPicture(132, 100, dpr);
    default:
        return programIcon(32, dpr);
    }
}

// The share of pixels that differ clearly between two pictures of one size.
double differingShare(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const int d =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (d > 40) ++differing;
        }
    return double(differing) / (x.width() * x.height());
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT
private slots:
    void everyPictureIsDrawnForTheScreen_data() {
        QTest::addColumn<int>("which");
        const char* const names[] = {"speed glyph", "ok",        "cancel", "save", "letter",
                                     "result",      "stopwatch", "splash", "icon"};
        for (int i = 0; i < int(std::size(names)); ++i)
            QTest::newRow(names[i]) << i;
    }
    void everyPictureIsDrawnForTheScreen() {
        QFETCH(int, which);
        const QPixmap one = picture(which, 1);
        const QPixmap two = picture(which, 2);
        QCOMPARE(two.devicePixelRatio(), 2.0);
        QCOMPARE(two.size(), one.size() * 2);
        for (const auto mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
            const QImage enlarged = one.toImage().scaled(two.size(), Qt::IgnoreAspectRatio, mode);
            const double share = differingShare(two.toImage(), enlarged);
            QVERIFY2(share > 0.01, qPrintable(QString::number(share)));
        }
    }
};

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
