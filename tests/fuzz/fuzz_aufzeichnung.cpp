// Records of an in-place save as anyone could make them: reading never crashes, and a record
// gives back the very contents it was made of, for its own file only; either content counts as
// a file where that write stopped.

#include "safewrite/safewrite.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const uint64_t geraet = size, inode = size > 0 ? data[0] : 0;
    (void)safewrite::recordContent(text, geraet, inode);
    const size_t mitte = size > 0 ? data[0] % (size + 1) : 0;
    const safewrite::Recorded r{text.substr(0, mitte), text.substr(mitte)};
    const std::string record = safewrite::recordText(geraet, inode, r.content, r.old);
    if (safewrite::recordContent(record, geraet, inode) != r ||
        safewrite::recordContent(record, geraet, inode + 1) ||
        safewrite::recordContent(record.substr(0, record.size() - 1), geraet, inode))
        std::abort();
    const std::string halb =
        r.content.substr(0, mitte / 2) + r.old.substr(std::min(mitte / 2, r.old.size()));
    if (!safewrite::midWrite(r.content, r) || !safewrite::midWrite(r.old, r) ||
        !safewrite::midWrite(halb, r))
        std::abort();
    return 0;
}
