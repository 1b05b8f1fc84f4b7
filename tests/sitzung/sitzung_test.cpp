#include "editor/bearbeitung.h"
#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "tests/editor/liste.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::optional<Wiederherstellungsdaten> gespeichert(const Wiederherstellung& w) {
    return WiederherstellungAusText(readBytes(QString::fromStdString(w.datei())));
}

} // namespace

TEST(Wiederherstellung, FollowsEveryKindOfStepAndGivesTheListBackByteForByte) {
    TempEnv env;
    const std::vector<Row> rows = {{"1", "Hans Meier", "J", "100496"},
                                   {"2", "Anna Berg", "N", ""},
                                   {"3", "hans meier", "N", "100496"},
                                   {"4", "Zander", "G", "\x81\xFF"}};
    const std::pair<const char*, std::function<void(Liste&)>> schritte[] = {
        {"Eingabe", [](Liste& l) { l.liste.zelleSchreiben(kSpalteName, 2, "Anna Berg-Neu"); }},
        {"Einfuegen", [](Liste& l) { l.einfuegen(); }},
        {"Loeschen", [](Liste& l) { l.loeschen(1); }},
        {"Sortieren", [](Liste& l) { l.liste.Sortieren(l.hier); }},
        {"Nummerieren", [](Liste& l) { l.liste.Nummerieren(l.hier); }},
        {"Duplikate", [](Liste& l) { l.liste.DuplikateLoeschen(l.hier); }},
        {"Erweitern", [](Liste& l) { l.liste.Erweitern({"Neu Dazu"}, l.hier); }},
        {"Rueckgaengig", [](Liste& l) { l.liste.verlauf().undo(); }},
        {"Wiederherstellen", [](Liste& l) { l.liste.verlauf().redo(); }},
        // Entries as a file never has them: without a number, and blank, in the middle.
        {"Einfuegen und Eingabe",
         [](Liste& l) {
             l.einfuegen();
             l.liste.zelleSchreiben(kSpalteName, l.hier.row, " Neu ohne Nummer");
             l.einfuegen();
         }},
    };
    Wiederherstellung w("/verein/NAMEN.TIF", DateiStand{}); // outlives the list that feeds it
    Liste l(rows);
    const std::string datei = NamenDateiText(l.cells);
    Sicherung folgen(l.liste, w);
    for (const auto& [was, tun] : schritte) {
        SCOPED_TRACE(was);
        tun(l);
        w.warten();
        const auto daten = gespeichert(w);
        ASSERT_TRUE(daten);
        EXPECT_EQ(daten->text, NamenDateiText(l.cells));
        EXPECT_EQ(daten->sitzung.prozess, long(::getpid()));
        struct stat st {};
        ASSERT_EQ(::stat(w.datei().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u); // the user's alone
    }
    const std::string zuletzt = gespeichert(w)->text;

    // Taken over in a new session: the very bytes, one step above the list as on disk.
    Liste neu(rows);
    neu.liste.Uebernehmen(zuletzt);
    EXPECT_EQ(NamenDateiText(neu.cells), zuletzt);
    EXPECT_TRUE(neu.liste.bGeaendert());
    neu.consistent();
    neu.liste.verlauf().undo();
    EXPECT_EQ(NamenDateiText(neu.cells), datei);

    // Undone back to the file, nothing is unsaved: the data go.
    while (l.liste.verlauf().canUndo())
        l.liste.verlauf().undo();
    w.warten();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(w.datei())));
}

