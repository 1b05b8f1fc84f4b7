#pragma once
// Finding names in the list as users type them: without regard to capitals and accents, with
// umlauts as their base letters or spelled out ("muller" and "mueller" find "Müller", "strasse"
// finds "Straße"), and a number finds "Nr." and "Mitgliedsnr.".

#include "cells/celltable.h"

#include <string_view>
#include <vector>

struct Treffer {
    int row;
    int col;
    bool operator==(const Treffer&) const = default;
};

// Every entry (rows 1 .. anzahl) the search text finds, in row order: the name containing it,
// both folded (Falten) with umlauts as base letters or both with umlauts spelled out, or, for a
// number, the entry's "Nr." equal to it or its "Mitgliedsnr." beginning with it.
std::vector<Treffer> Suchen(const CellTable& zellen, int anzahl, std::string_view suchtext);

// Which hit to go to from `row`: the first at or after it (`auchHier`, as the search text
// grows), else the next after it, or with `rueckwaerts` the one before it; round at the ends.
// -1 without hits.
int TrefferAb(const std::vector<Treffer>& treffer, int row, bool rueckwaerts, bool auchHier);
