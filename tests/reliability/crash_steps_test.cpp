// Every way a file is written, stopped before each of its file operations in turn: the next
// start must find the old or the new content byte for byte, say so when it completed a write,
// and find nothing else changed in the folder. The recovery data of unsaved changes, written
// at a step or taken over after a crash, must be offered whole at the next start.

#include "cells/cellstore.h"
#include "editor/bearbeitung.h"
#include "fassungen/fassungen.h"
#include "namefile/namefile.h"
#include "platform/profile.h"
#include "print/druckermodul.h"
#include "runlog/runlog.h"
#include "safewrite/crashsteps.h"
#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"
#include "sitzung/wiederherstellung.h"
#include "tabelle/schreiben.h"
#include "tests/print/aufzeichnung.h"
#include "tests/reliability/privileges.h"
#include "tests/tabelle/namensliste.h"
#include "tests/testsupport/recorder.h"
#include "tests/testsupport/tempenv.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string liste(int n, const std::string& name) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int r = 1; r <= n; ++r)
        text += name + " " + std::to_string(r) + "\t \t" + std::to_string(r) + "\tN\t" +
                std::to_string(4000 + r) + "\r\n";
    return text;
}

// When the versions are kept.
const int64_t kJetzt = QDateTime(QDate(2026, 12, 16), QTime(12, 0)).toMSecsSinceEpoch();
const std::string kAlt = liste(997, "Alt"), kNeu = liste(1000, "Neu"), kVorher = liste(3, "Vorher");
const std::string kIniAlt = "; Turnierprogramm\r\n[KELMAR]\r\nFont=Arial\r\n[Fenster - Gesamt]\r\n"
                            "Left=40\r\n";
const std::string kIniNeu = "; Turnierprogramm\r\n[KELMAR]\r\nFont=Arial\r\n[Fenster - Gesamt]\r\n"
                            "Left=5\r\n";

struct Pfad {
    const char* name;
    bool einstellungen = false;
    bool gibtEs = true;       // the file exists before the save
    bool sicherung = false;   // an older backup lies beside it
    bool zweiterName = false; // a hard link to it in the same folder
    bool ordnerZu = false;    // the folder takes no new file; saved by "nobody"
    bool sperre = false;      // the lock beside an opened list, instead of the list
    enum { Datei, Schreiber, Uebernahme } sitzung = Datei; // or the unsaved changes' data
    bool pdf = false;       // a printout saved as PDF, instead of the list
    bool sperreWeg = false; // the lock removed as a session ends (it lies there before)
    bool tabelle = false;   // the list saved as a table, over an older one
    bool fassung = false;   // the list, keeping its earlier state as a version first
    bool logdatei = false;  // the run log opened, instead of the list
};

const std::string kPdfAlt = "%PDF-1.4 die vorige Liste\n%%EOF\n";
const std::string kLogNeu = "Logdatei ge\xF6"
                            "ffnet: ",
                  kLogAlt = kLogNeu + "08.12.2026 14:05:09\r\n*** Gesamtdatei bearbeiten\r\n";
const std::string kPdfNeu = "%PDF-1.4 " + std::string(5000, 'x') + "\n%%EOF\n";

const std::vector<tabelle::Schreibzeile> kTabelleNeu = namensliste(1000);
std::string tabelleAus(const std::vector<tabelle::Schreibzeile>& zeilen) {
    return tabelle::schreibenAlsBytes({QStringLiteral("NAMEN"), kKopf, zeilen},
                                      tabelle::Format::Xlsx)
        .bytes.toStdString();
}
const std::string kTabelleAlt = tabelleAus(namensliste(3)),
                  kTabelleNeuBytes = tabelleAus(kTabelleNeu);

// Draws into its file as a PDF printer does, outside the program's own writes.
struct PdfEntwurf : Aufzeichnung {
    std::string pfad;
    explicit PdfEntwurf(std::string p) : pfad(std::move(p)) {}
    void endDoc() override {
        Aufzeichnung::endDoc();
        std::ofstream(pfad, std::ios::binary) << kPdfNeu;
    }
};

