#pragma once
// The list's undo history: a shadow copy of the rows as of the last step, and steps that keep
// only the rows they changed, so a cell edit costs one row and an insertion one row, however
// long the list.

#include "cells/celltable.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

Zeile ZeileLesen(const CellTable& zellen, int row);
void ZeileSchreiben(CellTable& zellen, int row, const Zeile& zeile);

// A cell of the list, where a view's cursor stands.
struct Zelle {
    int col = 0;
    int row = 1;
    bool operator==(const Zelle&) const = default;
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

class Verlauf {
public:
    explicit Verlauf(CellTable& zellen) : zellen_(zellen) {}
    Verlauf(const Verlauf&) = delete;
    Verlauf& operator=(const Verlauf&) = delete;

    QUndoStack& stapel() { return stapel_; }
    const QUndoStack& stapel() const { return stapel_; }

    // The cells as they are now are where undoing ends; no steps yet. They are copied only when
    // they are about to change: a list only looked at costs no second copy.
    void beginnen(const Kopf& kopf);
    // Before the cells change.
    void vorDerAenderung();
    // What changed in rows 0 .. zeilen - 1 since the last step becomes a new one; nothing
    // changed, no step.
    void aufzeichnen(const QString& name, int zeilen, const Kopf& kopf, Zelle vorher,
                     Zelle nachher);
    // A step is being undone or redone: the cells changing now are no new step.
    bool stellt() const { return stellt_; }

    // Before a step is undone or redone, and after, with the side now in place.
    std::function<void()> vorDemStellen;
    std::function<void(const Seite&)> gestellt;

private:
    friend class Schritt;
    // Puts `seite` in place of the `weg` rows from row `erste` on.
    void stellen(int erste, size_t weg, const Seite& seite);

    CellTable& zellen_;
    std::vector<Zeile> schatten_;
    bool schattenFehlt_ = false; // the cells are as they were at `beginnen`
    Kopf schattenKopf_;
    QUndoStack stapel_;
    bool stellt_ = false;
};

class Schritt : public QUndoCommand {
public:
    Schritt(Verlauf& verlauf, const QString& name, int erste, Seite vorher, Seite nachher)
        : QUndoCommand(name), verlauf_(verlauf), erste_(erste), vorher_(std::move(vorher)),
          nachher_(std::move(nachher)) {}

    void undo() override;
    // The change is already done when the step is pushed.
    void redo() override;

private:
    Verlauf& verlauf_;
    int erste_;
    Seite vorher_, nachher_;
    bool getan_ = true;
};
