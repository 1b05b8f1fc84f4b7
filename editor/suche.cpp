#include "editor/suche.h"

#include "cells/eintrag.h"
#include "person/person.h"

#include <algorithm>

namespace {

std::string_view ohneRand(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == text.npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool nurZiffern(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<Treffer> Suchen(const CellTable& zellen, int anzahl, std::string_view suchtext) {
    std::vector<Treffer> treffer;
    const std::string gesucht = Falten(suchtext, Umlaute::Grundbuchstabe);
    if (gesucht.empty())
        return treffer;
    // "mueller" spelled out finds "Müller" only so; "muller" finds it with the base letters.
    const std::string ausgeschrieben = Falten(suchtext, Umlaute::Ausgeschrieben);
    const std::string_view nummer = ohneRand(suchtext);
    const bool zahl = nurZiffern(nummer);
    auto findet = [&](std::string_view name) {
        return Falten(name, Umlaute::Grundbuchstabe).find(gesucht) != std::string::npos ||
               Falten(name, Umlaute::Ausgeschrieben).find(ausgeschrieben) != std::string::npos;
    };
    for (int r = 1; r <= anzahl; ++r) {
        if (findet(zellen.cell(kSpalteName, r)))
            treffer.push_back({r, kSpalteName});
        else if (zahl && ohneRand(zellen.cell(kSpalteNr, r)) == nummer)
            treffer.push_back({r, kSpalteNr});
        else if (zahl && ohneRand(zellen.cell(kSpalteDBVNr, r)).starts_with(nummer))
            treffer.push_back({r, kSpalteDBVNr});
    }
    return treffer;
}

int TrefferAb(const std::vector<Treffer>& treffer, int row, bool rueckwaerts, bool auchHier) {
    if (treffer.empty())
        return -1;
    const int n = int(treffer.size());
    if (rueckwaerts) {
        for (int i = n - 1; i >= 0; --i)
            if (treffer[size_t(i)].row < row || (auchHier && treffer[size_t(i)].row == row))
                return i;
        return n - 1;
    }
    for (int i = 0; i < n; ++i)
        if (treffer[size_t(i)].row > row || (auchHier && treffer[size_t(i)].row == row))
            return i;
    return 0;
}
