#pragma once
// The desktop's default printer as a drawing surface: QPrinter at its full resolution, so
// device units are printer pixels.

#include "print/drucker.h"
#include "print/druckermodul.h"
#include "print/zeichenflaeche.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

class QtDrucker : public Zeichenflaeche {
public:
    // The CUPS default printer; nullptr where there is none.
    static std::unique_ptr<QtDrucker> standarddrucker();
    // A PDF file instead of a printer (for tests and previews).
    static std::unique_ptr<QtDrucker> pdfDatei(const QString& path);
    // A printer the user chose in the printer dialog (null: cancelled), and one a preview
    // dialog owns and lends for one drawing.
    static std::unique_ptr<QtDrucker> gewaehlt(QWidget* parent);
    static std::unique_ptr<QtDrucker> geliehen(QPrinter* printer);

    void beginDoc() override;
    void newPage() override;
    void endDoc() override;
    bool printing() const override { return painter_.isActive(); }
    TRechteck clipRect() const override;
    TPunkt penPos() const override { return pen_; }
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void setFontStyle(const TSchriftstil& style) override;
    int fontHeight() const override;
    std::string ziel() const override;

    QPrinter& printer() { return *printer_; }

private:
    QtDrucker(std::unique_ptr<QPrinter> printer, QPrinter* geliehen = nullptr);
    QFont deviceFont() const;

    std::unique_ptr<QPrinter> eigener_;
    QPrinter* printer_;
    QPainter painter_;
    QFont font_;
    TPunkt pen_;
};

// Sets the print state up on the default printer, as the start-up does. Printing calls it
// again when no printer was found before: one may have been set up meanwhile.
void StandarddruckerEinrichten();

// The module's functions behind print/druckermodul.h.
extern "C" {
Q_DECL_EXPORT Zeichenflaeche* gesamt_druckerwahl(QWidget* parent);
Q_DECL_EXPORT Zeichenflaeche* gesamt_pdfdatei(const char* pfad);
Q_DECL_EXPORT int gesamt_vorschau(QWidget* parent, const Zeichnen& zeichnen, std::string* ziel);
}
