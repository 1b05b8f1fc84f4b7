#include "editor/abgleich.h"

#include "cells/eintrag.h"
#include "editor/sortierung.h"
#include "editor/verlauf.h"

#include <algorithm>
#include <unordered_map>

namespace {

// "0100237 " is member 100237: a spreadsheet drops leading zeros of a number cell.
std::string nummer(const std::string& text) {
    std::string n;
    for (const char c : text)
        if (c != ' ' && c != '\t')
            n += c;
    if (!n.empty() && n.find_first_not_of("0123456789") == std::string::npos) {
        // Keeps the last zero of "000".
        n.erase(0, std::min(n.find_first_not_of('0'), n.size() - 1));
    }
    return n;
}

using Index = std::unordered_map<std::string, std::vector<int>>;

class Abgleicher {
public:
    Abgleicher(const CellTable& zellen, int anzahl) : zellen_(zellen), anzahl_(anzahl) {
        for (int r = 1; r <= anzahl; ++r) {
            const std::string n = nummer(zellen.cell(kSpalteDBVNr, r));
            if (!n.empty())
                nummern_[n].push_back(r);
            namen_[Duplikatschluessel(zellen.cell(kSpalteName, r))].push_back(r);
        }
        von_.assign(size_t(anzahl) + 1, -1);
    }

    Planzeile zeile(const Vorschauzeile& v) {
        Planzeile p;
        p.quelle = v.quelle;
        p.vermerke = v.vermerke;
        if (!v.eintrag) {
            p.grund = GrundText(v.grund);
            return p;
        }
        p.eintrag = *v.eintrag;
        mehrdeutig_ = false;
        const int row = suchen(p);
        if (row > 0)
            zuordnen(p, row);
        else if (row == 0)
            neu(p);
        return p;
    }

    int ohneZeile() const {
        int n = 0;
        for (int r = 1; r <= anzahl_; ++r)
            n += von_[size_t(r)] < 0;
        return n;
    }

private:
    // The entry the row stands for; 0: none, a new member; -1: skipped, p.grund says why.
    int suchen(Planzeile& p) {
        const std::string n = nummer(p.eintrag[kSpalteDBVNr]);
        const std::vector<int>& gleichNamig =
            finden(namen_, Duplikatschluessel(p.eintrag[kSpalteName]));
        if (!n.empty()) {
            const std::vector<int>& mitNummer = finden(nummern_, n);
            if (mitNummer.size() > 1) {
                p.grund =
                    QStringLiteral(u"%1 Einträge haben diese Mitgliedsnr.").arg(mitNummer.size());
                return -1;
            }
            if (mitNummer.size() == 1)
                return mitNummer.front();
            std::vector<int> ohneNummer;
            for (const int r : gleichNamig)
                if (nummer(zellen_.cell(kSpalteDBVNr, r)).empty())
                    ohneNummer.push_back(r);
            if (ohneNummer.size() == 1)
                return ohneNummer.front();
            if (!gleichNamig.empty())
                p.grund = QStringLiteral("gleicher Name in der Liste, andere Mitgliedsnr.");
            return 0;
        }
        if (gleichNamig.size() == 1)
            return gleichNamig.front();
        if (gleichNamig.size() > 1) {
            p.grund = QStringLiteral(u"%1 Einträge heißen so").arg(gleichNamig.size());
            mehrdeutig_ = true;
        }
        return 0;
    }

    void zuordnen(Planzeile& p, int row) {
        p.row = row;
        p.alt = ZeileLesen(zellen_, row);
        if (von_[size_t(row)] >= 0) {
            p.grund = QStringLiteral("derselbe Eintrag wie Zeile %1").arg(von_[size_t(row)] + 1);
            return;
        }
        von_[size_t(row)] = p.quelle;
        Zeile z = p.alt;
        z[kSpalteName] = p.eintrag[kSpalteName];
        if (!p.eintrag[kSpalteMP].empty())
            z[kSpalteMP] = p.eintrag[kSpalteMP];
        if (nummer(z[kSpalteDBVNr]).empty() && !p.eintrag[kSpalteDBVNr].empty())
            z[kSpalteDBVNr] = p.eintrag[kSpalteDBVNr];
        p.eintrag = z;
        p.aktion = z == p.alt ? Aktion::Unveraendert : Aktion::Geaendert;
        p.haken = p.aktion == Aktion::Geaendert;
    }

    void neu(Planzeile& p) {
        if (anzahl_ + neue_ >= kMaxEintraege) {
            p.grund = QStringLiteral(u"kein Platz mehr: die Liste hat höchstens %1 Einträge")
                          .arg(kMaxEintraege);
            return;
        }
        ++neue_;
        p.aktion = Aktion::Neu;
        p.eintrag[kSpalteNr] = std::to_string(anzahl_ + neue_);
        if (p.eintrag[kSpalteMP].empty())
            p.eintrag[kSpalteMP].assign(1, 'N');
        p.haken = !mehrdeutig_;
    }

    static const std::vector<int>& finden(const Index& index, const std::string& key) {
        static const std::vector<int> keine;
        const auto it = index.find(key);
        return it == index.end() ? keine : it->second;
    }

    const CellTable& zellen_;
    const int anzahl_;
    Index nummern_, namen_;
    std::vector<int> von_; // per row of the list: the table row that stands for it, or -1
    int neue_ = 0;
    bool mehrdeutig_ = false; // the row's name is several entries' name
};

} // namespace

Abgleich Abgleichen(const CellTable& zellen, int anzahl,
                    const std::vector<Vorschauzeile>& tabelle) {
    Abgleicher abgleicher(zellen, anzahl);
    Abgleich a;
    for (const Vorschauzeile& v : tabelle)
        if (v.grund != Grund::LeereZeile)
            a.zeilen.push_back(abgleicher.zeile(v));
    a.nichtInTabelle = abgleicher.ohneZeile();
    return a;
}

Uebernahme AbgleichUebernehmen(CellTable& zellen, Eintragszeilen& eintraege, int anzahl,
                               const std::vector<Planzeile>& plan) {
    Uebernahme u;
    std::vector<Zeile> neue;
    CellUpdate update(zellen);
    for (const Planzeile& p : plan) {
        if (!p.haken)
            continue;
        if (p.aktion == Aktion::Geaendert && p.row >= 1 && p.row <= anzahl) {
            ZeileSchreiben(zellen, p.row, p.eintrag);
            ++u.geaendert;
        } else if (p.aktion == Aktion::Neu && anzahl + int(neue.size()) < kMaxEintraege) {
            Zeile z = p.eintrag;
            z[kSpalteNr] = std::to_string(anzahl + int(neue.size()) + 1);
            neue.push_back(std::move(z));
        }
    }
    eintraege.einfuegen(anzahl + 1, neue);
    u.neu = int(neue.size());
    return u;
}

QString UebernahmeText(const Uebernahme& u) {
    return QStringLiteral(u"%1 hinzugefügt, %2 geändert")
        .arg(EintraegeText(u.neu), EintraegeText(u.geaendert));
}
