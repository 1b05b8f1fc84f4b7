#pragma once
// The window "Tastenkürzel": every key of the window and the command it runs, read from the
// actions themselves, so that it always says what the keys do.

#include <QDialog>
#include <QList>

class QAction;
class QTableWidget;

class TastenkuerzelDialog : public QDialog {
    Q_OBJECT
public:
    // One row per key of these actions, in their order; actions without a key or hidden ones
    // (whose keys do nothing) are left out.
    TastenkuerzelDialog(const QList<QAction*>& aktionen, QWidget* parent);
    QTableWidget* tabelle() const { return tabelle_; }

private:
    QTableWidget* tabelle_;
};
