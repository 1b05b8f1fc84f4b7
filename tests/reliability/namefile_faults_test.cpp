#include "cells/cellstore.h"
#include "namefile/namefile.h"
#include "runlog/runlog.h"
#include "tests/reliability/privileges.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

CellStore liste(int n, const std::string& name) {
    CellStore cells(n + 1);
    for (int r = 1; r <= n; ++r) {
        cells.setCell(0, r, std::to_string(r));
        cells.setCell(1, r, name + " " + std::to_string(r));
        cells.setCell(2, r, "N");
        cells.setCell(3, r, std::to_string(4000 + r));
    }
    return cells;
}

} // namespace

TEST(Faults, KilledInTheMiddleOfSavingLeavesTheOldOrTheNewFile) {
    TempEnv env;
    const std::string path = env.path(QStringLiteral("NAMEN.TIF")).toStdString();
    const CellStore a = liste(1000, "Alt"), b = liste(1000, "Neu");
    const std::string textA = NamenDateiText(a), textB = NamenDateiText(b);
    NamenDateiSchreiben(path, a);
    NamenDateiSchreiben(path, a); // with its backup from the start
    std::mt19937 rng(7);
    int killedWhileWriting = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                NamenDateiSchreiben(path, i % 2 ? a : b);
        }
        ::usleep(useconds_t(rng() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        // A temporary file left behind means the kill hit a save half-way.
        const QStringList others = {QStringLiteral("NAMEN.TIF"), QStringLiteral("NAMEN.TIF~")};
        if (QDir(env.home()).entryList(QDir::Files | QDir::Hidden) != others)
            ++killedWhileWriting;
        CellStore cells(kMaxEintraege + 1);
        UnterbrochenesSpeichernAbschliessen(path); // as the next start does
        NamenDateiLesen(path, cells);
        const std::string now = readBytes(QString::fromStdString(path));
        ASSERT_TRUE(now == textA || now == textB)
            << "round " << round << ": " << now.size() << " bytes";
        ASSERT_EQ(QDir(env.home()).entryList(QDir::Files | QDir::Hidden), others)
            << "round " << round;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        ASSERT_EQ(st.st_nlink, 1u) << "round " << round; // the next save must not go in place
    }
    EXPECT_GT(killedWhileWriting, 0) << "no kill landed inside a save";
}

TEST(Faults, AWriteProtectedFileIsRefusedAndAWritableOneInAReadOnlyFolderIsSavedInPlace) {
    if (!nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    TempEnv env;
    const QString folder = env.path(QStringLiteral("verein"));
    QDir().mkdir(folder);
    const QString file = folder + QStringLiteral("/NAMEN.TIF");
    const CellStore alt = liste(3, "Alt");
    NamenDateiSchreiben(file.toStdString(), alt);
    ::chmod(env.home().toLocal8Bit().constData(), 0755);
    nobodyGehoert(folder);
    nobodyGehoert(file);
    const CellStore neu = liste(5, "Neu");
    auto versuch = [&] {
        return alsNobody([&] {
            try {
                NamenDateiSchreiben(file.toStdString(), neu);
                return 0;
            } catch (const DateiFehler& e) {
                return e.code();
            }
        });
    };
    ::chmod(file.toLocal8Bit().constData(), 0444);
    EXPECT_EQ(versuch(), 5); // the rename would have got round the protection
    EXPECT_EQ(readBytes(file), NamenDateiText(alt));
    ::chmod(file.toLocal8Bit().constData(), 0644);
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    EXPECT_EQ(versuch(), 0);
    EXPECT_EQ(readBytes(file), NamenDateiText(neu));
    // Nothing new in the folder: no backup, no temporary file.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("NAMEN.TIF")});
}

TEST(Faults, TwoUsersOfASharedFolderSaveTheListInTurnAndItStaysTheirs) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    constexpr unsigned kErste = 61001, kZweite = 61002, kVerein = 61010;
    TempEnv env;
    ::chmod(env.home().toLocal8Bit().constData(), 0755);
    const QString folder = env.path(QStringLiteral("verein"));
    QDir().mkdir(folder);
    const QString file = folder + QStringLiteral("/NAMEN.TIF");
    NamenDateiSchreiben(file.toStdString(), liste(2, "Start"));
    for (const QString& p : {folder, file})
        ASSERT_EQ(::chown(p.toLocal8Bit().constData(), kErste, kVerein), 0);
    ::chmod(folder.toLocal8Bit().constData(), 0775);
    ::chmod(file.toLocal8Bit().constData(), 0664);
    auto speichern = [&](unsigned uid, int n) {
        return alsBenutzer(uid, uid, {kVerein}, [&] {
            ::umask(022);
            try {
                NamenDateiSchreiben(file.toStdString(), liste(n, "Neu"));
                return 0;
            } catch (const DateiFehler& e) {
                return e.code();
            }
        });
    };
    for (const auto& [uid, n] : {std::pair{kZweite, 3}, {kErste, 4}, {kZweite, 5}}) {
        SCOPED_TRACE(uid);
        ASSERT_EQ(speichern(uid, n), 0);
        EXPECT_EQ(readBytes(file), NamenDateiText(liste(n, "Neu")));
        struct stat st {};
        ::stat(file.toLocal8Bit().constData(), &st);
        EXPECT_EQ(st.st_uid, kErste);
        EXPECT_EQ(st.st_gid, kVerein);
        EXPECT_EQ(st.st_mode & 07777, 0664u);
        // Whoever may read the list, and only they, may read its backup.
        ASSERT_EQ(::stat((file + u'~').toLocal8Bit().constData(), &st), 0);
        EXPECT_EQ(st.st_gid, kVerein);
        EXPECT_EQ(st.st_mode & 07777, 0664u);
    }
}

