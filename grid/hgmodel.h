#pragma once
// The name grid's model: the list's entries as the grid shows them (Windows-1252 cells as
// text, numbers with separators), typing written through the list, the list's changes passed
// on to the view; and the title row that shows the captions.

#include "grid/hgcolumn.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <string>
#include <vector>

class NamenListe;

class HyperGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HyperGridModel(NamenListe& liste, const std::vector<ThgColumn>& columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void resetColumns();
    // Cells shown highlighted: per grid row, a bit per column.
    void setMarks(std::vector<unsigned char> marks);

Q_SIGNALS:
    // Cells changed otherwise than by typing here: a command, undoing, redoing.
    void listChanged();

private:
    // The list has said what changed only after it changed: until then the model keeps the
    // number of rows the view knows, and a cell beyond the list's is blank. So is every cell once
    // the list has gone (a window tears its grid down after its list).
    const std::string* cell(int col, int row) const;

    NamenListe* liste_;
    const std::vector<ThgColumn>& columns_;
    int rows_; // entries shown, without the title row
    std::vector<unsigned char> marks_;
    bool writing_ = false;
};

// The title row: captions on the tooltip background, flat.
class TitleHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
