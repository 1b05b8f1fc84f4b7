// Another member of a club's shared folder (sticky, group-writable) plants files where the
// program keeps its own beside the list: none of them may change the list, make the program
// write elsewhere or stall its start.

#include "cells/cellstore.h"
#include "editor/bearbeitung.h"
#include "namefile/namefile.h"
#include "platform/profile.h"
#include "runlog/runlog.h"
#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "tests/reliability/privileges.h"
#include "tests/testsupport/recorder.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr unsigned kBesitzer = 61001, kAndere = 61002, kVerein = 61010;

std::string liste(int n, const std::string& name) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int r = 1; r <= n; ++r)
        text += name + " " + std::to_string(r) + "\t \t" + std::to_string(r) + "\tN\t\r\n";
    return text;
}

std::string bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

struct SharedFolder : ::testing::Test {
    TempEnv env;
    QString ordner = env.path(QStringLiteral("verein"));
    QString datei = ordner + QStringLiteral("/NAMEN.TIF");
    QString zustand = env.path(QStringLiteral("zustand"));
    const std::string kListe = liste(3, "Mitglied");

    void SetUp() override {
        if (!nobodyKannWechseln())
            GTEST_SKIP() << "needs root to act as the list's owner and another member";
        ::chmod(bytes(env.home()).c_str(), 0755);
        QDir().mkpath(ordner);
        QDir().mkpath(zustand + QStringLiteral("/kelmar"));
        writeBytes(datei, kListe);
        besitzt(kBesitzer, ordner, 03775);
        besitzt(kBesitzer, datei, 0644);
        besitzt(kBesitzer, zustand, 0700);
        besitzt(kBesitzer, zustand + QStringLiteral("/kelmar"), 0700);
        ::setenv("XDG_STATE_HOME", bytes(zustand).c_str(), 1);
    }
    void TearDown() override { ::unsetenv("XDG_STATE_HOME"); }

    static void besitzt(unsigned uid, const QString& path, unsigned mode) {
        ASSERT_EQ(::lchown(bytes(path).c_str(), uid, kVerein), 0);
        if (!QFileInfo(path).isSymLink()) {
            ASSERT_EQ(::chmod(bytes(path).c_str(), mode), 0);
        }
    }
    std::string datei_() const { return bytes(datei); }
    // The name and the bytes of a complete record of an in-place save of `ziel` as it is now.
    static std::pair<QString, std::string> aufzeichnung(const QString& ziel,
                                                        const std::string& inhalt) {
        struct stat st {};
        ::stat(bytes(ziel).c_str(), &st);
        return {QStringLiteral(".gesamt-%1-%2.neu").arg(st.st_dev).arg(st.st_ino),
                safewrite::recordText(st.st_dev, st.st_ino, inhalt, readBytes(ziel))};
    }
};

} // namespace

