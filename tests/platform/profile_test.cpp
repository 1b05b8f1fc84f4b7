#include "platform/profile.h"
#include "tests/testsupport/tempenv.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <gtest/gtest.h>

TEST(ProfileRead, SectionsAndKeysMatchWithoutCaseAndTheFirstWins) {
    const Profile p = Profile::fromText("; comment\r\n[Kelmar]\r\n  Font = Courier New  \r\n"
                                        "FONT=Second\r\n[KELMAR]\r\nFontsize=99\r\n"
                                        "[Other]\r\nFontsize=7\r\n");
    EXPECT_EQ(p.readString("KELMAR", "font", "x"), "Courier New");
    EXPECT_EQ(p.readString("kelmar", "Fontsize", "d"), "d"); // only the first section counts
    EXPECT_EQ(p.readInt("other", "FONTSIZE", 0), 7);
    EXPECT_EQ(p.readString("Missing", "Font", "def"), "def");
}

TEST(ProfileRead, NamesWithBlanksAndCommasAndOddLineEnds) {
    const Profile p = Profile::fromText(
        "[Fenster - Gesamt]\rLeft=10\r[KELMAR]\nNamen, lange Anrede=1\nSocket, Port=$15B3\n");
    EXPECT_EQ(p.readInt("Fenster - Gesamt", "Left", 0), 10);
    EXPECT_TRUE(p.readBool("KELMAR", "Namen, lange Anrede", false));
    EXPECT_EQ(p.readInt("KELMAR", "Socket, Port", 0), 5555);
}

TEST(ProfileRead, IntegersAndBooleansFallBackOnBadText) {
    const Profile p =
        Profile::fromText("[S]\na=0x15B3\nb=abc\nc=2\nd=0\ne=-12\nf=0X10\ng=99999999999\nh=x10\n");
    EXPECT_EQ(p.readInt("S", "a", 1), 5555);
    EXPECT_EQ(p.readInt("S", "b", 9), 9);
    EXPECT_TRUE(p.readBool("S", "c", false));
    EXPECT_FALSE(p.readBool("S", "d", true));
    EXPECT_TRUE(p.readBool("S", "b", true));
    EXPECT_EQ(p.readInt("S", "e", 0), -12);
    EXPECT_EQ(p.readInt("S", "f", 0), 16);
    EXPECT_EQ(p.readInt("S", "g", 3), 3);
    EXPECT_EQ(p.readInt("S", "h", 4), 4);
}

TEST(ProfileRead, LongValuesAreCutAt2047) {
    const Profile p = Profile::fromText("[S]\nk=" + std::string(5000, 'v') + "\n");
    EXPECT_EQ(p.readString("S", "k", "").size(), 2047u);
    EXPECT_EQ(p.readString("S", "missing", std::string(3000, 'd')).size(), 2047u);
}

TEST(ProfileFile, BareNamesLiveInTheWindowsDirectoryWhateverTheirCase) {
    TempEnv env;
    writeBytes(env.configDir() + QStringLiteral("/Kelmar.ini"), "[KELMAR]\r\nFont=Courier\r\n");
    EXPECT_EQ(Profile::resolve("KELMAR.INI"), env.configDir() + QStringLiteral("/Kelmar.ini"));
    const Profile p = Profile::load("KELMAR.INI");
    EXPECT_TRUE(p.exists());
    EXPECT_EQ(p.readString("kelmar", "font", ""), "Courier");
    EXPECT_FALSE(Profile::load("nothere.ini").exists());
}

TEST(ProfileWrite, KeepsEveryOtherLineByteForByte) {
    const std::string before = "; Kopf \xE4\r\n[KELMAR]\r\nFont=Arial\r\n\r\n"
                               "[Fenster - Gesamt]\r\nLeft=1\r\n; Notiz\r\nTop=2\r\n\r\n"
                               "[Zuletzt]\r\nx=y";
    const std::string after = Profile::withValue(before, "fenster - gesamt", "TOP", "20");
    EXPECT_EQ(after, "; Kopf \xE4\r\n[KELMAR]\r\nFont=Arial\r\n\r\n"
                     "[Fenster - Gesamt]\r\nLeft=1\r\n; Notiz\r\nTOP=20\r\n\r\n"
                     "[Zuletzt]\r\nx=y");
}

TEST(ProfileWrite, AddsMissingKeysAndSections) {
    std::string t = "[A]\r\nx=1\r\n\r\n[B]\r\ny=2";
    t = Profile::withValue(t, "A", "Width", "527");
    EXPECT_EQ(t, "[A]\r\nx=1\r\nWidth=527\r\n\r\n[B]\r\ny=2");
    t = Profile::withValue(t, "B", "z", "3");
    EXPECT_EQ(t, "[A]\r\nx=1\r\nWidth=527\r\n\r\n[B]\r\ny=2\r\nz=3\r\n");
    t = Profile::withValue(t, "Fenster - Gesamt", "State", "0");
    EXPECT_EQ(t, "[A]\r\nx=1\r\nWidth=527\r\n\r\n[B]\r\ny=2\r\nz=3\r\n"
                 "[Fenster - Gesamt]\r\nState=0\r\n");
    EXPECT_EQ(Profile::withValue("", "S", "k", "v"), "[S]\r\nk=v\r\n");
}

TEST(ProfileWrite, CreatesFolderAndFileAndReplacesAtomically) {
    TempEnv env;
    QString error;
    ASSERT_TRUE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5", &error))
        << error.toStdString();
    const QString file = env.configDir() + QStringLiteral("/Kelmar.ini");
    EXPECT_EQ(readBytes(file), "[Fenster - Gesamt]\r\nLeft=5\r\n");
    // The existing file is found under another case and keeps its name and permissions.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(Profile::writeString("KELMAR.INI", "Fenster - Gesamt", "Top", "6"));
    EXPECT_EQ(readBytes(file), "[Fenster - Gesamt]\r\nLeft=5\r\nTop=6\r\n");
    EXPECT_FALSE(QFileInfo::exists(env.configDir() + QStringLiteral("/KELMAR.INI")));
    EXPECT_EQ(std::filesystem::status(file.toStdString()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}
