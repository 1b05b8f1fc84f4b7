#include "widgets/suchleiste.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

TSuchleiste::TSuchleiste(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlSuche"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);

    edtSuche = new QLineEdit;
    edtSuche->setObjectName(QStringLiteral("edtSuche"));
    edtSuche->setPlaceholderText(QStringLiteral("Name suchen"));
    edtSuche->setAccessibleName(QStringLiteral("Name suchen"));
    edtSuche->setClearButtonEnabled(true);
    // The clear button, for screen readers too.
    for (QAction* clear : edtSuche->findChildren<QAction*>())
        clear->setText(QStringLiteral(u"Suchtext löschen"));
    for (QWidget* clear : edtSuche->findChildren<QToolButton*>())
        clear->setAccessibleName(QStringLiteral(u"Suchtext löschen"));
    edtSuche->setMaxLength(100);
    edtSuche->installEventFilter(this);
    edtSuche->setMinimumWidth(edtSuche->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);

    auto button = [](const char* name, const QString& hint) {
        auto* b = new QToolButton;
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    btnZurueck = button("btnZurueck", QStringLiteral(u"Vorheriger Treffer (Umschalt+F3)"));
    btnZurueck->setArrowType(Qt::UpArrow);
    btnWeiter = button("btnWeiter", QStringLiteral(u"Nächster Treffer (F3)"));
    btnWeiter->setArrowType(Qt::DownArrow);
    lblTreffer = new QLabel;
    lblTreffer->setObjectName(QStringLiteral("lblTreffer"));
    btnSchliessen = button("btnSchliessen", QStringLiteral(u"Suche schließen (Esc)"));
    btnSchliessen->setText(QStringLiteral(u"×"));

    layout->addWidget(edtSuche, 1);
    layout->addWidget(btnZurueck);
    layout->addWidget(btnWeiter);
    layout->addWidget(lblTreffer, 1);
    layout->addWidget(btnSchliessen);

    connect(edtSuche, &QLineEdit::textChanged, this, &TSuchleiste::suchtextGeaendert);
    connect(btnWeiter, &QToolButton::clicked, this, [this] { Q_EMIT weiter(false); });
    connect(btnZurueck, &QToolButton::clicked, this, [this] { Q_EMIT weiter(true); });
    connect(btnSchliessen, &QToolButton::clicked, this, &TSuchleiste::geschlossen);
}

void TSuchleiste::oeffnen() {
    show();
    edtSuche->setFocus(Qt::ShortcutFocusReason);
    edtSuche->selectAll();
}

void TSuchleiste::trefferZeigen(int index, int anzahl) {
    if (edtSuche->text().trimmed().isEmpty())
        lblTreffer->clear();
    else if (anzahl == 0)
        lblTreffer->setText(QStringLiteral("Keine Treffer"));
    else
        lblTreffer->setText(
            QStringLiteral("%1 von %2 %3")
                .arg(index + 1)
                .arg(anzahl)
                .arg(anzahl == 1 ? QStringLiteral("Treffer") : QStringLiteral("Treffern")));
}

bool TSuchleiste::eventFilter(QObject* object, QEvent* event) {
    if (object == edtSuche && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Q_EMIT geschlossen();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT weiter(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}
