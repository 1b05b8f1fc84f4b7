// Records of an in-place save as anyone could make them: reading never crashes, and a record
// gives back the very content it was made of, for its own file only.

#include "safewrite/safewrite.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const uint64_t geraet = size, inode = size > 0 ? data[0] : 0;
    (void)safewrite::recordContent(text, geraet, inode);
    const std::string record = safewrite::recordText(geraet, inode, text);
    if (safewrite::recordContent(record, geraet, inode) != text ||
        safewrite::recordContent(record, geraet, inode + 1) ||
        safewrite::recordContent(record.substr(0, record.size() - 1), geraet, inode))
        std::abort();
    return 0;
}
