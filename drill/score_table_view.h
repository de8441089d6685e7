#pragma once
// The score table's view: the lines of the score file, one row each, kept
// as the file's bytes and decoded only when a row is drawn. A score file of
// a million lines, or of a few thousand very long ones, opens as fast as a
// short one: nothing is laid out but the rows on screen.

#include "question_file.h"

#include <QAbstractListModel>
#include <QListView>
#include <QSize>

namespace sorami {

// The lines as rows. A row shows at most ShownChars characters of its line
// and an ellipsis after them; copying takes the line whole.
class ScoreLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr size_t ShownChars = 1000;

    using QAbstractListModel::QAbstractListModel;

    void setLines(Lines lines);
    const Lines& lines() const { return lines_; }
    // The bytes of the widest row as shown: the fixed-pitch face gives a
    // byte the width of half a full-width character.
    size_t widestShown() const { return widest_; }
    void setRowSize(QSize size);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    Lines lines_;
    size_t widest_ = 0;
    QSize rowSize_;
};

// The rows in a list: arrow keys, page keys, Home and End move, Shift and
// the mouse select whole lines, Ctrl+C copies them and Ctrl+A selects all;
// the same two commands are on the right button's menu.
class ScoreLinesView : public QListView {
    Q_OBJECT
public:
    explicit ScoreLinesView(QWidget* parent = nullptr);

    void setLines(Lines lines);
    int lineCount() const { return model_->rowCount(); }
    // Line `row` whole, as text.
    QString lineText(int row) const;
    // The whole table as text, one line each, as selecting all and copying
    // gives it.
    QString toPlainText() const;
    // The selected lines whole, in the file's order.
    QString selectedText() const;
    void copy() const;

protected:
    // Typing searches nothing: a search would decode every line.
    void keyboardSearch(const QString&) override {}
    void changeEvent(QEvent* event) override;

private:
    void updateRowSize();
    ScoreLinesModel* model_;
};

namespace detail {
// Rows the score table has decoded for drawing on this thread, for tests
// that hold a table's cost to the rows on screen.
extern thread_local size_t scoreRowsDecoded;
} // namespace detail

} // namespace sorami
