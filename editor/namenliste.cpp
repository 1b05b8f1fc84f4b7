#include "editor/namenliste.h"

#include "editor/duplikatpruefung.h"
#include "editor/namensordnung.h"
#include "editor/sortierung.h"
#include "platform/cp1252.h"
#include "runlog/runlog.h"
#include "support/texthelpers.h"

#include <algorithm>
#include <exception>
#include <unordered_set>

NamenListe::NamenListe(Meldungen& meldungen, QObject* parent)
    : QObject(parent), meldungen_(meldungen) {
    zellen_.aendertSich = [this] { historie_.vorDerAenderung(); };
    zellen_.geaendert = [this](const Listenzellen::Aenderung& a) { geaendert(a); };
    // Sorting counts as a change until the next step, or until the list is undone to a step.
    connect(&verlauf(), &QUndoStack::indexChanged, this, [this] { sortiert_ = false; });
    historie_.vorDemStellen = [this] { NeueZeileVerwerfen(); };
    historie_.gestellt = [this](const Seite& seite) { gestellt(seite); };
}

std::string NamenListe::anzahlText() const {
    return std::to_string(iAnzahl_) + " Eintr\xE4ge";
}

void NamenListe::geaendert(const Listenzellen::Aenderung& a) {
    if (a.nachher > a.vorher)
        Q_EMIT zeilenEingefuegt(a.vorher, a.nachher - a.vorher);
    else if (a.nachher < a.vorher)
        Q_EMIT zeilenEntfernt(a.nachher, a.vorher - a.nachher);
    // The title row is no row a view shows.
    if (std::max(a.von, 1) <= a.bis)
        Q_EMIT zeilenGeaendert(std::max(a.von, 1), a.bis);
    anzahlMelden();
}

void NamenListe::anzahlMelden() {
    if (iAnzahl_ == gemeldet_)
        return;
    gemeldet_ = iAnzahl_;
    Q_EMIT anzahlGeaendert(iAnzahl_);
}

void NamenListe::laden(CellStore zellen, const LadeErgebnis& ergebnis) {
    zellen_.ersetzen(std::move(zellen));
    iAnzahl_ = ergebnis.anzahl;
    bLeerzeile_ = ergebnis.leerzeile;
    bNeueZeile_ = false;
    sortiert_ = false;
    historie_.beginnen({iAnzahl_, bLeerzeile_});
    Q_EMIT zurueckgesetzt();
    anzahlMelden();
}

void NamenListe::gespeichert() {
    verlauf().setClean();
    sortiert_ = false;
}

void NamenListe::zelleSchreiben(int col, int row, const std::string& text) {
    {
        CellUpdate update(zellen_);
        zellen_.setCell(col, row, text);
        // Undoing a step writes the cells itself; what it writes is no edit of its own.
        if (historie_.stellt())
            return;
        if (bLeerzeile_ && row == 1) {
            bLeerzeile_ = false;
            iAnzahl_ = 1;
        } else if (bNeueZeile_ && row == iAnzahl_ + 1) {
            bNeueZeile_ = false;
            ++iAnzahl_;
        }
    }
    historie_.aufzeichnen(QStringLiteral("Eingabe"), zellen_.rowCount() - (bNeueZeile_ ? 1 : 0),
                          {iAnzahl_, bLeerzeile_}, {col, row}, {col, row});
}

// ---- history ----

template <typename Befehl>
Zelle NamenListe::schritt(const QString& name, Zelle hier, Befehl&& befehl) {
    Zelle nachher;
    {
        CellUpdate update(zellen_);
        const int vorher = zellen_.rowCount();
        NeueZeileVerwerfen();
        // The cursor on the row that went is on the last one now.
        if (zellen_.rowCount() < vorher)
            hier.row = std::min(hier.row, zellen_.rowCount() - 1);
        nachher = hier;
        befehl(nachher);
        nachher.row = std::min(nachher.row, zellen_.rowCount() - 1);
    }
    historie_.aufzeichnen(name, zellen_.rowCount() - (bNeueZeile_ ? 1 : 0), {iAnzahl_, bLeerzeile_},
                          hier, nachher);
    return nachher;
}

void NamenListe::gestellt(const Seite& seite) {
    iAnzahl_ = seite.kopf.anzahl;
    bLeerzeile_ = seite.kopf.leerzeile;
    anzahlMelden();
    Q_EMIT zeigen(std::clamp(seite.zelle.col, 0, CellTable::kColumns - 1),
                  std::clamp(seite.zelle.row, 1, zellen_.rowCount() - 1));
}

