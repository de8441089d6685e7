// The PNG chart shows what the picture lays out: each point in its colour
// at its place, on a white ground.

#include "chart_png.h"
#include "score_file.h"
#include "sjis_text.h"

#include <QImage>
#include <QTest>

#include <algorithm>

using namespace sorami;
using namespace sorami::tool;

class TestChartPng : public QObject {
    Q_OBJECT
private slots:
    void pointsArePaintedWhereLaidOut();
};

void TestChartPng::pointsArePaintedWhereLaidOut() {
    // Two weeks of practice: a report a day, a block run every other day.
    std::vector<ScoreRecord> records;
    for (int day = 0; day < 14; ++day) {
        ScoreRecord r;
        r.kind = ScoreKind::Report;
        r.count = QStringLiteral("20");
        r.correct = QString::number(std::min(20, 8 + day + (day % 3 == 0 ? -3 : 0)));
        r.date = QStringLiteral("26/12/%1").arg(day + 1, 2, 10, QLatin1Char('0'));
        records.push_back(r);
        if (day % 2 == 1) {
            r.kind = ScoreKind::BlockSaved;
            r.count = QStringLiteral("10");
            r.correct = QString::number(std::min(10, 3 + day / 2));
            const int grade = r.correct.toInt() >= 9   ? 1
                              : r.correct.toInt() >= 7 ? 2
                              : r.correct.toInt() >= 5 ? 3
                                                       : 4;
            r.word = fromSjis(gradeWord(grade));
            records.push_back(r);
        }
    }
    const ChartPicture picture = scoreChart(records, QStringLiteral("正答率"), Lang{true});
    QByteArray png;
    QString why;
    QVERIFY2(paintChartPng(picture, png, why), qPrintable(why));
    QImage image;
    QVERIFY(image.loadFromData(png, "PNG"));
    QCOMPARE(image.size(), QSize(picture.width, picture.height));
    QCOMPARE(image.pixelColor(2, picture.height - 2), QColor(Qt::white));
    int markers = 0;
    for (const ChartShape& s : picture.shapes) {
        if (s.kind != ChartShape::Circle && s.kind != ChartShape::Polygon) continue;
        QPointF centre = s.points[0];
        if (s.kind == ChartShape::Polygon) centre = (s.points[0] + s.points[2]) / 2;
        QVERIFY2(image.pixelColor(centre.toPoint()) == QColor::fromString(s.colour),
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        ++markers;
    }
    QCOMPARE(markers, 21 + 2); // the points and the two legend marks
    image.save(QCoreApplication::applicationDirPath() + "/chart_sample.png");
}

QTEST_MAIN(TestChartPng)
#include "test_chart_png.moc"
