#pragma once
// The list's undo history: each step keeps only the rows it changed, so a cell edit costs
// one row and an insertion one row, however long the list.

#include "cells/celltable.h"

#include <QUndoCommand>
#include <string>
#include <vector>

struct Zelle {
    int col = 0;
    int row = 1;
};

// What a step changes besides the rows.
struct Kopf {
    int anzahl = 0;
    bool leerzeile = false;
    bool operator==(const Kopf&) const = default;
};

// One side of a step: from row `erste` on, these rows stand in place of the other side's.
struct Seite {
    std::vector<Zeile> zeilen;
    Kopf kopf;
    Zelle zelle;
};

class NamenListe;

class Schritt : public QUndoCommand {
public:
    Schritt(NamenListe& liste, const QString& name, int erste, Seite vorher, Seite nachher)
        : QUndoCommand(name), liste_(liste), erste_(erste), vorher_(std::move(vorher)),
          nachher_(std::move(nachher)) {}

    void undo() override;
    // The change is already done when the step is pushed.
    void redo() override;

private:
    NamenListe& liste_;
    int erste_;
    Seite vorher_, nachher_;
    bool getan_ = true;
};