// ---- messages ----

void NamenListe::hinweis(const std::string& text) {
    zellen_.zwischendurch();
    meldungen_.hinweis(text);
}

void NamenListe::fehler(const std::string& text) {
    zellen_.zwischendurch();
    meldungen_.fehler(text);
}

bool NamenListe::frage(const std::string& text) {
    zellen_.zwischendurch();
    return meldungen_.frage(text);
}

void NamenListe::grenzeMelden() {
    hinweis("Die Anzahl der Eintr\xE4ge hat das Maximum (" + std::to_string(kMaxEintraege) +
            ") bereits erreicht");
}

// Every command reports its own failure with its lead-in; work done before it stays.
template <typename Befehl> void NamenListe::melden(const char* einleitung, Befehl&& befehl) {
    try {
        befehl();
    } catch (const std::exception& e) {
        fehler(std::string(einleitung) + e.what());
    }
}

// ---- the row for a new entry ----

bool NamenListe::NeueZeileAnfuegen() {
    const int last = zellen_.rowCount() - 1;
    if (bNeueZeile_ || bLeerzeile_ || iAnzahl_ != last ||
        Bereinigen(zellen_.cell(kSpalteName, last), ' ').empty())
        return false;
    if (iAnzahl_ >= kMaxEintraege) {
        grenzeMelden();
        return false;
    }
    CellUpdate update(zellen_);
    zellen_.setRowCount(last + 2);
    ZeileSchreiben(zellen_, last + 1, Zeile{});
    bNeueZeile_ = true;
    return true;
}

void NamenListe::NeueZeileVerwerfen() {
    if (!bNeueZeile_)
        return;
    CellUpdate update(zellen_);
    bNeueZeile_ = false;
    const int row = zellen_.rowCount() - 1;
    if (ZeileLesen(zellen_, row) == Zeile{})
        zellen_.setRowCount(row);
    else
        ++iAnzahl_; // filled without the editor: an entry like any typed one
}

// ---- commands ----

Zelle NamenListe::Einfuegen(Zelle hier) {
    // On the row for a new entry, the inserted entry takes that row's place, after the last.
    const bool amEnde = bNeueZeile_ && hier.row == zellen_.rowCount() - 1;
    return schritt(QStringLiteral(u"Einfügen"), hier, [this, amEnde](Zelle& nachher) {
        einfuegen(amEnde ? zellen_.rowCount() : nachher.row, nachher);
    });
}

void NamenListe::einfuegen(int y, Zelle& nachher) {
    melden("Fehler beim Einf\xFCgen eines Spielers: ", [this, y, &nachher] {
        if (iAnzahl_ >= kMaxEintraege) {
            grenzeMelden();
            return;
        }
        // A club's players mostly share the MP of the entry above; a membership number is one
        // member's own and would carry over to a guest typed in unnoticed.
        Zeile neu;
        neu[kSpalteMP] = zellen_.cell(kSpalteMP, bLeerzeile_ ? 0 : y - 1);
        eintraege_.einfuegen(y, {neu});
        nachher.row = y;
    });
}

Zelle NamenListe::Loeschen(Zelle hier) {
    const int row = hier.row;
    return schritt(QStringLiteral(u"Löschen"), hier, [this, row](Zelle&) {
        melden("Fehler beim L\xF6schen eines Spielers: ", [this, row] {
            // Nothing to delete in an empty list or on the row for a new entry; the title row
            // is never an entry.
            if (row >= 1 && row <= iAnzahl_)
                eintraege_.entfernen({row});
        });
    });
}

Zelle NamenListe::Loeschen(const std::vector<int>& rows, const QString& name, Zelle hier) {
    return schritt(name, hier, [this, &rows](Zelle& nachher) {
        melden("Fehler beim L\xF6schen eines Spielers: ", [this, &rows, &nachher] {
            std::vector<int> eintraege;
            for (const int r : rows)
                if (r >= 1 && r <= iAnzahl_)
                    eintraege.push_back(r);
            std::sort(eintraege.begin(), eintraege.end());
            eintraege.erase(std::unique(eintraege.begin(), eintraege.end()), eintraege.end());
            eintraege_.entfernen(eintraege);
            // The cursor goes where the first of them was, on the entry that follows them, not
            // as many rows further on as went above it.
            if (!eintraege.empty())
                nachher.row = eintraege.front();
        });
    });
}

