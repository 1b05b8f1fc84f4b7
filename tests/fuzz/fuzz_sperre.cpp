// Lock files as anyone could make them: reading never crashes, and a lock read is written
// back as the same lock.

#include "sitzung/sperre.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto s = SperreAusText(text); s && SperreAusText(SperrText(*s)) != s)
        std::abort();
    return 0;
}
