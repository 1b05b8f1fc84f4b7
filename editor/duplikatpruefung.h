#pragma once
// Entries that are probably one person: what "Duplikate löschen" removes, and, for the review
// before anything goes, the same name written otherwise or the same membership number under
// another name.

#include "cells/celltable.h"

#include <string>
#include <string_view>
#include <vector>

// The rows (ascending) of rows 1 .. anzahl that "Duplikate löschen" removes. Of the entries
// whose names have the same Duplikatschluessel (blank names too): a later one with the
// membership number of an earlier one goes; one without a number goes when an entry of that
// name has one, wherever it stands, or when an earlier one has none. Different numbers are
// different members and all stay.
std::vector<int> DuplikatZeilen(const CellTable& zellen, int anzahl);

// A name as the review compares spellings: capitals (umlauts and other accented ones too) as
// small letters, ä, ö, ü as ae, oe, ue and ß as ss, blanks and full stops left out. "Müller"
// and "MUELLER" are one, "Hans Meier" and "Hanna Meier" are not.
std::string Namensform(std::string_view name);

enum class Duplikatart {
    Behalten,      // the entry of the group that stays
    Gleich,        // what "Duplikate löschen" removes
    Schreibweise,  // the same membership number and the same Namensform
    GleicheNummer, // the same membership number under another name
    GleicherName,  // no membership number, the Namensform of an entry with one or of an
                   // earlier one without
};

struct Duplikat {
    int row = 0;
    Duplikatart art = Duplikatart::Behalten;
    bool haken = false; // proposed for removal: Gleich and Schreibweise
    bool operator==(const Duplikat&) const = default;
};

// One probable person: its entries in row order, exactly one of them Behalten. All entries of
// a group that have a membership number have the same one.
using Duplikatgruppe = std::vector<Duplikat>;

// The groups of rows 1 .. anzahl, in the order of their first rows.
std::vector<Duplikatgruppe> DuplikatePruefen(const CellTable& zellen, int anzahl);

// The ticked rows of these groups, ascending.
std::vector<int> AngehakteZeilen(const std::vector<Duplikatgruppe>& gruppen);
