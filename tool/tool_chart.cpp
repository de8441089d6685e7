#include "tool_chart.h"

#include <QStringList>

#include <algorithm>

namespace sorami::tool {

namespace {

constexpr int Width = 820, Height = 440;
constexpr double Left = 64, Right = 24, Top = 56, Bottom = 86;

const QString Ink = QStringLiteral("#303030");
const QString Grid = QStringLiteral("#d8d8d8");
const QString RateColour = QStringLiteral("#1f5fbf");

// The grade words are those the block-result dialog writes; their colours
// run from green (the best) to red.
QString gradeColour(const QString& word) {
    if (word.startsWith(QStringLiteral("優"))) return QStringLiteral("#1a8f3a");
    if (word.startsWith(QStringLiteral("良"))) return QStringLiteral("#2a9fa8");
    if (word.startsWith(QStringLiteral("可"))) return QStringLiteral("#d98a00");
    return QStringLiteral("#c8283c");
}

ChartShape text(QPointF at, const QString& s, double px, ChartShape::Anchor anchor,
                const QString& colour = Ink, bool bold = false) {
    ChartShape t;
    t.kind = ChartShape::Text;
    t.points = {at};
    t.text = s;
    t.size = px;
    t.anchor = anchor;
    t.colour = colour;
    t.bold = bold;
    return t;
}

ChartShape line(QPointF a, QPointF b, const QString& colour, double width) {
    ChartShape l;
    l.kind = ChartShape::Line;
    l.points = {a, b};
    l.colour = colour;
    l.size = width;
    return l;
}

ChartShape diamond(QPointF c, double r, const QString& colour) {
    ChartShape d;
    d.kind = ChartShape::Polygon;
    d.points = {{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
    d.colour = colour;
    return d;
}

ChartShape circle(QPointF c, double r, const QString& colour) {
    ChartShape d;
    d.kind = ChartShape::Circle;
    d.points = {c};
    d.size = r;
    d.colour = colour;
    return d;
}

struct Rated {
    const ScoreRecord* record;
    double rate; // per cent
};

std::vector<Rated> ratedRecords(const std::vector<ScoreRecord>& records) {
    std::vector<Rated> out;
    for (const ScoreRecord& r : records) {
        if (r.kind != ScoreKind::Report && r.kind != ScoreKind::BlockSaved) continue;
        bool okCount = false, okCorrect = false;
        const double count = r.count.toDouble(&okCount);
        const double correct = r.correct.toDouble(&okCorrect);
        if (!okCount || !okCorrect || count <= 0) continue;
        out.push_back({&r, std::clamp(correct / count * 100.0, 0.0, 100.0)});
    }
    return out;
}

// XML forbids most control characters even when escaped; a file name may
// hold one, so it is dropped rather than making the picture unreadable.
QString escaped(const QString& s) {
    QString kept;
    for (const QChar c : s)
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t')) kept += c;
    return kept.toHtmlEscaped();
}

QString num(double v) {
    return QString::number(v, 'f', 1);
}

} // namespace

ChartPicture scoreChart(const std::vector<ScoreRecord>& records, const QString& title,
                        const Lang& lang) {
    ChartPicture p;
    p.width = Width;
    p.height = Height;
    auto& s = p.shapes;
    ChartShape background;
    background.kind = ChartShape::Rect;
    background.points = {{0, 0}, {double(Width), double(Height)}};
    background.colour = QStringLiteral("#ffffff");
    s.push_back(background);
    s.push_back(text({Left, 32}, title, 18, ChartShape::Start, Ink, true));

    const double plotW = Width - Left - Right, plotH = Height - Top - Bottom;
    const double bottom = Top + plotH;
    for (int pct = 0; pct <= 100; pct += 20) {
        const double y = bottom - plotH * pct / 100.0;
        s.push_back(line({Left, y}, {Left + plotW, y}, pct == 0 ? Ink : Grid, 1));
        s.push_back(
            text({Left - 8, y + 5}, QString::number(pct) + QLatin1Char('%'), 13, ChartShape::End));
    }
    s.push_back(line({Left, Top}, {Left, bottom}, Ink, 1));

    const std::vector<Rated> rated = ratedRecords(records);
    p.plotted = static_cast<int>(rated.size());
    if (rated.empty()) {
        s.push_back(text({Left + plotW / 2, Top + plotH / 2},
                         lang("no rated records", "正答率のある記録はありません"), 16,
                         ChartShape::Middle));
        return p;
    }

    // Evenly spaced in the order written: days without practice would only
    // squeeze the days with it.
    // Kept off the axis, so the first and last dates fit under their points.
    constexpr double Inset = 32;
    const double step = rated.size() > 1 ? (plotW - 2 * Inset) / double(rated.size() - 1) : 0;
    auto xOf = [&](size_t i) {
        return rated.size() > 1 ? Left + Inset + step * double(i) : Left + plotW / 2;
    };
    auto yOf = [&](double rate) { return bottom - plotH * rate / 100.0; };

    ChartShape path;
    path.kind = ChartShape::Polyline;
    path.colour = RateColour;
    path.size = 2;
    for (size_t i = 0; i < rated.size(); ++i)
        path.points.push_back({xOf(i), yOf(rated[i].rate)});
    if (path.points.size() > 1) s.push_back(path);

    // A date under the first point of each day, where there is room for it;
    // drawn before the points so that no tick crosses one.
    double lastLabelEnd = -1e9;
    QString lastDate;
    for (size_t i = 0; i < rated.size(); ++i) {
        const QString& date = rated[i].record->date;
        if (date.isEmpty() || date == lastDate || xOf(i) - lastLabelEnd < 72) continue;
        s.push_back(line({xOf(i), bottom}, {xOf(i), bottom + 5}, Ink, 1));
        s.push_back(text({xOf(i), bottom + 20}, date, 12, ChartShape::Middle));
        lastLabelEnd = xOf(i);
        lastDate = date;
    }
    for (size_t i = 0; i < rated.size(); ++i) {
        const ScoreRecord& r = *rated[i].record;
        const QPointF at(xOf(i), yOf(rated[i].rate));
        if (r.kind == ScoreKind::BlockSaved) {
            s.push_back(diamond(at, 7, gradeColour(r.word)));
            // Only where neighbouring words cannot overlap.
            if (step >= 26 || rated.size() == 1)
                s.push_back(text({at.x(), at.y() - 11}, r.word, 12, ChartShape::Middle,
                                 gradeColour(r.word), true));
        } else {
            s.push_back(circle(at, 4, RateColour));
        }
    }

    const double legendY = Height - 22;
    s.push_back(circle({Left + 6, legendY - 5}, 4, RateColour));
    s.push_back(text({Left + 16, legendY},
                     lang("report: rate of correct answers", "成績報告: 正答率"), 13,
                     ChartShape::Start));
    s.push_back(diamond({Left + 266, legendY - 5}, 7, gradeColour(QStringLiteral("優"))));
    s.push_back(text({Left + 280, legendY},
                     lang("block run, with its grade", "ブロック: 正答率と評価"), 13,
                     ChartShape::Start));
    s.push_back(text({Width - Right, legendY}, lang("%1 record(s)", "%1 件").arg(rated.size()), 13,
                     ChartShape::End));
    return p;
}

std::string chartSvg(const ChartPicture& picture) {
    QString o;
    o += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                        "viewBox=\"0 0 %1 %2\" font-family=\"'Noto Sans CJK JP', sans-serif\">\n")
             .arg(picture.width)
             .arg(picture.height);
    for (const ChartShape& sh : picture.shapes) {
        const auto& pt = sh.points;
        switch (sh.kind) {
        case ChartShape::Rect:
            o +=
                QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                    .arg(num(pt[0].x()), num(pt[0].y()), num(pt[1].x() - pt[0].x()),
                         num(pt[1].y() - pt[0].y()), sh.colour);
            break;
        case ChartShape::Line:
            o += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                                "stroke-width=\"%6\"/>\n")
                     .arg(num(pt[0].x()), num(pt[0].y()), num(pt[1].x()), num(pt[1].y()), sh.colour,
                          num(sh.size));
            break;
        case ChartShape::Polyline:
        case ChartShape::Polygon: {
            QStringList coords;
            for (const QPointF& q : pt)
                coords << num(q.x()) + QLatin1Char(',') + num(q.y());
            if (sh.kind == ChartShape::Polyline)
                o += QStringLiteral("<polyline points=\"%1\" fill=\"none\" stroke=\"%2\" "
                                    "stroke-width=\"%3\" stroke-linejoin=\"round\"/>\n")
                         .arg(coords.join(QLatin1Char(' ')), sh.colour, num(sh.size));
            else
                o += QStringLiteral("<polygon points=\"%1\" fill=\"%2\"/>\n")
                         .arg(coords.join(QLatin1Char(' ')), sh.colour);
            break;
        }
        case ChartShape::Circle:
            o += QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
                     .arg(num(pt[0].x()), num(pt[0].y()), num(sh.size), sh.colour);
            break;
        case ChartShape::Text: {
            static const char* anchors[] = {"start", "middle", "end"};
            o += QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" fill=\"%4\" "
                                "text-anchor=\"%5\"%6>%7</text>\n")
                     .arg(num(pt[0].x()), num(pt[0].y()), num(sh.size), sh.colour,
                          QLatin1String(anchors[sh.anchor]),
                          sh.bold ? QStringLiteral(" font-weight=\"bold\"") : QString(),
                          escaped(sh.text));
            break;
        }
        }
    }
    o += QStringLiteral("</svg>\n");
    return utf8(o);
}

} // namespace sorami::tool
