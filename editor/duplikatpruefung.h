#pragma once
// Entries that are probably one person: what "Duplikate löschen" removes, and, for the review
// before anything goes, one person's entries by the person rule (person/person.h): the same
// name written otherwise, or the same membership number under another name.

#include "cells/celltable.h"

#include <vector>

// The rows (ascending) of rows 1 .. anzahl that "Duplikate löschen" removes. Of the entries
// whose names have the same Duplikatschluessel (blank names too): a later one with the
// membership number of an earlier one goes; one without a number goes when an entry of that
// name has one, wherever it stands, or when an earlier one has none. Different numbers are
// different members and all stay.
std::vector<int> DuplikatZeilen(const CellTable& zellen, int anzahl);

// What an entry of a group is beside the one that stays.
enum class Duplikatart {
    Behalten,      // the entry of the group that stays
    Gleich,        // its name as "Duplikate löschen" compares names, its number or none
    Schreibweise,  // its number, and a name that is its person's (DieselbePerson)
    GleicheNummer, // its number under another person's name
    GleicherName,  // a name of the group without a number, or the number where it has none
};

struct Duplikat {
    int row = 0;
    Duplikatart art = Duplikatart::Behalten;
    bool haken = false; // proposed for removal: Gleich and Schreibweise
    bool operator==(const Duplikat&) const = default;
};

// One probable person: its entries in row order, exactly one of them Behalten. All entries of
// a group that have a membership number have the same one (compared as Nummernform).
using Duplikatgruppe = std::vector<Duplikat>;

// The groups of rows 1 .. anzahl, in the order of their first rows: the entries of one
// membership number, and those without one that have the name of one of them (as "Duplikate
// löschen" compares names, else folded). Proposed to stay: the entry with a membership number,
// then the better spelling (Schreibguete: umlauts or ß, and small letters beside capitals),
// then the first.
std::vector<Duplikatgruppe> DuplikatePruefen(const CellTable& zellen, int anzahl);

// The group with the entry in `row` as the one that stays, the others' kinds and ticks measured
// against it, as the user chooses another; unchanged when `row` is not in it.
Duplikatgruppe GruppeBehalten(const CellTable& zellen, const Duplikatgruppe& gruppe, int row);

// The ticked rows of these groups, ascending.
std::vector<int> AngehakteZeilen(const std::vector<Duplikatgruppe>& gruppen);
