#include "editor/duplikatpruefung.h"

#include "cells/eintrag.h"
#include "editor/sortierung.h"
#include "person/person.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {

struct Eintrag {
    std::string loeschNummer; // as "Duplikate löschen" compares it: blanks trimmed
    std::string schluessel;   // Duplikatschluessel
    Person person;            // for the review: its number in Nummernform
    std::string form;         // person.name.schluessel()
    int guete = 0;            // Schreibguete
};

Eintrag eintrag(const CellTable& zellen, int r, bool pruefen) {
    const std::string& name = zellen.cell(kSpalteName, r);
    const std::string& nummer = zellen.cell(kSpalteDBVNr, r);
    Eintrag e{Bereinigen(nummer, ' '), Duplikatschluessel(name), {}, {}, 0};
    if (pruefen) {
        e.person = PersonBilden(name, nummer);
        e.form = e.person.name.schluessel();
        e.guete = Schreibguete(name);
    }
    return e;
}

std::vector<Eintrag> eintraege(const CellTable& zellen, int anzahl, bool pruefen) {
    std::vector<Eintrag> e(size_t(std::max(anzahl, 0)) + 1);
    for (int r = 1; r <= anzahl; ++r)
        e[size_t(r)] = eintrag(zellen, r, pruefen);
    return e;
}

using Erste = std::unordered_map<std::string, int>;

int erste(const Erste& m, const std::string& key) {
    const auto it = m.find(key);
    return it == m.end() ? 0 : it->second;
}

// For each row, the row it stands for among the entries of the same name (by `name`): with a
// number (by `nummer`), the first of that name and number; without, the first of that name
// with a number, wherever it stands, else the first without. 0 where that is the row itself.
std::vector<int> vorbilder(const std::vector<Eintrag>& e, std::string Eintrag::*name,
                           const std::string& (*nummer)(const Eintrag&)) {
    Erste mitNummer, namensNummer, ohneNummer;
    for (size_t r = 1; r < e.size(); ++r) {
        const std::string& n = e[r].*name;
        if (nummer(e[r]).empty()) {
            ohneNummer.try_emplace(n, int(r));
        } else {
            // A TAB stands in no cell, so it parts number and name unambiguously.
            mitNummer.try_emplace(nummer(e[r]) + '\t' + n, int(r));
            namensNummer.try_emplace(n, int(r));
        }
    }
    std::vector<int> vorbild(e.size());
    for (size_t r = 1; r < e.size(); ++r) {
        const std::string& n = e[r].*name;
        int v = erste(namensNummer, n);
        if (!nummer(e[r]).empty())
            v = erste(mitNummer, nummer(e[r]) + '\t' + n);
        else if (!v)
            v = erste(ohneNummer, n);
        vorbild[r] = v == int(r) ? 0 : v;
    }
    return vorbild;
}

const std::string& loeschNummer(const Eintrag& e) {
    return e.loeschNummer;
}
const std::string& personNummer(const Eintrag& e) {
    return e.person.nummer;
}

// What an entry is beside the one of its group that stays.
Duplikat art(const Eintrag& d, const Eintrag& bleibt, int row) {
    const std::string& nr = d.person.nummer;
    const bool gleicheNummer = !nr.empty() && nr == bleibt.person.nummer;
    if (d.schluessel == bleibt.schluessel && (nr.empty() || gleicheNummer))
        return {row, Duplikatart::Gleich, true};
    if (gleicheNummer && DieselbePerson(d.person, bleibt.person))
        return {row, Duplikatart::Schreibweise, true};
    return {row, gleicheNummer ? Duplikatart::GleicheNummer : Duplikatart::GleicherName, false};
}

Duplikatgruppe ableiten(const std::vector<const Eintrag*>& e, const std::vector<int>& rows,
                        int behalten) {
    Duplikatgruppe g;
    const auto k = size_t(std::find(rows.begin(), rows.end(), behalten) - rows.begin());
    for (size_t i = 0; i < rows.size(); ++i)
        g.push_back(i == k ? Duplikat{rows[i], Duplikatart::Behalten, false}
                           : art(*e[i], *e[k], rows[i]));
    return g;
}

