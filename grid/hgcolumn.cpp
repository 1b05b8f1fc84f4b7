#include "grid/hgcolumn.h"

#include <QLocale>
#include <cmath>

QString formatCellText(const ThgColumn& column, const QString& text) {
    if (column.FormatType != hgfmtNumeric || text.isEmpty())
        return text;
    const QLocale locale;
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = locale.toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return text;
    // "#,##0.00": rounded to the decimals, group separators only when asked for.
    QLocale shown = locale;
    if (!column.ThousandsSeparator)
        shown.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString digits = shown.toString(std::fabs(value), 'f', column.Decimals);
    const bool negative = value < 0 && digits != shown.toString(0.0, 'f', column.Decimals);
    const QString body = column.Prefix + digits;
    if (negative)
        return column.NegativeParenthesis ? u'(' + body + u')' : u'-' + body;
    return body;
}
