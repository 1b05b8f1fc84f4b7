#include "editor/zeilenvorschau.h"

#include "cells/eintrag.h"
#include "editor/zuordnung.h"
#include "platform/cp1252.h"
#include "support/texthelpers.h"

QString AktionText(Aktion a) {
    switch (a) {
    case Aktion::Neu:
        return QStringLiteral("neu");
    case Aktion::Geaendert:
        return QStringLiteral(u"geändert");
    case Aktion::Unveraendert:
        return QStringLiteral(u"unverändert");
    case Aktion::Uebersprungen:
        return QStringLiteral(u"übersprungen");
    }
    return {};
}

QString EintraegeText(qsizetype n) {
    return n == 1 ? QStringLiteral("1 Eintrag") : QStringLiteral(u"%1 Einträge").arg(n);
}

Zeilenvorschau::Zeilenvorschau(std::vector<QStringList> zeilen)
    : zeilen_(std::move(zeilen)), erkennung_(SpaltenErkennen(zeilen_)),
      eintraege_(EintraegeBilden(zeilen_, erkennung_)) {}

void Zeilenvorschau::bedeutungSetzen(int spalte, Bedeutung b) {
    if (spalte < 0 || spalte >= spalten() || erkennung_.spalten[size_t(spalte)] == b)
        return;
    erkennung_.spalten[size_t(spalte)] = b;
    eintraege_ = EintraegeBilden(zeilen_, erkennung_);
}

QStringList Zeilenvorschau::ueberschriften() const {
    if (erkennung_.kopfzeile)
        for (const Vorschauzeile& z : eintraege_)
            if (z.grund == Grund::Kopfzeile) {
                QStringList kopf = zeilen_[size_t(z.quelle)];
                while (kopf.size() < spalten())
                    kopf << QString();
                return kopf.mid(0, spalten());
            }
    return {};
}

QString Zeilenvorschau::spaltenname(int spalte) const {
    if (erkennung_.kopfzeile) {
        for (const Vorschauzeile& z : eintraege_) {
            if (z.grund != Grund::Kopfzeile)
                continue;
            const QString kopf = zeilen_[size_t(z.quelle)].value(spalte).simplified();
            if (!kopf.isEmpty())
                return QStringLiteral(u"„%1“").arg(kopf);
        }
    }
    return QStringLiteral("Spalte %1").arg(spalte + 1);
}

QString KeinPlatzText() {
    return QStringLiteral(u"kein Platz mehr: die Liste hat höchstens %1 Einträge")
        .arg(kMaxEintraege);
}

namespace {

QString zweifel(const Zeile& eintrag) {
    switch (MitgliedsnummerArt(eintrag[kSpalteDBVNr])) {
    case Nummernart::Formel:
        return QStringLiteral(u"die Mitgliedsnr. sieht aus wie eine Formel, nicht wie eine "
                              u"Nummer");
    case Nummernart::Datum:
        return QStringLiteral(u"die Mitgliedsnr. sieht aus wie ein Datum, nicht wie eine Nummer");
    case Nummernart::Buchstaben: // some clubs' numbers have them: noted, not refused
    case Nummernart::Nummer:
        break;
    }
    return {};
}

} // namespace

void NummerPruefen(Planzeile& p) {
    const QString warum = zweifel(p.eintrag);
    if (warum.isEmpty())
        return;
    p.haken = false;
    p.grund = p.grund.isEmpty() ? warum : p.grund + QStringLiteral("; ") + warum;
}

namespace {

struct Liste {
    const CellTable& zellen;
    Personenindex index;
    FreieNummern nummern;
};

// "schon in der Liste (Nr. 17)"
QString schonDa(const CellTable& zellen, int row) {
    const std::string nr = Bereinigen(zellen.cell(kSpalteNr, row), ' ');
    return nr.empty() ? QStringLiteral("schon in der Liste (Zeile %1)").arg(row)
                      : QStringLiteral("schon in der Liste (Nr. %1)").arg(cp1252::toQString(nr));
}

// A new line against the list: ticked only when its person is not in it yet.
void abgleichen(Planzeile& p, Liste& liste) {
    const Zuordnung z = liste.index.finden(p.eintrag[kSpalteName], p.eintrag[kSpalteDBVNr]);
    const bool schon = z.art == Zuordnung::Art::Person || z.art == Zuordnung::Art::NameMehrfach;
    p.grund = schon ? schonDa(liste.zellen, z.row) : liste.index.grund(z);
    p.haken = z.art == Zuordnung::Art::Neu;
}

std::vector<Planzeile> plan(const std::vector<Vorschauzeile>& eintraege, int platz, Liste* liste) {
    std::vector<Planzeile> plan;
    int neu = 0;
    for (const Vorschauzeile& v : eintraege) {
        if (v.grund == Grund::LeereZeile)
            continue;
        Planzeile& p = plan.emplace_back();
        p.quelle = v.quelle;
        p.vermerke = v.vermerke;
        if (!v.eintrag) {
            p.grund = GrundText(v.grund);
            continue;
        }
        p.eintrag = *v.eintrag;
        p.haken = true;
        if (liste)
            abgleichen(p, *liste);
        NummerPruefen(p);
        if (p.haken && neu >= platz) {
            p.haken = false;
            p.grund = KeinPlatzText();
            continue;
        }
        neu += p.haken;
        p.aktion = Aktion::Neu;
    }
    // The ticked lines first, so that what goes in is numbered on from the highest; the others
    // have numbers too, for the user may tick them.
    for (const bool haken : {true, false})
        for (Planzeile& p : plan)
            if (liste && p.aktion == Aktion::Neu && p.haken == haken)
                p.eintrag[kSpalteNr] = liste->nummern.vergeben(p.eintrag[kSpalteNr]);
    return plan;
}

} // namespace

std::vector<Planzeile> EinfuegePlan(const std::vector<Vorschauzeile>& eintraege, int platz) {
    return plan(eintraege, platz, nullptr);
}

std::vector<Planzeile> EinfuegePlan(const CellTable& zellen, int anzahl,
                                    const std::vector<Vorschauzeile>& eintraege) {
    Liste liste{zellen, Personenindex(zellen, anzahl), FreieNummern(zellen, anzahl)};
    return plan(eintraege, kMaxEintraege - anzahl, &liste);
}

std::vector<Zeile> NeueEintraege(const std::vector<Planzeile>& plan) {
    std::vector<Zeile> out;
    for (const Planzeile& p : plan)
        if (p.aktion == Aktion::Neu && p.haken)
            out.push_back(p.eintrag);
    return out;
}
