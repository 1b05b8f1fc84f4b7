#pragma once
// The window's commands in one table: each command's action (object name, menu, caption, keys),
// its toolbar button, its handler, and whether the open cell's typing is taken first and the
// cell given the keyboard back afterwards. The menus, the toolbar and the keys the grid leaves
// to the window are all built from it.

#include <QKeySequence>
#include <QList>
#include <vector>

class QToolBar;
class THyperGrid;
class TfrmGesamtdatei;

struct Knopf {
    const char* name = nullptr; // the toolbar button's object name; none: no button
    const char16_t* text = nullptr;
    const char16_t* beschreibung = nullptr; // for screen readers: the window shows no hints
    int bild = -1;
    int platz = -1; // from the left
};

struct Befehl {
    const char* name = nullptr;     // the action's object name
    const char* menue = nullptr;    // its menu's object name; none: a key only
    const char16_t* text = nullptr; // with its accelerator
    QList<QKeySequence> tasten = {};
    void (TfrmGesamtdatei::*handler)() = nullptr;
    bool zelleZuerst = true;   // what is typed in the open cell is taken first
    bool fokusDanach = true;   // the cell has the keyboard again afterwards
    bool trennerDavor = false; // in the menu
    Knopf knopf = {};
    const char16_t* erklaerung = nullptr; // in the keys list (F1), after the command's name
};

struct Menue {
    const char* name;
    const char16_t* text;
};

const std::vector<Menue>& Menues();
const std::vector<Befehl>& Befehle();

// Builds the window's menus, actions and toolbar (with its pictures) from the tables.
QToolBar* BefehleEinrichten(TfrmGesamtdatei& fenster, THyperGrid& grid);
// Hides a command: its menu item, its button, and its keys do nothing.
void BefehlVerbergen(TfrmGesamtdatei& fenster, const char* name);
// A larger program font widens the buttons so that their captions show whole; the usual font
// keeps the usual sizes.
void KnoepfeAnpassen(QToolBar& leiste);
