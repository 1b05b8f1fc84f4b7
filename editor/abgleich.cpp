#include "editor/abgleich.h"

#include "cells/cellstore.h"
#include "cells/eintrag.h"
#include "editor/verlauf.h"
#include "editor/zuordnung.h"
#include "namefile/namefile.h"
#include "person/person.h"
#include "platform/cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

// A table keeps what a preview of it can show: the rows of a full list and some more.
static_assert(tabelle::kMaxZeilenBehalten > kMaxEintraege);

namespace {

class Abgleicher {
public:
    Abgleicher(const CellTable& zellen, int anzahl)
        : zellen_(zellen), anzahl_(anzahl), index_(zellen, anzahl), nummern_(zellen, anzahl),
          von_(size_t(std::max(anzahl, 0)) + 1, -1) {}

    Planzeile zeile(const Vorschauzeile& v) {
        Planzeile p;
        p.quelle = v.quelle;
        p.vermerke = v.vermerke;
        if (!v.eintrag) {
            p.grund = GrundText(v.grund);
            return p;
        }
        p.eintrag = *v.eintrag;
        const Zuordnung z = index_.finden(p.eintrag[kSpalteName], p.eintrag[kSpalteDBVNr]);
        p.grund = index_.grund(z);
        switch (z.art) {
        case Zuordnung::Art::Person:
            zuordnen(p, z.row, true);
            break;
        case Zuordnung::Art::Konflikt:
            zuordnen(p, z.row, false);
            break;
        case Zuordnung::Art::Neu:
        case Zuordnung::Art::NameMehrfach:
            neu(p, z.art == Zuordnung::Art::Neu);
            break;
        case Zuordnung::Art::NummerMehrfach:
            break;
        }
        if (p.aktion != Aktion::Unveraendert)
            NummerPruefen(p);
        return p;
    }

    int ohneZeile() const {
        int n = 0;
        for (int r = 1; r <= anzahl_; ++r)
            n += von_[size_t(r)] < 0;
        return n;
    }

private:
    // `person`: the row is the entry's person; otherwise it has the entry's number under
    // another name, and only the user can say it is the same person.
    void zuordnen(Planzeile& p, int row, bool person) {
        p.row = row;
        p.alt = ZeileLesen(zellen_, row);
        if (von_[size_t(row)] >= 0) {
            // Another person with that entry's number keeps the reason that says so.
            if (person)
                p.grund =
                    QStringLiteral("derselbe Eintrag wie Zeile %1").arg(von_[size_t(row)] + 1);
            return;
        }
        // A conflict keeps the entry free for a later row that is its person.
        if (person)
            von_[size_t(row)] = p.quelle;
        Zeile z = p.alt;
        // "Krueger" or "KRÜGER" for the list's "Krüger" is the same person written worse: the
        // list keeps its spelling, and the rest of the row is taken.
        if (Schreibguete(p.eintrag[kSpalteName]) >= Schreibguete(p.alt[kSpalteName]))
            z[kSpalteName] = p.eintrag[kSpalteName];
        if (!p.eintrag[kSpalteMP].empty())
            z[kSpalteMP] = p.eintrag[kSpalteMP];
        if (Nummernform(z[kSpalteDBVNr]).empty() && !p.eintrag[kSpalteDBVNr].empty())
            z[kSpalteDBVNr] = p.eintrag[kSpalteDBVNr];
        p.eintrag = z;
        p.aktion = z == p.alt ? Aktion::Unveraendert : Aktion::Geaendert;
        // A "?" where the source lost a letter must not replace a name that has it.
        const bool fragezeichen =
            z[kSpalteName] != p.alt[kSpalteName] && FragezeichenStattBuchstabe(z[kSpalteName]);
        p.haken = p.aktion == Aktion::Geaendert && person && !fragezeichen;
    }

    void neu(Planzeile& p, bool haken) {
        // A second row of one new member (the same membership number, or the same name where
        // neither has one) is not a second entry.
        const std::string nummer = Nummernform(p.eintrag[kSpalteDBVNr]);
        const std::string schluessel = nummer.empty() ? "\t" + p.eintrag[kSpalteName] : nummer;
        if (const auto [it, neuer] = neueZeilen_.emplace(schluessel, p.quelle); !neuer) {
            p.grund = QStringLiteral("derselbe neue Eintrag wie Zeile %1").arg(it->second + 1);
            return;
        }
        if (anzahl_ + neue_ >= kMaxEintraege) {
            p.grund = KeinPlatzText();
            return;
        }
        ++neue_;
        p.aktion = Aktion::Neu;
        p.eintrag[kSpalteNr] = nummern_.vergeben();
        if (p.eintrag[kSpalteMP].empty())
            p.eintrag[kSpalteMP].assign(1, 'N');
        p.haken = haken;
    }

