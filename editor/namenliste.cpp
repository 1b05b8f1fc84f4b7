#include "editor/namenliste.h"

#include "editor/duplikatpruefung.h"
#include "editor/namensordnung.h"
#include "editor/sortierung.h"
#include "platform/cp1252.h"
#include "runlog/runlog.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <array>
#include <exception>
#include <unordered_map>
#include <unordered_set>

NamenListe::NamenListe(CellTable& zellen, Meldungen& meldungen)
    : zellen_(zellen), meldungen_(meldungen) {
    QObject::connect(&verlauf(), &QUndoStack::indexChanged,
                     [this] { bGeaendert = !verlauf().isClean(); });
    historie_.vorDemStellen = [this] { NeueZeileVerwerfen(); };
    historie_.gestellt = [this](const Seite& seite) { gestellt(seite); };
}

std::string NamenListe::anzahlText() const {
    return std::to_string(iAnzahl) + " Eintr\xE4ge";
}

void NamenListe::anzahlZeigen() {
    if (anzahlGeaendert)
        anzahlGeaendert();
}

void NamenListe::geladen(const LadeErgebnis& ergebnis) {
    iAnzahl = ergebnis.anzahl;
    bLeerzeile = ergebnis.leerzeile;
    historie_.beginnen({iAnzahl, bLeerzeile});
    bGeaendert = false;
    anzahlZeigen();
}

void NamenListe::zelleBearbeitet(int col, int row) {
    // Undoing a step may commit an open editor; that is no edit of its own.
    if (historie_.stellt())
        return;
    bGeaendert = true;
    if (bLeerzeile && row == 1) {
        bLeerzeile = false;
        iAnzahl = 1;
        anzahlZeigen();
    } else if (bNeueZeile && row == iAnzahl + 1) {
        bNeueZeile = false;
        ++iAnzahl;
        anzahlZeigen();
    }
    historie_.aufzeichnen(QStringLiteral("Eingabe"), zellen_.rowCount() - (bNeueZeile ? 1 : 0),
                          {iAnzahl, bLeerzeile}, {col, row}, {col, row});
}

// ---- history ----

Zelle NamenListe::aktuelleZelle() const {
    return {zellen_.currentCol(), zellen_.currentRow()};
}

template <typename Befehl> void NamenListe::schritt(const QString& name, Befehl&& befehl) {
    NeueZeileVerwerfen();
    const Zelle vorher = aktuelleZelle();
    befehl();
    historie_.aufzeichnen(name, zellen_.rowCount() - (bNeueZeile ? 1 : 0), {iAnzahl, bLeerzeile},
                          vorher, aktuelleZelle());
}

void NamenListe::gestellt(const Seite& seite) {
    iAnzahl = seite.kopf.anzahl;
    bLeerzeile = seite.kopf.leerzeile;
    anzahlZeigen();
    const int row = std::clamp(seite.zelle.row, 1, zellen_.rowCount() - 1);
    zellen_.setCurrentCell(std::clamp(seite.zelle.col, 0, CellTable::kColumns - 1), row);
    fokusGeben();
}

void NamenListe::grenzeMelden() {
    meldungen_.hinweis("Die Anzahl der Eintr\xE4ge hat das Maximum (" +
                       std::to_string(kMaxEintraege) + ") bereits erreicht");
}

bool NamenListe::NeueZeileAnfuegen() {
    const int last = zellen_.rowCount() - 1;
    if (bNeueZeile || bLeerzeile || iAnzahl != last ||
        Bereinigen(zellen_.cell(kSpalteName, last), ' ').empty())
        return false;
    if (iAnzahl >= kMaxEintraege) {
        grenzeMelden();
        return false;
    }
    zellen_.setRowCount(last + 2);
    ZeileSchreiben(zellen_, last + 1, Zeile{});
    bNeueZeile = true;
    return true;
}

