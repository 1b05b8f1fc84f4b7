#pragma once
// What the page line writer needs of a printer: a drawing surface in device units with the
// origin at the top left of the printable area.

#include <string>

struct TPunkt {
    int X = 0, Y = 0;
    bool operator==(const TPunkt&) const = default;
};

struct TRechteck {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TRechteck&) const = default;
};

struct TSchriftstil {
    bool fett = false, kursiv = false, unterstrichen = false, durchgestrichen = false;
    bool operator==(const TSchriftstil&) const = default;
};

class Zeichenflaeche {
public:
    virtual ~Zeichenflaeche() = default;

    // Failures are thrown as std::exception with a German text.
    virtual void beginDoc() = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    virtual bool printing() const = 0;

    virtual TRechteck clipRect() const = 0;
    virtual TPunkt penPos() const = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Draws with the top left at (x, y); the pen then stands at (x + text width, y).
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // How wide the text would be drawn in the font now set.
    virtual int textWidth(const std::string& text) const = 0;

    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontStyle(const TSchriftstil& style) = 0;
    // The em height of the font at the vertical resolution (12 points at 600 dpi: 100).
    virtual int fontHeight() const = 0;
    // Where the pages went, for the user: the printer's name or the file (Windows-1252).
    virtual std::string ziel() const { return {}; }
};
