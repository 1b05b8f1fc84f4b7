#pragma once
// What the safe-write module's parts share: every file operation that changes something on disk,
// counted so that a test can end the process before any one of them.

#include "safewrite/safewrite.h"

#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace safewrite::testing {
// Only the crash tests define it (safewrite/crashsteps.cpp): called before every operation.
[[gnu::weak]] void beforeOperation();
} // namespace safewrite::testing

namespace safewrite::detail {

// Before every operation that changes something on disk: where a crash test links its hook, it
// counts the operation and may end the process there.
void step();
// Tells the program (its run log) about something found and left alone.
void notice(const std::string& text);

struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    explicit operator bool() const { return fd >= 0; }
};

int writeAll(int fd, std::string_view data);
int syncFd(int fd);
int renameFile(const std::string& from, const std::string& to);
void unlinkFile(const std::string& path);
void syncFolder(const std::string& folder);
// Follows links to their final target, also one that does not exist (yet); false for a circle,
// and for a link that neither the user running, nor root, nor the owner of its folder made: its
// owner then in `foreign` where given, and `path` is that link.
bool linkTarget(std::string& path, uid_t* foreign = nullptr);
// A new, unused file "<folder>/.<name>.XXXXXX", locked for as long as it is open; -1 and errno
// on failure.
int lockedTemp(const std::string& folder, const std::string& name, std::string& temp);
// Writes all, with that mode, flushed to the disk; the errno of the first failure, or 0.
int fill(int fd, std::string_view data, mode_t mode, bool durable = true);
// Whether the file may be written, asked as the writer would; root is held to its protection.
bool mayWrite(const std::string& target, const struct stat& st);
// Gives the open file the owner and group of `of`; false where it may not.
bool takeOwner(int fd, const struct stat& of);
// Writes the file from its start and cuts it there, flushed.
int overwrite(int fd, std::string_view data);
// Creates the folder and those above it that are missing, for the user alone.
void makeFolders(const std::string& folder);
// Removes unlocked temporary files that crashed writes left under these prefixes, of the user
// running or of `owner`.
void removeLeftovers(const std::string& folder, const std::vector<std::string>& prefixes,
                     uid_t owner);

// The complete record of an in-place write, written and flushed before the file is touched;
// it stays open (and locked) in `fd`.
int writeRecord(const std::string& target, const struct stat& st, std::string_view content,
                std::string_view old, Fd& fd, std::string& recordPath);
void removeRecord(const std::string& recordPath);

} // namespace safewrite::detail
