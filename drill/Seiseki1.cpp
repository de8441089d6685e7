#include "Seiseki1.h"

#include "colour_qt.h"
#include "form_kit.h"
#include "score_file.h"

namespace sorami {

TTable::TTable(QWidget* parent) : QDialog(parent) {
    layOut();
    finishForm(this);
}

void TTable::layOut() {
    setWindowTitle(QStringLiteral("「ガンバレソラミ君」の成績表"));
    setDialogFrame(this);
    setFixedSize(609, 444);
    setFaceColour(this, Colours::Silver);

    SeisekiTable = new ScoreLinesView(this);
    SeisekiTable->setGeometry(0, 0, 609, 444);
    SeisekiTable->setAccessibleName(QStringLiteral("成績表"));
    SeisekiTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Rows are not wrapped: the columns of a record stay on one row, and a
    // line wider than the table scrolls sideways.
    SeisekiTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SeisekiTable->setFont(pixelFont(face::Gothic, 15));
    // Black on white whatever the desktop's theme, as the text box it
    // stands for was drawn.
    QPalette tp = SeisekiTable->palette();
    tp.setColor(QPalette::Text, toQColor(Colours::Black));
    tp.setColor(QPalette::Base, toQColor(Colours::White));
    SeisekiTable->setPalette(tp);
}

void TTable::setLines(Lines lines) {
    SeisekiTable->setLines(std::move(lines));
}

void showScoreTable(QWidget* parent) {
    TTable table(parent);
    table.setLines(ScoreFile().readLines());
    table.exec();
}

} // namespace sorami
