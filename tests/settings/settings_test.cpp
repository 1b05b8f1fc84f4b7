#include "app/startup.h"
#include "platform/profile.h"
#include "runlog/runlog.h"
#include "settings/eigene.h"
#include "settings/settings.h"
#include "support/standardfont.h"
#include "tests/testsupport/tempenv.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void writeIni(const TempEnv& env, const std::string& text,
              const QString& name = QStringLiteral("KELMAR.INI")) {
    writeBytes(env.configDir() + u'/' + name, text);
}

} // namespace

TEST(Einstellungen, MissingFileGivesEveryDefault) {
    TempEnv env;
    ProgrammzustandVorbereiten();
    const tCommonSetting& c = CommonSetting;
    EXPECT_EQ(StandardFont.name, "Arial");
    EXPECT_EQ(StandardFont.groesse, 9);
    EXPECT_EQ(c.Font, "Arial");
    EXPECT_EQ(c.HTMLFont, "Arial");
    EXPECT_EQ(c.Fontsize, 9);
    EXPECT_EQ(c.htmlFontSize, 9);
    EXPECT_EQ(c.MKinoFontSize, 9);
    EXPECT_EQ(c.SocketPort, 5555);
    EXPECT_EQ(c.Zertifikatsform, 1);
    EXPECT_EQ(c.Laufkartenverzeichnis, "c:\\kelmar\\laufkart");
    EXPECT_EQ(c.Programmverzeichnis, "c:\\kelmar");
    EXPECT_EQ(c.Druckertyp, "IBM");
    EXPECT_TRUE(c.MKinoAktiv);
    EXPECT_TRUE(c.SocketAktiv);
    EXPECT_FALSE(c.RanglisteLegende);
    EXPECT_EQ(Setting.Programmverzeichnis, "c:\\kelmar");
    EXPECT_EQ(Setting.Schriftart, "Arial");
}

TEST(Einstellungen, ValuesFromTheFileWhateverTheCaseOfNames) {
    TempEnv env;
    writeIni(env,
             "[kelmar]\r\nfont=Courier New\r\nFONTSIZE=12\r\nSocket, Port=0x15B3\r\n"
             "MKinoAktiv=2\r\nNamen, lange Anrede=1\r\nRangliste, Top=-1\r\n"
             "Programmverzeichnis=d:\\turniere\r\nhtmlFontSize=abc\r\nDruckertyp=HP\r\n",
             QStringLiteral("Kelmar.ini"));
    ProgrammzustandVorbereiten();
    const tCommonSetting& c = CommonSetting;
    EXPECT_EQ(StandardFont.name, "Courier New");
    EXPECT_EQ(StandardFont.groesse, 12);
    EXPECT_EQ(c.SocketPort, 5555);
    EXPECT_TRUE(c.MKinoAktiv);
    EXPECT_TRUE(c.NamenLangeAnrede);
    EXPECT_TRUE(c.RanglisteTop);
    EXPECT_EQ(c.htmlFontSize, 9); // abc: the default, the font size before "Fontsize" applied
    EXPECT_EQ(c.HTMLFont, "Arial");
    EXPECT_EQ(c.Druckertyp, "HP");
    EXPECT_EQ(c.Programmverzeichnis, "d:\\turniere");
    // The built-in record ignores the file, but takes the font name read from it.
    EXPECT_EQ(Setting.Programmverzeichnis, "c:\\kelmar");
    EXPECT_EQ(Setting.Schriftart, "Courier New");
}

TEST(Einstellungen, BadFontSizeKeepsTheDefault) {
    TempEnv env;
    writeIni(env, "[KELMAR]\r\nFontsize=abc\r\n");
    ProgrammzustandVorbereiten();
    EXPECT_EQ(StandardFont.groesse, 9);
}

TEST(Verzeichnisse, RunCardFolderDefaultsToTheProgramFolderOnlyHere) {
    TempEnv env;
    writeIni(env, "[KELMAR]\r\nProgrammverzeichnis=d:\\p\r\n");
    ProgrammzustandVorbereiten();
    IniObj daten;
    VerzeichnisseLesen(daten, "KELMAR");
    EXPECT_EQ(daten.Programmverzeichnis, "d:\\p");
    EXPECT_EQ(daten.Turnierverzeichnis, "");
    EXPECT_EQ(daten.Laufkartenverzeichnis, "d:\\p");
    EXPECT_EQ(CommonSetting.Laufkartenverzeichnis, "c:\\kelmar\\laufkart");
}

