#include "window/befehle.h"

#include "grid/hypergrid.h"
#include "platform/cp1252.h"
#include "settings/settings.h"
#include "widgets/glyphbutton.h"
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
    static const std::vector<Menue> menues = {{"mptDatei", u"&Datei"},
                                              {"Bearbeiten1", u"&Bearbeiten"},
                                              {"mptListe", u"&Liste"},
                                              {"mptHilfe", u"&Hilfe"}};
    return menues;
}

// One line per command where it fits; the table reads better than the formatter's columns.
// clang-format off
namespace {
const std::vector<Befehl> kBefehle = {
    {.name = "mptAbbruch", .menue = "mptDatei", .text = u"&Abbruch",
     .handler = &F::mptAbbruchClick, .fokusDanach = false,
     .knopf = {"tbtAbbruch", u"Abbruch", u"Beenden ohne Speichern", 1, 8}},
    // Saving without closing has no key of its own: Ctrl+S saves and closes, as always.
    {.name = "mptSpeichern", .menue = "mptDatei", .text = u"S&peichern",
     .handler = &F::mptSpeichernClick},
    // Also where the list's own file cannot be written (a folder of another user's).
    {.name = "mptSpeichernUnter", .menue = "mptDatei", .text = u"Speichern &unter…",
     .tasten = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
     .handler = &F::mptSpeichernUnterClick},
    {.name = "mptFruehereFassungen", .menue = "mptDatei", .text = u"Frühere &Fassungen…",
     .handler = &F::mptFruehereFassungenClick},
    {.name = "mptSpeichernundBeenden", .menue = "mptDatei", .text = u"&Speichern und Beenden",
     .tasten = {ctrl(Qt::Key_S)}, .handler = &F::mptSpeichernundBeendenClick,
     .fokusDanach = false,
     .knopf = {"tbtBeenden", u"Beenden", u"Beenden und Speichern", 0, 7}},
    {.name = "mptRueckgaengig", .menue = "Bearbeiten1", .text = u"&Rückgängig",
     .tasten = {ctrl(Qt::Key_Z)}, .handler = &F::mptRueckgaengigClick},
    {.name = "mptWiederherstellen", .menue = "Bearbeiten1", .text = u"Wieder&herstellen",
     .tasten = {ctrl(Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
     .handler = &F::mptWiederherstellenClick},
    {.name = "mptEinfuegen", .menue = "Bearbeiten1", .text = u"&Einfügen",
     .tasten = {ctrl(Qt::Key_E)}, .handler = &F::mptEinfuegenClick, .trennerDavor = true,
     .knopf = {"tbtEinfuegen", u"Einfügen", u"Einfügen eines neuen Namens", 2, 0}},
    {.name = "mptLoeschen", .menue = "Bearbeiten1", .text = u"&Löschen",
     .tasten = {ctrl(Qt::Key_L)}, .handler = &F::mptLoeschenClick,
     .knopf = {"tbtLoeschen", u"Löschen", u"Löschen des markierten Namens", 3, 1}},
    {.name = "mptMarkierteLoeschen", .menue = "Bearbeiten1",
     .text = u"&Markierte Einträge löschen",
     .tasten = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
     .handler = &F::mptMarkierteLoeschenClick},
    {.name = "mptTurnierteilnehmereinfuegen", .menue = "Bearbeiten1",
     .text = u"&Turnierteilnehmer einfügen", .tasten = {ctrl(Qt::Key_T)},
     .handler = &F::mptTurnierteilnehmereinfuegenClick,
     .knopf = {"tbtErweitern", u"Erweitern",
               u"Erweitern der Liste durch die Teilnehmer aus dem Turnier", 4, 2}},
    {.name = "mptDuplikateloeschen", .menue = "Bearbeiten1", .text = u"&Duplikate löschen",
     .handler = &F::mptDuplikateloeschenClick,
     .knopf = {"tbtDuplikate", u"Duplikate", u"Löschen aller doppelten Einträge", 5, 3}},
    {.name = "mptDuplikatePruefen", .menue = "Bearbeiten1", .text = u"Duplikate &prüfen…",
     .handler = &F::mptDuplikatePruefenClick},
    // The find bar takes the keyboard itself.
    {.name = "mptSuchen", .menue = "Bearbeiten1", .text = u"&Suchen…",
     .tasten = {ctrl(Qt::Key_F)}, .handler = &F::mptSuchenClick, .fokusDanach = false,
     .trennerDavor = true},
    {.name = "mptWeitersuchen", .menue = "Bearbeiten1", .text = u"&Weitersuchen",
     .tasten = {QKeySequence(Qt::Key_F3)}, .handler = &F::mptWeitersuchenClick,
     .fokusDanach = false},
    // Backwards has its key only, like the find bars users know; the text is for the keys list.
    {.name = "mptRueckwaertssuchen", .menue = nullptr, .text = u"Rückwärts suchen",
     .tasten = {QKeySequence(Qt::SHIFT | Qt::Key_F3)},
     .handler = &F::mptRueckwaertssuchenClick, .fokusDanach = false},
    {.name = "mptNummerieren", .menue = "mptListe", .text = u"&Neu nummerieren",
     .tasten = {ctrl(Qt::Key_N)}, .handler = &F::mptNummerierenClick,
     .knopf = {"tbtNummerieren", u"Numm.",
               u"Ersetzen der bestehenden Nummern durch eine neue Nummerierung", 7, 5}},
    {.name = "mptSortieren", .menue = "mptListe", .text = u"&Sortieren",
     .tasten = {ctrl(Qt::Key_O)}, .handler = &F::mptSortierenClick,
     .knopf = {"tbtSortieren", u"Sortieren", u"Alfabetisches Sortieren der Liste", 6, 4},
     .erklaerung = u"nach dem letzten Wort des Namens, Byte für Byte (Umlaute nach z)"},
    {.name = "mptNachNameSortieren", .menue = "mptListe",
     .text = u"Nach Name und Vorname sor&tieren",
     .tasten = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
     .handler = &F::mptNachNameSortierenClick,
     .erklaerung = u"nach Nachname, dann Vorname, wie ein deutsches Wörterbuch"},
    {.name = "mptAusTabelleEinlesen", .menue = "mptListe", .text = u"Aus Tabelle &einlesen…",
     .handler = &F::mptAusTabelleEinlesenClick},
    {.name = "mptAlsTabelle", .menue = "mptListe", .text = u"Als Ta&belle speichern…",
     .handler = &F::mptAlsTabelleClick},
    {.name = "mptDrucken", .menue = "mptListe", .text = u"&Drucken",
     .tasten = {ctrl(Qt::Key_D)}, .handler = &F::mptDruckenClick,
     .knopf = {"tbtDrucken", u"Drucken", u"Drucken der Gesamtliste", 8, 6}},
    // To see and choose before printing; Ctrl+D still prints at once on the default printer.
    {.name = "mptDruckvorschau", .menue = "mptListe", .text = u"Druck&vorschau…",
     .handler = &F::mptDruckvorschauClick},
    {.name = "mptDruckenAuf", .menue = "mptListe", .text = u"Drucken &auf…",
     .handler = &F::mptDruckenAufClick},
    {.name = "mptAlsPdf", .menue = "mptListe", .text = u"Als &PDF speichern…",
     .handler = &F::mptAlsPdfClick},
    {.name = "mptTastenkuerzel", .menue = "mptHilfe", .text = u"&Tastenkürzel",
     .tasten = {QKeySequence(Qt::Key_F1)}, .handler = &F::mptTastenkuerzelClick},
    {.name = "mptUeber", .menue = "mptHilfe", .text = u"Ü&ber gesamt",
     .handler = &F::mptUeberClick},
};
} // namespace
// clang-format on

const std::vector<Befehl>& Befehle() {
    return kBefehle;
}

namespace {

const char* const kBilder[] = {"TB0_BEENDEN",   "TB1_ABBRUCH",     "TB2_EINFUEGEN",
                               "TB3_LOESCHEN",  "TB4_ERWEITERN",   "TB5_DUPLIKATE",
                               "TB6_SORTIEREN", "TB7_NUMMERIEREN", "TB8_DRUCKEN"};

QToolBar* werkzeugleiste(TfrmGesamtdatei& fenster) {
    QToolBar* leiste = fenster.addToolBar(QStringLiteral("Werkzeuge"));
    leiste->setObjectName(QStringLiteral("tbGesamt"));
    // Shown where the window is too narrow for every button.
    if (auto* mehr = leiste->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        mehr->setAccessibleName(QStringLiteral("Weitere Werkzeuge"));
    leiste->setMovable(false);
    leiste->setFloatable(false);
    leiste->toggleViewAction()->setVisible(false);
    QFont font;
    font.setFamily(cp1252::toQString(Setting.Schriftart));
    font.setPixelSize(9);
    leiste->setFont(font);
    return leiste;
}

} // namespace

namespace {

// The command's action, in its menu, running its handler as the table says.
QAction* aktion(TfrmGesamtdatei& fenster, THyperGrid& grid, const Befehl& b) {
    auto* a = new QAction(&fenster);
    a->setObjectName(QString::fromLatin1(b.name));
    if (b.text) {
        a->setText(QString::fromUtf16(b.text));
        // The keys list names the command, not what its caption says now ("Rückgängig: …").
        a->setProperty("befehl", b.erklaerung ? a->iconText() + QStringLiteral(u" – ") +
                                                    QString::fromUtf16(b.erklaerung)
                                              : a->iconText());
    }
    a->setShortcuts(b.tasten);
    a->setShortcutContext(Qt::WindowShortcut);
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
    return a;
}

QToolButton* knopf(const Knopf& was, QAction* aktion) {
    auto* k = new QToolButton;
    k->setObjectName(QString::fromLatin1(was.name));
    k->setText(QString::fromUtf16(was.text));
    k->setAccessibleDescription(QString::fromUtf16(was.beschreibung));
    k->setIcon(QIcon(loadPicture(QString::fromLatin1(kBilder[was.bild]))));
    k->setIconSize(QSize(32, 32));
    k->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    k->setAutoRaise(true);
    k->setFixedSize(kKnopfBreite, kKnopfHoehe);
    k->setFocusPolicy(Qt::NoFocus);
    QObject::connect(k, &QToolButton::clicked, aktion, &QAction::trigger);
    return k;
}

} // namespace

QToolBar* BefehleEinrichten(TfrmGesamtdatei& fenster, THyperGrid& grid) {
    QToolBar& leiste = *werkzeugleiste(fenster);
    QMenuBar* leisteOben = fenster.menuBar();
    leisteOben->setObjectName(QStringLiteral("mnuGesamt"));
    for (const Menue& m : Menues())
        leisteOben->addMenu(QString::fromUtf16(m.text))->setObjectName(QString::fromLatin1(m.name));
    std::vector<std::pair<int, QToolButton*>> knoepfe;
    QList<QKeySequence> tasten;
    for (const Befehl& b : Befehle()) {
        QAction* a = aktion(fenster, grid, b);
        tasten.append(b.tasten);
        if (b.knopf.name)
            knoepfe.emplace_back(b.knopf.platz, knopf(b.knopf, a));
    }
    std::sort(knoepfe.begin(), knoepfe.end());
    for (const auto& [platz, k] : knoepfe) {
        for (const auto& [vor, name] : kTrenner)
            if (vor == platz)
                leiste.addSeparator()->setObjectName(QString::fromLatin1(name));
        // Named, so that hiding the command can hide its place on the toolbar too.
        leiste.addWidget(k)->setObjectName(k->objectName() + QStringLiteral("Platz"));
    }
    // The keys the cell editors leave to the window.
    grid.setWindowKeys(tasten);
    return &leiste;
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