void NamenListe::NeueZeileVerwerfen() {
    if (!bNeueZeile)
        return;
    bNeueZeile = false;
    const int row = zellen_.rowCount() - 1;
    if (ZeileLesen(zellen_, row) == Zeile{}) {
        zellen_.setRowCount(row);
    } else {
        // Filled without the editor: an entry like any typed one.
        ++iAnzahl;
        anzahlZeigen();
    }
}

// ---- commands ----

// Every command reports its own failure with its lead-in; work done before it stays.
template <typename Befehl> void NamenListe::melden(const char* einleitung, Befehl&& befehl) {
    try {
        befehl();
    } catch (const std::exception& e) {
        meldungen_.fehler(std::string(einleitung) + e.what());
    }
}

void NamenListe::fokusGeben() {
    if (fokus)
        fokus();
}

void NamenListe::Einfuegen() {
    // On the row for a new entry, the inserted entry takes that row's place, after the last.
    const bool amEnde = bNeueZeile && zellen_.currentRow() == zellen_.rowCount() - 1;
    schritt(QStringLiteral(u"Einfügen"),
            [this, amEnde] { einfuegen(amEnde ? zellen_.rowCount() : zellen_.currentRow()); });
}

void NamenListe::einfuegen(int y) {
    melden("Fehler beim Einf\xFCgen eines Spielers: ", [this, y] {
        if (iAnzahl >= kMaxEintraege) {
            grenzeMelden();
            return;
        }
        const int spalte = zellen_.currentCol();
        // A club's players mostly share the MP of the entry above; a membership number is one
        // member's own and would carry over to a guest typed in unnoticed.
        Zeile neu;
        neu[kSpalteMP] = zellen_.cell(kSpalteMP, bLeerzeile ? 0 : y - 1);
        eintraege_.einfuegen(y, {neu});
        if (zellen_.currentRow() != y)
            zellen_.setCurrentCell(spalte, y);
        anzahlZeigen();
        fokusGeben();
        bGeaendert = true;
    });
}

void NamenListe::zeilenEntfernen(const std::vector<int>& rows) {
    if (rows.empty())
        return;
    eintraege_.entfernen(rows);
    bGeaendert = true;
    anzahlZeigen();
    fokusGeben();
}

void NamenListe::Loeschen(int row) {
    schritt(QStringLiteral(u"Löschen"), [this, row] {
        melden("Fehler beim L\xF6schen eines Spielers: ", [this, row] {
            // Nothing to delete in an empty list; the title row is never an entry.
            if (row < 1 || row > iAnzahl)
                return;
            zeilenEntfernen({row});
        });
    });
}

void NamenListe::Loeschen(const std::vector<int>& rows, const QString& name) {
    schritt(name, [this, &rows] {
        melden("Fehler beim L\xF6schen eines Spielers: ", [this, &rows] {
            std::vector<int> eintraege;
            for (const int r : rows)
                if (r >= 1 && r <= iAnzahl)
                    eintraege.push_back(r);
            std::sort(eintraege.begin(), eintraege.end());
            eintraege.erase(std::unique(eintraege.begin(), eintraege.end()), eintraege.end());
            zeilenEntfernen(eintraege);
            // The cursor goes where the first of them was, on the entry that follows them, not
            // as many rows further on as went above it.
            if (!eintraege.empty())
                zellen_.setCurrentCell(zellen_.currentCol(),
                                       std::min(eintraege.front(), zellen_.rowCount() - 1));
        });
    });
}

void NamenListe::MarkierteLoeschen(const std::vector<int>& rows) {
    std::vector<int> eintraege;
    for (const int r : rows)
        if (r >= 1 && r <= iAnzahl)
            eintraege.push_back(r);
    if (eintraege.empty())
        return;
    const std::string frage = eintraege.size() == 1
                                  ? std::string("Soll der markierte Eintrag gel\xF6scht werden")
                                  : "Sollen die " + std::to_string(eintraege.size()) +
                                        " markierten Eintr\xE4ge gel\xF6scht werden";
    if (meldungen_.frage(frage))
        Loeschen(eintraege, QStringLiteral(u"Markierte Einträge löschen"));
}