const Sperre kSperre{"petra", "vereinsheim", 1, 2, 3};
const std::string kSperreText = "Benutzer=petra\nRechner=vereinsheim\nProzess=1\nStart=2\nSeit=3\n";
const std::string kWeg = "<unreadable>"; // what readBytes gives where no file is

// What the child saving ended with: its exit code, -1 where a stop killed it.
int ende(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        return -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 254) << "saving failed";
    return WEXITSTATUS(status);
}

struct CrashSteps : ::testing::TestWithParam<Pfad> {
    TempEnv env;
    QString ordner = env.path(QStringLiteral("verein"));
    QString zustand = env.path(QStringLiteral("zustand"));
    const Pfad& p = GetParam();

    QString datei() const {
        if (p.sperre)
            return ordner + QStringLiteral("/.NAMEN.TIF.in-bearbeitung");
        if (p.pdf)
            return ordner + QStringLiteral("/NAMEN.pdf");
        if (p.tabelle)
            return ordner + QStringLiteral("/NAMEN.xlsx");
        if (p.logdatei)
            return ordner + QStringLiteral("/gesamt.log");
        return p.einstellungen ? env.configDir() + QStringLiteral("/KELMAR.INI")
                               : ordner + QStringLiteral("/NAMEN.TIF");
    }
    QString dort() const { return p.einstellungen ? env.configDir() : ordner; }
    std::string alt() const {
        return p.tabelle         ? kTabelleAlt
               : p.pdf           ? kPdfAlt
               : p.logdatei      ? kLogAlt
               : p.sperreWeg     ? kSperreText
               : p.einstellungen ? kIniAlt
                                 : kAlt;
    }
    // The old or the new content; a log also empty before its first line, but a second name of
    // another file is never emptied.
    bool inhaltErlaubt(const std::string& jetzt) const {
        if (p.logdatei && !p.zweiterName && (jetzt.empty() || jetzt.starts_with(kLogNeu)))
            return true;
        return jetzt == alt() || (!p.logdatei && jetzt == neu());
    }
    std::string neu() const {
        return p.tabelle         ? kTabelleNeuBytes
               : p.pdf           ? kPdfNeu
               : p.sperreWeg     ? kWeg
               : p.sperre        ? kSperreText
               : p.einstellungen ? kIniNeu
                                 : kNeu;
    }
    std::string liste() const { return bytes(ordner + QStringLiteral("/NAMEN.TIF")); }

    static std::string bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

    void vorbereiten() {
        for (const QString& d : {dort(), zustand, env.path(QStringLiteral("entwurf"))}) {
            ::chmod(bytes(d).c_str(), 0755);
            QDir(d).removeRecursively();
            QDir().mkpath(d);
        }
        ::setenv("XDG_STATE_HOME", bytes(zustand).c_str(), 1);
        if (p.gibtEs)
            writeBytes(datei(), alt());
        if (p.sicherung)
            writeBytes(datei() + u'~', kVorher);
        if (p.fassung) // one version to stay, one to go for its age
            for (const int64_t tage : {2, 400})
                writeBytes(QString::fromStdString(FassungsordnerFuer(liste()) + "/" +
                                                  Fassungsname{kJetzt - tage * kTagMs,
                                                               safewrite::checksum(kVorher),
                                                               kVorher.size()}
                                                      .text()),
                           kVorher);
        if (p.zweiterName) {
            const QString zweiter = dort() + QStringLiteral("/Verein.tif");
            ASSERT_EQ(::link(bytes(datei()).c_str(), bytes(zweiter).c_str()), 0);
        }
        if (p.ordnerZu) {
            ::chmod(bytes(env.home()).c_str(), 0755);
            for (const QString& x : {dort(), datei(), zustand})
                nobodyGehoert(x);
            ::chmod(bytes(dort()).c_str(), 0555);
        }
    }

