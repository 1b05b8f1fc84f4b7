#include "print/druckermodul.h"

#include "platform/modul.h"
#include "print/drucker.h"
#include "safewrite/safewrite.h"
#include "support/fileerrors.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QTemporaryDir>

namespace {

// The module's function of that name and type; null without the module, which is reported.
template <typename F> F* funktion(const char* name, Meldungen* meldungen) {
    QLibrary* m = modul::laden(QStringLiteral("gesamt-drucker.so"));
    F* f = m ? reinterpret_cast<F*>(m->resolve(name)) : nullptr;
    if (!f && meldungen)
        meldungen->fehler("Fehler beim Ausdruck der Gesamtdatei: Die Druckunterst\xFCtzung kann "
                          "nicht geladen werden");
    return f;
}

} // namespace

void druckermodul::testing::ortSetzen(const std::string& datei) {
    modul::testing::ordnerSetzen(
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(datei))).path().toStdString());
}

void StandarddruckerLaden() {
    static std::unique_ptr<Zeichenflaeche> standard;
    const auto fabrik = funktion<druckermodul::Standarddrucker>("gesamt_standarddrucker", nullptr);
    standard.reset(fabrik ? fabrik() : nullptr);
    DruckerInitialisieren(standard.get());
}

int Druckvorschau(QWidget* parent, const Zeichnen& zeichnen, std::string& ziel,
                  Meldungen& meldungen) {
    const auto vorschau = funktion<druckermodul::Vorschau>("gesamt_vorschau", &meldungen);
    return vorschau ? vorschau(parent, zeichnen, &ziel) : 0;
}

std::unique_ptr<Zeichenflaeche> DruckerWaehlen(QWidget* parent, Meldungen& meldungen) {
    const auto wahl = funktion<druckermodul::Druckerwahl>("gesamt_druckerwahl", &meldungen);
    return std::unique_ptr<Zeichenflaeche>(wahl ? wahl(parent) : nullptr);
}

int PdfSpeichern(const std::string& pfad, const Zeichnen& zeichnen, Meldungen& meldungen) {
    const auto pdf = funktion<druckermodul::PdfDatei>("gesamt_pdfdatei", &meldungen);
    if (!pdf)
        return 0;
    return PdfSpeichern(pfad, zeichnen, meldungen, [pdf](const std::string& entwurf) {
        return std::unique_ptr<Zeichenflaeche>(pdf(entwurf.c_str()));
    });
}

int PdfSpeichern(const std::string& pfad, const Zeichnen& zeichnen, Meldungen& meldungen,
                 const PdfFlaeche& flaeche) {
    // What an export of this file that a crash stopped left beside it goes first.
    safewrite::recover(pfad);
    const QTemporaryDir ordner;
    const std::string entwurf =
        QFile::encodeName(ordner.filePath(QStringLiteral("liste.pdf"))).toStdString();
    int seiten = 0;
    if (std::unique_ptr<Zeichenflaeche> pdf = flaeche(entwurf))
        seiten = zeichnen(*pdf); // the surface ends its file when it goes
    if (seiten <= 0)
        return 0;
    const int fehler = safewrite::write(pfad, safewrite::readFile(entwurf)).error;
    if (fehler == 0)
        return seiten;
    meldungen.fehler(std::string("Fehler beim Speichern der PDF-Datei: ") +
                     DateiFehlerAusErrno(fehler).what());
    return 0;
}
