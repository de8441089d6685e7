#include "Seiseki1.h"

#include "colour_qt.h"
#include "form_kit.h"
#include "score_file.h"
#include "sjis_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>

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

    SeisekiTable = new QPlainTextEdit(this);
    SeisekiTable->setAccessibleName(QStringLiteral("成績表"));
    SeisekiTable->setGeometry(0, 0, 609, 444);
    SeisekiTable->setReadOnly(true);
    SeisekiTable->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    SeisekiTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SeisekiTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SeisekiTable->setFont(pixelFont(face::Gothic, 15));
    QPalette tp = SeisekiTable->palette();
    tp.setColor(QPalette::Text, toQColor(Colours::Black));
    SeisekiTable->setPalette(tp);
}

void TTable::setLines(const Lines& lines) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string_view line : lines)
        shown << fromSjis(line);
    SeisekiTable->setPlainText(shown.join(QLatin1Char('\n')));
    SeisekiTable->moveCursor(QTextCursor::Start);
}

void showScoreTable(QWidget* parent) {
    TTable table(parent);
    table.setLines(ScoreFile().readLines());
    table.exec();
}

} // namespace sorami
