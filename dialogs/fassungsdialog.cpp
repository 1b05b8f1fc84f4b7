#include "dialogs/fassungsdialog.h"

#include "cells/eintrag.h"
#include "editor/zeilenvorschau.h"
#include "grid/hypergrid.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QStringList zellen(const Zeile& z) {
    QStringList out;
    for (const int c : {kSpalteNr, kSpalteName, kSpalteMP, kSpalteDBVNr})
        out << cp1252::toQString(z[size_t(c)]);
    return out;
}

// "jetzt: 3 | Anna Berg | N | 100237": the entry as the list holds it now.
QString jetzt(const Zeile& z) {
    return QStringLiteral(u"jetzt: %1").arg(zellen(z).join(QStringLiteral(" | ")));
}

} // namespace

FassungsDialog::FassungsDialog(std::vector<Fassung> fassungen,
                               std::map<std::string, Fassungsvergleich> zaehlungen,
                               Vergleichen vergleichen, QWidget* parent)
    : QDialog(parent), fassungen_(std::move(fassungen)), zaehlungen_(std::move(zaehlungen)),
      vergleichen_(std::move(vergleichen)) {
    setObjectName(QStringLiteral("dlgFruehereFassungen"));
    setWindowTitle(QStringLiteral(u"Frühere Fassungen"));
    auto* layout = new QVBoxLayout(this);
    auto* oben = new QLabel(QStringLiteral(
        u"&Fassungen dieser Liste, wie sie vor jedem Speichern war, die neueste zuerst:"));
    layout->addWidget(oben);
    liste_ = new QTreeWidget;
    liste_->setObjectName(QStringLiteral("fassungen"));
    liste_->setAccessibleName(QStringLiteral(u"Frühere Fassungen"));
    liste_->setHeaderLabels({QStringLiteral("Stand"), QStringLiteral(u"Einträge"),
                             QStringLiteral(u"Gegenüber der Liste jetzt")});
    liste_->setRootIsDecorated(false);
    liste_->setAllColumnsShowFocus(true);
    oben->setBuddy(liste_);
    for (const Fassung& f : fassungen_) {
        const auto v = zaehlungen_.find(f.datei);
        const bool heil = !f.beschaedigt && v != zaehlungen_.end();
        auto* zeile = new QTreeWidgetItem(
            liste_, {datetime::longDateAndTime(f.zeitMs / 1000),
                     heil ? QString::number(f.anzahl) : QString(),
                     heil ? VergleichText(v->second)
                          : QStringLiteral(u"beschädigt – wird nicht angewandt")});
        if (!heil)
            zeile->setFlags(Qt::ItemIsEnabled);
    }
    for (int c = 0; c < liste_->columnCount(); ++c)
        liste_->resizeColumnToContents(c);
    layout->addWidget(liste_, 2);

    auto* unten = new QLabel(QStringLiteral(u"&Unterschiede der gewählten Fassung:"));
    layout->addWidget(unten);
    unterschiede_ = new QTreeWidget;
    unterschiede_->setObjectName(QStringLiteral("unterschiede"));
    unterschiede_->setAccessibleName(QStringLiteral(u"Unterschiede der gewählten Fassung"));
    unterschiede_->setHeaderLabels({QStringLiteral("Nr."), QStringLiteral("Name"),
                                    QStringLiteral("MP"), QStringLiteral("Mitgliedsnr."),
                                    QStringLiteral("Unterschied")});
    unterschiede_->setRootIsDecorated(false);
    unterschiede_->setAllColumnsShowFocus(true);
    unten->setBuddy(unterschiede_);
    layout->addWidget(unterschiede_, 3);
    summe_ = new QLabel;
    summe_->setObjectName(QStringLiteral("summe"));
    layout->addWidget(summe_);

    auto* knoepfe = new QDialogButtonBox;
    wiederherstellen_ =
        knoepfe->addButton(QStringLiteral("&Wiederherstellen"), QDialogButtonBox::AcceptRole);
    wiederherstellen_->setObjectName(QStringLiteral("btnWiederherstellen"));
    wiederherstellen_->setDefault(true);
    ganzeFassung_ =
        knoepfe->addButton(QStringLiteral("&Ganze Fassung"), QDialogButtonBox::ActionRole);
    ganzeFassung_->setObjectName(QStringLiteral("btnGanzeFassung"));
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnAbbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ganzeFassung_, &QPushButton::clicked, this, [this] {
        ganz_ = true;
        accept();
    });
    layout->addWidget(knoepfe);

    connect(liste_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        zeigen(item ? liste_->indexOfTopLevelItem(item) : -1);
    });
    connect(unterschiede_, &QTreeWidget::itemChanged, this, &FassungsDialog::zaehlen);

    const QRect bildschirm =
        (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(std::min(std::max(720, liste_->header()->length() + 60), bildschirm.width() * 4 / 5),
           std::min(520, bildschirm.height() * 4 / 5));
    liste_->setFocus();
    zeigen(-1);
    for (int i = 0; i < liste_->topLevelItemCount(); ++i)
        if (liste_->topLevelItem(i)->flags() & Qt::ItemIsSelectable) {
            liste_->setCurrentItem(liste_->topLevelItem(i));
            break;
        }
}

