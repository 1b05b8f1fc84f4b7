#include "editor/verlauf.h"

#include <algorithm>

Zeile ZeileLesen(const CellTable& zellen, int row) {
    Zeile z;
    for (int c = 0; c < CellTable::kColumns; ++c)
        z[size_t(c)] = zellen.cell(c, row);
    return z;
}

void ZeileSchreiben(CellTable& zellen, int row, const Zeile& zeile) {
    for (int c = 0; c < CellTable::kColumns; ++c)
        zellen.setCell(c, row, zeile[size_t(c)]);
}

void Verlauf::beginnen(const Kopf& kopf) {
    schatten_.clear();
    schattenFehlt_ = true;
    schattenKopf_ = kopf;
    stapel_.clear();
}

void Verlauf::vorDerAenderung() {
    if (!schattenFehlt_)
        return;
    schattenFehlt_ = false;
    schatten_.reserve(size_t(zellen_.rowCount()));
    for (int r = 0; r < zellen_.rowCount(); ++r)
        schatten_.push_back(ZeileLesen(zellen_, r));
}

void Verlauf::aufzeichnen(const QString& name, int zeilen, const Kopf& kopf, Zelle vorher,
                          Zelle nachher) {
    // Nothing was about to change since the beginning: nothing did.
    if (stellt_ || schattenFehlt_)
        return;
    const int alt = int(schatten_.size());
    const int neu = zeilen;
    auto gleich = [this](int a, int b) {
        for (int c = 0; c < CellTable::kColumns; ++c)
            if (schatten_[size_t(a)][size_t(c)] != zellen_.cell(c, b))
                return false;
        return true;
    };
    // What lies between the common beginning and the common end is the change.
    const int m = std::min(alt, neu);
    int anfang = 0;
    while (anfang < m && gleich(anfang, anfang))
        ++anfang;
    int ende = 0;
    while (ende < m - anfang && gleich(alt - 1 - ende, neu - 1 - ende))
        ++ende;
    if (anfang == alt && alt == neu && kopf == schattenKopf_)
        return;
    Seite vor{{schatten_.begin() + anfang, schatten_.end() - ende}, schattenKopf_, vorher};
    Seite nach{{}, kopf, nachher};
    for (int r = anfang; r < neu - ende; ++r)
        nach.zeilen.push_back(ZeileLesen(zellen_, r));
    schatten_.erase(schatten_.begin() + anfang, schatten_.end() - ende);
    schatten_.insert(schatten_.begin() + anfang, nach.zeilen.begin(), nach.zeilen.end());
    schattenKopf_ = kopf;
    stapel_.push(new Schritt(*this, name, anfang, std::move(vor), std::move(nach)));
}

void Verlauf::stellen(int erste, size_t weg, const Seite& seite) {
    if (vorDemStellen)
        vorDemStellen();
    stellt_ = true;
    const size_t alt = schatten_.size();
    schatten_.erase(schatten_.begin() + erste, schatten_.begin() + erste + ptrdiff_t(weg));
    schatten_.insert(schatten_.begin() + erste, seite.zeilen.begin(), seite.zeilen.end());
    schattenKopf_ = seite.kopf;
    {
        CellUpdate update(zellen_);
        zellen_.setRowCount(int(schatten_.size()));
        // Rows after the change move when it changed their number.
        const size_t bis = schatten_.size() == alt ? erste + seite.zeilen.size() : schatten_.size();
        for (size_t r = size_t(erste); r < bis; ++r)
            ZeileSchreiben(zellen_, int(r), schatten_[r]);
    }
    stellt_ = false;
    if (gestellt)
        gestellt(seite);
}

void Schritt::undo() {
    verlauf_.stellen(erste_, nachher_.zeilen.size(), vorher_);
}

void Schritt::redo() {
    if (getan_) {
        getan_ = false;
        return;
    }
    verlauf_.stellen(erste_, vorher_.zeilen.size(), nachher_);
}
