// Recovery data as anyone could make them: reading never crashes, only complete data are
// taken, and data written back read as the same; any list under any path (also one with a
// line break) comes back whole.

#include "sitzung/wiederherstellung.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto d = WiederherstellungAusText(text)) {
        const auto wieder = WiederherstellungAusText(WiederherstellungsText(*d));
        if (!wieder || wieder->text != d->text || wieder->datei != d->datei ||
            wieder->sitzung != d->sitzung || wieder->geaendert != d->geaendert ||
            wieder->stand != d->stand)
            std::abort();
    }
    Wiederherstellungsdaten eigene;
    eigene.datei = text.substr(0, text.size() % 64);
    eigene.text = text;
    const auto zurueck = WiederherstellungAusText(WiederherstellungsText(eigene));
    if (!zurueck || zurueck->text != text || zurueck->datei != eigene.datei)
        std::abort();
    return 0;
}
