// Names found in a versions folder: reading one never crashes, and a name read gives, written
// anew, the same moment, checksum and size.

#include "fassungen/fassungen.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto name =
        FassungsnameLesen(std::string_view(reinterpret_cast<const char*>(data), size));
    // Written in this machine's local time, which may reach past the years a name can hold.
    constexpr int64_t kJahr10000 = 253402300800000, kTag = 86400000;
    if (name && name->zeitMs > kTag && name->zeitMs < kJahr10000 - kTag) {
        const auto wieder = FassungsnameLesen(name->text());
        if (!wieder || wieder->zeitMs != name->zeitMs || wieder->pruefsumme != name->pruefsumme ||
            wieder->groesse != name->groesse)
            std::abort();
    }
    return 0;
}