    // Saves in a child process that ends before its n-th file operation (0: never); the
    // number of operations when it was not stopped.
    int speichern(int n) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (p.ordnerZu) {
                const passwd* pw = ::getpwnam("nobody");
                if (!pw || ::setgid(pw->pw_gid) != 0 || ::setuid(pw->pw_uid) != 0)
                    ::_exit(255);
            }
            std::optional<Wiederherstellungsdaten> gefunden;
            std::optional<Wiederherstellung> w;
            std::optional<Fassungen> fassungen;
            if (p.fassung) {
                fassungen.emplace(liste(), [] { return kJetzt; });
                fassungen->geoeffnet(DateiStandLesen(liste()));
            }
            if (p.sitzung != Pfad::Datei) {
                // A step already written, or the changes of a session that crashed found.
                gefunden = WiederherstellungFinden(liste());
                w.emplace(liste(), DateiStandLesen(liste()));
                if (p.sitzung == Pfad::Schreiber) {
                    w->aendern(kAlt);
                    w->warten();
                }
            }
            safewrite::testing::killBefore(n);
            bool ok = true;
            if (p.sitzung == Pfad::Schreiber) {
                w->aendern(kNeu);
                w->warten();
            } else if (p.sitzung == Pfad::Uebernahme) {
                ok = gefunden && w->uebernehmen(*gefunden);
            } else if (p.sperreWeg) {
                Sperre eigene = kSperre; // whose it is says its owner
                eigene.benutzer = EigeneSperre().benutzer;
                SperreEntfernen(liste(), eigene);
            } else if (p.sperre) {
                ok = SperreSetzen(liste(), kSperre);
            } else if (p.pdf) {
                ::setenv("TMPDIR", bytes(env.path(QStringLiteral("entwurf"))).c_str(), 1);
                Recorder said;
                const auto seite = [](Zeichenflaeche& f) {
                    f.beginDoc();
                    f.endDoc();
                    return 1;
                };
                ok = PdfSpeichern(bytes(datei()), seite, said, [](const std::string& entwurf) {
                         return std::make_unique<PdfEntwurf>(entwurf);
                     }) == 1;
            } else if (p.tabelle) {
                ok =
                    tabelle::schreiben(datei(), {QStringLiteral("NAMEN"), kKopf, kTabelleNeu}).ok();
            } else if (p.logdatei) {
                ok = LogOeffnen(bytes(datei()));
            } else if (p.einstellungen) {
                ok = Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5");
            } else {
                CellStore cells(kMaxEintraege + 1);
                NamenTextLesen(kNeu, cells);
                if (fassungen)
                    fassungen->vorDemSpeichern();
                try {
                    NamenDateiSchreiben(bytes(datei()), cells);
                } catch (const DateiFehler&) {
                    ok = false;
                }
                if (fassungen)
                    fassungen->nachDemSpeichern();
            }
            fassungen.reset(); // its versions reach the disk behind the save
            ::_exit(ok ? safewrite::testing::operations() : 254);
        }
        return ende(child);
    }

    bool aufzeichnungDa() const {
        for (const QString& d : {dort(), zustand + QStringLiteral("/kelmar")})
            if (!QDir(d)
                     .entryList({QStringLiteral(".gesamt-*.neu")}, QDir::Files | QDir::Hidden)
                     .isEmpty())
                return true;
        return false;
    }

    // Opens the file as the program does; true when it said that it completed a save.
    bool oeffnen() {
        if (p.logdatei)
            return false;
        if (p.pdf || p.tabelle) {
            safewrite::recover(bytes(datei())); // what the next export of it does first
            return false;
        }
        if (p.sperre) {
            safewrite::recover(bytes(datei())); // what setting a lock does first
            Sperre gesetzt = kSperre;           // whose it is says its owner
            gesetzt.benutzer = EigeneSperre().benutzer;
            EXPECT_TRUE(!SperreLesen(liste()) || SperreLesen(liste()) == gesetzt);
            return false;
        }
        if (p.einstellungen) {
            Profile::load("KELMAR.INI");
            return false;
        }
        // A read that only looks changes nothing, but says that a save waits to be completed.
        const std::string vorher = readBytes(datei());
        const bool aufzeichnung = aufzeichnungDa();
        CellStore cells(kMaxEintraege + 1);
        EXPECT_EQ(NamenDateiLesen(bytes(datei()), cells).unterbrochen, aufzeichnung);
        EXPECT_EQ(readBytes(datei()), vorher);
        EXPECT_EQ(aufzeichnungDa(), aufzeichnung);
        return UnterbrochenesSpeichernAbschliessen(bytes(datei()));
    }

    // The versions: the state the save replaced whole or not at all, the recent one kept, the
    // old one there or gone; what a crash left of a write goes at the next save.
    void fassungenPruefen(bool fertig) {
        std::vector<std::string> t;
        for (const Fassung& f : FassungenLesen(liste()))
            t.push_back(f.beschaedigt ? "<damaged>" : f.text);
        const std::vector<std::string> ganz{kAlt, kVorher}, davor{kVorher, kVorher},
            beide{kAlt, kVorher, kVorher};
        EXPECT_TRUE(t == ganz || (!fertig && (t == beide || t == davor)));
        Fassungen(liste(), [] { return kJetzt + 1; }).vorDemSpeichern();
        EXPECT_TRUE(QDir(QString::fromStdString(FassungsordnerFuer(liste())))
                        .entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden)
                        .isEmpty());
    }

    QStringList daten() const {
        return QDir(zustand + QStringLiteral("/kelmar")).entryList(QDir::Files | QDir::Hidden);
    }

    // The recovery data: a step's write, or a take-over, stopped anywhere.
    void ungespeichertes() {
        Wiederherstellungsdaten abgestuerzt;
        abgestuerzt.datei = liste();
        abgestuerzt.sitzung = kSperre; // another host's process number, ended on this one
        abgestuerzt.sitzung.rechner = EigeneSperre().rechner;
        abgestuerzt.sitzung.prozess = 999999999;
        abgestuerzt.text = kNeu; // what was typed
        auto anfangen = [&] {
            vorbereiten();
            if (p.sitzung == Pfad::Uebernahme) {
                safewrite::makeStateFolder();
                writeBytes(QString::fromStdString(WiederherstellungsdateiFuer(liste(), 999999999)),
                           WiederherstellungsText(abgestuerzt));
            }
        };
        anfangen();
        const int schritte = speichern(0);
        ASSERT_GT(schritte, 2);
        EXPECT_EQ(daten().size(), 1) << daten().join(u' ').toStdString();
        for (int n = 1; n <= schritte + 1; ++n) {
            SCOPED_TRACE("stopped before operation " + std::to_string(n));
            anfangen();
            ASSERT_EQ(speichern(n), n <= schritte ? -1 : schritte);
            // The next start offers whole data, and leaves no temporary file of them.
            const std::optional<Wiederherstellungsdaten> angeboten =
                WiederherstellungFinden(liste());
            ASSERT_TRUE(angeboten) << "the typed changes are lost";
            if (p.sitzung == Pfad::Uebernahme) {
                EXPECT_EQ(angeboten->text, kNeu);
            } else {
                EXPECT_TRUE(angeboten->text == kAlt || angeboten->text == kNeu);
            }
            for (const QString& f : daten())
                EXPECT_TRUE(f.endsWith(QStringLiteral(".ungespeichert"))) << f.toStdString();
            // Taken over again, they are this session's alone: no copy is offered once more.
            if (p.sitzung == Pfad::Uebernahme) {
                Wiederherstellung wieder(liste(), DateiStandLesen(liste()));
                ASSERT_TRUE(wieder.uebernehmen(*angeboten));
                EXPECT_FALSE(WiederherstellungFinden(liste()));
                wieder.verwerfen();
                wieder.warten();
                EXPECT_TRUE(daten().isEmpty());
            }
            // Saving them gives the bytes that were typed.
            CellStore cells(kMaxEintraege + 1);
            NamenTextLesen(angeboten->text, cells);
            NamenDateiSchreiben(liste(), cells);
            EXPECT_EQ(readBytes(datei()), angeboten->text);
        }
    }
};

