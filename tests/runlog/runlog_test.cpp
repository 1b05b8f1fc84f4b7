#include "runlog/runlog.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct RunLog : ::testing::Test {
    TempEnv env;
    void SetUp() override { LogZuruecksetzen(); }
    void TearDown() override { LogZuruecksetzen(); }
    std::string file(const char* name) { return readBytes(env.path(QString::fromLatin1(name))); }
};

} // namespace

TEST_F(RunLog, FirstLineCarriesGermanDateAndTimeThenLinesUnchanged) {
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    EXPECT_TRUE(LogAktiv);
    EXPECT_TRUE(LogOffen);
    // The first line is on disk at once.
    const std::string first = file("gesamt.log");
    const QRegularExpression re(QStringLiteral(
        "^Logdatei ge\u00F6ffnet: \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n$"));
    EXPECT_TRUE(re.match(QString::fromLatin1(first.data(), qsizetype(first.size()))).hasMatch())
        << first;
    EXPECT_TRUE(LogZeile("*** Gesamtdatei sortieren"));
    EXPECT_TRUE(LogZeile("  \xE4 eingerückt\t"));
    LogSchreiben();
    EXPECT_EQ(file("gesamt.log").substr(first.size()),
              "*** Gesamtdatei sortieren\r\n  \xE4 eingerückt\t\r\n");
}

TEST_F(RunLog, LinesBeforeOpeningAreDropped) {
    EXPECT_TRUE(LogZeile("verloren"));
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    LogSchreiben();
    EXPECT_EQ(file("gesamt.log").find("verloren"), std::string::npos);
}

TEST_F(RunLog, LockedByAnotherCopyMovesOnWithoutEmptyingIt) {
    writeBytes(env.path(QStringLiteral("gesamt.log")), "Inhalt der ersten Kopie\r\n");
    // flock locks belong to the open file, so a second open in this process is another copy.
    const int other = ::open("gesamt.log", O_WRONLY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    LogZeile("zweite Kopie");
    LogSchreiben();
    EXPECT_EQ(file("gesamt.log"), "Inhalt der ersten Kopie\r\n");
    EXPECT_NE(file("gesamt.lo1").find("zweite Kopie"), std::string::npos);
    ::close(other);
}

TEST_F(RunLog, UncreatableNamesFallBackInOrder) {
    QDir().mkdir(QStringLiteral("gesamt.log"));
    QDir().mkdir(QStringLiteral("gesamt.lo1"));
    ASSERT_TRUE(LogOeffnen("gesamt.log"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("gesamt.lo2")).isFile());
}

TEST_F(RunLog, AllTenNamesUnusableTurnsLoggingOff) {
    QDir().mkdir(QStringLiteral("gesamt.log"));
    for (int i = 1; i <= 9; ++i)
        QDir().mkdir(QStringLiteral("gesamt.lo%1").arg(i));
    EXPECT_FALSE(LogOeffnen("gesamt.log"));
    EXPECT_FALSE(LogAktiv);
    EXPECT_FALSE(LogOffen);
    EXPECT_FALSE(LogZeile("nichts"));
    EXPECT_FALSE(LogOeffnen("gesamt.log")); // stays off for the run
}

// At an exit every line reaches the file; after a kill, those up to the last note or error.
TEST_F(RunLog, BufferedLinesAreWrittenAtTheExitAndNotesAtOnce) {
    for (const bool getoetet : {false, true}) {
        SCOPED_TRACE(getoetet ? "killed" : "exited");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            LogOeffnen("gesamt.log");
            LogZeile("*** Gesamtdatei bearbeiten");
            LogZeile("HINWEIS - Fremde Datei nicht verwendet");
            LogZeile("letzte Zeile");
            if (getoetet)
                ::raise(SIGKILL);
            std::exit(1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const std::string log = file("gesamt.log");
        EXPECT_NE(log.find("*** Gesamtdatei bearbeiten\r\nHINWEIS - Fremde Datei nicht verwendet"
                           "\r\n"),
                  std::string::npos);
        EXPECT_EQ(log.find("letzte Zeile\r\n") != std::string::npos, !getoetet);
    }
}
