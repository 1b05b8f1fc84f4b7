#pragma once
// The folder and name parts of a path, and the file a name leads to: one rule for the written
// files and for the session files found beside them.

#include <string>

namespace safewrite {

// "." for a bare name, "/" for a file at the root.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);
std::string inFolder(const std::string& folder, const std::string& name);
// ".<name><suffix>": the hidden names beside a file (temporary files, records, the lock).
std::string hidden(const std::string& name, const char* suffix = "");
// The file the name leads to, through every link, as an absolute path; the name itself where
// it leads to nothing (yet).
std::string realPath(const std::string& path);

} // namespace safewrite
