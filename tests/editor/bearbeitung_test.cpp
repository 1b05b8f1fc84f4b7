// The editing session from opening to saving, as a table: what the file and the folder hold
// before, what the user answers, what is said, what is written, and what the session is after.

#include "editor/bearbeitung.h"
#include "safewrite/safewrite.h"
#include "tests/testsupport/tempenv.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

std::string liste(int n) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int i = 1; i <= n; ++i)
        text += "Spieler " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\r\n";
    return text;
}

// Every message in one sequence ("H " note, "F " error, "? " question); questions take the
// next scripted answer.
struct Gespraech : Meldungen {
    std::vector<std::string> gesagt;
    std::deque<bool> antworten;
    std::function<void()> beimHinweis;
    void hinweis(const std::string& t) override {
        gesagt.push_back("H " + t);
        if (beimHinweis)
            beimHinweis();
    }
    void fehler(const std::string& t) override { gesagt.push_back("F " + t); }
    bool frage(const std::string& t) override {
        gesagt.push_back("? " + t);
        EXPECT_FALSE(antworten.empty()) << t;
        const bool ja = antworten.empty() || antworten.front();
        if (!antworten.empty())
            antworten.pop_front();
        return ja;
    }
};

struct Sitzung {
    TempEnv env;
    QString datei = env.path(QStringLiteral("NAMEN.TIF"));
    std::string pfad = QFile::encodeName(datei).toStdString();
    Gespraech gespraech;
    NamenListe liste{gespraech};
    Bearbeitung bearbeitung{liste, gespraech};
    void tippen(int row, const std::string& name) { liste.zelleSchreiben(kSpalteName, row, name); }
};

// Recovery data an ended session left for this list.
void verlassen(Sitzung& s, const std::string& text) {
    Wiederherstellungsdaten d;
    d.datei = QFileInfo(s.datei).canonicalFilePath().toStdString();
    d.sitzung = EigeneSperre();
    d.sitzung.prozess = 999999999;
    d.geaendert = QDateTime(QDate(2026, 12, 9), QTime(8, 51)).toSecsSinceEpoch();
    d.stand = DateiStandLesen(s.pfad);
    d.text = text;
    writeBytes(QString::fromStdString(WiederherstellungsdateiFuer(s.pfad, d.sitzung.prozess)),
               WiederherstellungsText(d));
}

Sperre fremdeSperre() {
    Sperre s = EigeneSperre();
    s.rechner = "vereinsheim";
    s.benutzer = "petra";
    s.seit = QDateTime(QDate(2026, 12, 9), QTime(8, 5)).toSecsSinceEpoch();
    return s;
}

} // namespace

