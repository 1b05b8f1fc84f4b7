#pragma once
#include "grid/hgcolumn.h"

#include <vector>

// The four columns of the name grid: "Nr.", "Name", "MP", "Mitgliedsnr.".
std::vector<ThgColumn> GesamtSpalten();
