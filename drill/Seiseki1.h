#pragma once
// The score table: the score file shown as it is, read-only, in a
// fixed-pitch Japanese face so that its columns line up.

#include "question_file.h"
#include "score_table_view.h"

#include <QDialog>

namespace sorami {

class TTable : public QDialog {
    Q_OBJECT
public:
    explicit TTable(QWidget* parent = nullptr);

    // Shift-JIS lines, shown one per line of the table.
    void setLines(Lines lines);

    ScoreLinesView* SeisekiTable = nullptr;

private:
    void layOut();
};

// Reads the score file into a new score table and shows it modally. When
// the file cannot be read the error is thrown before anything is shown.
void showScoreTable(QWidget* parent);

} // namespace sorami