TEST(Bearbeitung, FromOpeningThroughTheQuestionsToSavingAndTheStateAfter) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string gespeichert2 = "H 2 Eintr\xE4ge gespeichert";
    struct Fall {
        const char* was;
        std::function<void(Sitzung&)> vorher; // the file and what lies beside it
        std::deque<bool> antworten;
        bool geoeffnet = true;
        std::function<bool(Sitzung&)> dann; // after opening; true: it was written
        std::vector<std::string> gesagt;
        std::string
            datei; // the file's bytes at the end; "-": as before; "<Ordner>": still a folder
        bool geschrieben = true;
    };
    const std::string namen2 = liste(2);
    const std::string kKeineListe = "Die Datei beginnt nicht mit \x84GESAMT-DATEI\x93 und ist wohl "
                                    "keine Gesamt-Datei. Trotzdem mit der Liste \xFC"
                                    "berschreiben";
    const Fall faelle[] = {
        {"new file",
         [](Sitzung&) {},
         {},
         true,
         [](Sitzung& s) { return s.bearbeitung.speichern(false); },
         {"H Die Gesamt-Datei ist noch nicht vorhanden", "H 1 Eintr\xE4ge gespeichert"},
         "GESAMT-DATEI\r\n\t \t\t\t\r\n"},
        {"more than 1000, not saved",
         [](Sitzung& s) { writeBytes(s.datei, liste(1001)); },
         {false},
         true,
         [](Sitzung& s) { return s.bearbeitung.speichern(false); },
         {"H Die Gesamt-Datei enth\xE4lt mehr als 1000 Eintr\xE4ge. Es wurden nur die ersten "
          "1000 Eintr\xE4ge eingelesen",
          "? Die nicht eingelesenen Eintr\xE4ge gehen beim Speichern verloren. Trotzdem "
          "speichern"},
         liste(1001),
         false},
        {"unreadable, then not writable",
         [](Sitzung& s) { QDir().mkdir(s.datei); },
         {false, true},
         true,
         [](Sitzung& s) {
             return s.bearbeitung.speichern(false) || s.bearbeitung.speichern(false);
         },
         {"F Fehler beim Einlesen der Gesamtdatei: Dateizugriff verweigert",
          "? Die Gesamt-Datei wurde nicht vollst\xE4ndig eingelesen. Trotzdem speichern",
          "? Die Gesamt-Datei wurde nicht vollst\xE4ndig eingelesen. Trotzdem speichern",
          "H Die vorige Fassung der Gesamt-Datei kann zurzeit nicht aufbewahrt werden: "
          "Dateizugriff verweigert",
          "F Fehler beim Speichern der Gesamt-Datei: Dateizugriff verweigert"},
         "<Ordner>",
         false},
        {"data after the end-of-file mark",
         [](Sitzung& s) {
             writeBytes(s.datei, "GESAMT-DATEI\r\nAnna\t \t1\tN\t\r\n\x1A"
                                 "Berta\t \t2\tN\t\r\n");
         },
         {true},
         true,
         [](Sitzung& s) { return s.bearbeitung.speichern(false); },
         {"H Die Gesamt-Datei enth\xE4lt Daten nach dem Dateiende-Zeichen. Es wurden nur die "
          "Eintr\xE4ge davor eingelesen",
          "? Die Daten nach dem Dateiende-Zeichen gehen beim Speichern verloren. Trotzdem "
          "speichern",
          "H 1 Eintr\xE4ge gespeichert"},
         "GESAMT-DATEI\r\nAnna\t \t1\tN\t\r\n"},
        {"a line ended at an LF alone",
         [](Sitzung& s) { writeBytes(s.datei, "GESAMT-DATEI\r\nMeier\t \t17\tJ\t47\n11\r\n"); },
         {},
         true,
         [](Sitzung&) { return false; },
         {"H In der Gesamt-Datei endet die Zeile von Eintrag 1 (Nr. 17, \x84Meier\x93) nur mit "
          "LF statt mit CR LF. Falls dort ein Feld umbrochen war, ist der Eintrag danach ein "
          "abgetrennter Teil davon: bitte pr\xFC"
          "fen"},
         "-",
         false},
        {"changed by another program, not overwritten",
         [&](Sitzung& s) { writeBytes(s.datei, namen2); },
         {false},
         true,
         [](Sitzung& s) {
             writeBytes(s.datei, liste(4));
             return s.bearbeitung.speichern(false);
         },
         {"? Die Gesamt-Datei wurde inzwischen von einem anderen Programm ge\xE4ndert. Trotzdem "
          "\xFC"
          "berschreiben"},
         liste(4),
         false},
        {"deleted after loading, written again",
         [&](Sitzung& s) { writeBytes(s.datei, namen2); },
         {true},
         true,
         [](Sitzung& s) {
             QFile::remove(s.datei);
             return s.bearbeitung.speichern(false);
         },
         {"? Die Gesamt-Datei wurde inzwischen von einem anderen Programm ge\xE4ndert. Trotzdem "
          "\xFC"
          "berschreiben",
          gespeichert2},
         namen2},
        {"open in another session, not opened",
         [&](Sitzung& s) {
             writeBytes(s.datei, namen2);
             SperreSetzen(s.pfad, fremdeSperre());
         },
         {false},
         false,
         nullptr,
         // Whose it is says the lock's owner, not the "petra" in it.
         {"? Die Gesamt-Datei ist seit 09.12.2026, 08:05 Uhr von " + EigeneSperre().benutzer +
          " auf dem Rechner vereinsheim zum Bearbeiten ge\xF6"
          "ffnet. Trotzdem \xF6"
          "ffnen"},
         "-",
         false},
        {"the lock of an ended session goes unasked",
         [&](Sitzung& s) {
             writeBytes(s.datei, namen2);
             Sperre alt = EigeneSperre();
             alt.prozess = 999999999;
             SperreSetzen(s.pfad, alt);
         },
         {},
         true,
         [](Sitzung& s) { return SperreLesen(s.pfad)->prozess == long(::getpid()); },
         {},
         "-"},
        {"unsaved changes kept as a list of their own",
         [&](Sitzung& s) {
             writeBytes(s.datei, namen2);
             verlassen(s, liste(3));
         },
         {false},
         true,
         [](Sitzung& s) { return s.liste.iAnzahl() == 2 && !s.liste.bGeaendert(); },
         {"? Es gibt ungespeicherte \xC4nderungen an der Gesamt-Datei vom 09.12.2026, 08:51 "
          "Uhr, die nicht gespeichert wurden, weil das Programm nicht ordentlich beendet wurde. "
          "Sollen die \xC4nderungen \xFC"
          "bernommen werden",
          "H Die ungespeicherten \xC4nderungen wurden aufbewahrt in <Zustand>"
          "/NAMEN-ungespeichert-2026-12-09-085100.TIF"},
         "-"},
        {"unsaved changes taken over and saved",
         [&](Sitzung& s) {
             writeBytes(s.datei, namen2);
             verlassen(s, liste(3));
         },
         {true},
         true,
         [](Sitzung& s) { return s.liste.bGeaendert() && s.bearbeitung.speichern(false); },
         {"? Es gibt ungespeicherte \xC4nderungen an der Gesamt-Datei vom 09.12.2026, 08:51 "
          "Uhr, die nicht gespeichert wurden, weil das Programm nicht ordentlich beendet wurde. "
          "Sollen die \xC4nderungen \xFC"
          "bernommen werden",
          "H 3 Eintr\xE4ge gespeichert"},
         liste(3)},
        {"unsaved changes that are the saved file's bytes (killed right after saving)",
         [&](Sitzung& s) { // read again, the entry without a number gets its position
             writeBytes(s.datei, "GESAMT-DATEI\r\nOhne Nr.\t \t\tN\t\r\n");
             verlassen(s, readBytes(s.datei));
         },
         {},
         true,
         [](Sitzung& s) { return !s.liste.bGeaendert(); },
         {},
         "-"},
        {"damaged unsaved changes are named, whole ones still offered",
         [&](Sitzung& s) {
             writeBytes(s.datei, namen2);
             verlassen(s, liste(3));
             writeBytes(QString::fromStdString(WiederherstellungsdateiFuer(s.pfad, 999999998)),
                        "GESAMT-UNGESPEICH");
         },
         {true},
         true,
         [](Sitzung& s) { return s.liste.iAnzahl() == 3; },
         {"H Ungespeicherte \xC4nderungen an der Gesamt-Datei in <Daten> sind besch\xE4"
          "digt und k\xF6nnen nicht \xFC"
          "bernommen werden",
          "? Es gibt ungespeicherte \xC4nderungen an der Gesamt-Datei vom 09.12.2026, 08:51 "
          "Uhr, die nicht gespeichert wurden, weil das Programm nicht ordentlich beendet wurde. "
          "Sollen die \xC4nderungen \xFC"
          "bernommen werden"},
         "-"},
        // A picture or a text read as a list: said, and asked before it is overwritten.
        {"no name list, kept",
         [](Sitzung& s) { writeBytes(s.datei, "Hallo Welt\r\n"); },
         {false},
         true,
         [](Sitzung& s) { return s.bearbeitung.speichern(false); },
         {"H " + OhneKopfzeileHinweis(), "? " + kKeineListe},
         "-",
         false},
        {"no name list, overwritten",
         [](Sitzung& s) { writeBytes(s.datei, "Hallo Welt\r\n"); },
         {true},
         true,
         [](Sitzung& s) { return s.bearbeitung.speichern(true) && s.bearbeitung.speichern(false); },
         {"H " + OhneKopfzeileHinweis(), "? " + kKeineListe, "H 1 Eintr\xE4ge gespeichert",
          "H 1 Eintr\xE4ge gespeichert"},
         "GESAMT-DATEI\r\nHallo Welt\t \t1\t\t\r\n"},
        {"saved and kept open: later changes only are asked about",
         [&](Sitzung& s) { writeBytes(s.datei, namen2); },
         {false},
         true,
         [](Sitzung& s) {
             s.tippen(1, "Neu");
             const bool ok = s.bearbeitung.speichern(true) && !s.liste.bGeaendert() &&
                             s.bearbeitung.verwerfenErlaubt();
             s.tippen(2, "Sp\xE4ter");
             return ok && !s.bearbeitung.verwerfenErlaubt();
         },
         {gespeichert2, "? Sollen die \xC4nderungen verworfen werden"},
         "GESAMT-DATEI\r\nNeu\t \t1\tN\t\r\nSpieler 2\t \t2\tN\t\r\n"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Sitzung s;
        f.vorher(s);
        const std::string vorher = readBytes(s.datei);
        s.gespraech.antworten = f.antworten;
        ASSERT_EQ(s.bearbeitung.oeffnen(s.pfad), f.geoeffnet);
        if (f.dann) {
            EXPECT_EQ(f.dann(s), f.geschrieben);
        }
        std::vector<std::string> gesagt = f.gesagt;
        for (std::string& g : gesagt) {
            if (const size_t p = g.find("<Zustand>"); p != std::string::npos)
                g.replace(p, 9, safewrite::stateFolder());
            if (const size_t p = g.find("<Daten>"); p != std::string::npos)
                g.replace(p, 7, WiederherstellungsdateiFuer(s.pfad, 999999998));
        }
        EXPECT_EQ(s.gespraech.gesagt, gesagt);
        EXPECT_TRUE(s.gespraech.antworten.empty());
        if (f.datei == "<Ordner>")
            EXPECT_TRUE(QFileInfo(s.datei).isDir());
        else
            EXPECT_EQ(readBytes(s.datei), f.datei == "-" ? vorher : f.datei);
        s.bearbeitung.beenden(true);
        if (f.geoeffnet) {
            EXPECT_FALSE(SperreLesen(s.pfad)); // this session's lock goes with it
        }
    }
}

