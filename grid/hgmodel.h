#pragma once
// The name grid's model over its cell store, and the title row that shows the captions.

#include "cells/cellstore.h"
#include "grid/hgcolumn.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <vector>

class HyperGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HyperGridModel(CellStore& store, const std::vector<ThgColumn>& columns, QObject* parent)
        : QAbstractTableModel(parent), store_(store), columns_(columns) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setCell(int col, int row, const std::string& text);
    void setRows(int rows);
    void setQuiet(bool quiet);
    void resetColumns();
    // Cells shown highlighted: per grid row, a bit per column.
    void setMarks(std::vector<unsigned char> marks);

Q_SIGNALS:
    void cellEdited(int col, int row);

private:
    CellStore& store_;
    const std::vector<ThgColumn>& columns_;
    std::vector<unsigned char> marks_;
    bool quiet_ = false;
};

// The title row: captions on the tooltip background, flat.
class TitleHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
