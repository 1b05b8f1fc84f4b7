#include "print/drucker.h"
#include "tests/print/aufzeichnung.h"

#include <gtest/gtest.h>

namespace {

struct Writer : ::testing::Test {
    Aufzeichnung printer;
    void SetUp() override { DruckerInitialisieren(&printer); }
    void TearDown() override { DruckerInitialisieren(nullptr); }
};

} // namespace

TEST_F(Writer, StartUpChoosesCourier12WithLineHeight120) {
    EXPECT_EQ(Drucker.Schriftname, "Courier New");
    EXPECT_EQ(printer.fontName, "Courier New");
    EXPECT_EQ(Drucker.Schriftgroesse, 12);
    EXPECT_EQ(Drucker.Zeilenhoehe, 120); // 100 units at 600 dpi, times 1.2
    EXPECT_EQ(Drucker.Druckbereich, (TRechteck{0, 0, 4800, 6800}));
    EXPECT_EQ(Drucker.Seitenmitte[0], 2400);
    EXPECT_EQ(Drucker.Seitenmitte[1], 3400);
    EXPECT_EQ(printer.begun, 0);
}

TEST_F(Writer, StartUpWithoutAPrinterNeitherFailsNorPrints) {
    DruckerInitialisieren(nullptr);
    EXPECT_EQ(Drucker.Zeilenhoehe, 0);
    EXPECT_THROW(DruckStart(), std::runtime_error);
    EXPECT_FALSE(NeueZeile());
    EXPECT_FALSE(DruckZeile("x"));
}

TEST_F(Writer, LineSpacingFactorRules) {
    EXPECT_TRUE(SetzeZeilenabstand(1.5));
    EXPECT_EQ(Drucker.Zeilenfaktor, 1.5);
    EXPECT_EQ(Drucker.Zeilenhoehe, 150);
    for (double refused : {0.0, -1.0, 10.0}) {
        EXPECT_FALSE(SetzeZeilenabstand(refused)) << refused;
        EXPECT_EQ(Drucker.Zeilenfaktor, 1.2);
        EXPECT_EQ(Drucker.Zeilenhoehe, 120);
    }
    EXPECT_TRUE(SetzeZeilenabstand(9.99));
    EXPECT_EQ(Drucker.Zeilenhoehe, 999);
}

TEST_F(Writer, LineHeightIsTruncated) {
    printer.dpi = 300; // 12 points: 50 units
    SetzeZeilenabstand(1.25);
    EXPECT_EQ(Drucker.Zeilenhoehe, 62);
    SetzeSchriftname("Arial");
    SetzeSchriftstil({.fett = true});
    EXPECT_EQ(Drucker.Zeilenhoehe, 62); // name and style leave it
    SetzeSchriftgroesse(24);
    EXPECT_EQ(Drucker.Zeilenhoehe, 125);
}

TEST_F(Writer, LinesPerPage) {
    EXPECT_EQ(ZeilenProSeite(), 56); // (6800 - 40) div 120
    printer.clip = {0, 0, 4800, 100};
    EXPECT_EQ(ZeilenProSeite(), 0);
}

TEST_F(Writer, PageBreakOnlyBelowTheBottomMargin) {
    DruckStart();
    EXPECT_EQ(Drucker.Stiftposition, (TPunkt{0, 0}));
    printer.moveTo(20, 6780 - 120); // the next line lands exactly on bottom - 20
    EXPECT_TRUE(NeueZeile());
    EXPECT_EQ(printer.pen, (TPunkt{20, 6780}));
    EXPECT_EQ(printer.pages, 1);
    EXPECT_TRUE(NeueZeile());
    EXPECT_EQ(printer.pages, 2);
    EXPECT_EQ(printer.pen, (TPunkt{20, 20}));
    EXPECT_EQ(Drucker.Stiftposition, (TPunkt{20, 20}));
}

TEST_F(Writer, NewPageAtTheOriginAndTextThenLine) {
    DruckStart();
    EXPECT_THROW(DruckStart(), std::runtime_error); // one job at a time
    printer.moveTo(300, 400);
    EXPECT_TRUE(NeueSeite());
    EXPECT_EQ(printer.pen, (TPunkt{0, 0}));
    EXPECT_TRUE(DruckText(500, 300, "Meier"));
    EXPECT_EQ(Drucker.Stiftposition, (TPunkt{500 + 5 * 60, 300}));
    EXPECT_TRUE(NeueZeile());
    EXPECT_EQ(printer.pen, (TPunkt{20, 420}));
    EXPECT_TRUE(DruckZeile("Zeile"));
    EXPECT_EQ(printer.texts.back().x, 20);
    EXPECT_EQ(printer.pen, (TPunkt{20, 540}));
}

TEST_F(Writer, LineOperationsAbsorbFailuresAndStillTakeThePen) {
    DruckStart();
    printer.failNewPageAt = 1;
    printer.moveTo(77, 88);
    EXPECT_FALSE(NeueSeite());
    EXPECT_EQ(Drucker.Stiftposition, (TPunkt{77, 88}));
}