int NamenListe::BlockEinfuegen(const std::vector<Zeile>& zeilen) {
    // On the row for a new entry, they go after the last entry, as Ctrl+E puts one there.
    const bool amEnde = bNeueZeile && zellen_.currentRow() == zellen_.rowCount() - 1;
    int n = 0;
    schritt(QStringLiteral(u"Einfügen"), [&] {
        const int platz = kMaxEintraege - iAnzahl;
        n = std::min(int(zeilen.size()), std::max(platz, 0));
        if (n == 0)
            return;
        const int y = amEnde ? iAnzahl + 1 : std::clamp(zellen_.currentRow(), 1, iAnzahl + 1);
        eintraege_.einfuegen(y, {zeilen.begin(), zeilen.begin() + n});
        bGeaendert = true;
        zellen_.setCurrentCell(kSpalteName, y);
    });
    anzahlZeigen();
    if (n < int(zeilen.size()))
        grenzeMelden();
    return n;
}

void NamenListe::Sortieren() {
    schritt(QStringLiteral("Sortieren"), [this] { sortieren(); });
}

void NamenListe::sortieren() {
    LogZeile("*** Gesamtdatei sortieren");
    melden("Fehler beim Sortieren der Gesamtdatei: ", [this] {
        const int n = iAnzahl;
        // Keys once per row, moved with their rows: the same exchanges as computing them
        // afresh for every comparison.
        std::vector<std::string> keys(size_t(n) + 1);
        std::vector<int> from(size_t(n) + 1);
        for (int r = 1; r <= n; ++r) {
            keys[size_t(r)] = Sortierschluessel(zellen_.cell(kSpalteName, r));
            from[size_t(r)] = r;
        }
        bool moved = false;
        for (int i = 1; i < n; ++i) {
            for (int j = i + 1; j <= n; ++j) {
                if (keys[size_t(i)] > keys[size_t(j)]) {
                    std::swap(keys[size_t(i)], keys[size_t(j)]);
                    std::swap(from[size_t(i)], from[size_t(j)]);
                    moved = true;
                }
            }
        }
        if (moved) {
            std::vector<Zeile> rows(size_t(n) + 1);
            for (int r = 1; r <= n; ++r)
                rows[size_t(r)] = ZeileLesen(zellen_, r);
            CellUpdate update(zellen_);
            for (int r = 1; r <= n; ++r) {
                if (from[size_t(r)] != r)
                    ZeileSchreiben(zellen_, r, rows[size_t(from[size_t(r)])]);
            }
        }
    });
    fokusGeben();
    bGeaendert = true;
}

void NamenListe::NachNameSortieren() {
    schritt(QStringLiteral("Nach Name und Vorname sortieren"), [this] {
        melden("Fehler beim Sortieren der Gesamtdatei: ", [this] {
            const std::vector<int> ordnung = NamensOrdnung(zellen_, iAnzahl);
            std::vector<Zeile> rows(ordnung.size());
            for (size_t i = 0; i < ordnung.size(); ++i)
                rows[i] = ZeileLesen(zellen_, ordnung[i]);
            CellUpdate update(zellen_);
            for (size_t i = 0; i < rows.size(); ++i)
                if (ordnung[i] != int(i) + 1)
                    ZeileSchreiben(zellen_, int(i) + 1, rows[i]);
        });
    });
    fokusGeben();
}

void NamenListe::Nummerieren() {
    if (!meldungen_.frage("Sollen die Spielernummern entfernt und neu vergeben werden"))
        return;
    bool geaendert = false;
    schritt(QStringLiteral("Neu nummerieren"), [this, &geaendert] {
        CellUpdate update(zellen_);
        for (int r = 1; r < zellen_.rowCount(); ++r) {
            const std::string nr = ZahlZuText(0, 0, r);
            if (zellen_.cell(kSpalteNr, r) != nr) {
                zellen_.setCell(kSpalteNr, r, nr);
                geaendert = true;
            }
        }
    });
    // New numbers are a change the user must not lose by cancelling unasked; numbers that
    // were already so are none.
    if (geaendert)
        bGeaendert = true;
    meldungen_.hinweis("Die Spieler wurden neu nummeriert");
}

