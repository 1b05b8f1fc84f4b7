#include "safewrite/safewrite.h"

#include "safewrite/fileops.h"
#include "safewrite/filepath.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safewrite {

namespace {

using namespace detail;

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

// Overwrites the file itself, so that it stays the same file: its other names, its owner and
// group, in a folder that takes no new file.
Result writeInPlace(const std::string& target, std::string_view content, const struct stat& st,
                    const Options& options) {
    Result result;
    result.inPlace = true;
    // Its record would be too large for the next start to trust; so would one of a file that
    // grew larger than anything this program writes.
    if (content.size() > kLargestRecord || uint64_t(st.st_size) > kLargestRecord) {
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
    if ((result.error = readAll(fd.fd, old, kLargestRecord)))
        return result;
    if (options.backup)
        result.backupFailed = !keepBackup(target, old, st);
    Fd record;
    std::string recordPath;
    if ((result.error = writeRecord(target, st, content, old, record, recordPath)))
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

} // namespace

std::optional<uid_t> foreignLink(const std::string& path) {
    std::string target = path;
    uid_t foreign = uid_t(-1);
    if (linkTarget(target, &foreign) || foreign == uid_t(-1))
        return std::nullopt;
    return foreign;
}

Result write(const std::string& path, std::string_view content, const Options& options) {
    // A file-size limit would end the program in the middle of a save; the write then fails
    // with EFBIG instead, which is reported like a full disk.
    static const bool fsizeIgnored = (std::signal(SIGXFSZ, SIG_IGN), true);
    (void)fsizeIgnored;

    Result result;
    std::string target = path;
    // A new name is made where asked for: a link in its place is no way elsewhere.
    uid_t foreign = uid_t(-1);
    if (!options.onlyNew && !linkTarget(target, &foreign)) {
        result.error = foreign == uid_t(-1) ? ELOOP : EPERM;
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
    // A link that leads nowhere (yet) is no place to make a file: it may have been put there
    // to have one made in the user's name elsewhere.
    if (!exists && target != path) {
        result.error = ENOENT;
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
        // A file larger than anything written here is no version of it worth a copy.
        result.backupFailed =
            uint64_t(st.st_size) > kLargestRecord ||
            !(in && readAll(in.fd, old, kLargestRecord) == 0 && keepBackup(target, old, st));
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

} // namespace safewrite