// The entry with a membership number, then the better spelling, then the first.
int vorschlag(const std::vector<const Eintrag*>& e, const std::vector<int>& rows) {
    size_t beste = 0;
    auto rang = [&e](size_t i) { return std::pair(!e[i]->person.nummer.empty(), e[i]->guete); };
    for (size_t i = 1; i < rows.size(); ++i)
        if (rang(i) > rang(beste))
            beste = i;
    return rows[beste];
}

int wurzel(std::vector<int>& eltern, int r) {
    while (eltern[size_t(r)] != r)
        r = eltern[size_t(r)] = eltern[size_t(eltern[size_t(r)])];
    return r;
}

} // namespace

std::vector<int> DuplikatZeilen(const CellTable& zellen, int anzahl) {
    const std::vector<int> vorbild =
        vorbilder(eintraege(zellen, anzahl, false), &Eintrag::schluessel, loeschNummer);
    std::vector<int> rows;
    for (size_t r = 1; r < vorbild.size(); ++r)
        if (vorbild[r])
            rows.push_back(int(r));
    return rows;
}

std::vector<Duplikatgruppe> DuplikatePruefen(const CellTable& zellen, int anzahl) {
    const std::vector<Eintrag> e = eintraege(zellen, anzahl, true);
    // Entries with one number are one group; an entry without joins the one it stands for by
    // its name as "Duplikate löschen" compares it, else by its folded name. So a group holds
    // at most one number.
    const std::vector<int> gleich = vorbilder(e, &Eintrag::schluessel, personNummer);
    const std::vector<int> form = vorbilder(e, &Eintrag::form, personNummer);
    std::vector<int> eltern(e.size());
    std::iota(eltern.begin(), eltern.end(), 0);
    Erste ersteNummer;
    for (size_t r = 1; r < e.size(); ++r) {
        const std::string& nr = e[r].person.nummer;
        const int v = !nr.empty() ? ersteNummer.try_emplace(nr, int(r)).first->second
                      : gleich[r] ? gleich[r]
                                  : form[r];
        if (v)
            eltern[size_t(wurzel(eltern, int(r)))] = wurzel(eltern, v);
    }

    std::vector<std::vector<int>> mitglieder(e.size());
    for (size_t r = 1; r < e.size(); ++r)
        mitglieder[size_t(wurzel(eltern, int(r)))].push_back(int(r));
    std::vector<std::pair<int, size_t>> ordnung; // first row, root
    for (size_t w = 1; w < e.size(); ++w)
        if (mitglieder[w].size() > 1)
            ordnung.emplace_back(mitglieder[w].front(), w);
    std::sort(ordnung.begin(), ordnung.end());
    std::vector<Duplikatgruppe> gruppen;
    for (const auto& [erste, w] : ordnung) {
        const std::vector<int>& rows = mitglieder[w];
        std::vector<const Eintrag*> es;
        for (const int r : rows)
            es.push_back(&e[size_t(r)]);
        gruppen.push_back(ableiten(es, rows, vorschlag(es, rows)));
    }
    return gruppen;
}

Duplikatgruppe GruppeBehalten(const CellTable& zellen, const Duplikatgruppe& gruppe, int row) {
    std::vector<int> rows;
    for (const Duplikat& d : gruppe)
        rows.push_back(d.row);
    if (std::find(rows.begin(), rows.end(), row) == rows.end())
        return gruppe;
    std::vector<Eintrag> e;
    for (const int r : rows)
        e.push_back(eintrag(zellen, r, true));
    std::vector<const Eintrag*> es;
    for (const Eintrag& x : e)
        es.push_back(&x);
    return ableiten(es, rows, row);
}

std::vector<int> AngehakteZeilen(const std::vector<Duplikatgruppe>& gruppen) {
    std::vector<int> rows;
    for (const Duplikatgruppe& g : gruppen)
        for (const Duplikat& d : g)
            if (d.haken)
                rows.push_back(d.row);
    std::sort(rows.begin(), rows.end());
    return rows;
}
