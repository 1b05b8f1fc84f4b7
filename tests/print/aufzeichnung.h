#pragma once
// A printer that records what is drawn, with a page and a font of chosen sizes.

#include "print/zeichenflaeche.h"

#include <cmath>
#include <stdexcept>
#include <vector>

struct Aufzeichnung : Zeichenflaeche {
    struct Text {
        int page, x, y;
        std::string text;
        bool fett;
    };
    struct Linie {
        int page, x1, y1, x2, y2;
    };
    TRechteck clip{0, 0, 4800, 6800};
    int dpi = 600;
    int charWidth = 60; // every character as wide
    bool noBeginDoc = false;
    int failNewPageAt = -1; // the page turn that fails (1 = the first)

    std::vector<Text> texts;
    std::vector<Linie> lines;
    int pages = 0, begun = 0, ended = 0, turns = 0;
    bool open = false;
    TPunkt pen;
    int size = 10;
    TSchriftstil style;
    std::string fontName;

    void beginDoc() override {
        if (noBeginDoc)
            throw std::runtime_error("Der Druckauftrag kann nicht begonnen werden");
        ++begun;
        open = true;
        pages = 1;
    }
    void newPage() override {
        ++turns;
        if (turns == failNewPageAt)
            throw std::runtime_error("Papierstau");
        ++pages;
    }
    void endDoc() override {
        ++ended;
        open = false;
    }
    bool printing() const override { return open; }
    TRechteck clipRect() const override { return clip; }
    TPunkt penPos() const override { return pen; }
    void moveTo(int x, int y) override { pen = {x, y}; }
    void lineTo(int x, int y) override {
        lines.push_back({pages, pen.X, pen.Y, x, y});
        pen = {x, y};
    }
    void textOut(int x, int y, const std::string& text) override {
        texts.push_back({pages, x, y, text, style.fett});
        pen = {x + textWidth(text), y};
    }
    int textWidth(const std::string& text) const override { return int(text.size()) * charWidth; }
    void setFontName(const std::string& name) override { fontName = name; }
    void setFontSize(int points) override { size = points; }
    void setFontStyle(const TSchriftstil& s) override { style = s; }
    int fontHeight() const override { return int(std::lround(size * dpi / 72.0)); }
};
