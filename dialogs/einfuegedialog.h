#pragma once
// "Einfügen aus der Zwischenablage": what a pasted block of lines becomes before anything
// changes, each line with a tick; a line whose person the list holds is shown so and not
// ticked. The columns' meanings can be changed; "Einfügen", the default button, takes the
// ticked entries, "Abbrechen" nothing.

#include "dialogs/spaltenvorschau.h"
#include "editor/zeilenvorschau.h"

#include <QDialog>

class QLabel;
class QPushButton;

class EinfuegeDialog : public QDialog {
    Q_OBJECT
public:
    // `zellen` rows 1 .. anzahl are the list.
    EinfuegeDialog(const QString& text, const CellTable& zellen, int anzahl, QWidget* parent);

    // The ticked entries, in order.
    std::vector<Zeile> eintraege() const { return NeueEintraege(tabelle_->plan()); }
    Spaltenvorschau* vorschau() const { return tabelle_; }

private:
    void zeigen();
    void zaehlen();

    QString weggelassen_; // what of a very large text was not read; before vorschau_
    Zeilenvorschau vorschau_;
    const CellTable& zellen_;
    int anzahl_;
    QLabel* info_;
    Spaltenvorschau* tabelle_;
    QPushButton* einfuegen_;
};
