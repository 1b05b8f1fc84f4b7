// Hostile names in the places the program writes: links and FIFOs under the run log's and the
// settings file's names, a settings file that cannot be read, a list that is a dangling link,
// a file-size limit and a very long file name. Nothing may be written where it should not be.

#include "cells/cellstore.h"
#include "namefile/namefile.h"
#include "platform/profile.h"
#include "runlog/runlog.h"
#include "tests/reliability/privileges.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Hostile : ::testing::Test {
    TempEnv env;
    QString at(const char* name) const { return env.path(QString::fromUtf8(name)); }
    static std::string bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }
    void fifo(const QString& path) { ASSERT_EQ(::mkfifo(bytes(path).c_str(), 0644), 0); }
    void link(const QString& target, const QString& path) {
        ASSERT_EQ(::symlink(bytes(target).c_str(), bytes(path).c_str()), 0);
    }
    static CellStore liste(int n) {
        CellStore cells(kMaxEintraege + 1);
        std::string text = "GESAMT-DATEI\r\n";
        for (int i = 1; i <= n; ++i)
            text += "Spieler " + std::to_string(i) + "\t \t" + std::to_string(i) + "\tN\t\r\n";
        NamenTextLesen(text, cells);
        return cells;
    }
};

} // namespace

TEST_F(Hostile, RunLogPassesOverALinkAndAFifo) {
    writeBytes(at("notizen.txt"), "meine Notizen");
    link(at("notizen.txt"), at("gesamt.log"));
    fifo(at("gesamt.lo1"));
    LogZuruecksetzen();
    EXPECT_TRUE(LogOeffnen("gesamt.log")); // would block for good on the FIFO
    LogZeile("x");
    LogSchreiben();
    EXPECT_EQ(readBytes(at("notizen.txt")), "meine Notizen");
    EXPECT_EQ(readBytes(at("gesamt.lo2"))
                  .rfind("Logdatei ge\xF6"
                         "ffnet: ",
                         0),
              0u);
    LogZuruecksetzen();
}