TEST(Wiederherstellung, OnlyCompleteDataOfASessionThatEndedAreFoundAndAskedFor) {
    TempEnv env;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string liste =
        QFile::encodeName(env.path(QStringLiteral("NAMEN.TIF"))).toStdString();
    writeBytes(env.path(QStringLiteral("NAMEN.TIF")), "GESAMT-DATEI\r\n");
    Wiederherstellungsdaten d;
    d.datei = liste;
    d.sitzung = EigeneSperre();
    d.sitzung.prozess = 999999999; // no such process
    d.geaendert = QDateTime(QDate(2026, 12, 9), QTime(8, 51)).toSecsSinceEpoch();
    d.stand = DateiStandLesen(liste);
    d.text = "GESAMT-DATEI\r\nNeu\t \t1\tN\t\r\n";
    const QString datei =
        QString::fromStdString(WiederherstellungsdateiFuer(liste, d.sitzung.prozess));
    writeBytes(datei, WiederherstellungsText(d));
    auto gefunden = WiederherstellungFinden(liste);
    ASSERT_TRUE(gefunden);
    EXPECT_EQ(gefunden->text, d.text);
    EXPECT_EQ(WiederherstellungsFrage(*gefunden, DateiStandLesen(liste)),
              "Es gibt ungespeicherte \xC4nderungen an der Gesamt-Datei vom 09.12.2026, 08:51 Uhr, "
              "die nicht gespeichert wurden, weil das Programm nicht ordentlich beendet wurde. "
              "Sollen die \xC4nderungen \xFC"
              "bernommen werden");
    writeBytes(env.path(QStringLiteral("NAMEN.TIF")), "GESAMT-DATEI\r\nAnders\r\n");
    EXPECT_NE(WiederherstellungsFrage(*gefunden, DateiStandLesen(liste))
                  .find("Die Gesamt-Datei wurde seitdem ge\xE4ndert."),
              std::string::npos);

    // Cut short, or of a session that still runs: none.
    writeBytes(datei, WiederherstellungsText(d).substr(0, WiederherstellungsText(d).size() - 3));
    EXPECT_FALSE(WiederherstellungFinden(liste));
    d.sitzung = EigeneSperre();
    writeBytes(datei, WiederherstellungsText(d));
    EXPECT_FALSE(WiederherstellungFinden(liste));

    // Not taken over: kept as a list of its own the user can open, the data gone.
    d.sitzung.prozess = 999999999;
    const std::string aufbewahrt = WiederherstellungAufbewahren(d);
    ASSERT_FALSE(aufbewahrt.empty());
    EXPECT_EQ(aufbewahrt.substr(aufbewahrt.rfind('/') + 1),
              "NAMEN-ungespeichert-2026-12-09-085100.TIF");
    EXPECT_EQ(readBytes(QString::fromStdString(aufbewahrt)), d.text);
}

TEST(Sperre, NamesWhoHasTheListOpenAndAnEndedSessionsLockIsStale) {
    TempEnv env;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string liste =
        QFile::encodeName(env.path(QStringLiteral("NAMEN.TIF"))).toStdString();
    const Sperre eigene = EigeneSperre();
    ASSERT_TRUE(SperreSetzen(liste, eigene));
    EXPECT_EQ(
        SperrdateiFuer(liste),
        QFile::encodeName(env.path(QStringLiteral(".NAMEN.TIF.in-bearbeitung"))).toStdString());
    EXPECT_EQ(SperreLesen(liste), eigene);
    EXPECT_TRUE(SperreLebt(eigene));
    EXPECT_FALSE(SperreSetzen(liste, eigene)); // one lock, however many race for it

    Sperre fremd = eigene;
    fremd.rechner = "vereinsheim";
    EXPECT_TRUE(SperreLebt(fremd)); // another host cannot be asked
    fremd.benutzer = "petra";
    fremd.seit = QDateTime(QDate(2026, 12, 9), QTime(8, 5)).toSecsSinceEpoch();
    EXPECT_EQ(SperrFrage(fremd),
              "Die Gesamt-Datei ist seit 09.12.2026, 08:05 Uhr von petra auf dem "
              "Rechner vereinsheim zum Bearbeiten ge\xF6"
              "ffnet. Trotzdem \xF6"
              "ffnen");
    Sperre alt = eigene;
    const pid_t kind = ::fork();
    if (kind == 0)
        ::_exit(0);
    ::waitpid(kind, nullptr, 0);
    alt.prozess = kind;
    EXPECT_FALSE(SperreLebt(alt)); // ended
    const pid_t zombie = ::fork();
    if (zombie == 0)
        ::_exit(0);
    siginfo_t ende{};
    ::waitid(P_PID, id_t(zombie), &ende, WEXITED | WNOWAIT); // ended, not yet collected
    alt.prozess = zombie;
    alt.start = 0;
    EXPECT_FALSE(SperreLebt(alt));
    ::waitpid(zombie, nullptr, 0);
    alt = eigene;
    alt.start += 1;
    EXPECT_FALSE(SperreLebt(alt)); // its number now belongs to another process

    SperreEntfernen(liste, fremd); // not this session's: stays
    EXPECT_TRUE(SperreLesen(liste));
    SperreEntfernen(liste, eigene);
    EXPECT_FALSE(SperreLesen(liste));
}