Zelle NamenListe::MarkierteLoeschen(const std::vector<int>& rows, Zelle hier) {
    std::vector<int> eintraege;
    for (const int r : rows)
        if (r >= 1 && r <= iAnzahl_)
            eintraege.push_back(r);
    if (eintraege.empty())
        return hier;
    const std::string text = eintraege.size() == 1
                                 ? std::string("Soll der markierte Eintrag gel\xF6scht werden")
                                 : "Sollen die " + std::to_string(eintraege.size()) +
                                       " markierten Eintr\xE4ge gel\xF6scht werden";
    if (!frage(text))
        return hier;
    return Loeschen(eintraege, QStringLiteral(u"Markierte Einträge löschen"), hier);
}

Zelle NamenListe::BlockEinfuegen(const std::vector<Zeile>& zeilen, Zelle hier) {
    // On the row for a new entry, they go after the last entry, as Ctrl+E puts one there.
    const bool amEnde = bNeueZeile_ && hier.row == zellen_.rowCount() - 1;
    int n = 0;
    const Zelle nachher = schritt(QStringLiteral(u"Einfügen"), hier, [&](Zelle& nach) {
        n = std::min(int(zeilen.size()), std::max(kMaxEintraege - iAnzahl_, 0));
        if (n == 0)
            return;
        const int y = amEnde ? iAnzahl_ + 1 : std::clamp(nach.row, 1, iAnzahl_ + 1);
        eintraege_.einfuegen(y, {zeilen.begin(), zeilen.begin() + n});
        nach = {kSpalteName, y};
    });
    if (n < int(zeilen.size()))
        grenzeMelden();
    return nachher;
}

Zelle NamenListe::Sortieren(Zelle hier) {
    const Zelle nachher =
        schritt(QStringLiteral("Sortieren"), hier, [this](Zelle&) { sortieren(); });
    sortiert_ = true;
    return nachher;
}

void NamenListe::sortieren() {
    LogZeile("*** Gesamtdatei sortieren");
    melden("Fehler beim Sortieren der Gesamtdatei: ", [this] {
        const int n = iAnzahl_;
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
        if (!moved)
            return;
        std::vector<Zeile> rows(size_t(n) + 1);
        for (int r = 1; r <= n; ++r)
            rows[size_t(r)] = ZeileLesen(zellen_, r);
        for (int r = 1; r <= n; ++r)
            if (from[size_t(r)] != r)
                ZeileSchreiben(zellen_, r, rows[size_t(from[size_t(r)])]);
    });
}

Zelle NamenListe::NachNameSortieren(Zelle hier) {
    return schritt(QStringLiteral("Nach Name und Vorname sortieren"), hier, [this](Zelle&) {
        melden("Fehler beim Sortieren der Gesamtdatei: ", [this] {
            const std::vector<int> ordnung = NamensOrdnung(zellen_, iAnzahl_);
            std::vector<Zeile> rows(ordnung.size());
            for (size_t i = 0; i < ordnung.size(); ++i)
                rows[i] = ZeileLesen(zellen_, ordnung[i]);
            for (size_t i = 0; i < rows.size(); ++i)
                if (ordnung[i] != int(i) + 1)
                    ZeileSchreiben(zellen_, int(i) + 1, rows[i]);
        });
    });
}

Zelle NamenListe::Nummerieren(Zelle hier) {
    if (!frage("Sollen die Spielernummern entfernt und neu vergeben werden"))
        return hier;
    // New numbers are a change the user must not lose by cancelling unasked; numbers that
    // were already so are none, and no step.
    const Zelle nachher = schritt(QStringLiteral("Neu nummerieren"), hier, [this](Zelle&) {
        for (int r = 1; r < zellen_.rowCount(); ++r) {
            const std::string nr = ZahlZuText(0, 0, r);
            if (zellen_.cell(kSpalteNr, r) != nr)
                zellen_.setCell(kSpalteNr, r, nr);
        }
    });
    hinweis("Die Spieler wurden neu nummeriert");
    return nachher;
}

int NamenListe::DuplikateLoeschen(Zelle hier) {
    int n = 0;
    bool ok = true;
    schritt(QStringLiteral(u"Duplikate löschen"), hier, [&](Zelle&) { ok = duplikateLoeschen(n); });
    if (!ok)
        return n;
    if (n == 0)
        hinweis("Es wurden keine Duplikate gefunden");
    else
        hinweis(std::to_string(n) + " Duplikate wurden gel\xF6scht");
    return n;
}

bool NamenListe::duplikateLoeschen(int& n) {
    bool ok = true;
    melden("Fehler beim L\xF6schen der Duplikate: ", [this, &n, &ok] {
        ok = false;
        const std::vector<int> doppelte = DuplikatZeilen(zellen_, iAnzahl_);
        eintraege_.entfernen(doppelte);
        n = int(doppelte.size());
        ok = true;
    });
    return ok;
}

