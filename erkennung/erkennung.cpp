#include "erkennung/erkennung.h"

#include "cells/eintrag.h"

#include <algorithm>

namespace {

// "Mitglieds-Nr." and "mitgliedsnr" are the same heading.
QString schluessel(QStringView text) {
    QString k;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            k += c.toLower();
    return k;
}

struct Ueberschrift {
    const char16_t* wort;
    Bedeutung bedeutung; // Nichts: a heading that names no column
};
constexpr Ueberschrift kUeberschriften[] = {
    {u"nr", Bedeutung::Nr},
    {u"nummer", Bedeutung::Nr},
    {u"spielernr", Bedeutung::Nr},
    {u"spielernummer", Bedeutung::Nr},
    {u"name", Bedeutung::Name},
    {u"spieler", Bedeutung::Name},
    {u"spielername", Bedeutung::Name},
    {u"vorname", Bedeutung::Vorname},
    {u"nachname", Bedeutung::Nachname},
    {u"familienname", Bedeutung::Nachname},
    {u"zuname", Bedeutung::Nachname},
    {u"titel", Bedeutung::Titel},
    {u"mp", Bedeutung::MP},
    {u"status", Bedeutung::MP},
    {u"mpstatus", Bedeutung::MP},
    {u"meisterpunkte", Bedeutung::MP},
    {u"masterpunkte", Bedeutung::MP},
    {u"mitgliedsnr", Bedeutung::Mitgliedsnr},
    {u"mitgliedsnummer", Bedeutung::Mitgliedsnr},
    {u"mitgliednr", Bedeutung::Mitgliedsnr},
    {u"dbvnr", Bedeutung::Mitgliedsnr},
    {u"dbvnummer", Bedeutung::Mitgliedsnr},
    {u"gesamtdatei", Bedeutung::Nichts}, // the name file's own first line
};

std::optional<Bedeutung> ueberschrift(QStringView text) {
    const QString k = schluessel(text);
    for (const Ueberschrift& u : kUeberschriften)
        if (k == QStringView(u.wort))
            return u.bedeutung;
    return std::nullopt;
}

bool ziffer(QChar c) {
    return c >= u'0' && c <= u'9';
}

// What the values of one column look like.
struct Werte {
    int n = 0;               // cells with content
    int einzeln = 0;         // a single character
    int mp = 0;              // J, N or G in any case
    int zahl = 0;            // digits only
    int kennung = 0;         // digits with a few letters or signs: "12a", "DE-4711"
    int woerter = 0;         // words with letters
    bool klein = true;       // every number is 1 to 1000, written without leading zeros
    bool buchstaben = false; // some value is not digits only

