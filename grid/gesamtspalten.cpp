#include "grid/gesamtspalten.h"

#include "cells/eintrag.h"

namespace {

ThgColumn spalte(const char* name, const char* caption, int width) {
    ThgColumn c;
    c.Name = QString::fromLatin1(name);
    c.Caption = QString::fromLatin1(caption);
    c.Width = width;
    return c;
}

} // namespace

std::vector<ThgColumn> GesamtSpalten() {
    ThgColumn nr = spalte("col_Nr", "Nr.", 48);
    nr.ColumnHAlignment = Qt::AlignRight;
    nr.FormatType = hgfmtNumeric;
    nr.Decimals = 0;
    nr.ThousandsSeparator = true;
    nr.NegativeParenthesis = false;
    nr.Muster = QStringLiteral("1.000");
    ThgColumn mp = spalte("col_CPSammler", "MP", 40);
    mp.ControlType = hgctlComboBox;
    for (const char code : kMPCodes)
        mp.Items.append(QString(QChar::fromLatin1(code)));
    mp.MaxTextLength = 1;
    mp.AutoSuggest = true;
    mp.ComboMaxWidth = true;
    mp.DropDownCount = 2;
    mp.DropDownList = false;
    ThgColumn dbv = spalte("col_DBVNr", "Mitgliedsnr.", 100);
    dbv.Muster = QStringLiteral("10000000");
    return {nr, spalte("col_Name", "Name", 48), mp, dbv};
}