void NamenListe::Uebernehmen(const std::string& text) {
    schritt(QStringLiteral(u"Ungespeicherte Änderungen"), Zelle{}, [&](Zelle&) {
        zellen_.setRowCount(kMaxEintraege + 1); // room for what the text holds
        const LadeErgebnis ergebnis = NamenTextLesen(text, zellen_, Lesart::WieGeschrieben);
        iAnzahl_ = ergebnis.anzahl;
        bLeerzeile_ = ergebnis.leerzeile;
    });
}

Zelle NamenListe::Erweitern(const std::vector<std::string>& teilnehmer, Zelle hier) {
    return schritt(QStringLiteral(u"Turnierteilnehmer einfügen"), hier,
                   [&](Zelle&) { erweitern(teilnehmer); });
}

void NamenListe::erweitern(const std::vector<std::string>& teilnehmer) {
    LogZeile("*** Gesamtdatei erweitern");
    melden("Fehler beim Erweitern durch ein Turnier: ", [this, &teilnehmer] {
        std::unordered_set<std::string> names;
        for (int r = 1; r <= iAnzahl_; ++r)
            names.insert(Grossschrift(zellen_.cell(kSpalteName, r)));
        std::vector<Zeile> neu;
        for (const std::string& roh : teilnehmer) {
            // As if typed: a name with a separator inside is refused (it would shift fields
            // or cut the list on the next load), control characters and bytes the code page
            // lacks are left out.
            const QString zelle = cp1252::cellText(cp1252::toQString(roh));
            if (zelle.isNull())
                continue;
            const std::string p = cp1252::fromQString(zelle);
            std::string upper = Grossschrift(p);
            if (names.count(upper) || iAnzahl_ + int(neu.size()) >= kMaxEintraege ||
                Bereinigen(p, ' ').empty())
                continue;
            neu.push_back(Zeile{std::to_string(iAnzahl_ + int(neu.size()) + 1), p, "N", ""});
            names.insert(std::move(upper));
        }
        eintraege_.einfuegen(iAnzahl_ + 1, neu);
    });
}

Uebernahme NamenListe::AusTabelleEinlesen(const std::vector<Planzeile>& plan, Zelle hier) {
    Uebernahme u;
    schritt(QStringLiteral("Aus Tabelle einlesen"), hier, [&](Zelle&) {
        LogZeile("*** Aus Tabelle einlesen");
        melden("Fehler beim Einlesen der Tabelle: ",
               [&] { u = AbgleichUebernehmen(zellen_, eintraege_, iAnzahl_, plan); });
    });
    return u;
}

Zelle NamenListe::FassungWiederherstellen(const std::vector<Fassungsunterschied>& unterschiede,
                                          Zelle hier) {
    bool voll = false;
    const Zelle nachher = schritt(QStringLiteral(u"Frühere Fassung"), hier, [&](Zelle& nach) {
        LogZeile("*** Fr\xFChere Fassung");
        using Art = Fassungsunterschied::Art;
        for (const Fassungsunterschied& u : unterschiede)
            if (u.haken && u.art == Art::Geaendert && u.row >= 1 && u.row <= iAnzahl_)
                for (int c = 0; c < CellTable::kColumns; ++c)
                    zellen_.setCell(c, u.row, u.alt[size_t(c)]);
        // In the version's order, so that each lands where it stood among the others.
        for (const Fassungsunterschied& u : unterschiede) {
            if (!u.haken || u.art != Art::Fehlt)
                continue;
            if (iAnzahl_ >= kMaxEintraege) {
                voll = true;
                break;
            }
            const int y = std::clamp(u.alteZeile, 1, iAnzahl_ + 1);
            eintraege_.einfuegen(y, {u.alt});
            nach = {kSpalteName, y};
        }
    });
    if (voll)
        grenzeMelden();
    return nachher;
}

Zelle NamenListe::GanzeFassung(const std::string& text, Zelle hier) {
    return schritt(QStringLiteral(u"Frühere Fassung"), hier, [&](Zelle& nach) {
        LogZeile("*** Fr\xFChere Fassung");
        zellen_.setRowCount(kMaxEintraege + 1); // room for what the text holds
        const LadeErgebnis ergebnis = NamenTextLesen(text, zellen_, Lesart::Datei);
        iAnzahl_ = ergebnis.anzahl;
        bLeerzeile_ = ergebnis.leerzeile;
        nach = {kSpalteName, 1};
    });
}
