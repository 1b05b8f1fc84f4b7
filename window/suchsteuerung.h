#pragma once
// The find bar's logic: searches the list as the user types, marks every hit in the grid, goes
// to the next or previous one, and puts the cursor back where the bar opened when a text finds
// nothing.

#include <QObject>

class NamenListe;
class THyperGrid;
class TSuchleiste;

class Suchsteuerung : public QObject {
    Q_OBJECT
public:
    Suchsteuerung(THyperGrid& grid, TSuchleiste& leiste, NamenListe& liste, QObject* parent);

    // "Suchen…": the bar opens on its text, the hits are marked.
    void oeffnen();
    // F3 and Shift+F3: the next or previous hit; with nothing searched yet the bar opens.
    void weiter(bool rueckwaerts);

private:
    enum class Gehe { Nicht, AbHier, Weiter, Zurueck };
    // Searches the list for the bar's text, marks the hits and, unless only the marks are to
    // follow a change of the list, goes to a hit.
    void suchen(Gehe gehe);
    void beginnen();
    void schliessen();

    THyperGrid& grid_;
    TSuchleiste& leiste_;
    NamenListe& liste_;
    struct Zelle {
        int col = 0, row = 1;
    } start_; // where the cursor was when the bar opened
};
