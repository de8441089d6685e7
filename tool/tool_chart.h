#pragma once
// `srmtool scores --chart`: the rate of correct answers over the records of
// a score file, with the block grades marked.
//
// The picture is laid out once, as a list of simple shapes in pixels; the SVG
// writer (text only) and the PNG painter (in the program, over Qt GUI) draw
// the same list, so the two files always show the same chart.

#include "tool_scores.h"

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <string>
#include <vector>

namespace sorami::tool {

struct ChartShape {
    enum Kind { Line, Polyline, Circle, Polygon, Text, Rect };
    enum Anchor { Start, Middle, End };
    Kind kind = Line;
    std::vector<QPointF> points; // Line: 2, Circle: centre, Text: baseline, Rect: 2 corners
    double size = 0;             // circle radius, text pixel size, line width
    QString colour;              // "#rrggbb"; the fill of circles, polygons and rects
    QString text;
    Anchor anchor = Start;
    bool bold = false;
};

struct ChartPicture {
    int width = 0;
    int height = 0;
    std::vector<ChartShape> shapes;
    int plotted = 0; // records with a rate, drawn as points
};

// One point per report and per saved block with at least one question, in
// the order of the file (the order in which they were written).
ChartPicture scoreChart(const std::vector<ScoreRecord>& records, const QString& title,
                        const Lang& lang);

std::string chartSvg(const ChartPicture& picture);

// Draws the picture as PNG bytes; needs a QGuiApplication for the fonts.
// Returns false with the reason in `why`.
using PngPainter = bool (*)(const ChartPicture& picture, QByteArray& png, QString& why);

} // namespace sorami::tool
