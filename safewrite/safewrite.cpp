#include "safewrite/safewrite.h"

#include "safewrite/filepath.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace safewrite {

namespace {

// The interface thread and the recovery writer both write files.
std::atomic<int> gKillAt = 0;
std::atomic<int> gOperations = 0;

// Every operation that changes something on disk passes here first, so that a test can end
// the process before any one of them.
void step() {
    const int done = ++gOperations;
    const int killAt = gKillAt;
    if (killAt > 0 && done >= killAt)
        ::raise(SIGKILL);
}

constexpr std::string_view kRecordMagic = "GESAMT-SCHREIBEN 1\n";
// The magic and four numbers of at most 20 digits, each on its line.
constexpr size_t kRecordHead = kRecordMagic.size() + 4 * 21;

std::function<void(const std::string&)>& noticeSink() {
    static std::function<void(const std::string&)> sink;
    return sink;
}

void notice(const std::string& text) {
    if (noticeSink())
        noticeSink()(text);
}

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

// Follows links to their final target, also one that does not exist (yet); -1 for a circle.
bool linkTarget(std::string& path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat lst {};
        if (::lstat(path.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode))
            return true;
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
    const std::string base = name.size() + 8 <= NAME_MAX ? "." + name : std::string(".gesamt");
    temp = inFolder(folder, base + ".XXXXXX");
    step();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd >= 0)
        ::flock(fd, LOCK_EX);
    return fd;
}

// Writes all, with that mode, flushed to the disk; the errno of the first failure, or 0.
int fill(int fd, std::string_view data, mode_t mode, bool durable = true) {
    step();
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, data);
    if (error == 0 && durable)
        error = syncFd(fd);
    return error;
}

bool takeOwner(int fd, const struct stat& of) {
    struct stat now {};
    if (::fstat(fd, &now) == 0 && now.st_uid == of.st_uid && now.st_gid == of.st_gid)
        return true;
    step();
    return ::fchown(fd, of.st_uid, of.st_gid) == 0;
}

// Keeps `old`, the content of the file `target` as it is now, as "<target>~": always a copy,
// so the list never looks as if it had a second name. The copy gets the list's group and mode
// (and owner where it may), so that whoever may read the list, and only they, may read it.
bool keepBackup(const std::string& target, std::string_view old, const struct stat& st) {
    std::string temp;
    const Fd fd(lockedTemp(folderOf(target), nameOf(target) + "~", temp));
    if (!fd)
        return false;
    bool ok = takeOwner(fd.fd, st);
    if (!ok) {
        step();
        ok = ::fchown(fd.fd, uid_t(-1), st.st_gid) == 0;
    }
    ok = ok && fill(fd.fd, old, st.st_mode & 0666) == 0;
    ok = ok && renameFile(temp, target + "~") == 0;
    if (!ok)
        unlinkFile(temp);
    return ok;
}

// Root may open any file for writing; the file's own protection still counts.
bool mayWrite(const std::string& target, const struct stat& st) {
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0) {
        errno = EACCES;
        return false;
    }
    const Fd probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    return bool(probe);
}

std::string recordName(const struct stat& st) {
    return ".gesamt-" + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino) + ".neu";
}

