#include "runlog/runlog.h"
#include "support/fileerrors.h"
#include "tests/testsupport/tempenv.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Boxes : ::testing::Test {
    std::vector<std::string> shown;
    TempEnv env;
    void SetUp() override {
        setDateiFehlerBox([this](const std::string& t) { shown.push_back(t); });
        LogZuruecksetzen();
        ASSERT_TRUE(LogOeffnen("gesamt.log"));
    }
    void TearDown() override {
        setDateiFehlerBox(nullptr);
        LogZuruecksetzen();
    }
    std::string log() {
        LogSchreiben();
        return readBytes(env.path(QStringLiteral("gesamt.log")));
    }
};

} // namespace

TEST_F(Boxes, PendingErrorIsShownOnceAndLogged) {
    LastIoResult = 2;
    EXPECT_FALSE(DateiFehlerPruefen("Inifile lesen"));
    EXPECT_TRUE(DateiFehlerPruefen("Inifile lesen"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Inifile lesen: Die verlangte Datei ist nicht vorhanden");
    EXPECT_NE(log().find("\r\nFEHLER - Inifile lesen: Die verlangte Datei ist nicht vorhanden\r\n"),
              std::string::npos);
}

TEST_F(Boxes, CodesWithoutTextShowNothing) {
    for (int code : {1, 7, 107, 163, -1}) {
        LastIoResult = code;
        EXPECT_FALSE(DateiFehlerPruefen("x")) << code;
        EXPECT_EQ(LastIoResult, 0);
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(log().find("FEHLER"), std::string::npos);
}

TEST_F(Boxes, EmptyContextGivesTheBareText) {
    LastIoResult = 5;
    DateiFehlerPruefen("");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Die Datei ist schreibgesch\xFCtzt");
    EXPECT_NE(log().find("\r\nFEHLER - Die Datei ist schreibgesch\xFCtzt\r\n"), std::string::npos);
}

TEST(DateiFehlerText, SharedAndSpecialTexts) {
    EXPECT_EQ(DateiFehlerText(104), DateiFehlerText(103));
    EXPECT_EQ(DateiFehlerText(105), DateiFehlerText(103));
    for (int code = 155; code <= 158; ++code)
        EXPECT_EQ(DateiFehlerText(code), DateiFehlerText(154));
    EXPECT_EQ(DateiFehlerText(6), "K R I T I S C H E R  F E H L E R");
    EXPECT_EQ(DateiFehlerText(101), "Die Diskette ist voll. Bitte l\xF6schen Sie mit dem "
                                    "\"DEL\"-Befehl alle \xFC"
                                    "berfl\xFCssigen Dateien");
    EXPECT_EQ(DateiFehlerText(0), "");
}

TEST(NameFileErrors, TextsByCode) {
    EXPECT_EQ(NamensdateiFehlertext(FehlercodeAusErrno(ENOENT)), "Datei nicht gefunden");
    EXPECT_EQ(NamensdateiFehlertext(FehlercodeAusErrno(EMFILE)), "Zu viele ge\xF6"
                                                                 "ffnete Dateien");
    EXPECT_EQ(NamensdateiFehlertext(FehlercodeAusErrno(EROFS)), "Dateizugriff verweigert");
    EXPECT_EQ(NamensdateiFehlertext(FehlercodeAusErrno(EDQUOT)), "Zu wenig Speicherplatz");
    EXPECT_EQ(NamensdateiFehlertext(100), "Versuch hinter dem Dateiende zu lesen");
    EXPECT_EQ(NamensdateiFehlertext(106), "Ung\xFCltige numerische Eingabe");
    EXPECT_STREQ(DateiFehlerAusErrno(EIO).what(), "E/A-Fehler 5");
    EXPECT_EQ(NamensdateiFehlertext(7), "E/A-Fehler 7");
}
