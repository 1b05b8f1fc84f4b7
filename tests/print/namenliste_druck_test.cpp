#include "cells/cellstore.h"
#include "print/drucker.h"
#include "print/namenliste_druck.h"
#include "tests/print/aufzeichnung.h"

#include "tests/testsupport/recorder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Printout : ::testing::Test {
    Aufzeichnung printer;
    Recorder said;
    CellStore cells{1001};
    void SetUp() override { DruckerInitialisieren(&printer); }
    void TearDown() override { DruckerInitialisieren(nullptr); }

    void print(int n) {
        cells.setRowCount(n + 1);
        for (int r = 1; r <= n; ++r) {
            cells.setCell(0, r, std::to_string(r));
            cells.setCell(1, r, "Name " + std::to_string(r));
        }
        Drucken(cells, n, "08.12.2026", said);
    }
    std::vector<Aufzeichnung::Text> headers() const {
        std::vector<Aufzeichnung::Text> h;
        for (const auto& t : printer.texts)
            if (t.fett)
                h.push_back(t);
        return h;
    }
    const Aufzeichnung::Text& entry(int r) const {
        const std::string wanted = Eintragszeile(std::to_string(r), "Name " + std::to_string(r));
        for (const auto& t : printer.texts)
            if (t.text == wanted)
                return t;
        throw std::runtime_error("entry not printed: " + wanted);
    }
};

} // namespace

TEST(Eintragszeile, NumbersRightAlignedInFivePlaces) {
    EXPECT_EQ(Eintragszeile("7", "Meier"), "    7. Meier");
    EXPECT_EQ(Eintragszeile("123456", "Meier"), "12345. Meier");
    EXPECT_EQ(Eintragszeile("", ""), "     . ");
    EXPECT_EQ(Kopfzeile("08.12.2026", 245, 2),
              "Gesamtdatei - 08.12.2026 - 245 Eintr\xE4ge, Seite 2");
}

TEST_F(Printout, EmptyListIsOnePageWithDividerAndHeader) {
    print(0);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(printer.begun, 1);
    EXPECT_EQ(printer.ended, 1);
    ASSERT_EQ(printer.texts.size(), 1u);
    EXPECT_EQ(printer.texts[0].text, "Gesamtdatei - 08.12.2026 - 0 Eintr\xE4ge, Seite 1");
    EXPECT_TRUE(printer.texts[0].fett);
    EXPECT_EQ(printer.texts[0].x, 20);
    EXPECT_EQ(printer.texts[0].y, 20);
    ASSERT_EQ(printer.lines.size(), 1u);
    EXPECT_EQ(printer.lines[0].x1, 2400);
    EXPECT_EQ(printer.lines[0].y1, 140); // under the header, which spans both columns
    EXPECT_EQ(printer.lines[0].x2, 2400);
    EXPECT_EQ(printer.lines[0].y2, 6780);
    EXPECT_TRUE(said.errors.empty());
}

TEST_F(Printout, FiftyFiveFillOnlyTheLeftColumn) {
    print(55);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(entry(1).x, 20);
    EXPECT_EQ(entry(1).y, 140);
    EXPECT_EQ(entry(55).x, 20);
    EXPECT_EQ(entry(55).y, 140 + 54 * 120);
    EXPECT_FALSE(entry(55).fett);
}

TEST_F(Printout, HundredTenFillOnePageAndNoMore) {
    print(110);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(printer.turns, 0);
    EXPECT_EQ(entry(56).x, 2420);
    EXPECT_EQ(entry(56).y, 140); // beside the first entry
    EXPECT_EQ(entry(110).y, 140 + 54 * 120);
    EXPECT_EQ(headers().size(), 1u);
}

TEST_F(Printout, HundredElevenStartPageTwoWithOneEntry) {
    print(111);
    EXPECT_EQ(printer.pages, 2);
    const auto h = headers();
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].text, "Gesamtdatei - 08.12.2026 - 111 Eintr\xE4ge, Seite 1");
    EXPECT_EQ(h[1].text, "Gesamtdatei - 08.12.2026 - 111 Eintr\xE4ge, Seite 2");
    EXPECT_EQ(h[1].page, 2);
    EXPECT_EQ(h[1].y, 20);
    EXPECT_EQ(entry(111).page, 2);
    EXPECT_EQ(entry(111).x, 20);
    EXPECT_EQ(entry(111).y, 140);
    EXPECT_EQ(printer.lines.size(), 2u); // a divider on each page
}

TEST_F(Printout, NoPrinterIsReportedWithoutEndingAJob) {
    DruckerInitialisieren(nullptr);
    print(3);
    ASSERT_EQ(said.errors.size(), 1u);
    EXPECT_EQ(said.errors[0],
              "Fehler beim Ausdruck der Gesamtdatei: Es ist kein Standarddrucker eingerichtet");
    EXPECT_EQ(printer.ended, 0);
}

TEST_F(Printout, APageOfOneLineIsAFailureNotADivisionByZero) {
    printer.clip = {0, 0, 4800, 250}; // (250 - 40) div 120 = 1 line
    print(3);
    ASSERT_EQ(said.errors.size(), 1u);
    EXPECT_EQ(said.errors[0].rfind("Fehler beim Ausdruck der Gesamtdatei: ", 0), 0u);
    EXPECT_EQ(printer.ended, 1); // the job that was opened is ended
}

TEST_F(Printout, AFailedPageTurnGoesOnAndEndsTheJob) {
    printer.failNewPageAt = 1;
    print(111);
    EXPECT_TRUE(said.errors.empty()); // absorbed by the line writer, as the printer saw it
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(printer.begun, 1);
}

TEST_F(Printout, JobThatCannotBeginIsReported) {
    printer.noBeginDoc = true;
    print(3);
    ASSERT_EQ(said.errors.size(), 1u);
    EXPECT_EQ(said.errors[0],
              "Fehler beim Ausdruck der Gesamtdatei: Der Druckauftrag kann nicht begonnen werden");
    EXPECT_EQ(printer.ended, 0);
}

TEST_F(Printout, NoTextRunsOverAnotherColumnOrOffThePage) {
    const std::string lang = "Friedrich Wilhelm Freiherr von und zu Hohenzollern-Sigmaringen";
    print(111);
    cells.setCell(1, 1, lang);  // left column
    cells.setCell(1, 56, lang); // right column
    printer.texts.clear();
    Drucken(cells, 111, "08.12.2026", said);
    for (const auto& t : printer.texts) {
        SCOPED_TRACE(t.text);
        const int rand = t.fett || t.x >= 2400 ? printer.clip.Right : 2400;
        EXPECT_LE(t.x + printer.textWidth(t.text), rand - 20);
    }
    for (const int r : {1, 56}) {
        const auto it =
            std::find_if(printer.texts.begin(), printer.texts.end(), [&](const auto& t) {
                return t.text.rfind(Eintragszeile(std::to_string(r), "Friedrich"), 0) == 0;
            });
        ASSERT_NE(it, printer.texts.end());
        EXPECT_EQ(it->text.back(), '\x85') << "the cut is marked";
        EXPECT_EQ(it->x, r == 1 ? 20 : 2420); // in its place
    }
    EXPECT_EQ(entry(2).text, Eintragszeile("2", "Name 2")); // short ones whole
    EXPECT_EQ(headers()[0].text, "Gesamtdatei - 08.12.2026 - 111 Eintr\xE4ge, Seite 1");
}