int NamenListe::DuplikateLoeschen() {
    int n = 0;
    bool ok = true;
    schritt(QStringLiteral(u"Duplikate löschen"), [&] { ok = duplikateLoeschen(n); });
    if (!ok)
        return n;
    if (n == 0)
        meldungen_.hinweis("Es wurden keine Duplikate gefunden");
    else
        meldungen_.hinweis(std::to_string(n) + " Duplikate wurden gel\xF6scht");
    return n;
}

bool NamenListe::duplikateLoeschen(int& n) {
    bool ok = true;
    melden("Fehler beim L\xF6schen der Duplikate: ", [this, &n, &ok] {
        ok = false;
        const std::vector<int> doppelte = DuplikatZeilen(zellen_, iAnzahl);
        zeilenEntfernen(doppelte);
        n = int(doppelte.size());
        ok = true;
    });
    return ok;
}

void NamenListe::Uebernehmen(const std::string& text) {
    schritt(QStringLiteral(u"Ungespeicherte Änderungen"), [&] {
        CellUpdate update(zellen_);
        zellen_.setRowCount(kMaxEintraege + 1); // room for what the text holds
        const LadeErgebnis ergebnis = NamenTextLesen(text, zellen_, Lesart::WieGeschrieben);
        iAnzahl = ergebnis.anzahl;
        bLeerzeile = ergebnis.leerzeile;
    });
    bGeaendert = true;
    anzahlZeigen();
}

void NamenListe::Erweitern(const std::vector<std::string>& teilnehmer) {
    schritt(QStringLiteral(u"Turnierteilnehmer einfügen"), [&] { erweitern(teilnehmer); });
}

void NamenListe::erweitern(const std::vector<std::string>& teilnehmer) {
    LogZeile("*** Gesamtdatei erweitern");
    melden("Fehler beim Erweitern durch ein Turnier: ", [this, &teilnehmer] {
        std::unordered_set<std::string> names;
        for (int r = 1; r <= iAnzahl; ++r)
            names.insert(Grossschrift(zellen_.cell(kSpalteName, r)));
        std::vector<Zeile> neu;
        for (const std::string& p : teilnehmer) {
            std::string upper = Grossschrift(p);
            // A name the file cannot hold (TAB, line ends, the end-of-file mark) would shift
            // fields or cut the list on the next load: skipped like a blank one.
            if (names.count(upper) || iAnzahl + int(neu.size()) >= kMaxEintraege ||
                Bereinigen(p, ' ').empty() || !cp1252::isCellText(cp1252::toQString(p)))
                continue;
            neu.push_back(Zeile{std::to_string(iAnzahl + int(neu.size()) + 1), p, "N", ""});
            names.insert(std::move(upper));
        }
        if (!neu.empty()) {
            eintraege_.einfuegen(iAnzahl + 1, neu);
            bGeaendert = true;
        }
    });
    anzahlZeigen();
}

// ---- taking a member table in ----

Uebernahme NamenListe::AusTabelleEinlesen(const std::vector<Planzeile>& plan) {
    Uebernahme u;
    schritt(QStringLiteral("Aus Tabelle einlesen"), [&] {
        LogZeile("*** Aus Tabelle einlesen");
        melden("Fehler beim Einlesen der Tabelle: ", [&] {
            u = AbgleichUebernehmen(zellen_, eintraege_, iAnzahl, plan);
            if (u.neu + u.geaendert > 0)
                bGeaendert = true;
        });
    });
    anzahlZeigen();
    fokusGeben();
    return u;
}
