// The written tables as other programs read them: every XML part well-formed for xmllint, and
// LibreOffice Calc, converting the ODS and the XLSX to CSV, shows every cell as it was written.

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
    // One start for both, as it takes its time; a profile of its own, so that neither a running
    // Calc nor the user's settings count.
    const QStringList argumente{
        QStringLiteral("--headless"),
        QStringLiteral("--norestore"),
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(ordner.filePath(QStringLiteral("profil"))).toString(),
        QStringLiteral("--convert-to"),
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

} // namespace