    void add(QStringView v) {
        v = v.trimmed();
        if (v.isEmpty())
            return;
        ++n;
        einzeln += v.size() == 1;
        mp += IstMPWert(v);
        int ziffern = 0, zeichen = 0;
        bool imWort = false, wortMitBuchstabe = false;
        for (const QChar c : v) {
            ziffern += ziffer(c);
            zeichen += c.isLetter();
            if (c.isSpace()) {
                woerter += wortMitBuchstabe;
                imWort = wortMitBuchstabe = false;
            } else {
                imWort = true;
                wortMitBuchstabe = wortMitBuchstabe || c.isLetter();
            }
        }
        woerter += imWort && wortMitBuchstabe;
        if (ziffern == v.size()) {
            ++zahl;
            klein = klein && v.size() <= 4 && v[0] != u'0' && v.toInt() <= 1000;
        } else {
            buchstaben = true;
            kennung += ziffern > 0 && ziffern >= zeichen;
        }
    }
};

enum class Klasse { Leer, MP, Nummer, Text };

Klasse klasse(const Werte& w) {
    if (w.n == 0)
        return Klasse::Leer;
    if (w.einzeln == w.n && 2 * w.mp > w.n)
        return Klasse::MP;
    if (2 * (w.zahl + w.kennung) > w.n)
        return Klasse::Nummer;
    return Klasse::Text;
}

bool leer(const QStringList& zeile) {
    return std::all_of(zeile.begin(), zeile.end(),
                       [](const QString& f) { return f.trimmed().isEmpty(); });
}

int ersteMitInhalt(const std::vector<QStringList>& zeilen) {
    for (size_t i = 0; i < zeilen.size(); ++i)
        if (!leer(zeilen[i]))
            return int(i);
    return -1;
}

bool namensteil(Bedeutung b) {
    return b == Bedeutung::Name || b == Bedeutung::Vorname || b == Bedeutung::Nachname ||
           b == Bedeutung::Titel;
}

// A word above a column of numbers or of MP letters is a heading, not a value.
bool kopfNachWerten(const QStringList& kopf, const std::vector<Werte>& darunter) {
    for (qsizetype c = 0; c < kopf.size(); ++c) {
        const QStringView v = QStringView(kopf[c]).trimmed();
        const bool wort = std::any_of(v.begin(), v.end(), [](QChar ch) { return ch.isLetter(); });
        if (!wort)
            continue;
        const Klasse k = klasse(darunter[size_t(c)]);
        if (k == Klasse::Nummer && std::none_of(v.begin(), v.end(), ziffer))
            return true;
        if (k == Klasse::MP && v.size() > 1)
            return true;
    }
    return false;
}

// The text column with the most words becomes the name; among `frei` only.
void nameNachWerten(const std::vector<Werte>& w, const std::vector<bool>& frei,
                    std::vector<Bedeutung>& spalten) {
    int beste = -1;
    for (size_t c = 0; c < w.size(); ++c)
        if (frei[c] && klasse(w[c]) == Klasse::Text && w[c].woerter > 0 &&
            (beste < 0 || w[c].woerter > w[size_t(beste)].woerter))
            beste = int(c);
    if (beste >= 0)
        spalten[size_t(beste)] = Bedeutung::Name;
}

// Meanings from the values, for the columns in `frei` and the meanings no heading took.
void nachWerten(const std::vector<Werte>& w, const std::vector<bool>& frei,
                std::vector<Bedeutung>& spalten) {
    auto vergeben = [&spalten](Bedeutung b) {
        return std::find(spalten.begin(), spalten.end(), b) != spalten.end();
    };
    const int breite = int(w.size());
    auto ist = [&](int c, Klasse k) { return frei[size_t(c)] && klasse(w[size_t(c)]) == k; };
    int mp = int(std::find(spalten.begin(), spalten.end(), Bedeutung::MP) - spalten.begin());
    if (mp == breite) {
        mp = -1;
        for (int c = 0; c < breite && mp < 0; ++c)
            if (ist(c, Klasse::MP))
                mp = c;
        if (mp >= 0)
            spalten[size_t(mp)] = Bedeutung::MP;
    }

    // Membership numbers are long or carry letters; list numbers are small.
    auto gross = [&w](int c) { return w[size_t(c)].buchstaben ? 2 : w[size_t(c)].klein ? 0 : 1; };
    int nr = vergeben(Bedeutung::Nr) ? breite : -1;
    int dbv = vergeben(Bedeutung::Mitgliedsnr) ? breite : -1;
    int links = -1;
    std::vector<int> offen;
    for (int c = 0; c < breite; ++c) {
        if (!ist(c, Klasse::Nummer))
            continue;
        if (mp >= 0 && c > mp && dbv < 0)
            dbv = c;
        else if (mp >= 0 && c < mp && nr < 0 && links < 0)
            links = c;
        else
            offen.push_back(c);
    }
    // The program's own rows and name-file lines put the number before the MP and the
    // membership number after it; a spreadsheet may put the membership number before it.
    if (links >= 0 && (dbv >= 0 || gross(links) == 0))
        nr = links;
    else if (links >= 0)
        offen.insert(offen.begin(), links);
    size_t i = 0;
    if (nr < 0 && dbv < 0 && offen.size() >= 2) {
        const int a = offen[0], b = offen[1];
        nr = gross(a) > gross(b) ? b : a;
        dbv = nr == a ? b : a;
        i = 2;
    }
    for (; i < offen.size(); ++i) {
        const int c = offen[i];
        if (nr < 0 && (dbv >= 0 || gross(c) == 0))
            nr = c;
        else if (dbv < 0)
            dbv = c;
    }
    if (nr >= 0 && nr < breite)
        spalten[size_t(nr)] = Bedeutung::Nr;
    if (dbv >= 0 && dbv < breite)
        spalten[size_t(dbv)] = Bedeutung::Mitgliedsnr;

    if (std::none_of(spalten.begin(), spalten.end(), namensteil)) {
        std::vector<bool> ohne(frei);
        for (size_t c = 0; c < spalten.size(); ++c)
            ohne[c] = ohne[c] && spalten[c] == Bedeutung::Nichts;
        nameNachWerten(w, ohne, spalten);
    }
}

} // namespace

