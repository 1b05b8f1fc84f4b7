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
};

// The file the user chose (to open: one that exists), or empty when cancelled.
QString DateiWaehlen(QWidget* parent, const Dateiwahl& wahl);