// The note that the list was saved waits for the user; a crash meanwhile must not offer what
// the file already holds as unsaved changes.
TEST(Bearbeitung, WhileTheSavedNoteShowsNothingIsKeptAsUnsaved) {
    for (const bool offenBleiben : {false, true}) {
        SCOPED_TRACE(offenBleiben);
        Sitzung s;
        writeBytes(s.datei, liste(2));
        ASSERT_TRUE(s.bearbeitung.oeffnen(s.pfad));
        const QString daten =
            QString::fromStdString(WiederherstellungsdateiFuer(s.pfad, long(::getpid())));
        s.tippen(1, "Neu");
        for (int warten = 0; warten < 250 && !QFile::exists(daten); ++warten)
            ::usleep(20000);
        ASSERT_TRUE(QFile::exists(daten));
        int hinweise = 0;
        s.gespraech.beimHinweis = [&] {
            ++hinweise;
            EXPECT_FALSE(QFile::exists(daten));
        };
        ASSERT_TRUE(s.bearbeitung.speichern(offenBleiben));
        EXPECT_EQ(hinweise, 1);
        s.bearbeitung.beenden(true);
    }
}

// Where the unsaved changes cannot be kept on disk, the session says so once, beside the run
// log, and the list goes on being edited.
TEST(Bearbeitung, ChangesThatCannotBeKeptOnDiskAreSaidOnce) {
    Sitzung s;
    writeBytes(s.datei, liste(2));
    writeBytes(s.env.path(QStringLiteral("kein-ordner")), "");
    qputenv("XDG_STATE_HOME", QFile::encodeName(s.env.path(QStringLiteral("kein-ordner/k"))));
    std::vector<std::string> gesagt;
    s.bearbeitung.gescheitert = [&](const std::string& h) { gesagt.push_back(h); };
    ASSERT_TRUE(s.bearbeitung.oeffnen(s.pfad));
    for (int i = 0; i < 3; ++i) {
        s.tippen(1, "Neu " + std::to_string(i));
        for (int warten = 0; warten < 100 && gesagt.empty(); ++warten) {
            QCoreApplication::processEvents();
            ::usleep(20000);
        }
    }
    QCoreApplication::processEvents();
    qunsetenv("XDG_STATE_HOME");
    ASSERT_EQ(gesagt.size(), 1u);
    EXPECT_EQ(gesagt[0].rfind("Die ungespeicherten \xC4nderungen k\xF6nnen zurzeit nicht", 0), 0u)
        << gesagt[0];
    EXPECT_TRUE(s.gespraech.gesagt.empty()); // no dialog in the middle of typing
}