QString BedeutungText(Bedeutung b) {
    switch (b) {
    case Bedeutung::Nichts:
        return QStringLiteral(u"nicht übernehmen");
    case Bedeutung::Nr:
        return QStringLiteral("Nr.");
    case Bedeutung::Name:
        return QStringLiteral("Name");
    case Bedeutung::Vorname:
        return QStringLiteral("Vorname");
    case Bedeutung::Nachname:
        return QStringLiteral("Nachname");
    case Bedeutung::Titel:
        return QStringLiteral("Titel");
    case Bedeutung::MP:
        return QStringLiteral("MP");
    case Bedeutung::Mitgliedsnr:
        return QStringLiteral("Mitgliedsnr.");
    }
    return {};
}

Erkennung SpaltenErkennen(const std::vector<QStringList>& zeilen, std::optional<bool> kopfzeile) {
    Erkennung e;
    size_t breite = 0;
    for (const QStringList& z : zeilen)
        breite = std::max(breite, size_t(z.size()));
    e.spalten.assign(breite, Bedeutung::Nichts);
    const int kopf = ersteMitInhalt(zeilen);
    if (kopf < 0)
        return e;

    std::vector<Werte> darunter(breite);
    for (size_t i = size_t(kopf) + 1; i < zeilen.size(); ++i)
        for (qsizetype c = 0; c < zeilen[i].size(); ++c)
            darunter[size_t(c)].add(zeilen[i][c]);
    const QStringList& erste = zeilen[size_t(kopf)];
    std::vector<std::optional<Bedeutung>> woerter(breite);
    bool wort = false;
    for (qsizetype c = 0; c < erste.size(); ++c) {
        woerter[size_t(c)] = ueberschrift(erste[c]);
        wort = wort || woerter[size_t(c)].has_value();
    }
    e.kopfzeile = kopfzeile.value_or(wort || kopfNachWerten(erste, darunter));

    if (!e.kopfzeile) {
        std::vector<Werte> alle = darunter;
        for (qsizetype c = 0; c < erste.size(); ++c)
            alle[size_t(c)].add(erste[c]);
        nachWerten(alle, std::vector<bool>(breite, true), e.spalten);
        return e;
    }
    // Under a heading: a known word names the column, another word keeps it out, and a column
    // without a heading is read from its values.
    std::vector<bool> ohneKopf(breite), unbekannt(breite);
    for (size_t c = 0; c < breite; ++c) {
        const QString kopfText =
            qsizetype(c) < erste.size() ? erste[qsizetype(c)].trimmed() : QString();
        const Bedeutung b = woerter[c].value_or(Bedeutung::Nichts);
        ohneKopf[c] = kopfText.isEmpty() || (woerter[c] && b == Bedeutung::Nichts);
        unbekannt[c] = !kopfText.isEmpty() && !woerter[c];
        if (b != Bedeutung::Nichts &&
            std::find(e.spalten.begin(), e.spalten.end(), b) == e.spalten.end())
            e.spalten[c] = b;
    }
    // Headings that name nothing (or a row the user calls headings) leave all to the values.
    if (std::all_of(e.spalten.begin(), e.spalten.end(),
                    [](Bedeutung b) { return b == Bedeutung::Nichts; }))
        ohneKopf.assign(breite, true);
    nachWerten(darunter, ohneKopf, e.spalten);
    // Every entry needs a name: "Teilnehmer" or "Spielerin" above the names gives it.
    if (std::none_of(e.spalten.begin(), e.spalten.end(), namensteil))
        nameNachWerten(darunter, unbekannt, e.spalten);
    return e;
}

bool IstMPWert(QStringView v) {
    return v.size() == 1 && IstMPCode(v[0].unicode());
}