TEST(Startup, DirectoryLinesNeverReachTheLog) {
    TempEnv env;
    LogZuruecksetzen();
    ProgrammzustandVorbereiten();
    ProgrammStartschritte();
    EXPECT_TRUE(LogOffen);
    LogSchreiben();
    const std::string log = readBytes(env.path(QStringLiteral("gesamt.log")));
    EXPECT_EQ(log.find("INI-Datei"), std::string::npos);
    EXPECT_EQ(log.find("Progamm-Verz"), std::string::npos);
    EXPECT_EQ(log.rfind("Logdatei ge\xF6"
                        "ffnet: ",
                        0),
              0u);
    LogZuruecksetzen();
}

// Timed by hand with /usr/bin/time -v: a 4 GiB settings file costs a megabyte.
TEST(Einstellungen, AHugeFileIsReadAtItsStartSaidSoAndNeverWritten) {
    TempEnv env;
    writeIni(env, "[KELMAR]\r\nFont=Courier New\r\n");
    ASSERT_TRUE(QFile::resize(env.configDir() + QStringLiteral("/KELMAR.INI"), qint64(4) << 30));
    ProgrammzustandVorbereiten();
    EXPECT_EQ(StandardFont.name, "Courier New");
    EXPECT_NE(EinstellungenHinweis().find("nur die Einstellungen in den ersten 1 MB gelesen"),
              std::string::npos);
    EXPECT_FALSE(Profile::writeString("Kelmar.ini", "Fenster - Gesamt", "Left", "5"));
}

// The program's own settings: kept in a file of their own, never in the product's, and what
// cannot be read back as kept is as if nothing were.
TEST(EigeneEinstellungen, SizesAndColumnChoicesComeBackAndTheProductsFileStaysAsItWas) {
    TempEnv env;
    const std::string kelmar = "[Fenster - Gesamt]\r\nLeft=40\r\n";
    writeIni(env, kelmar);
    EXPECT_FALSE(FenstergroesseLesen("Duplikate"));
    ASSERT_TRUE(FenstergroesseMerken("Duplikate", {900, 640}));
    EXPECT_EQ(FenstergroesseLesen("Duplikate"), (Fenstergroesse{900, 640}));

    const QStringList kopf{QStringLiteral("Mitglied"), QStringLiteral("Name; Vorname"),
                           QStringLiteral("[Status]=")};
    EXPECT_FALSE(SpaltenwahlLesen(kopf));
    ASSERT_TRUE(SpaltenwahlMerken(kopf, {3, 1, -1}));
    EXPECT_EQ(SpaltenwahlLesen({QStringLiteral("MITGLIED"), QStringLiteral(" Name;  Vorname"),
                                QStringLiteral("[status]=")}),
              (std::vector<int>{3, 1, -1}));
    EXPECT_FALSE(SpaltenwahlLesen({QStringLiteral("Mitglied"), QStringLiteral("Name; Vorname")}));
    EXPECT_EQ(readBytes(env.configDir() + QStringLiteral("/KELMAR.INI")), kelmar);

    // Edited by hand or by someone else: sizes no screen has, choices of no meaning.
    for (const char* kaputt : {"[Fenster]\r\nDuplikate Breite=-5\r\nDuplikate Hoehe=640\r\n",
                               "[Fenster]\r\nDuplikate Breite=99999999\r\nDuplikate Hoehe=1\r\n",
                               "[Fenster]\r\nDuplikate Breite=abc\r\nDuplikate Hoehe=640\r\n"}) {
        writeIni(env, kaputt, QStringLiteral("GESAMT.INI"));
        EXPECT_FALSE(FenstergroesseLesen("Duplikate")) << kaputt;
    }
    ASSERT_TRUE(SpaltenwahlMerken(kopf, {3, 1, -1}));
    std::string text = readBytes(env.configDir() + QStringLiteral("/GESAMT.INI"));
    text.replace(text.find("3,1,-1"), 6, "3,x,-1");
    writeIni(env, text, QStringLiteral("GESAMT.INI"));
    EXPECT_FALSE(SpaltenwahlLesen(kopf));
}