// A list that cannot be written goes elsewhere, and the session follows it: its lock, its
// unsaved changes and its versions are the new file's; the old file stays as it was.
TEST(Bearbeitung, AListThatCannotBeWrittenIsSavedUnderAnotherNameAndTheSessionFollows) {
    Sitzung s;
    QDir().mkdir(s.datei); // cannot be written, even by root
    const QString anders = s.env.path(QStringLiteral("anders/NAMEN.TIF"));
    const std::string ziel = QFile::encodeName(anders).toStdString();
    QDir().mkpath(QFileInfo(anders).path());
    writeBytes(anders, liste(5)); // overwritten: the dialog asked
    int gewaehlt = 0;
    s.bearbeitung.zielWaehlen = [&]() -> std::optional<std::string> {
        ++gewaehlt;
        return ziel;
    };
    s.gespraech.antworten = {true, true};
    ASSERT_TRUE(s.bearbeitung.oeffnen(s.pfad));
    s.tippen(1, "Anna");
    const QString alteDaten =
        QString::fromStdString(WiederherstellungsdateiFuer(s.pfad, long(::getpid())));
    for (int warten = 0; warten < 250 && !QFile::exists(alteDaten); ++warten)
        ::usleep(20000);
    ASSERT_TRUE(s.bearbeitung.speichern(true));
    EXPECT_EQ(gewaehlt, 1);
    EXPECT_EQ(s.gespraech.gesagt.back(),
              "H 1 Eintr\xE4ge gespeichert in " + QFile::encodeName(anders).toStdString());
    EXPECT_EQ(s.gespraech.gesagt[s.gespraech.gesagt.size() - 2],
              "? Fehler beim Speichern der Gesamt-Datei: Dateizugriff verweigert. Soll die Liste "
              "unter einem anderen Namen gespeichert werden");
    EXPECT_EQ(readBytes(anders), "GESAMT-DATEI\r\nAnna\t \t\t\t\r\n");
    EXPECT_EQ(s.bearbeitung.pfad(), ziel);
    EXPECT_TRUE(QFileInfo(s.datei).isDir());
    EXPECT_FALSE(QFile::exists(alteDaten));
    EXPECT_FALSE(SperreLesen(s.pfad));
    ASSERT_TRUE(SperreLesen(ziel));
    EXPECT_EQ(SperreLesen(ziel)->prozess, long(::getpid()));
    EXPECT_FALSE(s.liste.bGeaendert());
    // What the overwritten file held is a version of it.
    bool behalten = false;
    for (const Fassung& f : FassungenLesen(ziel))
        behalten = behalten || f.text == liste(5);
    EXPECT_TRUE(behalten);
    // Typed on, the changes are kept for the new file; saved, they go there.
    s.tippen(1, "Berta");
    const QString neueDaten =
        QString::fromStdString(WiederherstellungsdateiFuer(ziel, long(::getpid())));
    for (int warten = 0; warten < 250 && !QFile::exists(neueDaten); ++warten)
        ::usleep(20000);
    EXPECT_TRUE(QFile::exists(neueDaten));
    ASSERT_TRUE(s.bearbeitung.speichern(false));
    EXPECT_EQ(readBytes(anders), "GESAMT-DATEI\r\nBerta\t \t\t\t\r\n");
    s.bearbeitung.beenden(true);
    EXPECT_FALSE(SperreLesen(ziel));
    EXPECT_FALSE(QFile::exists(neueDaten));
    EXPECT_TRUE(s.gespraech.antworten.empty());
}

// Opened in spite of another's lock beside it (anything another user may have put there), the
// list is still locked for the user's own next copy, which is asked about this one.
TEST(Bearbeitung, OpenedInSpiteOfAnothersLockTheUsersNextCopyIsAskedAboutThisOne) {
    Sitzung s;
    writeBytes(s.datei, liste(2));
    SperreSetzen(s.pfad, fremdeSperre());
    s.gespraech.antworten = {true};
    ASSERT_TRUE(s.bearbeitung.oeffnen(s.pfad));
    Gespraech zweite;
    zweite.antworten = {false};
    NamenListe liste2{zweite};
    Bearbeitung kopie{liste2, zweite};
    EXPECT_FALSE(kopie.oeffnen(s.pfad));
    ASSERT_EQ(zweite.gesagt.size(), 1u);
    const Sperre eigene = EigeneSperre();
    EXPECT_NE(
        zweite.gesagt[0].find("von " + eigene.benutzer + " auf dem Rechner " + eigene.rechner),
        std::string::npos)
        << zweite.gesagt[0];
    s.bearbeitung.beenden(true);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ErsatzsperreFuer(s.pfad))));
    EXPECT_EQ(SperreLesen(s.pfad)->rechner, "vereinsheim"); // theirs stays
}
