#pragma once
// "Duplikate prüfen": the groups of entries that are probably one person, each entry with its
// Nr., name, MP and membership number and a tick; the entry each group keeps is shown as kept.
// "Löschen", the default button, takes the ticked entries.

#include "cells/celltable.h"
#include "editor/duplikatpruefung.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

class DuplikatDialog : public QDialog {
    Q_OBJECT
public:
    DuplikatDialog(const CellTable& zellen, const std::vector<Duplikatgruppe>& gruppen,
                   QWidget* parent);
    // The rows ticked now, ascending.
    std::vector<int> angehakt() const;
    QTreeWidget* baum() const { return baum_; }

private:
    QTreeWidget* baum_;
};
