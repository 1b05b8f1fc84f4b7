// Profile files: reading never fails, a key just written reads back whatever the file held
// before, and writing it again changes nothing.

#include "platform/profile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A name made of harmless characters, taken from the front of the input.
std::string name(const uint8_t*& data, size_t& size) {
    static const char kChars[] = "abcKELMARxyz ,-_0123456789";
    auto take = [&]() -> uint8_t {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    };
    std::string s;
    const size_t n = 1 + take() % 12;
    for (size_t i = 0; i < n; ++i)
        s += kChars[take() % (sizeof kChars - 1)];
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s.empty() ? std::string("k") : s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string section = name(data, size);
    const std::string key = name(data, size);
    const std::string value = name(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Profile before = Profile::fromText(text);
    (void)before.readString(section, key, "d");
    (void)before.readInt(section, key, 1);
    const std::string after = Profile::withValue(text, section, key, value);
    if (Profile::fromText(after).readString(section, key, "\x01") != value)
        std::abort();
    // Writing the same value again changes nothing: no second section or key appears.
    if (Profile::withValue(after, section, key, value) != after)
        std::abort();
    return 0;
}
