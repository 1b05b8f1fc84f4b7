#pragma once
// The main window's print commands: on the default printer (Ctrl+D), in the preview, on a
// printer the user chooses, and as a PDF file. Each says below the list where the pages went.

#include <QString>
#include <functional>
#include <string>

class Meldungen;
class QWidget;
class THyperGrid;

// What the print commands need of the window.
struct Druckauftrag {
    QWidget* fenster;
    THyperGrid& tabelle;
    int anzahl; // the entries to print
    Meldungen& meldungen;
    const std::string& liste; // the list's file, beside which the PDF is proposed
    std::function<void(const QString&)> hinweis; // the note below the list
};

void AufStandarddrucker(const Druckauftrag& auftrag);
void InDruckvorschau(const Druckauftrag& auftrag);
void AufGewaehltemDrucker(const Druckauftrag& auftrag);
void AlsPdf(const Druckauftrag& auftrag);
