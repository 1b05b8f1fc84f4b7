// The desktop printer as a module of its own: the program loads it at the first printout, so
// that the print support and the print system's libraries cost nothing at start-up. Beside
// the default printer it offers the functions declared in qtdrucker.h.

#include "printer/qtdrucker.h"

extern "C" Q_DECL_EXPORT Zeichenflaeche* gesamt_standarddrucker() {
    return QtDrucker::standarddrucker().release();
}