// A record found where ours go may have been planted by anyone who may write that folder (a
// shared folder, the file's folder when it is not the user's). It is used only when it can be
// one this program wrote: a file with one name, of the user running or of the file's owner,
// that no one else may change, no larger than a record of the largest content we write.
bool trusted(const struct stat& record, const struct stat& file) {
    return S_ISREG(record.st_mode) && record.st_nlink == 1 &&
           (record.st_uid == ::geteuid() || record.st_uid == file.st_uid) &&
           (record.st_mode & 022) == 0 && uint64_t(record.st_size) <= kLargestRecord + kRecordHead;
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

// Writes the complete record of an in-place write before the file is touched: beside it, or
// where its folder takes no new file, in the state folder. Its final name appears only once
// it is complete and flushed. The record stays open (and locked) in `fd`.
int writeRecord(const std::string& target, const struct stat& st, std::string_view content, Fd& fd,
                std::string& recordPath) {
    const std::string text = recordText(st.st_dev, st.st_ino, content);
    std::string folders[2] = {folderOf(target), stateFolder()};
    int error = 0;
    for (const std::string& folder : folders) {
        if (&folder != &folders[0])
            makeFolders(folder);
        std::string temp;
        fd.fd = lockedTemp(folder, recordName(st).substr(1), temp);
        if (fd.fd < 0) {
            error = errno;
            continue;
        }
        recordPath = inFolder(folder, recordName(st));
        error = fill(fd.fd, text, 0600);
        if (error == 0)
            error = renameFile(temp, recordPath);
        if (error == 0) {
            syncFolder(folder); // the name must be on the disk before the file changes
            return 0;
        }
        unlinkFile(temp);
        ::close(fd.fd);
        fd.fd = -1;
    }
    return error;
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

void removeRecord(const std::string& recordPath) {
    unlinkFile(recordPath);
    syncFolder(folderOf(recordPath));
}

// Overwrites the file itself, so that it stays the same file: its other names, its owner and
// group, in a folder that takes no new file.
Result writeInPlace(const std::string& target, std::string_view content, const struct stat& st,
                    const Options& options) {
    Result result;
    result.inPlace = true;
    // Its record would be too large for the next start to trust.
    if (content.size() > kLargestRecord) {
        result.error = EFBIG;
        return result;
    }
    // The file looked at, not what may have been put in its place since.
    const Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (!fd) {
        result.error = errno;
        return result;
    }
    struct stat now {};
    if (::fstat(fd.fd, &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev) {
        result.error = EACCES;
        return result;
    }
    // Two copies writing the same file at once take turns.
    ::flock(fd.fd, LOCK_EX);
    std::string old;
    if ((result.error = readAll(fd.fd, old)))
        return result;
    if (options.backup)
        result.backupFailed = !keepBackup(target, old, st);
    Fd record;
    std::string recordPath;
    if ((result.error = writeRecord(target, st, content, record, recordPath)))
        return result;
    result.error = overwrite(fd.fd, content);
    if (result.error == 0) {
        removeRecord(recordPath);
        return result;
    }
    // The old content goes back, with its times, so that it still looks as it did when it was
    // opened. Where even that fails, the record stays: the next start completes the write.
    if (overwrite(fd.fd, old) == 0) {
        const timespec times[2] = {now.st_atim, now.st_mtim};
        step();
        ::futimens(fd.fd, times);
        removeRecord(recordPath);
    }
    return result;
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

} // namespace

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

int readFile(const std::string& path, size_t limit, std::string& out, struct stat* st) {
    out.clear();
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!fd)
        return errno;
    struct stat own {};
    struct stat& s = st ? *st : own;
    if (::fstat(fd.fd, &s) != 0)
        return errno;
    if (!S_ISREG(s.st_mode))
        return S_ISDIR(s.st_mode) ? EISDIR : EACCES;
    // A file larger than its format allows is damaged, however large: not a byte is read.
    if (uint64_t(s.st_size) > limit)
        return EFBIG;
    return readAll(fd.fd, out, limit);
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

Result write(const std::string& path, std::string_view content, const Options& options) {
    // A file-size limit would end the program in the middle of a save; the write then fails
    // with EFBIG instead, which is reported like a full disk.
    static const bool fsizeIgnored = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)fsizeIgnored;

    Result result;
    std::string target = path;
    // A new name is made where asked for: a link in its place is no way elsewhere.
    if (!options.onlyNew && !linkTarget(target)) {
        result.error = ELOOP;
        return result;
    }
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    mode_t mode = 0666;
    if (options.onlyNew && (exists || ::lstat(target.c_str(), &st) == 0)) {
        result.error = EEXIST;
        return result;
    }
    if (exists) {
        if (!S_ISREG(st.st_mode)) {
            result.error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
            return result;
        }
        // Replacing the file by a rename would get round its write protection.
        if (!mayWrite(target, st)) {
            result.error = errno;
            return result;
        }
        mode = st.st_mode & 07777;
    } else if (options.mode) {
        mode = mode_t(options.mode);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const std::string folder = folderOf(target);
    struct stat fst {};
    if (::stat(folder.c_str(), &fst) != 0 || !S_ISDIR(fst.st_mode)) {
        result.error = ENOTDIR; // the folder is missing
        return result;
    }

    // A file with other names stays one file with them. A backup that an older version made
    // as a second name of the list is no such name: this save replaces it by a copy.
    nlink_t names = exists ? st.st_nlink : 0;
    struct stat bst {};
    if (names > 1 && ::lstat((target + "~").c_str(), &bst) == 0 && bst.st_ino == st.st_ino &&
        bst.st_dev == st.st_dev)
        --names;
    if (names > 1)
        return writeInPlace(target, content, st, options);

    std::string temp;
    const Fd fd(lockedTemp(folder, nameOf(target), temp));
    if (!fd) {
        // A folder that takes no new file may still hold a file the user may write.
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(target, content, st, options);
        result.error = errno;
        return result;
    }
    // The new file is to belong to whom the old one did; where it cannot, the old file is
    // written itself.
    if (exists && !takeOwner(fd.fd, st)) {
        unlinkFile(temp);
        return writeInPlace(target, content, st, options);
    }
    result.error = fill(fd.fd, content, mode, options.durable);
    if (result.error == 0 && exists && options.backup) {
        std::string old;
        const Fd in(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
        result.backupFailed = !(in && readAll(in.fd, old) == 0 && keepBackup(target, old, st));
    }
    // A link cannot replace a name that exists: of two racing for it, one gets it.
    if (result.error == 0 && options.onlyNew) {
        step();
        result.error = ::link(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
        if (result.error == 0) {
            unlinkFile(temp);
            if (options.durable)
                syncFolder(folder);
            return result;
        }
    }
    if (result.error == 0)
        result.error = renameFile(temp, target);
    if (result.error != 0) {
        unlinkFile(temp);
        return result;
    }
    // The new name must survive a crash as well as the content.
    if (options.durable)
        syncFolder(folder);
    return result;
}

Recovery recover(const std::string& path) {
    std::string target = path;
    if (!linkTarget(target))
        return Recovery::None;
    const std::string folder = folderOf(target), base = nameOf(target);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const std::string record = exists ? recordName(st) : std::string();
    removeLeftovers(folder, {"." + base, "." + base + "~", ".gesamt", record},
                    exists ? st.st_uid : ::geteuid());
    if (!exists)
        return Recovery::None;
    removeLeftovers(stateFolder(), {record}, st.st_uid);
    Recovery done = Recovery::None;
    for (const std::string& at : {inFolder(folder, record), inFolder(stateFolder(), record)}) {
        struct stat b {};
        if (::lstat(at.c_str(), &b) != 0)
            continue; // none
        if (!trusted(b, st)) {
            notice("Fremde Datei nicht verwendet: " + at);
            continue;
        }
        const Fd rfd(::open(at.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (!rfd || ::flock(rfd.fd, LOCK_EX | LOCK_NB) != 0)
            continue; // a running copy is writing
        struct stat a {};
        if (::fstat(rfd.fd, &a) != 0 || ::lstat(at.c_str(), &b) != 0 || a.st_ino != b.st_ino ||
            a.st_dev != b.st_dev || !trusted(a, st))
            continue; // finished, or replaced, meanwhile
        std::string text;
        if (readAll(rfd.fd, text, kLargestRecord + kRecordHead) != 0)
            continue;
        if (const std::optional<std::string> content = recordContent(text, st.st_dev, st.st_ino)) {
            const Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
            struct stat now {};
            if (!fd || ::fstat(fd.fd, &now) != 0 || now.st_ino != st.st_ino)
                continue;
            ::flock(fd.fd, LOCK_EX);
            if (overwrite(fd.fd, *content) != 0)
                continue; // the record stays for the next try
            done = Recovery::Completed;
        }
        removeRecord(at);
    }
    return done;
}

void removeTemporaries(const std::string& path) {
    removeLeftovers(folderOf(path), {"." + nameOf(path)}, ::geteuid());
}

int remove(const std::string& path, bool durable) {
    step();
    if (::unlink(path.c_str()) != 0)
        return errno;
    if (durable)
        syncFolder(folderOf(path));
    return 0;
}

std::string recordText(uint64_t device, uint64_t inode, std::string_view content) {
    std::string text(kRecordMagic);
    text += std::to_string(device) + "\n" + std::to_string(inode) + "\n" +
            std::to_string(content.size()) + "\n" + std::to_string(checksum(content)) + "\n";
    text += content;
    return text;
}

std::optional<std::string> recordContent(std::string_view text, uint64_t device, uint64_t inode) {
    if (!text.starts_with(kRecordMagic))
        return std::nullopt;
    size_t pos = kRecordMagic.size();
    uint64_t numbers[4] = {};
    for (auto& n : numbers) {
        const size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            return std::nullopt;
        n = std::strtoull(std::string(text.substr(pos, end - pos)).c_str(), nullptr, 10);
        pos = end + 1;
    }
    if (numbers[0] != device || numbers[1] != inode || text.size() - pos != numbers[2] ||
        checksum(text.substr(pos)) != numbers[3])
        return std::nullopt;
    return std::string(text.substr(pos));
}

namespace testing {
void killBefore(int n) {
    gKillAt = n;
    gOperations = 0;
}
int operations() {
    return gOperations;
}
} // namespace testing

} // namespace safewrite
