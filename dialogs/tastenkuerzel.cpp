#include "dialogs/tastenkuerzel.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QVariant>

TastenkuerzelDialog::TastenkuerzelDialog(const QList<QAction*>& aktionen, QWidget* parent)
    : QDialog(parent), tabelle_(new QTableWidget(0, 2)) {
    setObjectName(QStringLiteral("dlgTastenkuerzel"));
    setWindowTitle(QStringLiteral(u"Tastenkürzel"));
    tabelle_->setObjectName(QStringLiteral("tabTastenkuerzel"));
    tabelle_->setAccessibleName(QStringLiteral(u"Tastenkürzel"));
    tabelle_->setHorizontalHeaderLabels({QStringLiteral("Taste"), QStringLiteral("Befehl")});
    tabelle_->verticalHeader()->hide();
    tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle_->setShowGrid(false);
    auto zeile = [this](const QKeySequence& taste, const QString& befehl) {
        const int z = tabelle_->rowCount();
        tabelle_->insertRow(z);
        tabelle_->setItem(z, 0, new QTableWidgetItem(taste.toString(QKeySequence::NativeText)));
        tabelle_->setItem(z, 1, new QTableWidgetItem(befehl));
    };
    for (const QAction* a : aktionen) {
        if (!a->isVisible())
            continue;
        const QVariant befehl = a->property("befehl");
        for (const QKeySequence& taste : a->shortcuts())
            zeile(taste, befehl.isValid() ? befehl.toString() : a->iconText());
    }
    // The grid's own keys, which no menu names.
    zeile(QKeySequence::Copy, QStringLiteral("Markierte Zellen kopieren"));
    zeile(QKeySequence::Paste, QStringLiteral(u"Einfügen aus der Zwischenablage"));
    zeile(QKeySequence(Qt::SHIFT | Qt::Key_Up), QStringLiteral("Zeilen nach oben markieren"));
    zeile(QKeySequence(Qt::SHIFT | Qt::Key_Down), QStringLiteral("Zeilen nach unten markieren"));
    zeile(QKeySequence(Qt::ALT | Qt::Key_Down), QStringLiteral(u"MP-Auswahl öffnen"));
    zeile(QKeySequence(Qt::Key_Escape), QStringLiteral(u"Eingabe in der Zelle zurücknehmen"));
    tabelle_->resizeColumnsToContents();
    tabelle_->horizontalHeader()->setStretchLastSection(true);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabelle_);
    layout->addWidget(knoepfe);
    // Tall enough for every row where the screen allows; the program keeps it on the screen.
    const int hoehe = tabelle_->horizontalHeader()->height() +
                      tabelle_->verticalHeader()->length() + 2 * tabelle_->frameWidth();
    tabelle_->setMinimumWidth(tabelle_->horizontalHeader()->length() + 2 * tabelle_->frameWidth() +
                              tabelle_->fontMetrics().averageCharWidth() * 4);
    resize(sizeHint().width(), hoehe + knoepfe->sizeHint().height() + 4 * layout->spacing() +
                                   layout->contentsMargins().top() +
                                   layout->contentsMargins().bottom());
}
