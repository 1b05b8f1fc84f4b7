#pragma once
// Internals of THyperGrid: its model, title row and cell delegate.

#include "cells/cellstore.h"
#include "grid/hgcolumn.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <vector>

class THyperGrid;

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

class HyperGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit HyperGridDelegate(THyperGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    THyperGrid* grid_;
    QObject* windowKeys_;
};