TEST_P(CrashSteps, AStopBeforeAnyFileOperationLeavesTheOldOrTheNewFileAndNothingElse) {
    if (p.ordnerZu && !nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    if (p.sitzung != Pfad::Datei)
        return ungespeichertes();
    vorbereiten();
    const int schritte = speichern(0);
    ASSERT_GT(schritte, p.sperreWeg ? 1 : 2);
    ASSERT_TRUE(inhaltErlaubt(readBytes(datei())) && (p.logdatei || readBytes(datei()) == neu()));
    if (p.fassung)
        fassungenPruefen(true);
    const QString name = QFileInfo(datei()).fileName();
    std::set<QString> erlaubt{name, name + u'~', QStringLiteral("gesamt.lo1")}, noetig{name};
    if (p.zweiterName)
        noetig.insert(QStringLiteral("Verein.tif"));
    if (p.sicherung)
        noetig.insert(name + u'~');
    if (p.sperreWeg)
        noetig.erase(name);
    erlaubt.insert(noetig.begin(), noetig.end());
    if (p.einstellungen || p.ordnerZu || p.sperre || p.pdf || p.tabelle || p.logdatei)
        erlaubt.erase(name + u'~');
    if (!p.logdatei || !p.zweiterName)
        erlaubt.erase(QStringLiteral("gesamt.lo1")); // where the log goes instead

    int abgeschlossen = 0;
    for (int n = 1; n <= schritte; ++n) {
        SCOPED_TRACE("stopped before operation " + std::to_string(n));
        vorbereiten();
        ASSERT_EQ(speichern(n), -1);
        const bool aufzeichnung = aufzeichnungDa();
        // Said only where the write was not through yet: a record of content the file already
        // holds is merely removed.
        const bool offen = aufzeichnung && readBytes(datei()) != neu();
        EXPECT_EQ(oeffnen(), offen && !p.einstellungen && !p.sperre);
        abgeschlossen += aufzeichnung;

        const std::string jetzt = readBytes(datei());
        if (p.gibtEs || jetzt != "<unreadable>") {
            EXPECT_TRUE(inhaltErlaubt(jetzt)) << jetzt.size() << " bytes";
        }
        if (aufzeichnung) {
            EXPECT_EQ(jetzt, neu());
        }
        const QStringList da = QDir(dort()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& f : da)
            EXPECT_TRUE(erlaubt.count(f)) << f.toStdString() << " left in the folder";
        for (const QString& f : noetig)
            EXPECT_TRUE(da.contains(f) || (!p.gibtEs && f == name)) << f.toStdString() << " gone";
        EXPECT_TRUE(QDir(zustand + QStringLiteral("/kelmar"))
                        .entryList(QDir::Files | QDir::Hidden)
                        .isEmpty());
        if (da.contains(name + u'~')) {
            const std::string sicherung = readBytes(datei() + u'~');
            EXPECT_TRUE(sicherung == alt() || (p.sicherung && sicherung == kVorher));
        }
        // The list never looks as if it had more names than it has.
        struct stat st {};
        if (::stat(bytes(datei()).c_str(), &st) == 0) {
            EXPECT_EQ(st.st_nlink, p.zweiterName ? 2u : 1u);
        }
        if (p.fassung)
            fassungenPruefen(false);
    }
    // An in-place write has steps a crash leaves for the next start to complete.
    EXPECT_EQ(abgeschlossen > 0, (p.zweiterName || p.ordnerZu) && !p.logdatei);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPath, CrashSteps,
    ::testing::Values(
        Pfad{"NeueListe", false, false}, Pfad{"Ersetzen"},
        Pfad{"NebenSicherung", false, true, true}, Pfad{"HarterVerweis", false, true, true, true},
        Pfad{"OrdnerOhneNeueDatei", false, true, false, false, true}, Pfad{"Einstellungen", true},
        Pfad{"EinstellungenHarterVerweis", true, true, false, true},
        Pfad{"EinstellungenOrdnerZu", true, true, false, false, true},
        Pfad{"Sperre", false, false, false, false, false, true},
        Pfad{"SperreEntfernen", false, true, false, false, false, true, Pfad::Datei, false, true},
        Pfad{"Wiederherstellungsschreiber", false, true, false, false, false, false,
             Pfad::Schreiber},
        Pfad{"Uebernahme", false, true, false, false, false, false, Pfad::Uebernahme},
        Pfad{"PdfDatei", false, true, false, false, false, false, Pfad::Datei, true},
        Pfad{.name = "Tabelle", .tabelle = true}, Pfad{.name = "Fassung", .fassung = true}),
    [](const auto& info) { return std::string(info.param.name); });

// Opening the run log: never emptied through another file's name.
INSTANTIATE_TEST_SUITE_P(
    RunLog, CrashSteps,
    ::testing::Values(Pfad{.name = "Logdatei", .logdatei = true},
                      Pfad{.name = "LogdateiZweiterName", .zweiterName = true, .logdatei = true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

// Saving under another name, stopped before each of its file operations: the typed changes are
// in the new file, or still offered at the old list at the next start; the old file stays.
TEST(SaveUnderAnotherName,
     AStopBeforeAnyFileOperationLeavesTheChangesInTheNewFileOrOfferedAtTheOld) {
    TempEnv env;
    const QString zustand = env.path(QStringLiteral("zustand"));
    const QString alteDatei = env.path(QStringLiteral("alt/NAMEN.TIF"));
    const QString neueDatei = env.path(QStringLiteral("neu/NAMEN.TIF"));
    const std::string alt = QFile::encodeName(alteDatei).toStdString();
    const std::string neu = QFile::encodeName(neueDatei).toStdString();
    std::string getippt = kAlt;
    getippt.replace(getippt.find("Alt 1\t"), 6, "Neu\t");
    auto vorbereiten = [&] {
        for (const QString& d :
             {zustand, QFileInfo(alteDatei).path(), QFileInfo(neueDatei).path()}) {
            QDir(d).removeRecursively();
            QDir().mkpath(d);
        }
        ::setenv("XDG_STATE_HOME", QFile::encodeName(zustand).constData(), 1);
        writeBytes(alteDatei, kAlt);
    };
    // The number of file operations when it was not stopped; -1 when it was.
    auto speichern = [&](int n) {
        const pid_t child = ::fork();
        if (child == 0) {
            Recorder said;
            NamenListe liste(said);
            Bearbeitung sitzung(liste, said);
            if (!sitzung.oeffnen(alt))
                ::_exit(254);
            liste.zelleSchreiben(kSpalteName, 1, "Neu");
            const std::string daten = WiederherstellungsdateiFuer(alt, long(::getpid()));
            for (int warten = 0; warten < 500 && !QFile::exists(QString::fromStdString(daten));
                 ++warten)
                ::usleep(10000);
            safewrite::testing::killBefore(n);
            const bool ok = sitzung.speichernUnter(neu, true);
            ::_exit(ok ? safewrite::testing::operations() : 254);
        }
        return ende(child);
    };
    vorbereiten();
    const int schritte = speichern(0);
    ASSERT_GT(schritte, 3);
    EXPECT_EQ(readBytes(neueDatei), getippt);
    EXPECT_FALSE(WiederherstellungFinden(alt)) << "the changes saved elsewhere are offered again";
    for (int n = 1; n <= schritte; ++n) {
        SCOPED_TRACE("stopped before operation " + std::to_string(n));
        vorbereiten();
        ASSERT_EQ(speichern(n), -1);
        EXPECT_EQ(readBytes(alteDatei), kAlt);
        if (readBytes(neueDatei) == getippt)
            continue;
        const std::optional<Wiederherstellungsdaten> angeboten = WiederherstellungFinden(alt);
        ASSERT_TRUE(angeboten) << "the typed changes are lost";
        EXPECT_EQ(angeboten->text, getippt);
    }
}
