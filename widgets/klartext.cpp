#include "widgets/klartext.h"

#include <QLabel>
#include <QTextDocument>

QLabel* KlartextLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

// A tooltip has no text format of its own: escaped and wrapped, it is rich text that holds
// nothing but the literal text.
QString KlartextTipp(const QString& text) {
    return text.isEmpty() ? QString() : Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}
