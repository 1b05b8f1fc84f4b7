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
const std::string kSchaden = "<besch\xE4"
                             "digt>";

std::string liste(int n) {
    std::string text = "GESAMT-DATEI\r\n";
    for (int r = 1; r <= n; ++r)
        text += "Name " + std::to_string(r) + "\t \t" + std::to_string(r) + "\tN\t\r\n";
    return text;
}

std::string bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void schreiben(const std::string& pfad, const std::string& text) {
    writeBytes(QString::fromStdString(pfad), text);
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
    // As the session saves: keeping first, then the list with n entries.
    std::vector<std::string> speichern(Fassungen& f, int n) {
        auto hinweise = f.vorDemSpeichern();
        schreiben(pfad, liste(n));
        f.nachDemSpeichern();
        jetzt += 60000;
        return hinweise;
    }
    // Where a version of the list `von`, `tage` old, is kept.
    std::string fassung(double tage, const std::string& text, uint64_t groesse = 0,
                        const std::string& von = {}) const {
        const std::string ordner = FassungsordnerFuer(von.empty() ? pfad : von);
        QDir().mkpath(QString::fromStdString(ordner));
        const Fassungsname name{jetzt - int64_t(tage * kTagMs), safewrite::checksum(text),
                                groesse ? groesse : text.size()};
        return ordner + "/" + name.text();
    }
    std::vector<std::string> texte() const {
        std::vector<std::string> t;
        for (const Fassung& f : FassungenLesen(pfad))
            t.push_back(f.beschaedigt ? kSchaden : f.text);
        return t;
    }
};

} // namespace

TEST(Ausduennen, TwoWeeksAllThenTheNewestOfEachWeekForAYearAndForSpaceTheOldestFirst) {
    auto v = [](double tage, int liste = 0, uint64_t mb = 0, bool neu = false) {
        return Fassungsdatei{liste, kJetzt - int64_t(tage * kTagMs), mb << 20, neu};
    };
    struct Fall {
        const char* was;
        std::vector<Fassungsdatei> fassungen;
        std::set<size_t> weg;
        int junge = 0;
        double aeltesteJunge = 0; // days
    };
    // Days back from a Wednesday noon: 15 and 16 fall on the Tuesday and Monday of the week 13
    // (Thursday) is in; 17 and 20 on the Sunday and Thursday of the week before.
    const Fall faelle[] = {
        {"two weeks: all", {v(0), v(0.01), v(5), v(13.9), v(14)}, {}},
        {"the newest of its week", {v(15), v(15.5), v(16)}, {1, 2}},
        {"a week the two weeks reach into", {v(13), v(15), v(16)}, {1, 2}},
        {"one a week", {v(17), v(20), v(24), v(27), v(31)}, {1, 3}},
        {"for a year", {v(364), v(366)}, {1}},
        {"each list its own weeks", {v(15, 0), v(16, 1)}, {}},
        {"space: the oldest first", {v(1, 0, 30), v(2, 1, 30), v(20, 0, 1)}, {1, 2}, 1, 2},
        {"never the one just kept", {v(0, 0, 60, true), v(1, 0, 1), v(2, 0, 1)}, {1, 2}, 2, 2},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        const Ausduennung a = Ausduennen(fall.fassungen, kJetzt);
        EXPECT_EQ(std::set<size_t>(a.entfernen.begin(), a.entfernen.end()), fall.weg);
        EXPECT_EQ(a.jungeEntfernt, fall.junge);
        EXPECT_EQ(a.aeltesteJunge, fall.junge ? kJetzt - int64_t(fall.aeltesteJunge * kTagMs) : 0);
    }
    const auto donnerstag = QDateTime(QDate(2026, 12, 10), QTime(14, 5)).toSecsSinceEpoch();
    EXPECT_EQ(datetime::longDateAndTime(donnerstag),
              QStringLiteral("Donnerstag, 10. Dezember 2026, 14:05 Uhr"));
}

TEST_F(Versionen, EachSaveKeepsTheStateItReplacesTheFirstAlsoTheOneOpenedAndEachStateOnce) {
    oeffnen()->vorDemSpeichern(); // a new list: nothing to keep
    EXPECT_TRUE(texte().empty());
    schreiben(pfad, liste(3));
    const int64_t offen = jetzt;
    auto f = oeffnen();
    schreiben(pfad, liste(2)); // saved by another program meanwhile
    EXPECT_TRUE(speichern(*f, 4).empty());
    speichern(*f, 4);
    speichern(*f, 4);             // the same state again
    oeffnen()->vorDemSpeichern(); // and as a new session found it
    EXPECT_EQ(texte(), (std::vector{liste(4), liste(2), liste(3)}));
    std::vector<int> gezeigt; // the entries handed over for comparing, version by version
    const std::vector<Fassung> v = FassungenLesen(
        pfad, [&](const Fassung&, const CellTable& z) { gezeigt.push_back(z.rowCount() - 1); });
    EXPECT_EQ(gezeigt.size(), 3u);
    EXPECT_EQ(std::set<int>(gezeigt.begin(), gezeigt.end()), (std::set{2, 3, 4}));
    EXPECT_EQ(v[2].zeitMs, offen);
    EXPECT_EQ(v[0].anzahl, 4);
    EXPECT_EQ(FassungsordnerListe(FassungsordnerFuer(pfad)), safewrite::realPath(pfad));
    struct stat st {};
    for (const std::string& p : {FassungsordnerFuer(pfad), v[0].datei}) {
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, S_ISDIR(st.st_mode) ? 0700u : 0600u) << p;
    }
}

