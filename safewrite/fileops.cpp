#include "safewrite/fileops.h"

#include "safewrite/filepath.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace safewrite {

namespace {

std::function<void(const std::string&)>& noticeSink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

} // namespace

namespace detail {

void step() {
    if (testing::beforeOperation)
        testing::beforeOperation();
}

// Once a run: a file left alone stays where it is, and every opening would find it again.
void notice(const std::string& text) {
    static std::mutex mutex;
    static std::set<std::string> said;
    const std::lock_guard<std::mutex> lock(mutex);
    if (noticeSink() && said.insert(text).second)
        noticeSink()(text);
}

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        step();
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data.remove_prefix(size_t(n));
    }
    return 0;
}

int syncFd(int fd) {
    step();
    return ::fsync(fd) == 0 ? 0 : errno;
}

int renameFile(const std::string& from, const std::string& to) {
    step();
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void unlinkFile(const std::string& path) {
    step();
    ::unlink(path.c_str());
}

void syncFolder(const std::string& folder) {
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        syncFd(dir.fd);
}

// A link another member of a shared folder put at a name must not lead the program to a file
// of the user's own: as the kernel does in sticky folders open to all, a link counts only when
// the user running, root or the folder's owner (who could rename the file anyway) made it.
bool trustedLink(const std::string& path, const struct stat& link) {
    if (link.st_uid == ::geteuid() || link.st_uid == 0)
        return true;
    struct stat folder {};
    return ::stat(folderOf(path).c_str(), &folder) == 0 && folder.st_uid == link.st_uid;
}

bool linkTarget(std::string& path, uid_t* foreign) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat lst {};
        if (::lstat(path.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode))
            return true;
        if (!trustedLink(path, lst)) {
            if (foreign)
                *foreign = lst.st_uid;
            return false;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0)
            return true;
        target.resize(size_t(n));
        if (target.front() != '/') {
            const size_t slash = path.rfind('/');
            target =
                (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
        }
        path = std::move(target);
    }
    return false;
}

// A new, unused file "<folder>/.<name>.XXXXXX" (".gesamt.XXXXXX" where that name would be too
// long), locked for as long as it is open, so that a start can tell one a crash left from one
// being written. -1 and errno on failure.
int lockedTemp(const std::string& folder, const std::string& name, std::string& temp) {
    const std::string base = name.size() + 8 <= NAME_MAX ? hidden(name) : std::string(".gesamt");
    temp = inFolder(folder, base + ".XXXXXX");
    step();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX);
    return fd;
}

// Writes all, with that mode, flushed to the disk; the errno of the first failure, or 0.
int fill(int fd, std::string_view data, mode_t mode, bool durable) {
    step();
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, data);
    if (error == 0 && durable)
        error = syncFd(fd);
    return error;
}

bool mayWrite(const std::string& target, const struct stat& st) {
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    const Fd probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    return bool(probe);
}

bool takeOwner(int fd, const struct stat& of) {
    struct stat now {};
    if (::fstat(fd, &now) == 0 && now.st_uid == of.st_uid && now.st_gid == of.st_gid)
        return true;
    step();
    return ::fchown(fd, of.st_uid, of.st_gid) == 0;
}

int overwrite(int fd, std::string_view data) {
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return errno;
    int error = writeAll(fd, data);
    if (error == 0) {
        step();
        if (::ftruncate(fd, off_t(data.size())) != 0)
            error = errno;
    }
    if (error == 0)
        error = syncFd(fd);
    return error;
}

// Creates the folder and those above it that are missing, for the user alone.
void makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::access(part.c_str(), F_OK) != 0) {
            step();
            ::mkdir(part.c_str(), 0700);
        }
        if (slash == std::string::npos)
            return;
    }
}

// Removes the temporary files that crashed writes left in `folder` under one of these
// prefixes: a file still locked is being written by a running copy and stays, and so does one
// of anyone but the user running and `owner` (the written file's owner, whom its temporary
// files are given).
void removeLeftovers(const std::string& folder, const std::vector<std::string>& prefixes,
                     uid_t owner) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> left;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        for (const std::string& prefix : prefixes) {
            if (!prefix.empty() && name.size() == prefix.size() + 7 && name.starts_with(prefix) &&
                name[prefix.size()] == '.')
                left.emplace_back(name);
        }
    }
    ::closedir(dir);
    for (const std::string& name : left) {
        const std::string path = inFolder(folder, name);
        const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat a {
        }, b{};
        if (fd && ::flock(fd.fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd.fd, &a) == 0 &&
            S_ISREG(a.st_mode) && (a.st_uid == ::geteuid() || a.st_uid == owner) &&
            ::lstat(path.c_str(), &b) == 0 && a.st_ino == b.st_ino)
            unlinkFile(path);
    }
}

} // namespace detail

