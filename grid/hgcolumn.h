#pragma once
#include <QString>
#include <QStringList>
#include <Qt>

enum ThgFormatType { hgfmtNone, hgfmtNumeric };
enum ThgControlType { hgctlEdit, hgctlComboBox };

// One column of the grid: heading, display format and cell editor.
struct ThgColumn {
    QString Name;
    QString Caption;
    int Width = 64;
    Qt::Alignment ColumnHAlignment = Qt::AlignLeft;
    ThgFormatType FormatType = hgfmtNone;
    int Decimals = 0;
    bool ThousandsSeparator = false;
    bool NegativeParenthesis = false;
    QString Prefix;
    ThgControlType ControlType = hgctlEdit;
    QStringList Items;
    int MaxTextLength = 0; // 0: no limit
    bool AutoSuggest = false;
    bool ComboMaxWidth = false;
    int DropDownCount = 8;
    bool DropDownList = false;
    bool ReadOnly = false;
    int HeadingIndex = -1;
    QString Muster; // the widest text the column must show whole at any font size
};

// How a cell's text is shown: numbers through the column's mask with the locale's separators,
// everything else as it stands.
QString formatCellText(const ThgColumn& column, const QString& text);
