// The earlier states of a list kept at each save: which, for how long, said when space runs
// out or the state folder takes nothing, and nothing in the versions folder taken for a version
// or written through that this program did not keep there.

#include "fassungen/fassungen.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/filepath.h"
#include "safewrite/safewrite.h"
#include "tests/reliability/privileges.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Wednesday, 16 December 2026, noon.
const int64_t kJetzt = QDateTime(QDate(2026, 12, 16), QTime(12, 0)).toMSecsSinceEpoch();

std::string liste(int n, const std::string& name) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int r = 1; r <= n; ++r)
        text += name + " " + std::to_string(r) + "\t \t" + std::to_string(r) + "\tN\t\r\n";
    return text;
}

std::string bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

struct Versionen : ::testing::Test {
    TempEnv env;
    QString zustand = env.path(QStringLiteral("zustand"));
    std::string pfad = bytes(env.path(QStringLiteral("NAMEN.TIF")));
    int64_t jetzt = kJetzt;
    Versionen() { qputenv("XDG_STATE_HOME", QFile::encodeName(zustand)); }

    std::unique_ptr<Fassungen> oeffnen() {
        auto f = std::make_unique<Fassungen>(pfad, [this] { return jetzt; });
        f->geoeffnet(DateiStandLesen(pfad));
        jetzt += 60000;
        return f;
    }
    std::vector<std::string> speichern(Fassungen& f, const std::string& text) {
        auto hinweise = f.vorDemSpeichern();
        writeBytes(QString::fromStdString(pfad), text);
        jetzt += 60000;
        return hinweise;
    }
    // The name of a version of `von` (the list) `tage` old, in its folder.
    std::string fassung(double tage, uint64_t summe = 0, std::string von = {}) const {
        const std::string ordner = FassungsordnerFuer(von.empty() ? pfad : von);
        QDir().mkpath(QString::fromStdString(ordner));
        return ordner + "/" + Fassungsname{jetzt - int64_t(tage * kTagMs), summe}.text();
    }
    std::vector<std::string> texte() const {
        std::vector<std::string> t;
        for (const Fassung& f : FassungenLesen(pfad))
            t.push_back(f.beschaedigt ? "<besch\xE4"
                                        "digt>"
                                      : f.text);
        return t;
    }
};

} // namespace

TEST(Ausduennen, TwoWeeksAllThenTheNewestOfEachWeekForAYearAndForSpaceTheOldestFirst) {
    struct V {
        double tage;
        int liste = 0;
        uint64_t mb = 0;
        bool neu = false;
    };
    struct Fall {
        const char* was;
        std::vector<V> fassungen;
        std::set<size_t> weg;
        int junge = 0;
        double aeltesteJunge = 0; // days
    };
    // Days back from a Wednesday noon: 15 and 16 fall on the Tuesday and Monday of the week 13
    // (Thursday) is in; 17 and 20 on the Sunday and Thursday of the week before.
    const Fall faelle[] = {
        {"two weeks: all", {{0}, {0.01}, {5}, {13.9}, {14}}, {}},
        {"the newest of its week", {{15}, {15.5}, {16}}, {1, 2}},
        {"a week the two weeks reach into", {{13}, {15}, {16}}, {1, 2}},
        {"one a week", {{17}, {20}, {24}, {27}, {31}}, {1, 3}},
        {"for a year", {{364}, {366}}, {1}},
        {"each list its own weeks", {{15, 0}, {16, 1}}, {}},
        {"space: the oldest first, then recent ones",
         {{1, 0, 30}, {2, 1, 30}, {20, 0, 1}},
         {1, 2},
         1,
         2},
        {"never the one just kept", {{0, 0, 60, true}, {1, 0, 1}, {2, 0, 1}}, {1, 2}, 2, 2},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        std::vector<Fassungsdatei> alle;
        for (const V& v : fall.fassungen)
            alle.push_back({v.liste, kJetzt - int64_t(v.tage * kTagMs), v.mb << 20, v.neu});
        const Ausduennung a = Ausduennen(alle, kJetzt);
        EXPECT_EQ(std::set<size_t>(a.entfernen.begin(), a.entfernen.end()), fall.weg);
        EXPECT_EQ(a.jungeEntfernt, fall.junge);
        if (fall.junge) {
            EXPECT_EQ(a.aeltesteJunge, kJetzt - int64_t(fall.aeltesteJunge * kTagMs));
        }
    }
    const auto donnerstag = QDateTime(QDate(2026, 12, 10), QTime(14, 5)).toSecsSinceEpoch();
    EXPECT_EQ(datetime::longDateAndTime(donnerstag),
              QStringLiteral("Donnerstag, 10. Dezember 2026, 14:05 Uhr"));
}

