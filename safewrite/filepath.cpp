#include "safewrite/filepath.h"

#include <climits>
#include <cstdlib>

namespace safewrite {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return (folder == "/" ? std::string() : folder) + "/" + name;
}

std::string realPath(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

std::string hidden(const std::string& name, const char* suffix) {
    // Built up in steps: GCC 12 misreads the one-line sum of a literal and a returned string as
    // an overlapping copy when optimising.
    std::string out(1, '.');
    out += name;
    out += suffix;
    return out;
}

} // namespace safewrite
