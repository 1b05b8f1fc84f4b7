#include "editor/verlauf.h"

#include "editor/namenliste.h"

void Schritt::undo() {
    liste_.standSetzen(erste_, nachher_.zeilen.size(), vorher_);
}

void Schritt::redo() {
    if (getan_) {
        getan_ = false;
        return;
    }
    liste_.standSetzen(erste_, vorher_.zeilen.size(), nachher_);
}