TEST_F(SharedFolder, ARecordIsAppliedOnlyWhereItCanBeTheProgramsOwn) {
    const std::string geplant = liste(1, "Eindringling");
    struct Fall {
        const char* name;
        bool imZustand = false; // in the owner's state folder instead of beside the list
        bool einstellungen = false;
        std::function<void(const QString& at, const std::string& text)> legen;
        bool angewandt = false;
    };
    auto als = [](unsigned uid, unsigned mode) {
        return [=](const QString& at, const std::string& text) {
            writeBytes(at, text);
            besitzt(uid, at, mode);
        };
    };
    const QString woanders = env.path(QStringLiteral("woanders.neu"));
    const Fall faelle[] = {
        {"OfTheOwner", false, false, als(kBesitzer, 0600), true},
        {"OfAnotherMember", false, false, als(kAndere, 0644)},
        {"OfAnotherMemberInTheStateFolder", true, false, als(kAndere, 0644)},
        {"OfAnotherMemberBesideTheSettings", false, true, als(kAndere, 0644)},
        {"WritableByTheGroup", false, false, als(kBesitzer, 0620)},
        {"ALinkToTheOwnersRecord", false, false,
         [&](const QString& at, const std::string& text) {
             als(kBesitzer, 0600)(woanders, text);
             ASSERT_EQ(::symlink(bytes(woanders).c_str(), bytes(at).c_str()), 0);
             besitzt(kAndere, at, 0);
         }},
        {"ASecondNameOfTheOwnersRecord", false, false,
         [&](const QString& at, const std::string& text) {
             als(kBesitzer, 0600)(woanders, text);
             ASSERT_EQ(::link(bytes(woanders).c_str(), bytes(at).c_str()), 0);
         }},
        {"LargerThanAnyList", false, false,
         [&](const QString& at, const std::string& text) {
             als(kBesitzer, 0600)(at, text);
             ASSERT_EQ(::truncate(bytes(at).c_str(), off_t(4) << 30), 0);
         }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        QFile::remove(woanders);
        const QString ziel =
            f.einstellungen ? env.configDir() + QStringLiteral("/KELMAR.INI") : datei;
        if (f.einstellungen) {
            QDir().mkpath(env.configDir());
            writeBytes(ziel, "[KELMAR]\r\n");
            for (const QString& p : {env.home() + QStringLiteral("/.config"), env.configDir()})
                besitzt(kBesitzer, p, 03775);
            besitzt(kBesitzer, ziel, 0644);
        }
        const std::string vorher = readBytes(ziel);
        const auto [name, inhalt] = aufzeichnung(ziel, geplant);
        const QString at =
            (f.imZustand ? zustand + QStringLiteral("/kelmar") : QFileInfo(ziel).path()) + u'/' +
            name;
        f.legen(at, inhalt);

        // The owner starts the program: bit 1 for a completed save, bit 2 for a note in the log.
        const int ergebnis = alsBenutzer(kBesitzer, kVerein, {}, [&] {
            bool notiert = false;
            safewrite::setNotice([&](const std::string&) { notiert = true; });
            bool abgeschlossen = false;
            if (f.einstellungen) {
                Profile::load("KELMAR.INI");
            } else {
                CellStore cells(kMaxEintraege + 1);
                abgeschlossen = UnterbrochenesSpeichernAbschliessen(bytes(ziel));
                NamenDateiLesen(bytes(ziel), cells);
            }
            return int(abgeschlossen) | int(notiert) << 1;
        });
        if (f.angewandt) {
            EXPECT_EQ(ergebnis, 1);
            EXPECT_EQ(readBytes(ziel), geplant);
            EXPECT_FALSE(QFileInfo::exists(at));
            writeBytes(datei, kListe);
        } else {
            EXPECT_EQ(ergebnis, 2) << "not ignored, or not logged";
            EXPECT_EQ(readBytes(ziel), vorher);
            EXPECT_TRUE(QFileInfo(at).isSymLink() || QFileInfo::exists(at)) << "removed";
            QFile::remove(at);
        }
    }
}

TEST_F(SharedFolder, ALockPlantedAsALinkIsAskedAboutAndNeverWrittenThrough) {
    // Where the link points: a file that does not exist yet, beside what looks like a
    // leftover of the owner's there.
    const QString woanders = env.path(QStringLiteral("woanders"));
    QDir().mkpath(woanders);
    besitzt(kBesitzer, woanders, 0755);
    const QString rest = woanders + QStringLiteral("/.opfer.abcdef");
    writeBytes(rest, "des Besitzers");
    besitzt(kBesitzer, rest, 0600);
    const QString sperre = ordner + QStringLiteral("/.NAMEN.TIF.in-bearbeitung");
    ASSERT_EQ(::symlink(bytes(woanders + QStringLiteral("/opfer")).c_str(), bytes(sperre).c_str()),
              0);
    besitzt(kAndere, sperre, 0);

    const int ergebnis = alsBenutzer(kBesitzer, kVerein, {}, [&] {
        const bool gesetzt = SperreSetzen(bytes(datei), EigeneSperre());
        const Sperrversuch v = SperreNehmen(bytes(datei), EigeneSperre());
        return !gesetzt && v.ergebnis == Sperrversuch::Fremd && v.fremd.benutzer == "61002" ? 0 : 1;
    });
    EXPECT_EQ(ergebnis, 0);
    EXPECT_FALSE(QFileInfo::exists(woanders + QStringLiteral("/opfer")));
    EXPECT_TRUE(QFileInfo(sperre).isSymLink());
    EXPECT_EQ(readBytes(rest), "des Besitzers");
}

TEST_F(SharedFolder, HugeFilesInThePlaceOfTheSessionFilesAreDamagedAtOnce) {
    constexpr off_t k4GiB = off_t(4) << 30;
    const QString sperre = ordner + QStringLiteral("/.NAMEN.TIF.in-bearbeitung");
    writeBytes(sperre, "Benutzer=mallory\nRechner=vereinsheim\n");
    ASSERT_EQ(::truncate(bytes(sperre).c_str(), k4GiB), 0);
    besitzt(kAndere, sperre, 0644);
    const QString daten = QString::fromStdString(WiederherstellungsdateiFuer(bytes(datei), 1));
    writeBytes(daten, "GESAMT-UNGESPEICHERT 1\n");
    ASSERT_EQ(::truncate(bytes(daten).c_str(), k4GiB), 0);
    besitzt(kBesitzer, daten, 0600);
    const auto [name, inhalt] = aufzeichnung(datei, liste(1, "Eindringling"));
    const QString record = ordner + u'/' + name;
    writeBytes(record, inhalt);
    ASSERT_EQ(::truncate(bytes(record).c_str(), k4GiB), 0);
    besitzt(kBesitzer, record, 0600);

    // Reading any of them whole would take a minute and 4 GiB of memory.
    const int ergebnis = alsBenutzer(kBesitzer, kVerein, {}, [&] {
        CellStore cells(kMaxEintraege + 1);
        std::vector<std::string> beschaedigt; // the owner's own, so it is said
        const bool abgeschlossen = UnterbrochenesSpeichernAbschliessen(bytes(datei));
        const LadeErgebnis geladen = NamenDateiLesen(bytes(datei), cells);
        const Sperrversuch v = SperreNehmen(bytes(datei), EigeneSperre());
        return (geladen.anzahl == 3 && !abgeschlossen ? 0 : 1) |
               (v.ergebnis == Sperrversuch::Fremd && v.fremd.rechner == "(unbekannt)" ? 0 : 2) |
               (WiederherstellungFinden(bytes(datei), &beschaedigt) ? 4 : 0) |
               (beschaedigt == std::vector{bytes(daten)} ? 0 : 8);
    });
    EXPECT_EQ(ergebnis, 0);
    EXPECT_EQ(readBytes(datei), kListe);
}

TEST_F(SharedFolder, OfTwoCopiesStartedAtOnceOneTakesTheListAndTheOtherAsks) {
    for (int runde = 0; runde < 20; ++runde) {
        SCOPED_TRACE(runde);
        int los[2], fertig[2], ergebnisse[2];
        ASSERT_EQ(::pipe(los) | ::pipe(fertig) | ::pipe(ergebnisse), 0);
        std::vector<pid_t> kopien;
        for (const unsigned uid : {kBesitzer, kAndere}) {
            const pid_t kind = ::fork();
            if (kind == 0) {
                for (int fd : {los[1], fertig[1], ergebnisse[0]})
                    ::close(fd); // the ends only the test writes, so that their closing is seen
                char c;
                if (::setgid(kVerein) != 0 || ::setuid(uid) != 0 || ::read(los[0], &c, 1) != 0)
                    ::_exit(1);
                const char v = char('0' + SperreNehmen(bytes(datei), EigeneSperre()).ergebnis);
                (void)!::write(ergebnisse[1], &v, 1);
                (void)!::read(fertig[0], &c, 1); // the lock lives until both have tried
                ::_exit(0);
            }
            kopien.push_back(kind);
        }
        for (int fd : {los[0], los[1], fertig[0], ergebnisse[1]})
            ::close(fd);
        char v[2] = {};
        ASSERT_EQ(::read(ergebnisse[0], &v[0], 1), 1);
        ASSERT_EQ(::read(ergebnisse[0], &v[1], 1), 1);
        std::sort(v, v + 2);
        EXPECT_EQ(v[0], '0' + Sperrversuch::Gesetzt);
        EXPECT_EQ(v[1], '0' + Sperrversuch::Fremd);
        ::close(fertig[1]);
        ::close(ergebnisse[0]);
        for (const pid_t kind : kopien)
            ::waitpid(kind, nullptr, 0);
        QFile::remove(ordner + QStringLiteral("/.NAMEN.TIF.in-bearbeitung"));
    }
}

TEST_F(SharedFolder, TheRunLogNeverEmptiesWhatAnotherMemberPutInItsPlace) {
    const QString log = ordner + QStringLiteral("/gesamt.lo");
    besitzt(kBesitzer, datei, 0664); // so that the kernel lets another member link it
    ASSERT_EQ(alsBenutzer(kAndere, kVerein, {},
                          [&] {
                              writeBytes(log + u'1', "Notizen");
                              return ::link(datei_().c_str(), bytes(log + u'g').c_str());
                          }),
              0);
    besitzt(kBesitzer, datei, 0644); // taken back: that must not matter
    const auto starten = [&] {
        return ::chdir(bytes(ordner).c_str()) || !LogOeffnen("gesamt.log");
    };
    EXPECT_EQ(alsBenutzer(kBesitzer, kVerein, {}, starten), 0);
    EXPECT_EQ(readBytes(datei), kListe);
    EXPECT_EQ(readBytes(log + u'1'), "Notizen");
    EXPECT_NE(readBytes(log + u'2')
                  .find("\r\nHINWEIS - Fremde Datei nicht als Logdatei "
                        "verwendet: gesamt.log, gesamt.lo1\r\n"),
              std::string::npos);
}

TEST_F(SharedFolder, AListThatIsAnotherMembersLinkIsRefusedAndNothingIsMadeThroughIt) {
    const QString privat = env.path(QStringLiteral("privat"));
    const QString eigene = privat + QStringLiteral("/NAMEN.TIF");
    const QString neu = privat + QStringLiteral("/.profile-von-b");
    writeBytes(eigene, liste(2, "Privat"));
    besitzt(kBesitzer, privat, 0700);
    besitzt(kBesitzer, eigene, 0600);
    int i = 0;
    // To the owner's private list, to a file to be made in the owner's name; the owner's own.
    for (const auto& [ziel, von] :
         {std::pair{eigene, kAndere}, {neu, kAndere}, {eigene, kBesitzer}}) {
        const std::string pfad = bytes(ordner + QStringLiteral("/LINK%1.TIF").arg(++i));
        ASSERT_EQ(::symlink(bytes(ziel).c_str(), pfad.c_str()), 0);
        ASSERT_EQ(::lchown(pfad.c_str(), von, kVerein), 0);
        // 0: refused as another member's; 1: opened, locked and saved as the user's own.
        const auto oeffnen = [&] {
            CellStore cells(kMaxEintraege + 1);
            const LadeErgebnis geladen = NamenDateiLesen(pfad, cells);
            const bool gesperrt =
                SperreNehmen(pfad, EigeneSperre()).ergebnis == Sperrversuch::Gesetzt;
            try {
                NamenDateiSchreiben(pfad, cells);
            } catch (const DateiFehler& e) {
                const bool genannt =
                    geladen.fehler.find("den der Benutzer 61002 angelegt") != std::string::npos;
                return genannt && geladen.fehler == e.what() && !gesperrt ? 0 : 2;
            }
            return geladen.anzahl == 2 && gesperrt ? 1 : 2;
        };
        EXPECT_EQ(alsBenutzer(kBesitzer, kVerein, {}, oeffnen), von == kBesitzer) << i;
        EXPECT_EQ(readBytes(eigene), liste(2, "Privat"));
        EXPECT_FALSE(QFileInfo::exists(neu));
    }
}

TEST_F(SharedFolder, ARecordThatStaysUndoesNoLaterSave) {
    besitzt(0, ordner, 03775);     // the club's: no member may remove another's files
    besitzt(kAndere, datei, 0464); // the other member's list, which only the group may write
    const auto [name, inhalt] = aufzeichnung(datei, liste(5, "B"));
    writeBytes(ordner + u'/' + name, inhalt);
    besitzt(kAndere, ordner + u'/' + name, 0644);
    // Bit 1 for each opening that said it completed a save, bit 8 for a note in the log.
    const auto oeffnenAlsBesitzer = [&](bool speichern) {
        return alsBenutzer(kBesitzer, kVerein, {}, [&] {
            bool notiert = false;
            safewrite::setNotice([&](const std::string&) { notiert = true; });
            CellStore cells(kMaxEintraege + 1), neu(kMaxEintraege + 1);
            NamenDateiLesen(datei_(), cells);
            int ergebnis = UnterbrochenesSpeichernAbschliessen(datei_());
            if (speichern) { // in place: the list is not the user's
                NamenTextLesen(liste(7, "A"), neu);
                NamenDateiSchreiben(datei_(), neu);
                ergebnis |= int(UnterbrochenesSpeichernAbschliessen(datei_())) << 1;
            }
            return ergebnis | int(notiert) << 3;
        });
    };
    EXPECT_EQ(oeffnenAlsBesitzer(false), 8) << "applied, though its owner may not write the list";
    EXPECT_EQ(readBytes(datei), kListe);
    besitzt(kAndere, datei, 0664);
    EXPECT_EQ(oeffnenAlsBesitzer(true), 1 | 8);
    EXPECT_EQ(readBytes(datei), liste(7, "A"));
}

TEST_F(SharedFolder, AnotherMembersLockAndBackupAreSaidToBeTheirs) {
    besitzt(0, ordner, 03775);
    const QString sperre = ordner + QStringLiteral("/.NAMEN.TIF.in-bearbeitung");
    writeBytes(sperre, SperrText({"direktor", "anderswo", 1, 0, 0}));
    besitzt(kAndere, sperre, 0666); // so that the test can make it an ended session's
    writeBytes(datei + u'~', liste(1, "B"));
    besitzt(kAndere, datei + u'~', 0644);
    const int ergebnis = alsBenutzer(kBesitzer, kVerein, {}, [&] {
        const Sperrversuch lebt = SperreNehmen(datei_(), EigeneSperre());
        // Ended, and in a folder where it stays: two copies of the owner still meet.
        writeBytes(sperre, SperrText({"b", EigeneSperre().rechner, 999999999, 0, 0}));
        const Sperrversuch erste = SperreNehmen(datei_(), EigeneSperre());
        const Sperrversuch zweite = SperreNehmen(datei_(), EigeneSperre());
        Recorder gesagt;
        NamenListe liste(gesagt);
        Bearbeitung b(liste, gesagt);
        b.oeffnen(datei_());
        b.speichern(false);
        int behalten = 0; // where the note sends the user, the state the save replaced
        for (const auto& e :
             std::filesystem::recursive_directory_iterator(safewrite::stateFolder()))
            behalten += readBytes(QString::fromStdString(e.path())) == kListe;
        const bool sicherung =
            behalten && std::any_of(gesagt.notes.begin(), gesagt.notes.end(), [](auto& t) {
                return t.find("NAMEN.TIF~\x93 geh\xF6rt dem Benutzer 61002 und ist nicht die "
                              "Fassung vor "
                              "diesem Speichern. Die fr\xFC"
                              "heren Fassungen zeigt Datei \x9B") != std::string::npos;
            });
        return (lebt.fremd.benutzer == "61002" ? 0 : 1) |
               (erste.ergebnis == Sperrversuch::Gesetzt ? 0 : 2) |
               (zweite.ergebnis == Sperrversuch::Fremd ? 0 : 4) | (sicherung ? 0 : 8);
    });
    EXPECT_EQ(ergebnis, 0);
}