using namespace detail;

uint64_t checksum(std::string_view bytes) {
    uint64_t h = 1469598103934665603ULL; // FNV-1a
    for (const unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

int readAll(int fd, std::string& out, size_t limit) {
    char buffer[65536];
    while (true) {
        if (out.size() > limit)
            return EFBIG;
        // One byte more than the limit allows tells a file that is too large.
        const size_t room = limit - out.size();
        const ssize_t n = ::read(fd, buffer, room < sizeof buffer ? room + 1 : sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        out.append(buffer, size_t(n));
    }
}

std::string readFile(const std::string& path) {
    std::string text;
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd)
        readAll(fd.fd, text);
    return text;
}

namespace {

// Opens a regular file for reading (a pipe would block, a device never end); errno, or 0.
int openRegular(const std::string& path, int nofollow, Fd& fd, struct stat& s) {
    fd.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | nofollow);
    if (!fd || ::fstat(fd.fd, &s) != 0)
        return errno;
    return S_ISREG(s.st_mode) ? 0 : S_ISDIR(s.st_mode) ? EISDIR : EACCES;
}

} // namespace

int readFile(const std::string& path, size_t limit, std::string& out, struct stat* st) {
    out.clear();
    Fd fd;
    struct stat own {};
    struct stat& s = st ? *st : own;
    if (const int error = openRegular(path, O_NOFOLLOW, fd, s))
        return error;
    // A file larger than its format allows is damaged, however large: not a byte is read.
    if (uint64_t(s.st_size) > limit)
        return EFBIG;
    return readAll(fd.fd, out, limit);
}

int readStart(const std::string& path, size_t limit, std::string& out, bool& cut, struct stat* st) {
    out.clear();
    cut = false;
    Fd fd;
    struct stat own {};
    if (const int error = openRegular(path, 0, fd, st ? *st : own))
        return error;
    const int error = readAll(fd.fd, out, limit);
    if (error != EFBIG)
        return error;
    // What lies beyond is left out whole lines at a time.
    cut = true;
    out.resize(limit);
    const size_t end = out.find_last_of("\r\n");
    out.resize(end == std::string::npos ? 0 : end + 1);
    return 0;
}

int openLog(const std::string& path, int& out) {
    step();
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644));
    const int error = fd ? 0 : errno;
    struct stat st {};
    if (fd ? ::fstat(fd.fd, &st) != 0 : ::lstat(path.c_str(), &st) != 0)
        return fd ? errno : error;
    // Emptying a file with another name empties that one too, and a link leads elsewhere: only
    // a plain file of the user's own with this one name is a log.
    if (S_ISLNK(st.st_mode) || st.st_uid != ::geteuid() ||
        (S_ISREG(st.st_mode) && st.st_nlink != 1))
        return EPERM;
    if (!fd || !S_ISREG(st.st_mode))
        return error ? error : EACCES; // a folder, or a pipe that would block the start
    // A second copy's log is its own: the lock is taken before anything is emptied.
    if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0)
        return errno;
    step();
    if (::ftruncate(fd.fd, 0) != 0)
        return errno;
    out = fd.fd;
    fd.fd = -1;
    return 0;
}

int append(int fd, std::string_view data) {
    return writeAll(fd, data);
}

void setNotice(std::function<void(const std::string&)> sink) {
    noticeSink() = std::move(sink);
}

std::string stateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/kelmar";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "") + "/.local/state/kelmar";
}

void makeStateFolder() {
    makeFolders(stateFolder());
}

int makePrivateFolder(const std::string& folder) {
    step();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    // Looked at as opened, not through a link put in its place.
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!dir || ::fstat(dir.fd, &st) != 0 || st.st_uid != ::geteuid())
        return EACCES;
    if ((st.st_mode & 07777) == 0700)
        return 0;
    step();
    return ::fchmod(dir.fd, 0700) == 0 ? 0 : errno;
}

int flush(const std::string& path) {
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!fd)
        return errno;
    const int error = syncFd(fd.fd);
    syncFolder(folderOf(path));
    return error;
}

int remove(const std::string& path, bool durable) {
    step();
    if (::unlink(path.c_str()) != 0)
        return errno;
    if (durable)
        syncFolder(folderOf(path));
    return 0;
}

} // namespace safewrite
