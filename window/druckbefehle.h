#pragma once
// The main window's print commands: on the default printer (Ctrl+D), in the preview, on a
// printer the user chooses, and as a PDF file. Each says below the list where the pages went.

#include <QString>
#include <functional>
#include <string>

class CellTable;
class Meldungen;
class QWidget;

// What the print commands need of the window.
struct Druckauftrag {
    QWidget* fenster;         // over which the printer's dialogs show
    const CellTable& tabelle; // the list: rows 1 .. anzahl are the entries to print
    int anzahl;
    Meldungen& meldungen;
    const std::string& liste; // the list's file, beside which the PDF is proposed
    std::function<void(const QString&)> hinweis; // the note below the list
};

void AufStandarddrucker(const Druckauftrag& auftrag);
void InDruckvorschau(const Druckauftrag& auftrag);
void AufGewaehltemDrucker(const Druckauftrag& auftrag);
void AlsPdf(const Druckauftrag& auftrag);
