#include "cells/cellstore.h"
#include "print/drucker.h"
#include "print/namenliste_druck.h"
#include "printer/qtdrucker.h"

#include "tests/testsupport/recorder.h"
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
}

} // namespace

TEST(QtDrucker, FontHeightIsTheEmHeightAtThePrinterResolution) {
    QTemporaryDir dir;
    auto pdf = QtDrucker::pdfDatei(dir.filePath(QStringLiteral("x.pdf")));
    pdf->setFontSize(12);
    const int dpi = pdf->printer().resolution();
    EXPECT_EQ(pdf->fontHeight(), 12 * dpi / 72);
    DruckerInitialisieren(pdf.get());
    EXPECT_EQ(Drucker.Zeilenhoehe, int(12 * dpi / 72 * 1.2));
    EXPECT_GT(ZeilenProSeite(), 40);
    DruckerInitialisieren(nullptr);
}

TEST(QtDrucker, PrintoutOf120NamesIntoAPdf) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("liste.pdf"));
    auto pdf = QtDrucker::pdfDatei(file);
    DruckerInitialisieren(pdf.get());
    const int perPage = 2 * (ZeilenProSeite() - 1);
    CellStore cells(1001);
    cells.setRowCount(121);
    for (int r = 1; r <= 120; ++r) {
        cells.setCell(0, r, std::to_string(r));
        cells.setCell(1, r, "Spieler M\xFCller " + std::to_string(r));
    }
    Recorder said;
    Drucken(cells, 120, "08.12.2026", said);
    EXPECT_TRUE(said.errors.empty());
    DruckerInitialisieren(nullptr);

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