TEST_F(Hostile, SettingsThatCannotBeReadAreNotOverwritten) {
    QDir().mkpath(env.configDir());
    const QString ini = env.configDir() + QStringLiteral("/KELMAR.INI");
    fifo(ini);
    EXPECT_FALSE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5"));
    struct stat st {};
    ASSERT_EQ(::stat(bytes(ini).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    if (!nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as another user";
    QFile::remove(ini);
    const std::string product = "[KELMAR]\r\nFont=Arial\r\n[Turnier]\r\nRunde=3\r\n";
    writeBytes(ini, product);
    for (const QString& p : {env.home(), env.home() + QStringLiteral("/.config"), env.configDir()})
        ::chmod(bytes(p).c_str(), 0755);
    nobodyGehoert(env.configDir());
    nobodyGehoert(ini);
    ::chmod(bytes(ini).c_str(), 0200); // may be written, not read
    const int result = alsNobody([&] {
        return Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5") ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readBytes(ini), product);
}

TEST_F(Hostile, SavingThroughADanglingLinkMakesNoFileAndKeepsTheLink) {
    QDir().mkdir(at("server"));
    link(at("server/NAMEN.TIF"), at("NAMEN.TIF"));
    CellStore cells(kMaxEintraege + 1);
    EXPECT_FALSE(NamenDateiLesen(bytes(at("NAMEN.TIF")), cells).vorhanden);
    // Where it leads, no file is made in the user's name: what a planted link aims at.
    EXPECT_THROW(NamenDateiSchreiben(bytes(at("NAMEN.TIF")), liste(2)), DateiFehler);
    EXPECT_TRUE(QFileInfo(at("NAMEN.TIF")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(at("server/NAMEN.TIF")));

    // The share is not mounted: the save fails and the link stays.
    link(at("nicht/da/NAMEN.TIF"), at("ZWEITE.TIF"));
    try {
        NamenDateiSchreiben(bytes(at("ZWEITE.TIF")), liste(2));
        ADD_FAILURE() << "saved without a folder";
    } catch (const DateiFehler& e) {
        EXPECT_EQ(e.code(), 3);
    }
    EXPECT_TRUE(QFileInfo(at("ZWEITE.TIF")).isSymLink());
}

TEST_F(Hostile, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram) {
    writeBytes(at("NAMEN.TIF"), NamenDateiText(liste(2)));
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            NamenDateiSchreiben(bytes(at("NAMEN.TIF")), liste(1000));
            ::_exit(1);
        } catch (const DateiFehler& e) {
            ::_exit(e.code() == 101 ? 0 : 2);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(at("NAMEN.TIF")), NamenDateiText(liste(2)));
    EXPECT_EQ(QDir(env.home()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "temporary file";
}

TEST_F(Hostile, ALongestFileNameCanBeSaved) {
    const QString name = env.path(QString(251, u'N') + QStringLiteral(".TIF"));
    NamenDateiSchreiben(bytes(name), liste(3));
    NamenDateiSchreiben(bytes(name), liste(4));
    EXPECT_EQ(readBytes(name), NamenDateiText(liste(4)));
}

TEST_F(Hostile, TheSettingsFileStaysTheFileItIs) {
    QDir().mkpath(env.configDir());
    const QString ini = env.configDir() + QStringLiteral("/KELMAR.INI");
    const std::string product = "[KELMAR]\r\nFont=Arial\r\n";
    writeBytes(ini, product);
    auto left = [](const char* name) {
        return Profile::load(name).readString("Fenster - Gesamt", "Left", "-");
    };
    struct stat st {};

    // Write-protected: refused, also for root, and it stays protected.
    ::chmod(bytes(ini).c_str(), 0444);
    EXPECT_FALSE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "1"));
    EXPECT_EQ(readBytes(ini), product);
    ASSERT_EQ(::stat(bytes(ini).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    ::chmod(bytes(ini).c_str(), 0644);

    // A second name stays a second name of the same file.
    ASSERT_EQ(::link(bytes(ini).c_str(), bytes(at("kelmar-kopie.ini")).c_str()), 0);
    ASSERT_TRUE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "2"));
    EXPECT_EQ(readBytes(at("kelmar-kopie.ini")), readBytes(ini));
    EXPECT_EQ(left("KELMAR.INI"), "2");
    QFile::remove(at("kelmar-kopie.ini"));

    // Two spellings of one name: one file is read and written, the other is left alone.
    const QString other = env.configDir() + QStringLiteral("/Kelmar.ini");
    writeBytes(other, "[Fenster - Gesamt]\r\nLeft=99\r\n");
    ASSERT_TRUE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "3"));
    EXPECT_EQ(left("KELMAR.INI"), "3");
    EXPECT_EQ(left("kelmar.INI"), "3");
    EXPECT_EQ(readBytes(other), "[Fenster - Gesamt]\r\nLeft=99\r\n");
    QFile::remove(other);

    if (::geteuid() != 0 || !nobodyKannWechseln())
        GTEST_SKIP() << "needs root to act as other users";
    for (const QString& p : {env.home(), env.home() + QStringLiteral("/.config")})
        ::chmod(bytes(p).c_str(), 0755);
    // Shared by a club: another member's placement keeps the file the owner's.
    constexpr unsigned kErste = 61001, kZweite = 61002, kVerein = 61010;
    for (const QString& p : {env.configDir(), ini})
        ASSERT_EQ(::chown(bytes(p).c_str(), kErste, kVerein), 0);
    ::chmod(bytes(env.configDir()).c_str(), 0775);
    ::chmod(bytes(ini).c_str(), 0664);
    EXPECT_EQ(alsBenutzer(kZweite, kZweite, {kVerein},
                          [] {
                              return Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left",
                                                          "4")
                                         ? 0
                                         : 1;
                          }),
              0);
    ASSERT_EQ(::stat(bytes(ini).c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kErste);
    EXPECT_EQ(st.st_gid, kVerein);
    EXPECT_EQ(left("KELMAR.INI"), "4");

    // Only the file may be written, not its folder: the placement is stored all the same.
    nobodyGehoert(env.configDir());
    nobodyGehoert(ini);
    ::chmod(bytes(env.configDir()).c_str(), 0555);
    EXPECT_EQ(alsNobody([] {
                  return Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5") ? 0
                                                                                             : 1;
              }),
              0);
    EXPECT_EQ(left("KELMAR.INI"), "5");
    EXPECT_EQ(QDir(env.configDir()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("KELMAR.INI")});
}
