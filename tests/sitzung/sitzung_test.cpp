#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "editor/bearbeitung.h"
#include "tests/editor/liste.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
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
        {"Eingabe",
         [](Liste& l) {
             l.cells.setCell(kSpalteName, 2, "Anna Berg-Neu");
             l.liste.zelleBearbeitet(kSpalteName, 2);
         }},
        {"Einfuegen", [](Liste& l) { l.liste.Einfuegen(); }},
        {"Loeschen", [](Liste& l) { l.liste.Loeschen(1); }},
        {"Sortieren", [](Liste& l) { l.liste.Sortieren(); }},
        {"Nummerieren", [](Liste& l) { l.liste.Nummerieren(); }},
        {"Duplikate", [](Liste& l) { l.liste.DuplikateLoeschen(); }},
        {"Erweitern", [](Liste& l) { l.liste.Erweitern({"Neu Dazu"}); }},
        {"Rueckgaengig", [](Liste& l) { l.liste.verlauf().undo(); }},
        {"Wiederherstellen", [](Liste& l) { l.liste.verlauf().redo(); }},
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
    EXPECT_TRUE(neu.liste.bGeaendert);
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
    alt = eigene;
    alt.start += 1;
    EXPECT_FALSE(SperreLebt(alt)); // its number now belongs to another process

    SperreEntfernen(liste, fremd); // not this session's: stays
    EXPECT_TRUE(SperreLesen(liste));
    SperreEntfernen(liste, eigene);
    EXPECT_FALSE(SperreLesen(liste));
}
