// The desktop printer as a module of its own: the program loads it at the first printout, so
// that the print support and the print system's libraries cost nothing at start-up. Beside
// the default printer it offers the functions declared in qtdrucker.h.

#include "printer/qtdrucker.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT Zeichenflaeche* gesamt_standarddrucker() {
    return QtDrucker::standarddrucker().release();
}

// The program calls these by name: their types must be the ones it expects.
static_assert(std::is_same_v<decltype(gesamt_standarddrucker), druckermodul::Standarddrucker>);
static_assert(std::is_same_v<decltype(gesamt_druckerwahl), druckermodul::Druckerwahl>);
static_assert(std::is_same_v<decltype(gesamt_pdfdatei), druckermodul::PdfDatei>);
static_assert(std::is_same_v<decltype(gesamt_vorschau), druckermodul::Vorschau>);
