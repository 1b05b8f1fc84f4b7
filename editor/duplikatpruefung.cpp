#include "editor/duplikatpruefung.h"

#include "cells/eintrag.h"
#include "editor/sortierung.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <unordered_map>

namespace {

struct Eintrag {
    std::string nummer;
    std::string schluessel; // Duplikatschluessel
    std::string form;       // Namensform
};

std::vector<Eintrag> eintraege(const CellTable& zellen, int anzahl) {
    std::vector<Eintrag> e(size_t(std::max(anzahl, 0)) + 1);
    for (int r = 1; r <= anzahl; ++r) {
        const std::string& name = zellen.cell(kSpalteName, r);
        e[size_t(r)] = {Bereinigen(zellen.cell(kSpalteDBVNr, r), ' '), Duplikatschluessel(name),
                        Namensform(name)};
    }
    return e;
}

using Erste = std::unordered_map<std::string, int>;

int erste(const Erste& m, const std::string& key) {
    const auto it = m.find(key);
    return it == m.end() ? 0 : it->second;
}

// For each row, the row it stands for among the entries of the same name (by `name`): with a
// number, the first of that name and number; without, the first of that name with a number,
// wherever it stands, else the first without. 0 where that is the row itself.
std::vector<int> vorbilder(const std::vector<Eintrag>& e, std::string Eintrag::*name) {
    Erste mitNummer, namensNummer, ohneNummer;
    for (size_t r = 1; r < e.size(); ++r) {
        const std::string& n = e[r].*name;
        if (e[r].nummer.empty()) {
            ohneNummer.try_emplace(n, int(r));
        } else {
            // A TAB stands in no cell, so it parts number and name unambiguously.
            mitNummer.try_emplace(e[r].nummer + '\t' + n, int(r));
            namensNummer.try_emplace(n, int(r));
        }
    }
    std::vector<int> vorbild(e.size());
    for (size_t r = 1; r < e.size(); ++r) {
        const std::string& n = e[r].*name;
        int v = erste(namensNummer, n);
        if (!e[r].nummer.empty())
            v = erste(mitNummer, e[r].nummer + '\t' + n);
        else if (!v)
            v = erste(ohneNummer, n);
        vorbild[r] = v == int(r) ? 0 : v;
    }
    return vorbild;
}

} // namespace

std::vector<int> DuplikatZeilen(const CellTable& zellen, int anzahl) {
    const std::vector<int> vorbild = vorbilder(eintraege(zellen, anzahl), &Eintrag::schluessel);
    std::vector<int> rows;
    for (size_t r = 1; r < vorbild.size(); ++r)
        if (vorbild[r])
            rows.push_back(int(r));
    return rows;
}

std::string Namensform(std::string_view name) {
    std::string out;
    out.reserve(name.size() + 4);
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case ' ':
        case '\t':
        case 0xA0:
        case '.':
            break;
        case 0xC4:
        case 0xE4:
            out += "ae";
            break;
        case 0xD6:
        case 0xF6:
            out += "oe";
            break;
        case 0xDC:
        case 0xFC:
            out += "ue";
            break;
        case 0xDF:
            out += "ss";
            break;
        case 0x8A: // Š Œ Ž
        case 0x8C:
        case 0x8E:
            out += char(c + 0x10);
            break;
        case 0x9F: // Ÿ
            out += '\xFF';
            break;
        default:
            const bool gross = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
            out += gross ? char(c + 0x20) : ch;
        }
    }
    return out;
}

std::vector<Duplikatgruppe> DuplikatePruefen(const CellTable& zellen, int anzahl) {
    const std::vector<Eintrag> e = eintraege(zellen, anzahl);
    const std::vector<int> gleich = vorbilder(e, &Eintrag::schluessel);
    const std::vector<int> form = vorbilder(e, &Eintrag::form);
    Erste ersteNummer;
    for (size_t r = 1; r < e.size(); ++r)
        if (!e[r].nummer.empty())
            ersteNummer.try_emplace(e[r].nummer, int(r));

    // Each entry points at the one it is a duplicate of. Entries with a number point only at
    // earlier ones with the same number, entries without at any with a number or at earlier
    // ones without: no circles, and one number per group.
    std::vector<int> vorbild(e.size());
    std::vector<Duplikat> art(e.size());
    for (size_t r = 1; r < e.size(); ++r) {
        const bool nummer = !e[r].nummer.empty();
        const int gleicheNummer = nummer ? erste(ersteNummer, e[r].nummer) : 0;
        // The first that holds decides; none: the entry stays (Behalten).
        const struct {
            int vorbild;
            Duplikatart art;
            bool haken;
        } faelle[] = {
            {gleich[r], Duplikatart::Gleich, true},
            {nummer ? form[r] : 0, Duplikatart::Schreibweise, true},
            {gleicheNummer == int(r) ? 0 : gleicheNummer, Duplikatart::GleicheNummer, false},
            {nummer ? 0 : form[r], Duplikatart::GleicherName, false},
        };
        art[r].row = int(r);
        for (const auto& f : faelle) {
            if (f.vorbild) {
                vorbild[r] = f.vorbild;
                art[r] = {int(r), f.art, f.haken};
                break;
            }
        }
    }

    // The group of an entry is that of the entry its chain ends at, which stays.
    std::vector<int> wurzel(e.size()), pfad;
    std::vector<bool> hatGruppe(e.size());
    for (size_t r = 1; r < e.size(); ++r) {
        size_t w = r;
        for (pfad.clear(); !wurzel[w] && vorbild[w]; w = size_t(vorbild[w]))
            pfad.push_back(int(w));
        if (!wurzel[w])
            wurzel[w] = int(w);
        for (const int p : pfad)
            wurzel[size_t(p)] = wurzel[w];
        if (vorbild[r])
            hatGruppe[size_t(wurzel[r])] = true;
    }
    std::vector<int> gruppeVon(e.size(), -1);
    std::vector<Duplikatgruppe> gruppen;
    for (size_t r = 1; r < e.size(); ++r) {
        const size_t w = size_t(wurzel[r]);
        if (!hatGruppe[w])
            continue;
        if (gruppeVon[w] < 0) {
            gruppeVon[w] = int(gruppen.size());
            gruppen.emplace_back();
        }
        gruppen[size_t(gruppeVon[w])].push_back(art[r]);
    }
    return gruppen;
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
