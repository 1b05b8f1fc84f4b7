#pragma once
// "Einfügen aus der Zwischenablage": what a pasted block of lines becomes before anything
// changes. The columns' meanings can be changed; "Einfügen", the default button, takes the
// entries as shown, "Abbrechen" nothing.

#include "dialogs/spaltenvorschau.h"
#include "editor/zeilenvorschau.h"

#include <QDialog>

class QLabel;
class QPushButton;

class EinfuegeDialog : public QDialog {
    Q_OBJECT
public:
    // `platz`: how many entries the list can still take.
    EinfuegeDialog(const QString& text, int platz, QWidget* parent);

    // The entries to insert, in order.
    std::vector<Zeile> eintraege() const { return NeueEintraege(plan_); }
    Spaltenvorschau* vorschau() const { return tabelle_; }

private:
    void zeigen();

    QString weggelassen_; // what of a very large text was not read; before vorschau_
    Zeilenvorschau vorschau_;
    int platz_;
    std::vector<Planzeile> plan_;
    QLabel* info_;
    Spaltenvorschau* tabelle_;
    QPushButton* einfuegen_;
};