void FassungsDialog::zeigen(int i) {
    const bool heil = i >= 0 && size_t(i) < fassungen_.size() &&
                      (liste_->topLevelItem(i)->flags() & Qt::ItemIsSelectable);
    gewaehlt_ = heil ? i : -1;
    ganzeFassung_->setEnabled(heil);
    const QSignalBlocker still(unterschiede_);
    unterschiede_->clear();
    gewaehltVergleich_ = heil ? vergleichen_(fassungen_[size_t(i)]) : Fassungsvergleich{};
    if (heil) {
        using Art = Fassungsunterschied::Art;
        for (const Fassungsunterschied& u : gewaehltVergleich_.unterschiede) {
            QStringList spalten = zellen(u.art == Art::Mehr ? u.jetzt : u.alt);
            spalten << (u.art == Art::Fehlt       ? QStringLiteral("fehlt jetzt")
                        : u.art == Art::Geaendert ? jetzt(u.jetzt)
                                                  : QStringLiteral("seitdem dazugekommen"));
            auto* zeile = new QTreeWidgetItem(unterschiede_, spalten);
            if (u.art != Art::Mehr) {
                zeile->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                zeile->setCheckState(0, u.haken ? Qt::Checked : Qt::Unchecked);
            } else {
                zeile->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
        }
        for (int c = 0; c < unterschiede_->columnCount(); ++c)
            unterschiede_->resizeColumnToContents(c);
    }
    zaehlen();
}

// The summary and the button follow the ticks.
void FassungsDialog::zaehlen() {
    int haken = 0, moeglich = 0;
    for (int i = 0; i < unterschiede_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* z = unterschiede_->topLevelItem(i);
        moeglich += bool(z->flags() & Qt::ItemIsUserCheckable);
        haken += z->checkState(0) == Qt::Checked;
    }
    summe_->setText(gewaehlt_ < 0   ? QString()
                    : moeglich == 0 ? QStringLiteral(u"Nichts davon fehlt der Liste jetzt.")
                    : haken == 0
                        ? QStringLiteral(u"Kein Eintrag ist angehakt.")
                        : QStringLiteral("%1 %2 wiederhergestellt.")
                              .arg(EintraegeText(haken),
                                   haken == 1 ? QStringLiteral("wird") : QStringLiteral("werden")));
    wiederherstellen_->setEnabled(haken > 0);
}

std::vector<Fassungsunterschied> FassungsDialog::unterschiede() const {
    if (gewaehlt_ < 0)
        return {};
    std::vector<Fassungsunterschied> out = gewaehltVergleich_.unterschiede;
    for (size_t r = 0; r < out.size(); ++r)
        if (const QTreeWidgetItem* z = unterschiede_->topLevelItem(int(r));
            z && (z->flags() & Qt::ItemIsUserCheckable))
            out[r].haken = z->checkState(0) == Qt::Checked;
    return out;
}
