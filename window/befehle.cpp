#include "window/befehle.h"

#include "grid/hypergrid.h"
#include "widgets/messages.h"
#include "window/gesamtdatei.h"

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

namespace {

using F = TfrmGesamtdatei;
constexpr int kKnopfBreite = 46, kKnopfHoehe = 51;
QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}
// Separators on the toolbar, before the button at that place.
const std::pair<int, const char*> kTrenner[] = {
    {3, "ToolButton12"}, {6, "ToolButton11"}, {7, "ToolButton10"}};

} // namespace

const std::vector<Menue>& Menues() {
    static const std::vector<Menue> menues = {
        {"mptDatei", u"&Datei"}, {"Bearbeiten1", u"&Bearbeiten"}, {"mptListe", u"&Liste"}};
    return menues;
}

const std::vector<Befehl>& Befehle() {
    static const std::vector<Befehl> befehle = {
        {"mptAbbruch",
         "mptDatei",
         u"&Abbruch",
         {},
         &F::mptAbbruchClick,
         true,
         false,
         false,
         {"tbtAbbruch", u"Abbruch", u"Beenden ohne Speichern", 1, 8}},
        // Saving without closing has no key of its own: Ctrl+S saves and closes, as always.
        {"mptSpeichern", "mptDatei", u"S&peichern", {}, &F::mptSpeichernClick},
        {"mptSpeichernundBeenden",
         "mptDatei",
         u"&Speichern und Beenden",
         {ctrl(Qt::Key_S)},
         &F::mptSpeichernundBeendenClick,
         true,
         false,
         false,
         {"tbtBeenden", u"Beenden", u"Beenden und Speichern", 0, 7}},
        {"mptRueckgaengig",
         "Bearbeiten1",
         u"&Rückgängig",
         {ctrl(Qt::Key_Z)},
         &F::mptRueckgaengigClick},
        {"mptWiederherstellen",
         "Bearbeiten1",
         u"Wieder&herstellen",
         {ctrl(Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         &F::mptWiederherstellenClick},
        {"mptEinfuegen",
         "Bearbeiten1",
         u"&Einfügen",
         {ctrl(Qt::Key_E)},
         &F::mptEinfuegenClick,
         true,
         true,
         true,
         {"tbtEinfuegen", u"Einfügen", u"Einfügen eines neuen Namens", 2, 0}},
        {"mptLoeschen",
         "Bearbeiten1",
         u"&Löschen",
         {ctrl(Qt::Key_L)},
         &F::mptLoeschenClick,
         true,
         true,
         false,
         {"tbtLoeschen", u"Löschen", u"Löschen des markierten Namens", 3, 1}},
        {"mptMarkierteLoeschen",
         "Bearbeiten1",
         u"&Markierte Einträge löschen",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
         &F::mptMarkierteLoeschenClick},
        {"mptTurnierteilnehmereinfuegen",
         "Bearbeiten1",
         u"&Turnierteilnehmer einfügen",
         {ctrl(Qt::Key_T)},
         &F::mptTurnierteilnehmereinfuegenClick,
         true,
         true,
         false,
         {"tbtErweitern", u"Erweitern", u"Erweitern der Liste durch die Teilnehmer aus dem Turnier",
          4, 2}},
        {"mptDuplikateloeschen",
         "Bearbeiten1",
         u"&Duplikate löschen",
         {},
         &F::mptDuplikateloeschenClick,
         true,
         true,
         false,
         {"tbtDuplikate", u"Duplikate", u"Löschen aller doppelten Einträge", 5, 3}},
        // The find bar takes the keyboard itself.
        {"mptSuchen",
         "Bearbeiten1",
         u"&Suchen…",
         {ctrl(Qt::Key_F)},
         &F::mptSuchenClick,
         true,
         false,
         true},
        {"mptWeitersuchen",
         "Bearbeiten1",
         u"&Weitersuchen",
         {QKeySequence(Qt::Key_F3)},
         &F::mptWeitersuchenClick,
         true,
         false},
        // Backwards has its key only, like the find bars users know.
        {"mptRueckwaertssuchen",
         nullptr,
         nullptr,
         {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
         &F::mptRueckwaertssuchenClick,
         true,
         false},
        {"mptNummerieren",
         "mptListe",
         u"&Neu nummerieren",
         {ctrl(Qt::Key_N)},
         &F::mptNummerierenClick,
         true,
         true,
         false,
         {"tbtNummerieren", u"Numm.",
          u"Ersetzen der bestehenden Nummern durch eine neue "
          u"Nummerierung",
          7, 5}},
        {"mptSortieren",
         "mptListe",
         u"&Sortieren",
         {ctrl(Qt::Key_O)},
         &F::mptSortierenClick,
         true,
         true,
         false,
         {"tbtSortieren", u"Sortieren", u"Alfabetisches Sortieren der Liste", 6, 4}},
        {"mptDrucken",
         "mptListe",
         u"&Drucken",
         {ctrl(Qt::Key_D)},
         &F::mptDruckenClick,
         true,
         true,
         false,
         {"tbtDrucken", u"Drucken", u"Drucken der Gesamtliste", 8, 6}},
        // To see and choose before printing; Ctrl+D still prints at once on the default printer.
        {"mptDruckvorschau", "mptListe", u"Druck&vorschau…", {}, &F::mptDruckvorschauClick},
        {"mptDruckenAuf", "mptListe", u"Drucken &auf…", {}, &F::mptDruckenAufClick},
        {"mptAlsPdf", "mptListe", u"Als &PDF speichern…", {}, &F::mptAlsPdfClick},
    };
    return befehle;
}

void BefehleEinrichten(TfrmGesamtdatei& fenster, THyperGrid& grid, QToolBar& leiste,
                       const std::vector<QIcon>& bilder) {
    QMenuBar* leisteOben = fenster.menuBar();
    leisteOben->setObjectName(QStringLiteral("mnuGesamt"));
    for (const Menue& m : Menues())
        leisteOben->addMenu(QString::fromUtf16(m.text))->setObjectName(QString::fromLatin1(m.name));
    std::vector<std::pair<int, QToolButton*>> knoepfe;
    QList<QKeySequence> tasten;
    for (const Befehl& b : Befehle()) {
        auto* a = new QAction(&fenster);
        a->setObjectName(QString::fromLatin1(b.name));
        if (b.text)
            a->setText(QString::fromUtf16(b.text));
        a->setShortcuts(b.tasten);
        a->setShortcutContext(Qt::WindowShortcut);
        tasten.append(b.tasten);
        QObject::connect(a, &QAction::triggered, &fenster, [&fenster, &grid, &b] {
            if (b.zelleZuerst)
                grid.commitEditor();
            (fenster.*b.handler)();
            if (b.fokusDanach)
                grid.focusCell();
        });
        if (auto* menue = b.menue ? fenster.menue(b.menue) : nullptr) {
            if (b.trennerDavor)
                menue->addSeparator();
            menue->addAction(a);
        } else {
            fenster.addAction(a);
        }
        if (!b.knopf.name)
            continue;
        auto* k = new QToolButton;
        k->setObjectName(QString::fromLatin1(b.knopf.name));
        k->setText(QString::fromUtf16(b.knopf.text));
        k->setAccessibleDescription(QString::fromUtf16(b.knopf.beschreibung));
        k->setIcon(bilder.at(size_t(b.knopf.bild)));
        k->setIconSize(QSize(32, 32));
        k->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        k->setAutoRaise(true);
        k->setFixedSize(kKnopfBreite, kKnopfHoehe);
        k->setFocusPolicy(Qt::NoFocus);
        QObject::connect(k, &QToolButton::clicked, a, &QAction::trigger);
        knoepfe.emplace_back(b.knopf.platz, k);
    }
    std::sort(knoepfe.begin(), knoepfe.end());
    for (const auto& [platz, k] : knoepfe) {
        for (const auto& [vor, name] : kTrenner)
            if (vor == platz)
                leiste.addSeparator()->setObjectName(QString::fromLatin1(name));
        // Named, so that hiding the command can hide its place on the toolbar too.
        leiste.addWidget(k)->setObjectName(k->objectName() + QStringLiteral("Platz"));
    }
    grid.setWindowKeys(tasten);
}

void BefehlVerbergen(TfrmGesamtdatei& fenster, const char* name) {
    QAction* a = fenster.aktion(name);
    a->setVisible(false);
    a->setEnabled(false);
    for (const Befehl& b : Befehle())
        if (b.knopf.name && qstrcmp(b.name, name) == 0)
            if (auto* platz = fenster.findChild<QWidgetAction*>(QString::fromLatin1(b.knopf.name) +
                                                                QStringLiteral("Platz")))
                platz->setVisible(false);
}

void KnoepfeAnpassen(QToolBar& leiste) {
    for (QToolButton* b : leiste.findChildren<QToolButton*>()) {
        if (!b->objectName().startsWith(QStringLiteral("tbt")))
            continue;
        // As much wider as the caption is than in the usual font, which fits it (the toolbar
        // has a size of its own).
        QFont ueblichHier = b->font();
        ueblichHier.setFamily(QString::fromStdString(TSchrift{}.name));
        const QFontMetrics ueblich(ueblichHier);
        const int breite = b->fontMetrics().horizontalAdvance(b->text());
        const int sonst = ueblich.horizontalAdvance(b->text());
        b->setFixedSize(
            std::max(kKnopfBreite, kKnopfBreite + breite - sonst),
            std::max(kKnopfHoehe, kKnopfHoehe + b->fontMetrics().height() - ueblich.height()));
    }
}
