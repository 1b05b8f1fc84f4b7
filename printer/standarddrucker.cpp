#include "printer/qtdrucker.h"

namespace {
std::unique_ptr<QtDrucker>& standard() {
    static std::unique_ptr<QtDrucker> drucker;
    return drucker;
}
} // namespace

void StandarddruckerEinrichten() {
    standard() = QtDrucker::standarddrucker();
    DruckerInitialisieren(standard().get());
}
