#include "grid/hgmodel.h"

#include "editor/namenliste.h"
#include "platform/cp1252.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr size_t kShownBytes = 4096; // wider than any screen, even in the narrowest letters
} // namespace

// Grid row r is model row r - 1: the title row is the header.

HyperGridModel::HyperGridModel(NamenListe& liste, const std::vector<ThgColumn>& columns,
                               QObject* parent)
    : QAbstractTableModel(parent), liste_(&liste), columns_(columns),
      rows_(liste.zellen().rowCount() - 1) {
    connect(&liste, &QObject::destroyed, this, [this] { liste_ = nullptr; });
    connect(&liste, &NamenListe::zeilenEingefuegt, this, [this](int vor, int n) {
        beginInsertRows({}, vor - 1, vor - 2 + n);
        rows_ += n;
        endInsertRows();
    });
    connect(&liste, &NamenListe::zeilenEntfernt, this, [this](int ab, int n) {
        beginRemoveRows({}, ab - 1, ab - 2 + n);
        rows_ -= n;
        endRemoveRows();
    });
    connect(&liste, &NamenListe::zeilenGeaendert, this, [this](int von, int bis) {
        Q_EMIT dataChanged(index(von - 1, 0), index(bis - 1, columnCount() - 1));
        if (!writing_)
            Q_EMIT listChanged();
    });
    connect(&liste, &NamenListe::zurueckgesetzt, this, [this] {
        beginResetModel();
        rows_ = liste_->zellen().rowCount() - 1;
        endResetModel();
    });
}

int HyperGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

const std::string* HyperGridModel::cell(int col, int row) const {
    return liste_ && row < liste_->zellen().rowCount() ? &liste_->zellen().cell(col, row) : nullptr;
}

int HyperGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant HyperGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const ThgColumn& column = columns_[size_t(index.column())];
    const std::string* text = cell(index.column(), index.row() + 1);
    switch (role) {
    case Qt::DisplayRole:
        if (!text)
            return {};
        // Drawing (and eliding) a huge cell on every repaint would freeze the window; more
        // than the widest screen can show is never seen. The cell keeps every byte.
        return formatCellText(column,
                              cp1252::toQString(std::string_view(*text).substr(0, kShownBytes)));
    case Qt::EditRole:
        return text ? cp1252::toQString(*text) : QVariant();
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
    const std::string* old = cell(index.column(), row);
    if (!old)
        return false;
    // An unchanged text keeps its bytes, even those the code page leaves undefined.
    if (cp1252::toQString(*old) == text)
        return true;
    writing_ = true;
    liste_->zelleSchreiben(index.column(), row, cp1252::fromQString(text));
    writing_ = false;
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
