#pragma once
// The program's file dialogs: the toolkit's own, alike on every desktop, and never writing the
// toolkit's history file, since the program writes no file but its own.

#include <QFileDialog>
#include <QString>
#include <QStringList>

// Sets a file dialog up as every one of the program's is.
void DateidialogEinrichten(QFileDialog& dialog);

struct Dateiwahl {
    QString titel = {};
    QString name = {}; // the dialog's object name
    QFileDialog::AcceptMode modus = QFileDialog::AcceptOpen;
    QStringList filter = {};
    QString ordner = {};    // where it starts
    QString vorschlag = {}; // the file name proposed; empty: none
    QString endung = {};    // added to a name typed without one; empty: none
    // With a filter for each kind of file: the ending each filter gives. Choosing a filter
    // gives the name in the dialog its ending, and a name typed without one gets it.
    QStringList endungen = {};
};

// The file the user chose (to open: one that exists), or empty when cancelled.
QString DateiWaehlen(QWidget* parent, const Dateiwahl& wahl);
