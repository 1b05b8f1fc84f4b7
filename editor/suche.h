#pragma once
// Finding names in the list as users type them: without regard to capitals and accents
// ("muller" finds "Müller", "ss" finds "ß"), and a number finds "Nr." and "Mitgliedsnr.".

#include "cells/celltable.h"

#include <string>
#include <string_view>
#include <vector>

// The text as the search compares it: small letters without accents, ß as "ss", Æ as "ae",
// runs of blanks as one.
std::string Suchform(std::string_view text);

struct Treffer {
    int row;
    int col;
    bool operator==(const Treffer&) const = default;
};

// Every entry (rows 1 .. anzahl) the search text finds, in row order: the name containing it,
// or, for a number, the entry's "Nr." equal to it or its "Mitgliedsnr." beginning with it.
std::vector<Treffer> Suchen(const CellTable& zellen, int anzahl, std::string_view suchtext);

// Which hit to go to from `row`: the first at or after it (`auchHier`, as the search text
// grows), else the next after it, or with `rueckwaerts` the one before it; round at the ends.
// -1 without hits.
int TrefferAb(const std::vector<Treffer>& treffer, int row, bool rueckwaerts, bool auchHier);
