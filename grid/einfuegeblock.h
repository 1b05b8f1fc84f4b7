#pragma once
// Whether pasted text is entries for the list or text for the cell that has the cursor.

#include <QStringView>

// Text with a TAB or with more than one line is a block of entries; the line end a copied line
// brings, and empty lines around the text, make no second line. Anything else goes into the
// cell, which drops those line ends.
bool IstEinfuegeblock(QStringView text);
