#pragma once
// Text from outside the program (cells, table headings, file names, the clipboard) is shown as
// it is. Qt takes a label's or a tooltip's text for rich text when it merely looks like markup,
// and then loads whatever an <img> in it names: /dev/zero until memory runs out, a FIFO for
// ever.

#include <QString>

class QLabel;
class QWidget;

// A label that never reads its text as markup.
QLabel* KlartextLabel(const QString& text = {}, QWidget* parent = nullptr);
// A tooltip that shows the text literally, line by line; empty stays empty (no tooltip).
QString KlartextTipp(const QString& text);
