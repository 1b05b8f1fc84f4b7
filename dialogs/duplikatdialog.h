#pragma once
// "Duplikate prüfen": the groups of entries that are probably one person, each entry with its
// Nr., name, MP and membership number; the entry each group keeps is shown as kept, the others
// with a tick. The user chooses the entry that stays (a click or Space on it), ticks or unticks
// an entry (its box, or Entf), or the whole group (+ and −); the others' ticks follow the kept
// one. "Löschen", the default button, takes the ticked entries.

#include "cells/celltable.h"
#include "editor/duplikatpruefung.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class DuplikatDialog : public QDialog {
    Q_OBJECT
public:
    DuplikatDialog(const CellTable& zellen, std::vector<Duplikatgruppe> gruppen, QWidget* parent);
    // The rows ticked now, ascending.
    std::vector<int> angehakt() const { return AngehakteZeilen(gruppen_); }
    QTreeWidget* baum() const { return baum_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void gruppeZeigen(int g);
    void behalten(QTreeWidgetItem* eintrag);
    void alleHaken(QTreeWidgetItem* eintrag, bool haken);
    void zaehlen();

    const CellTable& zellen_;
    std::vector<Duplikatgruppe> gruppen_;
    QTreeWidget* baum_;
    QLabel* summe_;
    QPushButton* loeschen_;
    bool zeigen_ = false;                       // the rows are being shown
    const QTreeWidgetItem* umgehakt_ = nullptr; // the entry whose box the last click hit
};