TEST_F(Versionen, AStateFolderThatTakesNothingIsSaidOnceAndFullVersionsGoWithANote) {
    schreiben(pfad, liste(3));
    auto f = oeffnen();
    auto blockieren = [&] { // a file where the folder is to be: nothing can be written there
        QDir(zustand).removeRecursively();
        writeBytes(zustand, "kein Ordner");
    };
    blockieren();
    const std::vector<std::string> gesagt{"Die vorige Fassung der Gesamt-Datei kann zurzeit nicht "
                                          "aufbewahrt werden: Ung\xFCltiger Dateiname"};
    EXPECT_EQ(speichern(*f, 4), gesagt);
    EXPECT_TRUE(speichern(*f, 5).empty());
    QFile::remove(zustand);
    // Two recent versions of another list take the room: the older goes, and that is said.
    for (const double tage : {1.0, 2.0}) {
        const std::string datei =
            fassung(tage, "", 26 << 20, bytes(env.path(QStringLiteral("ANDERE.TIF"))));
        schreiben(datei, "");
        ASSERT_EQ(::truncate(datei.c_str(), 26 << 20), 0);
    }
    const std::string wann =
        cp1252::fromQString(datetime::longDateAndTime((jetzt - 2 * kTagMs) / 1000));
    EXPECT_EQ(speichern(*f, 6),
              std::vector<std::string>{"Fr\xFChere Fassungen der Gesamt-Dateien d\xFCrfen zusammen "
                                       "h\xF6"
                                       "chstens 50 MB belegen. Deshalb wurde die Fassung vom " +
                                       wann + " entfernt"});
    EXPECT_EQ(texte(), (std::vector{liste(5), liste(3)})); // the opened state is kept late
    blockieren();
    EXPECT_EQ(speichern(*f, 7), gesagt); // said again
}

TEST_F(Versionen, WhatElseTheFolderHoldsIsNeitherTakenForAVersionNorWrittenThrough) {
    const std::string alt = liste(3);
    schreiben(pfad, alt);
    // Under names its bytes would have: a link to a list elsewhere (old enough to go), a FIFO,
    // a file of another user, a 4 GiB sparse file, a version cut short.
    const std::string dort = bytes(env.path(QStringLiteral("dort.TIF"))), link = fassung(400, alt);
    schreiben(dort, alt);
    ASSERT_EQ(::symlink(dort.c_str(), link.c_str()), 0);
    ASSERT_EQ(::mkfifo(fassung(1, alt).c_str(), 0600), 0);
    const std::string fremd = fassung(2, alt), riesig = fassung(3, alt);
    schreiben(fremd, alt);
    ASSERT_EQ(::geteuid() == 0 ? ::chown(fremd.c_str(), 61001, 61001) : ::chmod(fremd.c_str(), 0),
              0);
    schreiben(riesig, "");
    ASSERT_EQ(::truncate(riesig.c_str(), off_t(4) << 30), 0);
    schreiben(fassung(4, alt), alt.substr(0, 20));
    auto f = oeffnen();
    EXPECT_TRUE(speichern(*f, 4).empty());
    EXPECT_EQ(texte(), (std::vector{alt, kSchaden, kSchaden, kSchaden, kSchaden}));
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    EXPECT_EQ(readBytes(QString::fromStdString(dort)), alt);

    // A link in place of a list's folder: nothing is kept through it, and that is said.
    const QString anderswo = env.path(QStringLiteral("anderswo"));
    QDir().mkpath(anderswo);
    ASSERT_EQ(::symlink(bytes(anderswo).c_str(), FassungsordnerFuer(dort).c_str()), 0);
    EXPECT_EQ(Fassungen(dort).vorDemSpeichern().size(), 1u);
    EXPECT_TRUE(QDir(anderswo).isEmpty());
    EXPECT_TRUE(FassungenLesen(dort).empty());

    if (!nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    // Another user's versions folder in one's own state folder, open to all: not used.
    const QString seins = env.path(QStringLiteral("nobody")),
                  fremder = seins + QStringLiteral("/kelmar/fassungen");
    QDir().mkpath(fremder);
    ::chmod(bytes(fremder).c_str(), 0777);
    for (const QString& p : {seins, seins + QStringLiteral("/kelmar")})
        nobodyGehoert(p);
    ::chmod(bytes(env.home()).c_str(), 0755);
    EXPECT_EQ(alsNobody([&] {
                  qputenv("XDG_STATE_HOME", QFile::encodeName(seins));
                  const auto gesagt = Fassungen(pfad).vorDemSpeichern();
                  return gesagt.size() == 1 && gesagt[0].ends_with("Dateizugriff verweigert") &&
                         QDir(fremder).isEmpty();
              }),
              1);
}
