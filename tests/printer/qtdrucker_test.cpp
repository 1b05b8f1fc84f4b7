#include "cells/cellstore.h"
#include "print/drucker.h"
#include "print/namenliste_druck.h"
#include "printer/qtdrucker.h"

#include "tests/print/aufzeichnung.h"
#include "tests/testsupport/recorder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

#include <gtest/gtest.h>

namespace {

QStringList pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
}

// n entries "<name> <r>" numbered 1 to n.
CellStore spieler(int n, const std::string& name) {
    CellStore cells(1001);
    cells.setRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
        cells.setCell(0, r, std::to_string(r));
        cells.setCell(1, r, name + " " + std::to_string(r));
    }
    return cells;
}

} // namespace

TEST(QtDrucker, FontHeightIsTheEmHeightAtThePrinterResolution) {
    QTemporaryDir dir;
    auto pdf = QtDrucker::pdfDatei(dir.filePath(QStringLiteral("x.pdf")));
    pdf->setFontSize(12);
    const int dpi = pdf->printer().resolution();
    EXPECT_EQ(pdf->fontHeight(), 12 * dpi / 72);
    DruckerAuf auf(*pdf);
    EXPECT_EQ(Drucker.Zeilenhoehe, int(12 * dpi / 72 * 1.2));
    EXPECT_GT(ZeilenProSeite(), 40);
}

TEST(QtDrucker, PrintoutOf120NamesIntoAPdf) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("liste.pdf"));
    auto pdf = QtDrucker::pdfDatei(file);
    int perPage = 0;
    {
        DruckerAuf auf(*pdf);
        perPage = 2 * (ZeilenProSeite() - 1);
        Recorder said;
        Drucken(spieler(120, "Spieler M\xFCller"), 120, "08.12.2026", said);
        EXPECT_TRUE(said.errors.empty());
    }

    const QStringList pages = pdfPages(file);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(
        pages[0].contains(QStringLiteral(u"Gesamtdatei - 08.12.2026 - 120 Einträge, Seite 1")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral(u"    1. Spieler Müller 1")));
    const QString last = QStringLiteral(u"  %1. Spieler Müller %1").arg(perPage);
    EXPECT_TRUE(pages[0].contains(last)) << last.toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral(u"Seite 2")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral(u"  120. Spieler Müller 120")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral(u"    1. Spieler")));
}

TEST(QtDrucker, APdfHasThePagesAndLinesOfTheRecordedLayout) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("NAMEN.pdf"));
    const CellStore cells = spieler(1000, "Spieler");
    Recorder said;
    auto pdf = QtDrucker::pdfDatei(file);
    int seiten = 0;
    {
        DruckerAuf auf(*pdf);
        seiten = Drucken(cells, 1000, "08.12.2026", said);
    }
    // The same page and resolution on the recording surface.
    Aufzeichnung aufgezeichnet;
    aufgezeichnet.clip = pdf->clipRect();
    aufgezeichnet.dpi = pdf->printer().logicalDpiY();
    {
        DruckerAuf auf(aufgezeichnet);
        EXPECT_EQ(Drucken(cells, 1000, "08.12.2026", said), seiten);
    }
    EXPECT_TRUE(said.errors.empty());
    EXPECT_EQ(aufgezeichnet.pages, seiten);

    QStringList pages = pdfPages(file);
    if (pages.size() > seiten && pages.last().trimmed().isEmpty())
        pages.removeLast(); // after the last form feed
    ASSERT_EQ(pages.size(), seiten);
    const QRegularExpression eintrag(QStringLiteral("\\d+\\. Spieler \\d+"));
    for (int s = 1; s <= seiten; ++s) {
        SCOPED_TRACE(s);
        const auto recorded =
            std::count_if(aufgezeichnet.texts.begin(), aufgezeichnet.texts.end(),
                          [s](const Aufzeichnung::Text& t) { return t.page == s && !t.fett; });
        qsizetype gedruckt = 0;
        for (auto it = eintrag.globalMatch(pages[s - 1]); it.hasNext(); it.next())
            ++gedruckt;
        EXPECT_EQ(gedruckt, recorded);
    }
}
