// Text helpers: no reading past the end, and results that keep their promises.

#include "platform/numparse.h"
#include "support/texthelpers.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const char mode = char(data[0]);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string cleaned = Bereinigen(text, mode);
    if (cleaned.size() > text.size() && !(cleaned == "0"))
        std::abort();
    if (cleaned != "0" && text.find(cleaned) == std::string::npos)
        std::abort();

    const int width = int(uint8_t(mode)) % 40;
    if (RechtsBuendig(text, width, mode).size() != size_t(width))
        std::abort();
    if (Grossschrift(text).size() != text.size())
        std::abort();

    std::string rest = text;
    const std::string field = FeldAbtrennen(rest);
    if (text.find('\t') != std::string::npos ? field + '\t' + rest != text : field != text)
        std::abort();

    const int32_t n = TextZuZahl(text);
    const auto parsed = parseInt32(Bereinigen(text, ' '), HexPrefix::DollarXOr0x);
    if (n != parsed.value_or(0))
        std::abort();
    (void)ZahlZuText(width, int(uint8_t(mode)) % 5, double(n) / 7.0);
    return 0;
}
