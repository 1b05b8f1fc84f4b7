#pragma once
// The name grid's cell delegate: it opens the column's editor and gives its keys the grid's
// meaning (spreadsheet arrows, Enter, row selection, block paste), leaving the window's
// command keys to the window.

#include <QStyledItemDelegate>

class THyperGrid;

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
