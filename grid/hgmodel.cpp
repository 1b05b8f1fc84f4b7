#include "grid/hgmodel.h"

#include "platform/cp1252.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr size_t kShownBytes = 4096; // wider than any screen, even in the narrowest letters
} // namespace

// Grid row r is model row r - 1: the title row is the header.

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
