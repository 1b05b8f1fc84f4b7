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
        const std::string now = readBytes(QString::fromStdString(path));
        ASSERT_TRUE(now == textA || now == textB)
            << "round " << round << ": " << now.size() << " bytes";
        // A temporary file left behind means the kill hit a save half-way.
        for (const QString& left :
             QDir(env.home())
                 .entryList({QStringLiteral(".NAMEN.TIF.*")}, QDir::Files | QDir::Hidden)) {
            ++killedWhileWriting;
            QFile::remove(env.path(left));
        }
    }
    EXPECT_GT(killedWhileWriting, 0) << "no kill landed inside a save";
}

TEST(Faults, WriteProtectedFileAndFolderAreRefusedForAnOrdinaryUser) {
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
    ::chmod(file.toLocal8Bit().constData(), 0644);
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    EXPECT_EQ(versuch(), 5);
    EXPECT_EQ(readBytes(file), NamenDateiText(alt));
    ::chmod(folder.toLocal8Bit().constData(), 0755);
    EXPECT_EQ(versuch(), 0);
    EXPECT_EQ(readBytes(file), NamenDateiText(neu));
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