TEST(Faults, DiskFullDuringAnInPlaceSaveLeavesTheOldContent) {
    TempEnv env;
    const QString folder = env.path(QStringLiteral("platte"));
    QDir().mkdir(folder);
    Einhaengung disk(folder, "64k");
    if (!disk.ok())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const QString file = folder + QStringLiteral("/NAMEN.TIF");
    const QString other = folder + QStringLiteral("/Verein.tif"); // in place: a second name
    const CellStore alt = liste(3, "Alt");
    NamenDateiSchreiben(file.toStdString(), alt);
    ASSERT_EQ(::link(file.toLocal8Bit().constData(), other.toLocal8Bit().constData()), 0);
    CellStore geoeffnet(kMaxEintraege + 1);
    const LadeErgebnis geladen = NamenDateiLesen(file.toStdString(), geoeffnet);
    {
        QFile filler(folder + QStringLiteral("/fuellung"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    try {
        NamenDateiSchreiben(file.toStdString(), liste(1000, "Neu"));
        FAIL() << "saved on a full disk";
    } catch (const DateiFehler& e) {
        EXPECT_EQ(e.code(), 101);
    }
    EXPECT_EQ(readBytes(file), NamenDateiText(alt));
    EXPECT_EQ(readBytes(other), NamenDateiText(alt));
    // The record of the write is gone again: the old content is back in place, and looks to the
    // next save as it did when it was opened.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("fuellung"), QStringLiteral("NAMEN.TIF"),
                           QStringLiteral("Verein.tif")}));
    EXPECT_TRUE(QDir(env.path(QStringLiteral(".local/state/kelmar")))
                    .entryList(QDir::Files | QDir::Hidden)
                    .isEmpty());
    EXPECT_TRUE(FragenVorDemSpeichern(geladen, DateiStandLesen(file.toStdString())).empty());
}

TEST(Faults, RunLogInAReadOnlyFolderIsSilentlyOff) {
    if (!nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    TempEnv env;
    ::chmod(env.home().toLocal8Bit().constData(), 0755);
    const QString folder = env.path(QStringLiteral("nurlesen"));
    QDir().mkdir(folder);
    nobodyGehoert(folder);
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    const int result = alsNobody([&] {
        LogZuruecksetzen();
        if (::chdir(folder.toLocal8Bit().constData()) != 0)
            return 2;
        const bool opened = LogOeffnen("gesamt.log");
        return opened || LogAktiv || LogZeile("x") ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}
