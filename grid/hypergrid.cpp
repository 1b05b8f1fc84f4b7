#include "grid/hypergrid.h"

#include "grid/hgeditors.h"
#include "grid/hypergrid_p.h"
#include "platform/cp1252.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace {
constexpr int kTitleHeight = 26;
constexpr int kRowHeight = 20;
constexpr size_t kShownBytes = 4096; // wider than any screen, even in the narrowest letters
} // namespace

// ---- model: grid row r is model row r - 1 ----

int HyperGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, store_.rowCount() - 1);
}

int HyperGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant HyperGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const ThgColumn& column = columns_[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole: {
        // Drawing (and eliding) a huge cell on every repaint would freeze the window; more
        // than the widest screen can show is never seen. The cell keeps every byte.
        const std::string_view text = store_.cell(index.column(), index.row() + 1);
        return formatCellText(column, cp1252::toQString(text.substr(0, kShownBytes)));
    }
    case Qt::EditRole:
        return cp1252::toQString(store_.cell(index.column(), index.row() + 1));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.ColumnHAlignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        const size_t row = size_t(index.row()) + 1;
        if (row >= marks_.size() || !(marks_[row] & (1u << index.column())))
            return {};
        // The find bars users know: dark text on yellow, in light and dark themes alike.
        return role == Qt::BackgroundRole ? QBrush(QColor(255, 226, 92)) : QBrush(Qt::black);
    }
    default:
        return {};
    }
}

bool HyperGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (!cp1252::isCellText(text))
        return false;
    const int row = index.row() + 1;
    const std::string& old = store_.cell(index.column(), row);
    // An unchanged text keeps its bytes, even those the code page leaves undefined.
    if (cp1252::toQString(old) == text)
        return true;
    store_.setCell(index.column(), row, cp1252::fromQString(text));
    Q_EMIT dataChanged(index, index);
    Q_EMIT cellEdited(index.column(), row);
    return true;
}

void HyperGridModel::setMarks(std::vector<unsigned char> marks) {
    if (marks == marks_)
        return;
    marks_ = std::move(marks);
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::BackgroundRole, Qt::ForegroundRole});
}

Qt::ItemFlags HyperGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !columns_[size_t(index.column())].ReadOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant HyperGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < int(columns_.size())) {
        if (role == Qt::DisplayRole)
            return columns_[size_t(section)].Caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(columns_[size_t(section)].ColumnHAlignment |
                                       Qt::AlignVCenter);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void HyperGridModel::setCell(int col, int row, const std::string& text) {
    store_.setCell(col, row, text);
    if (!quiet_ && row > 0)
        Q_EMIT dataChanged(index(row - 1, col), index(row - 1, col));
}

void HyperGridModel::setRows(int rows) {
    const int before = store_.rowCount();
    if (rows == before)
        return;
    if (rows > before) {
        beginInsertRows({}, std::max(0, before - 1), rows - 2);
        store_.setRowCount(rows);
        endInsertRows();
    } else if (rows <= 1) {
        beginResetModel();
        store_.setRowCount(rows);
        endResetModel();
    } else {
        beginRemoveRows({}, rows - 1, before - 2);
        store_.setRowCount(rows);
        endRemoveRows();
    }
}

void HyperGridModel::setQuiet(bool quiet) {
    quiet_ = quiet;
    if (!quiet && rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void HyperGridModel::resetColumns() {
    beginResetModel();
    endResetModel();
}

// ---- title row ----

void TitleHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().toolTipBase());
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(palette().color(QPalette::ToolTipText));
    const QVariant align = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const QString caption = model()->headerData(logicalIndex, orientation()).toString();
    painter->drawText(rect.adjusted(2, 0, -3, 0), int(align.value<Qt::Alignment>()), caption);
    painter->restore();
}

// ---- delegate ----

// Lets the window's shortcuts through the line editor that has the focus: an accepted
// ShortcutOverride would keep the key from them.
class WindowKeyFilter : public QObject {
public:
    WindowKeyFilter(THyperGrid* grid) : QObject(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (grid_->isWindowKey(key)) {
                // Accepted, the key goes to the cell as a key press; ignored, to the window.
                event->setAccepted(cellTakesFirst(object, key));
                return true;
            }
        }
        return QObject::eventFilter(object, event);
    }

    // Typing in a cell is undone in the cell before the list's own steps are.
    static bool cellTakesFirst(const QObject* object, const QKeyEvent* key) {
        const auto* edit = qobject_cast<const QLineEdit*>(object);
        if (!edit)
            return false;
        const QKeyCombination k = key->keyCombination();
        if (k == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
            return edit->isUndoAvailable();
        if (k == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
            k == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
            return edit->isRedoAvailable();
        return false;
    }

private:
    THyperGrid* grid_;
};

HyperGridDelegate::HyperGridDelegate(THyperGrid* grid)
    : QStyledItemDelegate(grid), grid_(grid), windowKeys_(new WindowKeyFilter(grid)) {}

QWidget* HyperGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    const ThgColumn& column = grid_->column(index.column());
    QWidget* editor = nullptr;
    if (column.ControlType == hgctlComboBox) {
        auto* combo = new HgComboEditor(column, parent);
        combo->lineEdit()->installEventFilter(windowKeys_);
        editor = combo;
    } else {
        editor = createCellLineEdit(column, parent);
        editor->installEventFilter(windowKeys_);
    }
    connect(editor->findChild<CellTextValidator*>(), &CellTextValidator::hint, grid_,
            &THyperGrid::textHint);
    // Screen readers announce where the typing goes.
    const QString wo = column.Caption + QStringLiteral(", Zeile %1").arg(index.row() + 1);
    editor->setAccessibleName(wo);
    if (auto* combo = qobject_cast<HgComboEditor*>(editor))
        combo->lineEdit()->setAccessibleName(wo);
    return editor;
}

void HyperGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<HgComboEditor*>(editor)) {
        if (combo->text() != text)
            combo->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (edit->text() != text) {
            setCellEditorText(edit, text);
            edit->selectAll();
        }
    }
}

void HyperGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    // An editor the user did not touch is never written back: setting its text may have
    // changed it (a length limit), and passing over a cell must not change the list.
    QString text;
    if (auto* combo = qobject_cast<HgComboEditor*>(editor)) {
        if (!combo->isEdited())
            return;
        if (grid_->AutoAcceptSuggestion)
            combo->acceptSuggestion();
        text = combo->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (!cellEditorTouched(edit))
            return;
        text = edit->text();
    } else {
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

void HyperGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(0, 0, -1, -1));
}

bool HyperGridDelegate::eventFilter(QObject* object, QEvent* event) {
    // Spreadsheet keys: Left and Right leave the cell at the ends of its text.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* edit = qobject_cast<QLineEdit*>(object);
        if (!edit) {
            if (auto* combo = qobject_cast<HgComboEditor*>(object))
                edit = combo->lineEdit();
        }
        // With the whole text selected, as on arrival, too: the first Right would only
        // collapse the selection, and what is typed next would land after the old text.
        const bool alles =
            edit && edit->hasSelectedText() && edit->selectedText().size() == edit->text().size();
        if (edit && key->modifiers() == Qt::NoModifier && (alles || !edit->hasSelectedText())) {
            if (key->key() == Qt::Key_Left && (alles || edit->cursorPosition() == 0)) {
                grid_->moveFromEditor(-1, 0);
                return true;
            }
            if (key->key() == Qt::Key_Right &&
                (alles || edit->cursorPosition() == edit->text().size())) {
                grid_->moveFromEditor(1, 0);
                return true;
            }
        }
        // Shift+Up and Shift+Down select whole rows, for commands on several at once.
        if (edit && key->modifiers() == Qt::ShiftModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            grid_->extendRows(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (edit && key->matches(QKeySequence::Paste)) {
            const QString text = QGuiApplication::clipboard()->text();
            if (text.trimmed().contains(u'\n') || text.trimmed().contains(u'\r')) {
                Q_EMIT grid_->blockPasted(text);
                return true;
            }
        }
        if (edit && key->matches(QKeySequence::Copy) && grid_->selectedRows().size() > 1) {
            grid_->copyRows();
            return true;
        }
        // Redo in the cell by both keys the list knows; X11's line editor has only
        // Ctrl+Shift+Z.
        if (edit && key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) &&
            edit->isRedoAvailable()) {
            edit->redo();
            return true;
        }
        // Enter takes the text and moves down, as in a spreadsheet; on the last row it stays.
        if (edit && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Q_EMIT commitData(qobject_cast<QWidget*>(object));
            grid_->moveFromEditor(0, 1);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---- grid ----

THyperGrid::THyperGrid(QWidget* parent) : QTableView(parent), store_(2) {
    model_ = new HyperGridModel(store_, columns_, this);
    delegate_ = new HyperGridDelegate(this);
    setHorizontalHeader(new TitleHeader(this));
    setModel(model_);
    setItemDelegate(delegate_);
    connect(model_, &HyperGridModel::cellEdited, this, &THyperGrid::cellEdited);

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
    const int rowHeight = std::max(kRowHeight, metrics.height() + 6);
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

const std::string& THyperGrid::cell(int col, int row) const {
    return store_.cell(col, row);
}

void THyperGrid::setCell(int col, int row, const std::string& text) {
    model_->setCell(col, row, text);
}

int THyperGrid::rowCount() const {
    return store_.rowCount();
}

void THyperGrid::setRowCount(int rows) {
    const int col = std::max(0, currentCol());
    const int row = currentRow();
    model_->setRows(std::max(rows, 1));
    // The current cell stays where it was, or on the last row when that went.
    if (row > 0 && rows > 1)
        setCurrentCell(col, std::min(row, rows - 1));
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
            text += cp1252::toQString(cell(c, r)) + (c + 1 < columnCount() ? u'\t' : u'\n');
    }
    QGuiApplication::clipboard()->setText(text);
}

void THyperGrid::focusCell() {
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

void THyperGrid::beginUpdate() {
    if (updateDepth_++ == 0) {
        commitEditor();
        if (QWidget* editor = cellEditor())
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        model_->setQuiet(true);
    }
}

void THyperGrid::endUpdate() {
    if (--updateDepth_ == 0) {
        model_->setQuiet(false);
        openEditorSoon();
    }
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
    if (current.isValid() && updateDepth_ == 0)
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
        if (updateDepth_ == 0 && i.isValid() && !indexWidget(i))
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
