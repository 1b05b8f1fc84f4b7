#pragma once
// The printed name list: a bold header on every page, then "   7. Name" lines in two columns.

#include "cells/celltable.h"
#include "support/meldungen.h"

#include <string>

// The header of page `seite`, with the date as the desktop writes it.
std::string Kopfzeile(const std::string& datum, int anzahl, int seite);
// "    7. Hans Meier": the number right-aligned in five places.
std::string Eintragszeile(const std::string& nummer, const std::string& name);

// Prints rows 1 .. iAnzahl on the page line writer's printer; a failure is reported and the
// pages drawn so far are printed. The number of pages printed, 0 after a failure.
int Drucken(const CellTable& zellen, int iAnzahl, const std::string& datum, Meldungen& meldungen);
