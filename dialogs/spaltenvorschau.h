#pragma once
// The table both previews show: above, a chooser of its meaning for each column of the rows
// taken in, reachable by Tab; below, one line per row with what will happen to it and the
// entry as it will be. Every value that is changed or left out is marked: its cell tinted with
// the note as tooltip, and the notes in the column "Hinweis"; a skipped row shows its text
// and the reason.

#include "editor/vorschaumodell.h"

#include <QWidget>
#include <vector>

class QBoxLayout;
class QComboBox;
class QDialog;
class QGridLayout;
class QPushButton;
class QTableView;

class Spaltenvorschau : public QWidget {
    Q_OBJECT
public:
    // With ticks: each row that changes the list can be left out.
    explicit Spaltenvorschau(bool mitHaken, QWidget* parent = nullptr);

    // The columns of `vorschau` with their meanings and the rows of `plan`.
    void zeigen(const Zeilenvorschau& vorschau, const std::vector<Planzeile>& plan);
    // The plan as shown, with the ticks as the user set them.
    std::vector<Planzeile> plan() const;

    QTableView* tabelle() const { return tabelle_; }
    QComboBox* waehler(int spalte) const { return waehler_.at(size_t(spalte)); }
    int spalten() const { return int(waehler_.size()); }
    // For rows whose columns are known: no chooser above them.
    void waehlerVerbergen();

Q_SIGNALS:
    void bedeutungGewaehlt(int spalte, Bedeutung b);
    // The user ticked a row or took its tick away.
    void hakenGeaendert();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void waehlerBauen(const Zeilenvorschau& vorschau);

    QGridLayout* waehlerLayout_;
    std::vector<QComboBox*> waehler_;
    Vorschaumodell* zeilen_;
    QTableView* tabelle_;
};

// A preview's buttons at the end of `layout`: `text` (the default, accepting) and "Abbrechen".
QPushButton* VorschauKnoepfe(QDialog* dialog, QBoxLayout* layout, const QString& text,
                             const QString& name);
// Sizes a preview dialog: at least `mindestens`, wider where the rows' notes need it, never
// wider than most of the screen.
void VorschauGroesse(QDialog* dialog, const Spaltenvorschau* vorschau, QSize mindestens);
