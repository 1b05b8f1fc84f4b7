#pragma once
// The desktop's default printer as a drawing surface: QPrinter at its full resolution, so
// device units are printer pixels.

#include "print/drucker.h"
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

    void beginDoc() override;
    void newPage() override;
    void endDoc() override;
    bool printing() const override { return painter_.isActive(); }
    TRechteck clipRect() const override;
    TPunkt penPos() const override { return pen_; }
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void setFontStyle(const TSchriftstil& style) override;
    int fontHeight() const override;

    QPrinter& printer() { return *printer_; }

private:
    explicit QtDrucker(std::unique_ptr<QPrinter> printer);
    QFont deviceFont() const;

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    TPunkt pen_;
};

// Sets the print state up on the default printer, as the start-up does. Printing calls it
// again when no printer was found before: one may have been set up meanwhile.
void StandarddruckerEinrichten();
