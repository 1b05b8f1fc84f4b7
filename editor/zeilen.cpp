#include "editor/zeilen.h"

void Eintragszeilen::einfuegen(int vor, const std::vector<Zeile>& neu) {
    const int n = int(neu.size());
    if (n == 0)
        return;
    CellUpdate update(zellen_);
    if (leerzeile_) {
        leerzeile_ = false;
        zellen_.setRowCount(n + 1);
        vor = 1;
    } else {
        const int alt = zellen_.rowCount();
        zellen_.setRowCount(alt + n);
        for (int r = alt - 1; r >= vor; --r)
            ZeileSchreiben(zellen_, r + n, ZeileLesen(zellen_, r));
    }
    for (int i = 0; i < n; ++i)
        ZeileSchreiben(zellen_, vor + i, neu[size_t(i)]);
    anzahl_ += n;
}

void Eintragszeilen::entfernen(const std::vector<int>& rows) {
    if (rows.empty())
        return;
    CellUpdate update(zellen_);
    if (int(rows.size()) >= anzahl_) {
        // The list is empty now: it looks like a new one, with a blank row to type into.
        zellen_.setRowCount(2);
        ZeileSchreiben(zellen_, 1, Zeile{});
        leerzeile_ = true;
    } else {
        const int last = zellen_.rowCount() - 1;
        size_t next = 0;
        int target = rows.front();
        for (int r = rows.front(); r <= last; ++r) {
            if (next < rows.size() && rows[next] == r) {
                ++next;
                continue;
            }
            if (target != r)
                ZeileSchreiben(zellen_, target, ZeileLesen(zellen_, r));
            ++target;
        }
        zellen_.setRowCount(zellen_.rowCount() - int(rows.size()));
    }
    anzahl_ -= int(rows.size());
}
