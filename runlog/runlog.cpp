#include "runlog/runlog.h"

#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "safewrite/safewrite.h"

#include <QDateTime>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

int logFd = -1;
std::string buffer;
std::string logName;
constexpr size_t kBufferSize = 4096;

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
    std::string fremde; // names another user put in the log's place, to say once
    while (true) {
        int fd = -1;
        // A name someone else put there is passed over like one another copy holds.
        const int error = safewrite::openLog(name, fd);
        if (error == EPERM)
            fremde += (fremde.empty() ? "" : ", ") + name;
        if (error == 0) {
            const QDateTime now = QDateTime::currentDateTime();
            const QString stamp =
                datetime::shortDate(now.date()) + u' ' + datetime::longTime(now.time());
            const std::string first = "Logdatei ge\xF6"
                                      "ffnet: " +
                                      cp1252::fromQString(stamp) + "\r\n";
            if (safewrite::append(fd, first) == 0) {
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
    if (!fremde.empty()) {
        const std::string hinweis = "Fremde Datei nicht als Logdatei verwendet: " + fremde;
        if (!LogZeile("HINWEIS - " + hinweis))
            std::fprintf(stderr, "gesamt: %s\n",
                         cp1252::toQString(hinweis).toLocal8Bit().constData());
    }
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
    if (safewrite::append(logFd, buffer) != 0) {
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
