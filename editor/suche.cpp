#include "editor/suche.h"

#include "cells/eintrag.h"

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80..0xFF as the search sees them; empty: the byte stays as it is.
constexpr std::array<const char*, 128> kFaltung = [] {
    std::array<const char*, 128> t{};
    auto set = [&t](unsigned char from, unsigned char to, const char* as) {
        for (unsigned c = from; c <= to; ++c)
            t[c - 0x80] = as;
    };
    set(0x8A, 0x8A, "s"); // Š
    set(0x8C, 0x8C, "oe");
    set(0x8E, 0x8E, "z");
    set(0x9A, 0x9A, "s");
    set(0x9C, 0x9C, "oe");
    set(0x9E, 0x9E, "z");
    set(0x9F, 0x9F, "y");
    set(0xC0, 0xC5, "a");
    set(0xC6, 0xC6, "ae");
    set(0xC7, 0xC7, "c");
    set(0xC8, 0xCB, "e");
    set(0xCC, 0xCF, "i");
    set(0xD0, 0xD0, "d");
    set(0xD1, 0xD1, "n");
    set(0xD2, 0xD6, "o");
    set(0xD8, 0xD8, "o");
    set(0xD9, 0xDC, "u");
    set(0xDD, 0xDD, "y");
    set(0xDE, 0xDE, "th");
    set(0xDF, 0xDF, "ss");
    set(0xE0, 0xE5, "a");
    set(0xE6, 0xE6, "ae");
    set(0xE7, 0xE7, "c");
    set(0xE8, 0xEB, "e");
    set(0xEC, 0xEF, "i");
    set(0xF0, 0xF0, "d");
    set(0xF1, 0xF1, "n");
    set(0xF2, 0xF6, "o");
    set(0xF8, 0xF8, "o");
    set(0xF9, 0xFC, "u");
    set(0xFD, 0xFD, "y");
    set(0xFE, 0xFE, "th");
    set(0xFF, 0xFF, "y");
    return t;
}();

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

std::string Suchform(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '\t' || c == 0xA0) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        if (c >= 'A' && c <= 'Z')
            out += char(c - 'A' + 'a');
        else if (c >= 0x80 && kFaltung[c - 0x80])
            out += kFaltung[c - 0x80];
        else
            out += ch;
    }
    return out;
}

std::vector<Treffer> Suchen(const CellTable& zellen, int anzahl, std::string_view suchtext) {
    std::vector<Treffer> treffer;
    const std::string gesucht = Suchform(suchtext);
    if (gesucht.empty())
        return treffer;
    const std::string_view nummer = ohneRand(suchtext);
    const bool zahl = nurZiffern(nummer);
    std::string name;
    for (int r = 1; r <= anzahl; ++r) {
        name = Suchform(zellen.cell(kSpalteName, r));
        if (name.find(gesucht) != std::string::npos)
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
