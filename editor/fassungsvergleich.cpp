#include "editor/fassungsvergleich.h"

#include "cells/eintrag.h"
#include "editor/zeilenvorschau.h"
#include "person/person.h"

#include <QStringList>

namespace {

Zeile zeileAus(const CellTable& t, int row) {
    Zeile z;
    for (int c = 0; c < CellTable::kColumns; ++c)
        z[size_t(c)] = t.cell(c, row);
    return z;
}

// The four cells' hash, without copying them (FNV-1a, a TAB between cells, which none holds).
uint64_t streuwert(const CellTable& t, int row) {
    uint64_t h = 1469598103934665603ULL;
    for (int c = 0; c < CellTable::kColumns; ++c) {
        for (const unsigned char b : t.cell(c, row))
            h = (h ^ b) * 1099511628211ULL;
        h = (h ^ '\t') * 1099511628211ULL;
    }
    return h;
}

bool gleich(const CellTable& a, int ra, const CellTable& b, int rb) {
    for (int c = 0; c < CellTable::kColumns; ++c)
        if (a.cell(c, ra) != b.cell(c, rb))
            return false;
    return true;
}

} // namespace

QString VergleichText(const Fassungsvergleich& v) {
    QStringList teile;
    if (v.fehlt)
        teile << EintraegeText(v.fehlt) + QStringLiteral(" mehr");
    if (v.mehr)
        teile << (teile.isEmpty() ? EintraegeText(v.mehr) : QString::number(v.mehr)) +
                     QStringLiteral(" weniger");
    if (v.geaendert)
        teile << (teile.isEmpty() ? EintraegeText(v.geaendert) : QString::number(v.geaendert)) +
                     QStringLiteral(u" geändert");
    return teile.isEmpty() ? QStringLiteral("gleich") : teile.join(QStringLiteral(", "));
}

Fassungsvergleicher::Fassungsvergleicher(const CellTable& zellen, int anzahl)
    : zellen_(zellen), anzahl_(anzahl), index_(zellen, anzahl) {
    gleich_.reserve(size_t(std::max(anzahl, 0)));
    for (int r = 1; r <= anzahl; ++r) {
        gleich_.emplace(streuwert(zellen, r), r);
        if (std::string n = Nummernform(zellen.cell(kSpalteDBVNr, r)); !n.empty())
            nummern_[std::move(n)].push_back(r);
    }
}

// The entry of the list an entry of the version is: by its membership number where one entry
// has it (in one list that is the same entry, whatever its name became), else by the person
// rule; 0 for none.
int Fassungsvergleicher::eintrag(const Zeile& alt) const {
    if (const std::string n = Nummernform(alt[kSpalteDBVNr]); !n.empty()) {
        if (const auto it = nummern_.find(n); it != nummern_.end() && it->second.size() == 1)
            return it->second.front();
    }
    const Zuordnung z = index_.finden(alt[kSpalteName], alt[kSpalteDBVNr]);
    const bool ja = z.art == Zuordnung::Art::Person || z.art == Zuordnung::Art::Konflikt ||
                    z.art == Zuordnung::Art::NameMehrfach;
    return ja ? z.row : 0;
}

Fassungsvergleich Fassungsvergleicher::vergleichen(const CellTable& fassung, int anzahl,
                                                   bool nurZaehlen) const {
    Fassungsvergleich v;
    std::vector<char> vergeben(size_t(std::max(anzahl_, 0)) + 1, 0);
    std::vector<int> offen; // the version's rows no entry is alike
    // Alike entries first, wherever they stand now: most of a version is.
    for (int r = 1; r <= anzahl; ++r) {
        const auto [von, bis] = gleich_.equal_range(streuwert(fassung, r));
        auto it = von;
        while (it != bis &&
               (vergeben[size_t(it->second)] || !gleich(zellen_, it->second, fassung, r)))
            ++it;
        if (it != bis)
            vergeben[size_t(it->second)] = 1;
        else
            offen.push_back(r);
    }
    using Art = Fassungsunterschied::Art;
    for (const int r : offen) {
        const Zeile alt = zeileAus(fassung, r);
        const int row = eintrag(alt);
        const bool geaendert = row > 0 && !vergeben[size_t(row)];
        if (geaendert)
            vergeben[size_t(row)] = 1;
        ++(geaendert ? v.geaendert : v.fehlt);
        if (!nurZaehlen)
            v.unterschiede.push_back({.art = geaendert ? Art::Geaendert : Art::Fehlt,
                                      .row = geaendert ? row : 0,
                                      .alteZeile = r,
                                      .alt = alt,
                                      .jetzt = geaendert ? zeileAus(zellen_, row) : Zeile{},
                                      .haken = true});
    }
    for (int r = 1; r <= anzahl_; ++r) {
        if (vergeben[size_t(r)])
            continue;
        ++v.mehr;
        if (!nurZaehlen)
            v.unterschiede.push_back({.art = Art::Mehr,
                                      .row = r,
                                      .alteZeile = 0,
                                      .alt = Zeile{},
                                      .jetzt = zeileAus(zellen_, r),
                                      .haken = false});
    }
    return v;
}