TEST(Wiederherstellung, AStateFolderThatTakesNothingIsToldOnceAndTriedAgainAtTheNextStep) {
    TempEnv env;
    const QString zustand = env.path(QStringLiteral("zustand"));
    qputenv("XDG_STATE_HOME", QFile::encodeName(zustand));
    auto blockieren = [&] { // a file where the folder is to be: nothing can be written there
        QDir(zustand).removeRecursively();
        writeBytes(zustand, "kein Ordner");
    };
    blockieren();
    std::mutex m;
    std::vector<std::string> hinweise;
    Wiederherstellung w("/verein/NAMEN.TIF", DateiStand{});
    w.beiFehler([&](const std::string& h) {
        std::lock_guard lock(m);
        hinweise.push_back(h);
    });
    for (const char* schritt : {"eins", "zwei"}) {
        w.aendern(schritt);
        w.warten();
    }
    ASSERT_EQ(hinweise.size(), 1u);
    EXPECT_EQ(hinweise[0], "Die ungespeicherten \xC4nderungen k\xF6nnen zurzeit nicht f\xFCr den "
                           "Fall eines Absturzes gesichert werden: Ung\xFCltiger Dateiname");

    QFile::remove(zustand);
    w.aendern("drei");
    w.warten();
    EXPECT_EQ(gespeichert(w)->text, "drei");
    blockieren();
    w.aendern("vier");
    w.warten();
    EXPECT_EQ(hinweise.size(), 2u); // told again after it had worked
    qunsetenv("XDG_STATE_HOME");
}

TEST(Wiederherstellung, AListInAFolderWithALineBreakIsFoundAndInterruptedWritesAreCleanedUp) {
    TempEnv env;
    const QString ordner = env.path(QStringLiteral("zwei\nZeilen"));
    const std::string liste =
        QFile::encodeName(ordner + QStringLiteral("/NAMEN.TIF")).toStdString();
    writeBytes(QString::fromStdString(liste), "GESAMT-DATEI\r\n");
    Wiederherstellungsdaten d;
    d.datei = liste;
    d.sitzung = EigeneSperre();
    d.sitzung.prozess = 999999999;
    d.text = "GESAMT-DATEI\r\nNeu\t \t1\tN\t\r\n";
    const std::string datei = WiederherstellungsdateiFuer(liste, d.sitzung.prozess);
    safewrite::makeStateFolder();
    writeBytes(QString::fromStdString(datei), WiederherstellungsText(d));
    // Temporary files of writes a crash interrupted go; one being written stays.
    const QString ordnerDaten = QString::fromStdString(safewrite::stateFolder()) + u'/';
    const QString name = QString::fromStdString(datei).section(u'/', -1);
    const QString liegen = ordnerDaten + u'.' + name + QStringLiteral(".abc123");
    const QString offen = ordnerDaten + u'.' + name + QStringLiteral(".def456");
    writeBytes(liegen, "halb");
    writeBytes(offen, "halb");
    QFile schreibend(offen);
    ASSERT_TRUE(schreibend.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(schreibend.handle(), LOCK_EX), 0);

    const auto gefunden = WiederherstellungFinden(liste);
    ASSERT_TRUE(gefunden);
    EXPECT_EQ(gefunden->datei, liste);
    EXPECT_EQ(gefunden->text, d.text);
    EXPECT_FALSE(QFileInfo::exists(liegen));
    EXPECT_TRUE(QFileInfo::exists(offen));
}

TEST(Wiederherstellung, TheListIsSavedWhileItsStepsAreWritten) {
    TempEnv env;
    const std::string liste =
        QFile::encodeName(env.path(QStringLiteral("NAMEN.TIF"))).toStdString();
    Liste l = Liste::names({"Anna Berg", "Hans Meier"});
    Wiederherstellung w(liste, DateiStand{});
    auto folgen = std::make_unique<Sicherung>(l.liste, w);
    for (int i = 0; i < 20; ++i) {
        l.einfuegen();                       // a step for the writing thread
        NamenDateiSchreiben(liste, l.cells); // and the interface thread writes meanwhile
    }
    w.warten();
    EXPECT_EQ(readBytes(QString::fromStdString(liste)), NamenDateiText(l.cells));
    EXPECT_EQ(gespeichert(w)->text, NamenDateiText(l.cells));
    folgen.reset();
}
