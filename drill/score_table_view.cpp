#include "score_table_view.h"

#include "sjis_text.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace sorami {

namespace detail {
thread_local size_t scoreRowsDecoded = 0;
} // namespace detail

void ScoreLinesModel::setLines(Lines lines) {
    beginResetModel();
    lines_ = std::move(lines);
    // Only the lengths are looked at; a line longer than a row shows is
    // measured by what it shows.
    widest_ = 0;
    const size_t cap = ShownChars;
    for (const std::string_view line : lines_)
        widest_ = std::max(widest_,
                           line.size() <= cap ? line.size() : sjisPrefix(line, ShownChars).size());
    endResetModel();
}

void ScoreLinesModel::setRowSize(QSize size) {
    if (size == rowSize_) return;
    rowSize_ = size;
    if (!lines_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::SizeHintRole});
}

int ScoreLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant ScoreLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::SizeHintRole) return rowSize_;
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    ++detail::scoreRowsDecoded;
    const std::string_view line = lines_[static_cast<size_t>(index.row())];
    const std::string_view shown = sjisPrefix(line, ShownChars);
    if (shown.size() == line.size()) return fromSjis(line);
    return fromSjis(shown) + QChar(0x2026);
}

ScoreLinesView::ScoreLinesView(QWidget* parent)
    : QListView(parent), model_(new ScoreLinesModel(this)) {
    setModel(model_);
    // Every row has the first row's height and width: the view never asks
    // the other rows for theirs.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);

    auto* copyAction = new QAction(QStringLiteral("コピー(&C)"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    connect(copyAction, &QAction::triggered, this, &ScoreLinesView::copy);
    auto* selectAllAction = new QAction(QStringLiteral("すべて選択(&A)"), this);
    selectAllAction->setShortcut(QKeySequence::SelectAll);
    selectAllAction->setShortcutContext(Qt::WidgetShortcut);
    connect(selectAllAction, &QAction::triggered, this, &QAbstractItemView::selectAll);
    addActions({copyAction, selectAllAction});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    updateRowSize();
}

void ScoreLinesView::setLines(Lines lines) {
    model_->setLines(std::move(lines));
    updateRowSize();
    // At the first line, nothing selected, as a text box opens.
    if (model_->rowCount() > 0)
        selectionModel()->setCurrentIndex(model_->index(0), QItemSelectionModel::NoUpdate);
    scrollToTop();
}

void ScoreLinesView::updateRowSize() {
    const QFontMetrics fm(font());
    const double half = std::max<double>(fm.horizontalAdvance(QLatin1Char('M')),
                                         fm.horizontalAdvance(QChar(0x3042)) / 2.0);
    // Room for the margins the row's text is drawn with.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int width = static_cast<int>(std::ceil(half * double(model_->widestShown()))) + margins;
    model_->setRowSize(QSize(width, fm.lineSpacing()));
}

void ScoreLinesView::changeEvent(QEvent* event) {
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateRowSize();
}

QString ScoreLinesView::lineText(int row) const {
    return fromSjis(model_->lines().at(static_cast<size_t>(row)));
}

QString ScoreLinesView::toPlainText() const {
    QStringList all;
    all.reserve(lineCount());
    for (int row = 0; row < lineCount(); ++row)
        all << lineText(row);
    return all.join(QLatin1Char('\n'));
}

QString ScoreLinesView::selectedText() const {
    // The selection's ranges in the file's order, overlaps taken once.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        ranges.emplace_back(r.top(), r.bottom());
    std::sort(ranges.begin(), ranges.end());
    QStringList lines;
    int next = 0;
    for (const auto& [top, bottom] : ranges)
        for (int row = std::max(top, next); row <= bottom && row < lineCount(); ++row) {
            lines << lineText(row);
            next = row + 1;
        }
    return lines.join(QLatin1Char('\n'));
}

void ScoreLinesView::copy() const {
    const QString text = selectedText();
    if (text.isEmpty() && !selectionModel()->hasSelection()) return;
    QGuiApplication::clipboard()->setText(text);
}

} // namespace sorami