    const CellTable& zellen_;
    const int anzahl_;
    const Personenindex index_;
    FreieNummern nummern_;
    std::vector<int> von_; // per row of the list: the table row that stands for it, or -1
    std::unordered_map<std::string, int> neueZeilen_; // new members: number or name, to row
    int neue_ = 0;
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
    std::vector<bool> geaendert(size_t(std::max(anzahl, 0)) + 1);
    CellUpdate update(zellen);
    for (const Planzeile& p : plan) {
        if (!p.haken)
            continue;
        // Each entry once: a conflict the user ticked does not undo the row that is its person.
        if (p.aktion == Aktion::Geaendert && p.row >= 1 && p.row <= anzahl &&
            !geaendert[size_t(p.row)]) {
            ZeileSchreiben(zellen, p.row, p.eintrag);
            geaendert[size_t(p.row)] = true;
            ++u.geaendert;
        } else if (p.aktion == Aktion::Neu && anzahl + int(neue.size()) < kMaxEintraege) {
            neue.push_back(p.eintrag);
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

std::array<QString, tabelle::kSchreibspalten> TabellenKopf() {
    return {BedeutungText(Bedeutung::Nr), BedeutungText(Bedeutung::Name),
            BedeutungText(Bedeutung::MP), BedeutungText(Bedeutung::Mitgliedsnr)};
}

std::vector<tabelle::Schreibzeile> TabellenZeilen(const CellTable& zellen, int anzahl) {
    std::vector<tabelle::Schreibzeile> zeilen(size_t(std::max(anzahl, 0)));
    for (int r = 1; r <= anzahl; ++r)
        for (const int c : {kSpalteNr, kSpalteName, kSpalteMP, kSpalteDBVNr})
            zeilen[size_t(r - 1)][size_t(c)] = zellen.cell(c, r);
    return zeilen;
}

bool IstNamensliste(const QString& pfad) {
    static constexpr char kKopf[] = "GESAMT-DATEI";
    const int fd =
        ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat s {};
    char anfang[sizeof kKopf - 1];
    const bool ja = ::fstat(fd, &s) == 0 && S_ISREG(s.st_mode) &&
                    ::read(fd, anfang, sizeof anfang) == ssize_t(sizeof anfang) &&
                    std::equal(anfang, anfang + sizeof anfang, kKopf);
    ::close(fd);
    return ja;
}

QString WeggelassenText(const tabelle::Blatt& blatt) {
    QStringList teile;
    const QString platz = QStringLiteral(u"die Liste hat höchstens %1 Einträge").arg(kMaxEintraege);
    if (blatt.zeilenWeggelassen == 1)
        teile << QStringLiteral(u"1 weitere Zeile wurde weggelassen: ") + platz;
    else if (blatt.zeilenWeggelassen > 1)
        teile << QStringLiteral(u"%1 weitere Zeilen wurden weggelassen: ")
                         .arg(blatt.zeilenWeggelassen) +
                     platz;
    const QString spalten =
        QStringLiteral(u"die Spalten nach der %1. weggelassen").arg(tabelle::kMaxSpaltenBehalten);
    if (blatt.zeilenGekuerzt == 1)
        teile << QStringLiteral(u"In 1 Zeile wurden ") + spalten;
    else if (blatt.zeilenGekuerzt > 1)
        teile << QStringLiteral(u"In %1 Zeilen wurden ").arg(blatt.zeilenGekuerzt) + spalten;
    return teile.join(QStringLiteral(". "));
}

std::optional<tabelle::Ergebnis> NamenlisteAlsTabelle(const QString& pfad) {
    if (!IstNamensliste(pfad))
        return std::nullopt;
    CellStore zellen(kMaxEintraege + 1);
    const LadeErgebnis geladen = NamenDateiLesen(QFile::encodeName(pfad).toStdString(), zellen);
    tabelle::Ergebnis e;
    if (!geladen.fehler.empty()) {
        e.fehler = QStringLiteral("Die Namensliste „%1“ kann nicht eingelesen werden: %2")
                       .arg(QFileInfo(pfad).fileName(), cp1252::toQString(geladen.fehler));
        return e;
    }
    tabelle::Blatt& blatt = e.blaetter.emplace_back();
    blatt.name = QFileInfo(pfad).completeBaseName();
    const auto kopf = TabellenKopf();
    blatt.zeilen.emplace_back(kopf.begin(), kopf.end());
    for (const tabelle::Schreibzeile& z : TabellenZeilen(zellen, geladen.anzahl)) {
        QStringList zeile;
        for (const std::string& zelle : z)
            zeile << cp1252::toQString(zelle);
        blatt.zeilen.push_back(std::move(zeile));
    }
    e.erstesMitDaten = 0;
    e.namensliste = true;
    return e;
}
