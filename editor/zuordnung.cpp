#include "editor/zuordnung.h"

#include "cells/eintrag.h"
#include "platform/cp1252.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <climits>

namespace {

const std::vector<int>& zeilen(const std::unordered_map<std::string, std::vector<int>>& index,
                               const std::string& key) {
    static const std::vector<int> keine;
    const auto it = index.find(key);
    return it == index.end() ? keine : it->second;
}

} // namespace

Personenindex::Personenindex(const CellTable& zellen, int anzahl)
    : zellen_(zellen), personen_(size_t(std::max(anzahl, 0)) + 1) {
    for (int r = 1; r <= anzahl; ++r) {
        Person& p = personen_[size_t(r)];
        p = PersonBilden(zellen.cell(kSpalteName, r), zellen.cell(kSpalteDBVNr, r));
        if (!p.nummer.empty())
            nummern_[p.nummer].push_back(r);
        namen_[p.name.schluessel()].push_back(r);
    }
}

std::vector<int> Personenindex::mitNamen(const Person& p) const {
    if (!p.fragezeichen)
        return zeilen(namen_, p.name.schluessel());
    // A "?" fits any letter: no key finds it.
    std::vector<int> rows;
    for (size_t r = 1; r < personen_.size(); ++r)
        if (GleichNamig(p, personen_[r]))
            rows.push_back(int(r));
    return rows;
}

Zuordnung Personenindex::finden(std::string_view name, std::string_view nummer) const {
    using Art = Zuordnung::Art;
    const Person p = PersonBilden(name, nummer);
    const std::vector<int> gleichNamig = mitNamen(p);
    if (p.nummer.empty()) {
        if (gleichNamig.size() == 1)
            return {.art = Art::Person, .row = gleichNamig.front()};
        if (gleichNamig.size() > 1)
            return {.art = Art::NameMehrfach,
                    .row = gleichNamig.front(),
                    .anzahl = int(gleichNamig.size())};
        return {};
    }
    const std::vector<int>& mitNummer = zeilen(nummern_, p.nummer);
    if (mitNummer.size() > 1)
        return {.art = Art::NummerMehrfach, .anzahl = int(mitNummer.size())};
    if (mitNummer.size() == 1) {
        const Person& e = personen_[size_t(mitNummer.front())];
        if (DieselbePerson(p, e))
            return {.art = Art::Person, .row = mitNummer.front()};
        return {.art = Art::Konflikt,
                .row = mitNummer.front(),
                .vergleich = NamenVergleichen(p.name, e.name)};
    }
    std::vector<int> ohneNummer;
    for (const int r : gleichNamig)
        if (personen_[size_t(r)].nummer.empty())
            ohneNummer.push_back(r);
    if (ohneNummer.size() == 1)
        return {.art = Art::Person, .row = ohneNummer.front(), .nummerDazu = true};
    return {.namensvetter = !gleichNamig.empty()};
}

QString Personenindex::grund(const Zuordnung& z) const {
    switch (z.art) {
    case Zuordnung::Art::Neu:
        return z.namensvetter ? QStringLiteral("gleicher Name in der Liste, andere Mitgliedsnr.")
                              : QString();
    case Zuordnung::Art::Person:
        return {};
    case Zuordnung::Art::Konflikt: {
        const QStringView frage =
            z.vergleich == Namensvergleich::AndererVorname    ? u"anderer Vorname?"
            : z.vergleich == Namensvergleich::AndererNachname ? u"anderer Nachname?"
                                                              : u"andere Person?";
        return QStringLiteral(u"Mitgliedsnr. %1 gehört zu %2 – %3")
            .arg(cp1252::toQString(Bereinigen(zellen_.cell(kSpalteDBVNr, z.row), ' ')),
                 cp1252::toQString(zellen_.cell(kSpalteName, z.row)), frage);
    }
    case Zuordnung::Art::NummerMehrfach:
        return QStringLiteral(u"%1 Einträge haben diese Mitgliedsnr.").arg(z.anzahl);
    case Zuordnung::Art::NameMehrfach:
        return QStringLiteral(u"%1 Einträge heißen so").arg(z.anzahl);
    }
    return {};
}

FreieNummern::FreieNummern(const CellTable& zellen, int anzahl) {
    long long hoechste = 0;
    for (int r = 1; r <= anzahl; ++r) {
        const int n = TextZuZahl(zellen.cell(kSpalteNr, r));
        belegt_.insert(n);
        hoechste = std::max<long long>(hoechste, n);
    }
    naechste_ = hoechste + 1;
}

std::string FreieNummern::vergeben(std::string_view gewuenscht) {
    const int wunsch = TextZuZahl(gewuenscht);
    if (wunsch != 0 && belegt_.insert(wunsch).second)
        return std::string(gewuenscht);
    while (belegt_.count(naechste_))
        ++naechste_;
    if (naechste_ > INT_MAX) {
        for (naechste_ = 1; belegt_.count(naechste_);)
            ++naechste_;
    }
    belegt_.insert(naechste_);
    return std::to_string(naechste_++);
}