TEST_F(Versionen, EachSaveKeepsTheStateItReplacesTheFirstAlsoTheOneOpenedAndEachStateOnce) {
    oeffnen()->vorDemSpeichern(); // a new list: nothing to keep
    EXPECT_TRUE(texte().empty());
    const std::string a = liste(3, "Alt"), b = liste(2, "Anderes"), c = liste(4, "Neu");
    writeBytes(QString::fromStdString(pfad), a);
    const int64_t offen = jetzt;
    auto f = oeffnen();
    writeBytes(QString::fromStdString(pfad), b); // saved by another program meanwhile
    EXPECT_TRUE(speichern(*f, c).empty());
    speichern(*f, c);
    speichern(*f, c);             // the same state again
    oeffnen()->vorDemSpeichern(); // and as a new session found it
    EXPECT_EQ(texte(), (std::vector<std::string>{c, b, a}));
    const std::vector<Fassung> v = FassungenLesen(pfad);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2].zeitMs, offen);
    EXPECT_EQ(v[1].zeitMs, offen + 60000);
    EXPECT_EQ(v[0].anzahl, 4);
    const std::string ordner = FassungsordnerFuer(pfad);
    EXPECT_EQ(FassungsordnerListe(ordner), safewrite::realPath(pfad));
    struct stat st {};
    for (const std::string& p : {safewrite::stateFolder() + "/fassungen", ordner, v[0].datei}) {
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, S_ISDIR(st.st_mode) ? 0700u : 0600u) << p;
    }
}

TEST_F(Versionen, AStateFolderThatTakesNothingIsSaidOnceAndFullVersionsGoWithANote) {
    writeBytes(QString::fromStdString(pfad), liste(3, "Alt"));
    auto f = oeffnen();
    auto blockieren = [&] { // a file where the folder is to be: nothing can be written there
        QDir(zustand).removeRecursively();
        writeBytes(zustand, "kein Ordner");
    };
    blockieren();
    const std::string gesagt = "Die vorige Fassung der Gesamt-Datei kann zurzeit nicht "
                               "aufbewahrt werden: Ung\xFCltiger Dateiname";
    EXPECT_EQ(speichern(*f, liste(4, "Neu")), std::vector<std::string>{gesagt});
    EXPECT_TRUE(speichern(*f, liste(5, "Neu")).empty());
    QFile::remove(zustand);
    // Two recent versions of another list take the room: the older goes, and that is said.
    for (const double tage : {1.0, 2.0}) {
        const std::string datei = fassung(tage, 0, bytes(env.path(QStringLiteral("ANDERE.TIF"))));
        writeBytes(QString::fromStdString(datei), "");
        ASSERT_EQ(::truncate(datei.c_str(), 26 << 20), 0);
    }
    const std::string wann =
        cp1252::fromQString(datetime::longDateAndTime((jetzt - 2 * kTagMs) / 1000));
    EXPECT_EQ(speichern(*f, liste(6, "Neu")),
              std::vector<std::string>{"Fr\xFChere Fassungen der Gesamt-Dateien d\xFCrfen "
                                       "zusammen h\xF6"
                                       "chstens 50 MB belegen. Deshalb wurde die "
                                       "Fassung vom " +
                                       wann + " entfernt"});
    EXPECT_EQ(texte(), (std::vector<std::string>{liste(5, "Neu"), liste(3, "Alt")}));
    blockieren();
    EXPECT_EQ(speichern(*f, liste(7, "Neu")), std::vector<std::string>{gesagt}); // said again
}

