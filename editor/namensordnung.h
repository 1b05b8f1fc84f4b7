#pragma once
// The order a German reader expects of a name list: by surname, then by first names, compared
// as a German dictionary compares words (umlauts as their base letters, ß as ss, capitals and
// small letters alike, the exact text only as the last tie-break).

#include "cells/celltable.h"
#include "person/person.h" // NamenZerlegen: surname and first names

#include <vector>

// The rows 1 .. anzahl in their new order: element i is the row that goes to row i + 1.
// Entries that compare equal keep their order, and blank names come last.
std::vector<int> NamensOrdnung(const CellTable& zellen, int anzahl);
