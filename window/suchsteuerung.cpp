#include "window/suchsteuerung.h"

#include "editor/namenliste.h"
#include "editor/suche.h"
#include "grid/hypergrid.h"
#include "platform/cp1252.h"
#include "widgets/suchleiste.h"

#include <QLineEdit>
#include <algorithm>

Suchsteuerung::Suchsteuerung(THyperGrid& grid, TSuchleiste& leiste, NamenListe& liste,
                             QObject* parent)
    : QObject(parent), grid_(grid), leiste_(leiste), liste_(liste) {
    connect(&leiste_, &TSuchleiste::suchtextGeaendert, this, [this] { suchen(Gehe::AbHier); });
    connect(&leiste_, &TSuchleiste::weiter, this,
            [this](bool rueckwaerts) { suchen(rueckwaerts ? Gehe::Zurueck : Gehe::Weiter); });
    connect(&leiste_, &TSuchleiste::geschlossen, this, &Suchsteuerung::schliessen);
    // The marks follow the list while the bar is open.
    connect(&liste_.verlauf(), &QUndoStack::indexChanged, this, [this] {
        if (leiste_.isVisible())
            suchen(Gehe::Nicht);
    });
}

void Suchsteuerung::oeffnen() {
    beginnen();
    leiste_.oeffnen();
    suchen(Gehe::Nicht);
}

void Suchsteuerung::weiter(bool rueckwaerts) {
    // Nothing searched yet: the bar opens to take the text.
    if (leiste_.edtSuche->text().isEmpty())
        return oeffnen();
    beginnen();
    leiste_.show();
    suchen(rueckwaerts ? Gehe::Zurueck : Gehe::Weiter);
}

void Suchsteuerung::beginnen() {
    if (!leiste_.isVisible())
        start_ = {grid_.currentCol(), grid_.currentRow()};
}

void Suchsteuerung::schliessen() {
    leiste_.hide();
    grid_.setMarkedCells({});
    grid_.setFocus();
}

void Suchsteuerung::suchen(Gehe gehe) {
    const std::vector<Treffer> treffer =
        Suchen(liste_.zellen(), liste_.iAnzahl(), cp1252::fromQString(leiste_.edtSuche->text()));
    std::vector<std::pair<int, int>> marks;
    marks.reserve(treffer.size());
    for (const Treffer& t : treffer)
        marks.emplace_back(t.col, t.row);
    grid_.setMarkedCells(marks);
    const int row = grid_.currentRow();
    int i = -1;
    if (gehe == Gehe::Nicht) {
        const auto hier = std::find_if(treffer.begin(), treffer.end(),
                                       [row](const Treffer& t) { return t.row == row; });
        i = hier == treffer.end() ? -1 : int(hier - treffer.begin());
    } else {
        i = TrefferAb(treffer, row, gehe == Gehe::Zurueck, gehe == Gehe::AbHier);
    }
    // A text that finds nothing leaves no partial hit current, where Escape and typing would
    // overwrite it: the cursor goes back to where it was when the bar opened.
    const Zelle ziel = i >= 0 ? Zelle{treffer[size_t(i)].col, treffer[size_t(i)].row} : start_;
    if (gehe != Gehe::Nicht && (i >= 0 || treffer.empty()) &&
        (ziel.col != grid_.currentCol() || ziel.row != row) && ziel.row < grid_.rowCount()) {
        // Going there opens the cell's editor; the typing stays in the field.
        const bool imFeld = leiste_.edtSuche->hasFocus();
        grid_.setCurrentCell(ziel.col, ziel.row);
        if (imFeld)
            leiste_.edtSuche->setFocus();
    }
    leiste_.trefferZeigen(i, int(treffer.size()));
}
