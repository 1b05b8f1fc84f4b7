// The written tables as other programs read them: every XML part well-formed for xmllint, and
// LibreOffice Calc, converting the ODS and the XLSX to CSV, shows every cell as it was written.

#include "cells/cellstore.h"
#include "editor/abgleich.h"
#include "namefile/namefile.h"
#include "tests/tabelle/namensliste.h"
#include "tests/tabelle/zipbau.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tabelle;

namespace {

QByteArray readBytesOf(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const std::vector<Schreibzeile> kListe = namensliste(1000);

// Runs the program to its end, within three minutes: its exit code, -1 when it did not end.
// In a process group of its own, so that nothing it started outlives a timeout.
int ausfuehren(const QString& programm, const QStringList& argumente, const QString& heim = {}) {
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    if (!heim.isEmpty())
        umgebung.insert(QStringLiteral("HOME"), heim);
    p.setProcessEnvironment(umgebung);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.setChildProcessModifier([] { ::setsid(); });
    p.start(programm, argumente);
    if (!p.waitForStarted())
        return -1;
    if (!p.waitForFinished(180000)) {
        ::kill(-pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(Tabellenprogramm, JederXmlTeilIstWohlgeformt) {
    QTemporaryDir ordner;
    QStringList teile;
    for (const Format format : {Format::Ods, Format::Xlsx}) {
        QByteArray bytes =
            schreibenAlsBytes({QStringLiteral("Gesamtdatei"), kKopf, kListe}, format).bytes;
        QBuffer puffer(&bytes);
        QuaZip zip(&puffer);
        ASSERT_TRUE(zip.open(QuaZip::mdUnzip));
        for (bool weiter = zip.goToFirstFile(); weiter; weiter = zip.goToNextFile()) {
            const QString name = zip.getCurrentFileName();
            QuaZipFile teil(&zip);
            ASSERT_TRUE(teil.open(QIODevice::ReadOnly));
            const QString pfad = ordner.filePath(QString::number(int(format)) + u'/' + name);
            QDir().mkpath(QFileInfo(pfad).path());
            QFile datei(pfad);
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly) && datei.write(teil.readAll()) > 0);
            if (name != u"mimetype")
                teile.append(pfad);
        }
    }
    EXPECT_EQ(teile.size(), 3 + 7); // ODS: manifest, styles, content; XLSX: seven parts
    EXPECT_EQ(ausfuehren(QStringLiteral("xmllint"), QStringList{QStringLiteral("--noout")} + teile),
              0);
}

// Calc's start for these tests: headless, with a profile of its own, so that neither a running
// Calc nor the user's settings count.
QStringList calc(const QTemporaryDir& ordner) {
    return {QStringLiteral("--headless"), QStringLiteral("--norestore"),
            QStringLiteral("-env:UserInstallation=") +
                QUrl::fromLocalFile(ordner.filePath(QStringLiteral("profil"))).toString()};
}

TEST(Tabellenprogramm, CalcZeigtJedeZelleWieSieGeschriebenWurde) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    ASSERT_FALSE(soffice.isEmpty())
        << "LibreOffice Calc is missing (scripts/install-deps.sh --test)";
    QTemporaryDir ordner;
    // Names of their own, as each becomes <name>.csv.
    const QStringList dateien{ordner.filePath(QStringLiteral("liste.ods")),
                              ordner.filePath(QStringLiteral("liste-x.xlsx"))};
    for (const QString& pfad : dateien)
        ASSERT_TRUE(schreiben(pfad, {QStringLiteral("Gesamtdatei"), kKopf, kListe}).ok());
    // One start for both, as it takes its time.
    const QStringList argumente =
        calc(ordner) + QStringList{QStringLiteral("--convert-to"),
                                   QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76"),
                                   QStringLiteral("--outdir"),
                                   ordner.filePath(QStringLiteral("csv"))};
    ASSERT_EQ(ausfuehren(soffice, argumente + dateien, ordner.path()), 0);
    for (const QString& pfad : dateien) {
        SCOPED_TRACE(pfad.toStdString());
        const Ergebnis e =
            lesen(ordner.filePath(QStringLiteral("csv/") + QFileInfo(pfad).completeBaseName() +
                                  QStringLiteral(".csv")),
                  Kodierung::Utf8);
        ASSERT_EQ(e.fehler, QString());
        EXPECT_EQ(alsText(e.blaetter.at(0).zeilen), alsText(gelesen(kListe)));
    }
}

// The list written as a table, opened in Calc and saved there as ODS, XLSX and CSV, then taken
// in again: every row stands for its entry unchanged, membership numbers with leading zeros and
// letters included, though Calc reads "0100999" in a CSV as a number.
TEST(Tabellenprogramm, VonCalcGespeichertBleibtJedeZeileUnveraendert) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    ASSERT_FALSE(soffice.isEmpty())
        << "LibreOffice Calc is missing (scripts/install-deps.sh --test)";
    std::string text = "GESAMT-DATEI\r\n";
    const std::string nummern[] = {"0100999", "100237", "DBV-77", "", "4711", "007"};
    for (int i = 1; i <= 60; ++i) {
        const std::string& nummer = nummern[i % 6];
        text += (i % 7 == 0 ? "J\xFCrgen Wei\xDF " : "Anna Berg ") + std::to_string(i) + "\t \t" +
                std::to_string(i * 3) + "\t" + "JNG"[i % 3] + "\t" +
                (nummer.empty() ? nummer : nummer + std::to_string(i)) + "\r\n";
    }
    CellStore zellen(kMaxEintraege + 1);
    const int anzahl = NamenTextLesen(text, zellen).anzahl;
    ASSERT_EQ(anzahl, 60);
    QTemporaryDir ordner;
    const std::vector<Schreibzeile> zeilen = TabellenZeilen(zellen, anzahl);
    const Ausgabe tabelle{QStringLiteral("NAMEN"), TabellenKopf(), zeilen};
    struct Weg {
        const char* datei;
        const char* filter;
        const char* einlesen; // how Calc reads the file, where it must be told
    };
    const Weg wege[] = {{"NAMEN.ods", "ods", nullptr},
                        {"NAMEN.xlsx", "xlsx:Calc MS Excel 2007 XML", nullptr},
                        {"NAMEN.csv", "csv:Text - txt - csv (StarCalc):59,34,76", "CSV:59,34,76"}};
    for (const Weg& w : wege) {
        SCOPED_TRACE(w.datei);
        const QString geschrieben = ordner.filePath(QString::fromLatin1(w.datei));
        ASSERT_TRUE(schreiben(geschrieben, tabelle).ok());
        QStringList argumente = calc(ordner);
        if (w.einlesen)
            argumente << QStringLiteral("--infilter=") + QString::fromLatin1(w.einlesen);
        argumente << QStringLiteral("--convert-to") << QString::fromLatin1(w.filter)
                  << QStringLiteral("--outdir") << ordner.filePath(QStringLiteral("calc"))
                  << geschrieben;
        ASSERT_EQ(ausfuehren(soffice, argumente, ordner.path()), 0);
        const QString zurueck =
            ordner.filePath(QStringLiteral("calc/") + QString::fromLatin1(w.datei));
        ASSERT_NE(readBytesOf(zurueck), readBytesOf(geschrieben))
            << "Calc saved nothing of its own";
        const Ergebnis e = lesen(zurueck);
        ASSERT_EQ(e.fehler, QString());
        const Zeilenvorschau v(e.blaetter[size_t(e.erstesMitDaten)].zeilen);
        const Abgleich a = Abgleichen(zellen, anzahl, v.eintraege());
        ASSERT_EQ(a.zeilen.size(), 61u);
        EXPECT_EQ(a.zeilen[0].aktion, Aktion::Uebersprungen); // the heading row
        for (size_t i = 1; i < a.zeilen.size(); ++i)
            EXPECT_EQ(a.zeilen[i].aktion, Aktion::Unveraendert)
                << i << ": " << a.zeilen[i].grund.toStdString();
        EXPECT_EQ(a.nichtInTabelle, 0);
    }
}

} // namespace
