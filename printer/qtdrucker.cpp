#include "printer/qtdrucker.h"

#include "platform/cp1252.h"

#include <QFile>
#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <cmath>
#include <cups/cups.h>
#include <stdexcept>

std::unique_ptr<QtDrucker> QtDrucker::standarddrucker() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::unique_ptr<QtDrucker>(
        new QtDrucker(std::make_unique<QPrinter>(info, QPrinter::HighResolution)));
}

std::unique_ptr<QtDrucker> QtDrucker::gewaehlt(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::unique_ptr<QtDrucker>(new QtDrucker(std::move(printer)));
}

std::unique_ptr<QtDrucker> QtDrucker::geliehen(QPrinter* printer) {
    return std::unique_ptr<QtDrucker>(new QtDrucker(nullptr, printer));
}

std::unique_ptr<QtDrucker> QtDrucker::pdfDatei(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::unique_ptr<QtDrucker>(new QtDrucker(std::move(printer)));
}

QtDrucker::QtDrucker(std::unique_ptr<QPrinter> printer, QPrinter* geliehen)
    : eigener_(std::move(printer)), printer_(geliehen ? geliehen : eigener_.get()) {
    printer_->setDocName(QStringLiteral("Gesamtdatei"));
    printer_->setFullPage(false);
}

void QtDrucker::beginDoc() {
    if (!painter_.begin(printer_))
        throw std::runtime_error("Der Druckauftrag kann nicht begonnen werden");
    painter_.setFont(deviceFont());
    painter_.setPen(QPen(Qt::black, 0));
}

void QtDrucker::newPage() {
    if (!printer_->newPage())
        throw std::runtime_error("Die neue Seite kann nicht begonnen werden");
}

namespace {

// A printer removed since the program started shows as a plain system error.
bool gibtEs(const QString& drucker) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, drucker.toUtf8().constData(), nullptr);
    cupsFreeDests(dest ? 1 : 0, dest);
    return dest != nullptr;
}

std::string ablehnungsgrund(ipp_status_t status, const QString& drucker) {
    if (status != IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS && !gibtEs(drucker))
        return "Der Drucker wurde nicht gefunden";
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return "Der Drucker nimmt zurzeit keine Auftr\xE4ge an";
    case IPP_STATUS_ERROR_NOT_FOUND:
        return "Der Drucker wurde nicht gefunden";
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return "Das Drucken auf diesem Drucker ist nicht erlaubt";
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return "Das Drucksystem ist nicht erreichbar";
    default:
        return "Das Drucksystem hat den Auftrag abgelehnt (" +
               cp1252::fromQString(QString::fromUtf8(cupsLastErrorString())) + ")";
    }
}

} // namespace

void QtDrucker::endDoc() {
    if (!painter_.isActive())
        return;
    if (!painter_.end())
        throw std::runtime_error("Der Druckauftrag kann nicht beendet werden");
    // The job goes to the print system when the document ends, and the toolkit does not say
    // whether it was taken; the print system's last answer in this thread does.
    // A preview's printer is the dialog's: no job of ours to ask about.
    if (eigener_ && printer_->outputFormat() == QPrinter::NativeFormat &&
        cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST)
        throw std::runtime_error(ablehnungsgrund(cupsLastError(), printer_->printerName()));
}

TRechteck QtDrucker::clipRect() const {
    // The printable area in printer pixels, its top left at the origin.
    return {0, 0, printer_->width(), printer_->height()};
}

void QtDrucker::lineTo(int x, int y) {
    if (painter_.isActive())
        painter_.drawLine(pen_.X, pen_.Y, x, y);
    pen_ = {x, y};
}

void QtDrucker::textOut(int x, int y, const std::string& text) {
    const QString s = cp1252::toQString(text);
    const QFontMetrics metrics(deviceFont(), printer_);
    if (painter_.isActive()) {
        painter_.setFont(deviceFont());
        painter_.drawText(x, y + metrics.ascent(), s);
    }
    pen_ = {x + metrics.horizontalAdvance(s), y};
}

int QtDrucker::textWidth(const std::string& text) const {
    return QFontMetrics(deviceFont(), printer_).horizontalAdvance(cp1252::toQString(text));
}

void QtDrucker::setFontName(const std::string& name) {
    font_.setFamily(cp1252::toQString(name));
}

void QtDrucker::setFontSize(int points) {
    font_.setPointSize(points > 0 ? points : 1);
}

void QtDrucker::setFontStyle(const TSchriftstil& style) {
    font_.setBold(style.fett);
    font_.setItalic(style.kursiv);
    font_.setUnderline(style.unterstrichen);
    font_.setStrikeOut(style.durchgestrichen);
}

int QtDrucker::fontHeight() const {
    return int(std::lround(font_.pointSizeF() * printer_->logicalDpiY() / 72.0));
}

std::string QtDrucker::ziel() const {
    return cp1252::fromQString(printer_->outputFormat() == QPrinter::PdfFormat
                                   ? printer_->outputFileName()
                                   : printer_->printerName());
}

QFont QtDrucker::deviceFont() const {
    // Sized in printer pixels, so that text and positions share one unit.
    QFont f = font_;
    f.setPixelSize(fontHeight());
    return f;
}

Zeichenflaeche* gesamt_druckerwahl(QWidget* parent) {
    return QtDrucker::gewaehlt(parent).release();
}

Zeichenflaeche* gesamt_pdfdatei(const char* pfad) {
    return QtDrucker::pdfDatei(QFile::decodeName(pfad)).release();
}

int gesamt_vorschau(QWidget* parent, const Zeichnen& zeichnen, std::string* ziel) {
    // The desktop's default printer, or a PDF page where there is none; the dialog lets the
    // user print from there.
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (!standard.isNull())
        printer.setPrinterName(standard.printerName());
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    int seiten = 0;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
        auto flaeche = QtDrucker::geliehen(p);
        seiten = zeichnen(*flaeche);
        if (ziel)
            *ziel = flaeche->ziel();
    });
    return dialog.exec() == QDialog::Accepted ? seiten : 0;
}
