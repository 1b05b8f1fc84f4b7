#pragma once
// Writing a file so that a crash or a power cut at any moment leaves the old or the new content,
// never a mixture: every file the program changes goes through here.
//
// A new file, or one that may be replaced, is written as a temporary file beside it, flushed,
// and renamed over it. A file that must stay the very file (it has other names, its folder
// takes no new file, its owner or group could not be kept) is written in place, but only after
// a complete, flushed record of the new content exists where the next start looks for it;
// `recover` completes such a write before the file is read again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace safewrite {

struct Options {
    bool backup = false;  // keep the file as it was as "<name>~", with its owner, group and mode
    bool onlyNew = false; // fail with EEXIST where the name exists (also as a link, which is not
                          // followed), also when two race for it
    unsigned mode = 0;    // of a new file; 0: 0666 less the umask
    bool durable = true;  // flushed to the disk; false for what a power cut may lose unharmed
};

struct Result {
    int error = 0;             // errno of the failure; nothing was changed unless noted below
    bool backupFailed = false; // asked for, but the file as it was could not be kept
    bool inPlace = false;
};

// Writes through links to their final target, so that a link stays a link; but never through a
// link another user put there (EPERM, see foreignLink), and never creates a file at a link's
// target (ENOENT). An existing file that may not be written is refused before anything
// happens, also for root.
Result write(const std::string& path, std::string_view content, const Options& options = {});

// The largest content written in place (EFBIG beyond): more than any list or settings file, and
// the bound of what a record found at the next start may hold.
constexpr size_t kLargestRecord = size_t(64) << 20;

// Where the name leads through a link that neither the user running, nor root, nor the owner
// of the folder the link lies in made (another member of a shared folder): that link's owner.
// Such a link is followed by nothing here.
std::optional<uid_t> foreignLink(const std::string& path);

enum class Recovery { None, Completed };
// Finishes an in-place write of that file that a crash interrupted, and removes temporary
// files that crashed writes left beside it. Call it before the file is read. A record is used
// only where it can be this program's, its owner may write the file, and the file is as that
// write left it (nothing changed it since); others are left alone and said (see setNotice).
Recovery recover(const std::string& path);
// Whether such a write of that file waits for `recover` (or is under way): a record of it lies
// where recover looks. Looks only; changes nothing.
bool pending(const std::string& path);
// Removes the temporary files that crashed writes of exactly this name left beside it, without
// following a link at the name; for files whose record is not needed (a new name each time).
void removeTemporaries(const std::string& path);
// Flushes a file written without `durable` to the disk, and its name; not through a link at it.
int flush(const std::string& path);
// Removes the name (a link, not its target); with `durable` the removal survives a power cut.
int remove(const std::string& path, bool durable = true);

// The record of an in-place write of `content` over `old`, the file (device, inode) as it was,
// and its reader: what a complete record for that very file holds.
struct Recorded {
    std::string content, old;
    bool operator==(const Recorded&) const = default;
};
std::string recordText(uint64_t device, uint64_t inode, std::string_view content,
                       std::string_view old);
std::optional<Recorded> recordContent(std::string_view text, uint64_t device, uint64_t inode);
// Whether `now` can be the file where that write stopped, also after a power cut: every byte
// the old content's, the new one's or not yet written (zero), its length between theirs.
bool midWrite(std::string_view now, const Recorded& recorded);

// Told what recover found in the place of a record and left alone (a German line for the log).
void setNotice(std::function<void(const std::string&)> sink);

// Reads the whole file from fd, failing with EFBIG once more than `limit` bytes came; on a
// failure part-way keeps what was read and returns errno.
int readAll(int fd, std::string& out, size_t limit = SIZE_MAX);
// The whole file, not following a link at its name; empty where it cannot be read.
std::string readFile(const std::string& path);
// The same for a file someone else may have put there: a regular file of at most `limit`
// bytes (EFBIG at once for a larger one, however large), else errno. Its status in `st`.
int readFile(const std::string& path, size_t limit, std::string& out, struct stat* st = nullptr);
// The first `limit` bytes of the regular file the name leads to, ending at its last line end
// within them; `cut` where more was there. errno, or 0. Its status in `st`.
int readStart(const std::string& path, size_t limit, std::string& out, bool& cut,
              struct stat* st = nullptr);
// The checksum records are guarded with, also good for telling whether a file changed.
uint64_t checksum(std::string_view bytes);

// Where in-place records go when the file's own folder takes no new file:
// $XDG_STATE_HOME/kelmar, else ~/.local/state/kelmar.
std::string stateFolder();
// Creates it, and what is missing above it, for the user alone.
void makeStateFolder();
// Creates the folder for the user alone, or makes the user's own folder there so (0700). 0, or
// EACCES where something else is there: a link, a file, another user's folder.
int makePrivateFolder(const std::string& folder);

// The run log, to be written from its start: created where missing, never through a link, and
// only a plain file of the user's own with no other name, so that emptying it empties nothing
// else (EPERM for a name someone else put there); locked against a second copy (EWOULDBLOCK).
// Its descriptor in `fd`. Lines go to it through append.
int openLog(const std::string& path, int& fd);
int append(int fd, std::string_view data);

} // namespace safewrite
