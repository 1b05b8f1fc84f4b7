#include "runlog/runlog.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/safewrite.h"

#include <QDateTime>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int logFd = -1;
std::string buffer;
std::string logName;
constexpr size_t kBufferSize = 4096;

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// A second copy of the program must not empty our log: the lock is taken before the file is
// truncated, and a copy that cannot get it moves on to the next name.
// A link or a FIFO under the log's name counts as a failed attempt: a link planted in a shared
// folder would have us overwrite its target, and a FIFO would block the start for good.
int openLocked(const std::string& name) {
    const int fd =
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void flushAtExit() {
    LogSchreiben();
}

} // namespace

bool LogOeffnen(const std::string& dateiname) {
    if (!LogAktiv)
        return false;
    static const bool registered = (std::atexit(flushAtExit), true);
    (void)registered;
    std::string name = dateiname;
    int failures = 0;
    bool ok = false;
    while (true) {
        const int fd = openLocked(name);
        if (fd >= 0) {
            const QDateTime now = QDateTime::currentDateTime();
            const QString stamp =
                datetime::shortDate(now.date()) + u' ' + datetime::longTime(now.time());
            const std::string first = "Logdatei ge\xF6"
                                      "ffnet: " +
                                      cp1252::fromQString(stamp) + "\r\n";
            if (writeAll(fd, first)) {
                logFd = fd;
                char* ordner = name.rfind('/', 0) == 0 ? nullptr : ::getcwd(nullptr, 0);
                logName = ordner ? std::string(ordner) + "/" + name : name;
                std::free(ordner);
                ok = true;
                break;
            }
            ::close(fd);
        }
        ++failures;
        if (failures >= 10)
            break;
        if (!name.empty())
            name.pop_back();
        name += std::to_string(failures);
    }
    LogAktiv = ok;
    LogOffen = ok;
    // What the safe-write module leaves alone beside a file (a record someone else planted)
    // is noted here.
    safewrite::setNotice([](const std::string& text) { LogZeile("HINWEIS - " + text); });
    return ok;
}

const std::string& LogDatei() {
    return logName;
}

bool LogZeile(const std::string& text) {
    if (LogAktiv && LogOffen) {
        buffer += text;
        buffer += "\r\n";
        // Notes and errors are what someone looks for after a crash (a planted file, a failed
        // save): they go to disk at once, with the lines before them.
        const bool meldung = text.starts_with("HINWEIS - ") || text.starts_with("FEHLER - ");
        if (LogSofortSchreiben || meldung || buffer.size() >= kBufferSize)
            LogSchreiben();
    }
    return LogAktiv;
}

void LogSchreiben() {
    if (logFd < 0 || buffer.empty())
        return;
    // A log that can no longer be written is given up; the user's work goes on.
    if (!writeAll(logFd, buffer)) {
        ::close(logFd);
        logFd = -1;
        LogOffen = false;
    }
    buffer.clear();
}

void LogZuruecksetzen() {
    LogSchreiben();
    if (logFd >= 0)
        ::close(logFd);
    logFd = -1;
    buffer.clear();
    logName.clear();
    LogAktiv = true;
    LogOffen = false;
}
