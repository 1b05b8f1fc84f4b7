#include "editor/zeilenvorschau.h"

#include "cells/eintrag.h"

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

std::vector<Planzeile> EinfuegePlan(const std::vector<Vorschauzeile>& eintraege, int platz) {
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
        } else if (neu >= platz) {
            p.eintrag = *v.eintrag;
            p.grund = QStringLiteral(u"kein Platz mehr: die Liste hat höchstens %1 Einträge")
                          .arg(kMaxEintraege);
        } else {
            ++neu;
            p.aktion = Aktion::Neu;
            p.eintrag = *v.eintrag;
            p.haken = true;
        }
    }
    return plan;
}

std::vector<Zeile> NeueEintraege(const std::vector<Planzeile>& plan) {
    std::vector<Zeile> out;
    for (const Planzeile& p : plan)
        if (p.aktion == Aktion::Neu && p.haken)
            out.push_back(p.eintrag);
    return out;
}
