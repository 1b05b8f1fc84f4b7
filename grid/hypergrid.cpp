#include "grid/hypergrid.h"

#include "editor/namenliste.h"
#include "grid/hgdelegate.h"
#include "grid/hgmodel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int kTitleHeight = 26;
constexpr int kRowHeight = 20;
} // namespace

int Zeilenhoehe(const QFontMetrics& metrics) {
    return std::max(kRowHeight, metrics.height() + 6);
}

THyperGrid::THyperGrid(NamenListe& liste, QWidget* parent) : QTableView(parent) {
    model_ = new HyperGridModel(liste, columns_, this);
    delegate_ = new HyperGridDelegate(this);
    setHorizontalHeader(new TitleHeader(this));
    setModel(model_);
    setItemDelegate(delegate_);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &THyperGrid::keepCursor);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &THyperGrid::keepCursor);
    // After the model: a list loaded anew has the cursor on its first cell.
    connect(&liste, &NamenListe::zurueckgesetzt, this, &THyperGrid::keepCursor);
    // An editor open over cells a command changed shows what they hold now, afresh.
    connect(model_, &HyperGridModel::listChanged, this, [this] {
        rowAnchor_ = 0;
        if (QWidget* editor = cellEditor()) {
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
            openEditorSoon();
        }
    });

    horizontalHeader()->setFixedHeight(kTitleHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
}

THyperGrid::~THyperGrid() = default;

void THyperGrid::setColumns(std::vector<ThgColumn> columns) {
    columns_ = std::move(columns);
    model_->resetColumns();
    for (size_t c = 0; c < columns_.size(); ++c)
        setColumnWidth(int(c), columns_[c].Width);
    if (isVisible())
        fitToFont();
}

// Measured when the grid is shown and on later font changes: measuring a font that is replaced
// before the first paint would load it for nothing at start-up.
void THyperGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange && isVisible())
        fitToFont();
}

void THyperGrid::showEvent(QShowEvent* event) {
    fitToFont();
    QTableView::showEvent(event);
}

// Rows, the title row and the captions grow with a larger font, so that no text is clipped;
// the usual sizes stay the smallest.
void THyperGrid::fitToFont() {
    const QFontMetrics metrics(font());
    const int rowHeight = Zeilenhoehe(metrics);
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(std::max(kTitleHeight, metrics.height() + 10));
    for (size_t c = 0; c < columns_.size(); ++c) {
        const int caption = std::max(metrics.horizontalAdvance(columns_[c].Caption) + 8,
                                     metrics.horizontalAdvance(columns_[c].Muster) + 12);
        if (columnWidth(int(c)) < caption)
            setColumnWidth(int(c), caption);
    }
}

int THyperGrid::rowCount() const {
    return model_->rowCount() + 1;
}

void THyperGrid::keepCursor() {
    rowAnchor_ = 0; // the rows moved: a new marking starts at the cursor
    setCurrentCell(currentCol(), std::min(currentRow(), rowCount() - 1));
}

int THyperGrid::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

void THyperGrid::setMarkedCells(const std::vector<std::pair<int, int>>& cells) {
    std::vector<unsigned char> marks;
    for (const auto& [col, row] : cells) {
        if (row < 0 || col < 0 || col >= 8)
            continue;
        if (size_t(row) >= marks.size())
            marks.resize(size_t(row) + 1);
        marks[size_t(row)] |= (1u << col);
    }
    model_->setMarks(std::move(marks));
}

int THyperGrid::currentCol() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void THyperGrid::setCurrentCell(int col, int row) {
    const QModelIndex i = model_->index(row - 1, col);
    // The selection goes with it: a cell left selected elsewhere would look current.
    if (i.isValid())
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> THyperGrid::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        rows.push_back(i.row() + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        rows.push_back(currentRow());
    return rows;
}

void THyperGrid::extendRows(int dRow) {
    if (!rowAnchor_)
        rowAnchor_ = currentRow();
    const int row = std::clamp(currentRow() + dRow, 1, rowCount() - 1);
    extending_ = true;
    selectionModel()->setCurrentIndex(model_->index(row - 1, currentCol()),
                                      QItemSelectionModel::NoUpdate);
    extending_ = false;
    selectionModel()->select(
        QItemSelection(model_->index(std::min(rowAnchor_, row) - 1, 0),
                       model_->index(std::max(rowAnchor_, row) - 1, columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void THyperGrid::copyRows() const {
    QString text;
    for (const int r : selectedRows()) {
        for (int c = 0; c < columnCount(); ++c)
            text += model_->index(r - 1, c).data(Qt::EditRole).toString() +
                    (c + 1 < columnCount() ? u'\t' : u'\n');
    }
    QGuiApplication::clipboard()->setText(text);
}

void THyperGrid::focusCell() {
    // A combo cell's editor stays open while a dialog has the keyboard: its line editor loses
    // the focus, not the editor the delegate watches.
    if (QWidget* editor = cellEditor())
        return editor->setFocus();
    setFocus();
    openEditorSoon();
}

// Tab and Shift+Tab stop at the ends of the list instead of going round to its other end,
// where typing would overwrite an entry far off the screen.
QModelIndex THyperGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex i = currentIndex();
    if (i.isValid()) {
        const bool last = i.row() == model_->rowCount() - 1 && i.column() == columnCount() - 1;
        const bool first = i.row() == 0 && i.column() == 0;
        if ((action == MoveNext && last) || (action == MovePrevious && first))
            return i;
    }
    return QTableView::moveCursor(action, modifiers);
}

bool THyperGrid::isWindowKey(const QKeyEvent* key) const {
    return windowKeys_.contains(QKeySequence(key->keyCombination()));
}

void THyperGrid::commitEditor() {
    if (QWidget* editor = cellEditor())
        commitData(editor);
}

QWidget* THyperGrid::cellEditor() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? indexWidget(i) : nullptr;
}

void THyperGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!extending_)
        rowAnchor_ = 0;
    if (current.isValid())
        edit(current, QAbstractItemView::AllEditTriggers, nullptr);
}

void THyperGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache ||
        hint == QAbstractItemDelegate::RevertModelCache)
        openEditorSoon();
}

void THyperGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (!cellEditor())
        openEditorSoon();
}

void THyperGrid::openEditorSoon() {
    if (reopenPending_)
        return;
    reopenPending_ = true;
    QTimer::singleShot(0, this, [this] {
        reopenPending_ = false;
        const QModelIndex i = currentIndex();
        if (i.isValid() && !indexWidget(i))
            edit(i, QAbstractItemView::AllEditTriggers, nullptr);
    });
}

void THyperGrid::moveFromEditor(int dCol, int dRow) {
    const int col = currentCol() + dCol;
    const int row = currentRow() + dRow;
    if (dRow > 0 && row >= rowCount()) {
        Q_EMIT pastLastRow();
        return;
    }
    if (col < 0 || col >= columnCount() || row < 1 || row >= rowCount())
        return;
    setCurrentCell(col, row);
}

void THyperGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier &&
        currentRow() == rowCount() - 1) {
        Q_EMIT pastLastRow();
        return;
    }
    QTableView::keyPressEvent(event);
}
