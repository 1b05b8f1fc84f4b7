#include "window/druckbefehle.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "print/drucker.h"
#include "print/druckermodul.h"
#include "print/namenliste_druck.h"
#include "widgets/dateiwahl.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace {

// On the printer the print state is set up on now.
int listeDrucken(const Druckauftrag& a) {
    return Drucken(a.tabelle, a.anzahl,
                   cp1252::fromQString(datetime::shortDate(QDate::currentDate())), a.meldungen);
}

int listeDruckenAuf(const Druckauftrag& a, Zeichenflaeche& flaeche) {
    DruckerAuf auf(flaeche); // afterwards Ctrl+D sets the default printer up again
    return listeDrucken(a);
}

// Where the pages went and how many, below the list: no dialog, even for the direct print.
void melden(const Druckauftrag& a, int seiten, const std::string& ziel, bool pdf) {
    if (seiten <= 0)
        return;
    const QString wieviel =
        seiten == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(seiten);
    const QString wohin =
        pdf ? QFile::decodeName(QByteArray::fromStdString(ziel)) : cp1252::toQString(ziel);
    a.hinweis(pdf ? QStringLiteral("Als PDF gespeichert: %1, %2").arg(wohin, wieviel)
                  : QStringLiteral(u"Gedruckt auf „%1“: %2").arg(wohin, wieviel));
}

} // namespace

void AufStandarddrucker(const Druckauftrag& a) {
    if (!Drucker.Flaeche)
        StandarddruckerLaden();
    melden(a, listeDrucken(a), Drucker.Flaeche ? Drucker.Flaeche->ziel() : std::string(), false);
}

void InDruckvorschau(const Druckauftrag& a) {
    std::string ziel;
    const int seiten = Druckvorschau(
        a.fenster, [&](Zeichenflaeche& f) { return listeDruckenAuf(a, f); }, ziel, a.meldungen);
    melden(a, seiten, ziel, false);
}

void AufGewaehltemDrucker(const Druckauftrag& a) {
    if (const std::unique_ptr<Zeichenflaeche> gewaehlt = DruckerWaehlen(a.fenster, a.meldungen))
        melden(a, listeDruckenAuf(a, *gewaehlt), gewaehlt->ziel(), false);
}

void AlsPdf(const Druckauftrag& a) {
    const QFileInfo liste(QFile::decodeName(QByteArray::fromStdString(a.liste)));
    const QString gewaehlt =
        DateiWaehlen(a.fenster, {.titel = QStringLiteral("Als PDF speichern"),
                                 .name = QStringLiteral("pdfDialog"),
                                 .modus = QFileDialog::AcceptSave,
                                 .filter = {QStringLiteral("PDF-Dateien (*.pdf)")},
                                 .ordner = liste.absolutePath(),
                                 .vorschlag = liste.completeBaseName() + QStringLiteral(".pdf"),
                                 .endung = QStringLiteral("pdf")});
    if (gewaehlt.isEmpty())
        return;
    const std::string pdf = QFile::encodeName(gewaehlt).toStdString();
    melden(a,
           PdfSpeichern(
               pdf, [&](Zeichenflaeche& f) { return listeDruckenAuf(a, f); }, a.meldungen),
           pdf, true);
}
