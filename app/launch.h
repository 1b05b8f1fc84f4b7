#pragma once
// Runs the name-list editor.
//
// A caller in C++ that wants to offer a tournament's participants passes them as an ordered
// vector of names (Windows-1252 bytes) and keeps it alive until this function returns:
//
//     std::vector<std::string> teilnehmer = {"Hans Meier", "Petra Schulz"};
//     GesamtdateiBearbeiten("/home/td/kelmar/NAMEN.TIF", false, &teilnehmer);
//
// File names, everywhere in the program: a file name is a native path, the bytes the file
// system uses (UTF-8 on a usual Linux system, but any bytes are kept as they are), as argv and
// every Linux program hand it over; QFile::encodeName/decodeName convert at the edges to the
// toolkit. Only Windows drive paths ("c:\\kelmar\\NAMEN.TIF") are mapped (drive C: is the
// home folder). Names from the settings file are Windows-1252 text and are converted once,
// where they are read. Cell texts stay Windows-1252; file names never go through that codec.
//
// With nullptr or an empty list the command "Turnierteilnehmer einfügen" is hidden. With
// bSofortErweitern the participants are added before the window is shown. An empty file name
// lets the user choose the file; cancelling that ends the program with exit code 1.

#include <functional>
#include <string>
#include <vector>

// The program's desktop side, once the QApplication exists: Qt's own dialogs in German, the
// standard error box, the window icon, and a print state that asks the printer only when the
// first printout is made (a printer query costs time on every launch).
void OberflaecheEinrichten();

void GesamtdateiBearbeiten(const std::string& dateiname, bool bSofortErweitern,
                           const std::vector<std::string>* teilnehmer);

// How the program ends when the open dialog is cancelled; tests put their own here.
inline std::function<void(int)> ProgrammBeenden;
