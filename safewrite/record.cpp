#include "safewrite/fileops.h"
#include "safewrite/filepath.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The record of an in-place write, and completing such a write that a crash interrupted.

namespace safewrite {

namespace {

using namespace detail;

constexpr std::string_view kRecordMagic = "GESAMT-SCHREIBEN 2\n";
// The magic and five numbers of at most 20 digits, each on its line.
constexpr size_t kRecordHead = kRecordMagic.size() + 5 * 21;
// The new content and the old, each at most what is written in place.
constexpr size_t kLargestRecordFile = 2 * kLargestRecord + kRecordHead;

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
           (record.st_mode & 022) == 0 && uint64_t(record.st_size) <= kLargestRecordFile;
}

// Whoever wrote the record must have been allowed to write the file: the file's owner by its
// owner's bits, the user running as the system says.
bool mayHaveWritten(const struct stat& record, const std::string& target, const struct stat& file) {
    if (record.st_uid == file.st_uid && record.st_uid != ::geteuid())
        return (file.st_mode & S_IWUSR) != 0;
    return mayWrite(target, file);
}

bool notLater(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec <= b.tv_nsec);
}

} // namespace

namespace detail {

// Writes the complete record of an in-place write before the file is touched: beside it, or
// where its folder takes no new file, in the state folder. Its final name appears only once
// it is complete and flushed. The record stays open (and locked) in `fd`.
int writeRecord(const std::string& target, const struct stat& st, std::string_view content,
                std::string_view old, Fd& fd, std::string& recordPath) {
    const std::string text = recordText(st.st_dev, st.st_ino, content, old);
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

void removeRecord(const std::string& recordPath) {
    unlinkFile(recordPath);
    syncFolder(folderOf(recordPath));
}

} // namespace detail

using namespace detail;

namespace {

enum class Outcome { Applied, AlreadyThere, LeftAlone };

// Completes the write a record beside or for the file holds, where it is one to trust and the
// file is as that write left it. A record that cannot be removed (another member's, in a sticky
// folder) must not undo every later save at every opening.
Outcome useRecord(const std::string& at, const std::string& target, const struct stat& st) {
    struct stat b {};
    if (::lstat(at.c_str(), &b) != 0)
        return Outcome::LeftAlone; // none
    if (!trusted(b, st)) {
        notice("Fremde Datei nicht verwendet: " + at);
        return Outcome::LeftAlone;
    }
    if (!mayHaveWritten(b, target, st)) {
        notice("Aufzeichnung nicht verwendet, ihr Besitzer darf die Datei nicht \xE4ndern: " + at);
        return Outcome::LeftAlone;
    }
    const Fd rfd(::open(at.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!rfd || ::flock(rfd.fd, LOCK_EX | LOCK_NB) != 0)
        return Outcome::LeftAlone; // a running copy is writing
    struct stat a {};
    if (::fstat(rfd.fd, &a) != 0 || ::lstat(at.c_str(), &b) != 0 || a.st_ino != b.st_ino ||
        a.st_dev != b.st_dev || !trusted(a, st))
        return Outcome::LeftAlone; // finished, or replaced, meanwhile
    std::string text;
    if (readAll(rfd.fd, text, kLargestRecordFile) != 0)
        return Outcome::LeftAlone;
    const std::optional<Recorded> recorded = recordContent(text, st.st_dev, st.st_ino);
    if (!recorded) {
        removeRecord(at); // damaged: it completes nothing
        return Outcome::LeftAlone;
    }
    const Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    struct stat now {};
    if (!fd || ::fstat(fd.fd, &now) != 0 || now.st_ino != st.st_ino)
        return Outcome::LeftAlone;
    ::flock(fd.fd, LOCK_EX);
    std::string content;
    const int error = readAll(fd.fd, content, kLargestRecord);
    if (error == 0 && content == recorded->content) {
        syncFd(fd.fd); // written, perhaps not yet on the disk
        removeRecord(at);
        return Outcome::AlreadyThere;
    }
    // Untouched since the record was complete, or part-way through its write; anything else is
    // a later change the record would undo.
    const bool untouched = content == recorded->old && notLater(now.st_mtim, a.st_mtim);
    if (error != 0 || !(untouched || (content != recorded->old && midWrite(content, *recorded)))) {
        notice("Veraltete Aufzeichnung nicht verwendet: " + at);
        return Outcome::LeftAlone;
    }
    if (overwrite(fd.fd, recorded->content) != 0)
        return Outcome::LeftAlone; // the record stays for the next try
    removeRecord(at);
    return Outcome::Applied;
}

} // namespace

Recovery recover(const std::string& path) {
    std::string target = path;
    if (!linkTarget(target))
        return Recovery::None;
    const std::string folder = folderOf(target), base = nameOf(target);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    const std::string record = exists ? recordName(st) : std::string();
    removeLeftovers(folder, {hidden(base), hidden(base, "~"), ".gesamt", record},
                    exists ? st.st_uid : ::geteuid());
    if (!exists)
        return Recovery::None;
    removeLeftovers(stateFolder(), {record}, st.st_uid);
    Recovery done = Recovery::None;
    for (const std::string& at : {inFolder(folder, record), inFolder(stateFolder(), record)})
        if (useRecord(at, target, st) == Outcome::Applied)
            done = Recovery::Completed;
    return done;
}

bool pending(const std::string& path) {
    std::string target = path;
    struct stat st {};
    if (!linkTarget(target) || ::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    for (const std::string& at :
         {inFolder(folderOf(target), recordName(st)), inFolder(stateFolder(), recordName(st))}) {
        struct stat b {};
        if (::lstat(at.c_str(), &b) == 0 && trusted(b, st))
            return true;
    }
    return false;
}

void removeTemporaries(const std::string& path) {
    removeLeftovers(folderOf(path), {hidden(nameOf(path))}, ::geteuid());
}

std::string recordText(uint64_t device, uint64_t inode, std::string_view content,
                       std::string_view old) {
    std::string text(kRecordMagic);
    std::string both(content);
    both += old;
    text += std::to_string(device) + "\n" + std::to_string(inode) + "\n" +
            std::to_string(content.size()) + "\n" + std::to_string(old.size()) + "\n" +
            std::to_string(checksum(both)) + "\n";
    text += both;
    return text;
}

std::optional<Recorded> recordContent(std::string_view text, uint64_t device, uint64_t inode) {
    if (!text.starts_with(kRecordMagic))
        return std::nullopt;
    size_t pos = kRecordMagic.size();
    uint64_t numbers[5] = {};
    for (auto& n : numbers) {
        const size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            return std::nullopt;
        n = std::strtoull(std::string(text.substr(pos, end - pos)).c_str(), nullptr, 10);
        pos = end + 1;
    }
    const std::string_view both = text.substr(pos);
    if (numbers[0] != device || numbers[1] != inode || numbers[2] > both.size() ||
        both.size() - numbers[2] != numbers[3] || checksum(both) != numbers[4])
        return std::nullopt;
    return Recorded{std::string(both.substr(0, numbers[2])), std::string(both.substr(numbers[2]))};
}

bool midWrite(std::string_view now, const Recorded& r) {
    const std::string_view neu = r.content, alt = r.old;
    if (now.size() < std::min(neu.size(), alt.size()) ||
        now.size() > std::max(neu.size(), alt.size()))
        return false;
    for (size_t i = 0; i < now.size(); ++i) {
        const char c = now[i];
        if (c != '\0' && !(i < neu.size() && c == neu[i]) && !(i < alt.size() && c == alt[i]))
            return false;
    }
    return true;
}

} // namespace safewrite