TEST_F(Versionen, WhatElseTheFolderHoldsIsNeitherTakenForAVersionNorWrittenThrough) {
    const std::string alt = liste(3, "Alt");
    const uint64_t summe = safewrite::checksum(alt);
    auto schreiben = [](const std::string& p, const std::string& text) {
        writeBytes(QString::fromStdString(p), text);
    };
    schreiben(pfad, alt);
    // Under names its bytes would have: a link to a list elsewhere (old enough to go), a FIFO,
    // a file of another user, a 4 GiB sparse file, a version cut short.
    const std::string dort = bytes(env.path(QStringLiteral("dort.TIF"))),
                      link = fassung(400, summe);
    schreiben(dort, alt);
    ASSERT_EQ(::symlink(dort.c_str(), link.c_str()), 0);
    ASSERT_EQ(::mkfifo(fassung(1, summe).c_str(), 0600), 0);
    const std::string fremd = fassung(2, summe), riesig = fassung(3, summe);
    schreiben(fremd, alt);
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(fremd.c_str(), 61001, 61001), 0);
    else
        ::chmod(fremd.c_str(), 0); // unreadable instead
    schreiben(riesig, "");
    ASSERT_EQ(::truncate(riesig.c_str(), off_t(4) << 30), 0);
    schreiben(fassung(4, summe), alt.substr(0, 20));
    auto f = oeffnen();
    EXPECT_TRUE(speichern(*f, liste(4, "Neu")).empty());
    const std::string schaden = "<besch\xE4"
                                "digt>";
    EXPECT_EQ(texte(), (std::vector<std::string>{alt, schaden, schaden, schaden, schaden}));
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    EXPECT_EQ(readBytes(QString::fromStdString(dort)), alt);

    // A link in place of a list's folder: nothing is kept through it, and that is said.
    const std::string zweite = bytes(env.path(QStringLiteral("ZWEITE.TIF")));
    const QString anderswo = env.path(QStringLiteral("anderswo"));
    schreiben(zweite, alt);
    QDir().mkpath(anderswo);
    ASSERT_EQ(::symlink(bytes(anderswo).c_str(), FassungsordnerFuer(zweite).c_str()), 0);
    EXPECT_EQ(Fassungen(zweite).vorDemSpeichern().size(), 1u);
    EXPECT_TRUE(QDir(anderswo).isEmpty());
    EXPECT_TRUE(FassungenLesen(zweite).empty());

    if (!nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    // Another user's versions folder in one's own state folder, open to all: not used.
    const QString seins = env.path(QStringLiteral("nobody"));
    QDir().mkpath(seins + QStringLiteral("/kelmar/fassungen"));
    ::chmod(bytes(seins + QStringLiteral("/kelmar/fassungen")).c_str(), 0777);
    for (const QString& p : {seins, seins + QStringLiteral("/kelmar")})
        nobodyGehoert(p);
    ::chmod(bytes(env.home()).c_str(), 0755);
    EXPECT_EQ(alsNobody([&] {
                  qputenv("XDG_STATE_HOME", QFile::encodeName(seins));
                  const auto gesagt = Fassungen(pfad).vorDemSpeichern();
                  return gesagt.size() == 1 && gesagt[0].ends_with("Dateizugriff verweigert") &&
                                 QDir(seins + QStringLiteral("/kelmar/fassungen")).isEmpty()
                             ? 0
                             : 1;
              }),
              0);
}
