#pragma once
// What a preview shows before rows of text cells (pasted, or from a table file) go into the list:
// what each column means, as recognised or as the user chose, and for each row what will happen
// to it. The paste preview and the table import share it; their dialogs only show it.

#include "cells/celltable.h"
#include "erkennung/erkennung.h"

#include <QString>
#include <QStringList>
#include <vector>

enum class Aktion { Neu, Geaendert, Unveraendert, Uebersprungen };
// "neu", "geändert", "unverändert", "übersprungen"
QString AktionText(Aktion a);
// "1 Eintrag", "2 Einträge"
QString EintraegeText(qsizetype n);

struct Planzeile {
    int quelle = 0; // index of the row it comes from
    Aktion aktion = Aktion::Uebersprungen;
    Zeile eintrag; // Neu: the new entry; Geaendert, Unveraendert: the entry as it will be
    Zeile alt;     // Geaendert, Unveraendert: the entry as it is
    int row = 0;   // Geaendert, Unveraendert: the entry's row in the list
    QString grund; // Uebersprungen: why; otherwise what the user should know, or empty
    std::vector<Vermerk> vermerke;
    bool haken = false; // proposed to be taken
};

// The rows, what their columns mean and the entries they give, kept in step.
class Zeilenvorschau {
public:
    explicit Zeilenvorschau(std::vector<QStringList> zeilen);

    const std::vector<QStringList>& zeilen() const { return zeilen_; }
    const Erkennung& erkennung() const { return erkennung_; }
    int spalten() const { return int(erkennung_.spalten.size()); }
    // The user chose what a column means; the entries follow.
    void bedeutungSetzen(int spalte, Bedeutung b);
    // The column's heading when there is a heading row ("„Vorname“"), else "Spalte 3".
    QString spaltenname(int spalte) const;
    // The heading row's cells, one per column; empty where the table has no heading row.
    QStringList ueberschriften() const;
    const std::vector<Vorschauzeile>& eintraege() const { return eintraege_; }

private:
    std::vector<QStringList> zeilen_;
    Erkennung erkennung_;
    std::vector<Vorschauzeile> eintraege_;
};

// "kein Platz mehr: die Liste hat höchstens 1000 Einträge"
QString KeinPlatzText();
// An entry whose membership number looks like a formula or a date, not like a number
// (MitgliedsnummerArt), is not ticked, and its reason says so beside any other ("die
// Mitgliedsnr. sieht aus wie eine Formel, nicht wie eine Nummer").
void NummerPruefen(Planzeile& p);

// Pasting: every entry is new, as far as `platz` (the entries the list can still take)
// allows; blank lines are left out, other lines without an entry are shown with their reason.
std::vector<Planzeile> EinfuegePlan(const std::vector<Vorschauzeile>& eintraege, int platz);
// Pasting into the list of rows 1 .. anzahl, each line matched by the person rule
// (Personenindex, editor/zuordnung.h): a line whose person the list holds is "schon in der
// Liste (Nr. 17)", one with another person's membership number says so; neither is ticked, and
// neither counts against the room left. Every new line gets a number no entry has: its own
// when that is free, else one after the highest (FreieNummern).
std::vector<Planzeile> EinfuegePlan(const CellTable& zellen, int anzahl,
                                    const std::vector<Vorschauzeile>& eintraege);
// The ticked new entries, in order.
std::vector<Zeile> NeueEintraege(const std::vector<Planzeile>& plan);
