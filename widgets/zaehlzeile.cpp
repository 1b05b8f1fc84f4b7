#include "widgets/zaehlzeile.h"

#include "widgets/klartext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimerEvent>
#include <algorithm>

TZaehlzeile::TZaehlzeile(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlButtons"));
    setFixedHeight(kHoehe);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    lblGrenze = KlartextLabel(QStringLiteral("Gesamt"));
    lblGrenze->setObjectName(QStringLiteral("lblGrenze"));
    layout->addWidget(lblGrenze);
    layout->addStretch();
    lblHinweis = KlartextLabel(); // notes quote cells and file names
    lblHinweis->setObjectName(QStringLiteral("lblHinweis"));
    lblHinweis->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblHinweis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(lblHinweis, 1);
}

void TZaehlzeile::anzahlZeigen(const QString& text) {
    lblGrenze->setText(text);
}

void TZaehlzeile::hinweisZeigen(const QString& text) {
    lblHinweis->setText(text);
    lblHinweis->setToolTip(KlartextTipp(text));
    hinweisZeit_.start(kHinweisMs, this);
}

void TZaehlzeile::anSchriftAnpassen() {
    setFixedHeight(std::max(kHoehe, QFontMetrics(font()).height() + 6));
}

void TZaehlzeile::timerEvent(QTimerEvent* event) {
    if (event->timerId() != hinweisZeit_.timerId())
        return QWidget::timerEvent(event);
    hinweisZeit_.stop();
    lblHinweis->clear();
    lblHinweis->setToolTip({});
}
