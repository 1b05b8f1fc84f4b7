#include "app/startup.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "support/standardfont.h"
#include "tests/testsupport/tempenv.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

// ---- several copies of the program in one folder ----

TEST(Copies, ThreeCopiesLogSideBySideWithoutEmptyingEachOther) {
    TempEnv env;
    std::vector<std::unique_ptr<QProcess>> copies;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), env.home());
    const char* names[] = {"gesamt.log", "gesamt.lo1", "gesamt.lo2"};
    for (const char* name : names) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(environment);
        p->setWorkingDirectory(env.home());
        p->start(QStringLiteral(GESAMT_PROGRAM), {});
        ASSERT_TRUE(p->waitForStarted());
        // Each copy waits in its open dialog once its log is there.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QFileInfo(env.path(QString::fromLatin1(name))).size() > 0; }, 20000))
            << name;
        copies.push_back(std::move(p));
    }
    for (const char* name : names) {
        EXPECT_EQ(readBytes(env.path(QString::fromLatin1(name)))
                      .rfind("Logdatei ge\xF6"
                             "ffnet: ",
                             0),
                  0u)
            << name;
    }
    EXPECT_FALSE(QFileInfo::exists(env.path(QStringLiteral("gesamt.lo3"))));
    for (auto& p : copies) {
        p->kill();
        p->waitForFinished();
    }
}

// ---- broken settings files ----

namespace {

void ini(const TempEnv& env, const std::string& text) {
    writeBytes(env.configDir() + QStringLiteral("/KELMAR.INI"), text);
}

} // namespace

TEST(BrokenSettings, GarbageGivesDefaults) {
    TempEnv env;
    std::mt19937 rng(3);
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage.push_back(char(rng()));
    for (const std::string& text :
         {garbage, std::string(1 << 20, 'x'), std::string("Font=Courier\r\nFontsize=30\r\n"),
          std::string("[KELMAR\r\nFont=Courier\r\n"), std::string("\0\0[KELMAR]\0", 11)}) {
        ini(env, text);
        ProgrammzustandVorbereiten();
        EXPECT_EQ(StandardFont.name, "Arial");
        EXPECT_EQ(StandardFont.groesse, 9);
        EXPECT_EQ(CommonSetting.SocketPort, 5555);
    }
}

TEST(BrokenSettings, FirstOccurrencesCrOnlyLinesAndLongValues) {
    TempEnv env;
    ini(env, "[KELMAR]\rFont=Erste\rFont=Zweite\rDruckertyp=" + std::string(5000, 'D') +
                 "\r[kelmar]\rFontsize=30\r[KELMAR]\rFontsize=40\r");
    ProgrammzustandVorbereiten();
    EXPECT_EQ(StandardFont.name, "Erste");
    EXPECT_EQ(StandardFont.groesse, 9); // Fontsize stands only in later duplicates
    EXPECT_EQ(CommonSetting.Druckertyp.size(), 2047u);
}

TEST(BrokenSettings, PlacementIsWrittenWithoutDamagingTheRest) {
    TempEnv env;
    const std::string rest = "; Kommentar\r\n[KELMAR]\r\nFont=Arial\r\nFont=doppelt\r\n"
                             "Laufkartenverzeichnis=" +
                             std::string(3000, 'L') +
                             "\r\n"
                             "\x01\x02\xFF M\xFCll\r\n[KELMAR]\r\nx=y";
    ini(env, rest);
    ASSERT_TRUE(
        Profile::writeStrings("Kelmar.ini", "Fenster - Gesamt", {{"Left", "1"}, {"Top", "2"}}));
    EXPECT_EQ(readBytes(env.configDir() + QStringLiteral("/KELMAR.INI")),
              rest + "\r\n[Fenster - Gesamt]\r\nLeft=1\r\nTop=2\r\n");
}
