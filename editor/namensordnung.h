#pragma once
// The order a German reader expects of a name list: by surname, then by first names, compared
// as a German dictionary compares words (umlauts as their base letters, ß as ss, capitals and
// small letters alike, the exact text only as the last tie-break).

#include "cells/celltable.h"

#include <string>
#include <string_view>
#include <vector>

struct Namensteile {
    std::string nachname;
    // First names and initials, titles ("Dr.", "Prof.") after them.
    std::string rest;
    bool operator==(const Namensteile&) const = default;
};

// The surname is the part before a comma ("Meier, H."), else the last word that does not end
// in a full stop; words are parted by blanks and after a full stop ("H.Meier").
Namensteile NamenZerlegen(std::string_view name);

// The rows 1 .. anzahl in their new order: element i is the row that goes to row i + 1.
// Entries that compare equal keep their order, and blank names come last.
std::vector<int> NamensOrdnung(const CellTable& zellen, int anzahl);
