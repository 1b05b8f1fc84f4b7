#pragma once
// The lock file beside a list that is open for editing: who has it open, where and since when.
// Advisory, so that it works on network folders where file locks do not reach.

#include <cstdint>
#include <optional>
#include <string>

struct Sperre {
    std::string benutzer, rechner;
    long prozess = 0;
    uint64_t start = 0; // the process's start time, so that a reused process id is no owner
    int64_t seit = 0;   // seconds since 1970
    bool operator==(const Sperre&) const = default;
};

// A lock file is a few lines; a larger one is damaged.
constexpr size_t kSperreHoechstens = 4096;

// This session.
Sperre EigeneSperre();
// The lock file's lines, and the lock they name (none without "Rechner=").
std::string SperrText(const Sperre& sperre);
std::optional<Sperre> SperreAusText(const std::string& text);
// ".<name>.in-bearbeitung" beside the list (beside a link's target).
std::string SperrdateiFuer(const std::string& liste);
// None where no file is there. Whose lock it is says the file's owner. What is there but is no
// lock this program wrote (a link, a file too large, unreadable or without its lines) is
// someone else's: its owner, since the file's time, on an unknown computer; the user's own
// damaged lock (a power cut) counts as one of an ended session.
std::optional<Sperre> SperreLesen(const std::string& liste);
// The session that wrote it still runs: on another host (which cannot be asked), or on this
// one as the same process.
bool SperreLebt(const Sperre& sperre);
// False where the folder takes no new file, or something is there already (never written
// through a link).
bool SperreSetzen(const std::string& liste, const Sperre& eigene);

// Taking the list for this session: the lock set, another session's lock to ask about (also
// when another copy set one a moment before), or no room for a lock (the list opens without).
struct Sperrversuch {
    enum Ergebnis { Gesetzt, Fremd, OhneSperre } ergebnis = OhneSperre;
    Sperre fremd; // Fremd: whose, for SperrFrage
};
// A lock of a session that ended is removed first. Where no lock can be set beside the list,
// the lock goes to the user's state folder (ErsatzsperreFuer), so that two copies of the same
// user still meet; none through another user's link.
Sperrversuch SperreNehmen(const std::string& liste, const Sperre& eigene);
// That lock in the state folder, named by the list's path; empty for a list that does not exist.
std::string ErsatzsperreFuer(const std::string& liste);
// Sets that lock alone: where the list is opened in spite of another's lock beside it (which
// may be anything another user put there), the user's own copies still meet.
Sperrversuch ErsatzsperreNehmen(const std::string& liste, const Sperre& eigene);
// Removes the lock if it is this one.
void SperreEntfernen(const std::string& liste, const Sperre& eigene);
// The question to ask before opening a list another session has open (Windows-1252).
std::string SperrFrage(const Sperre& sperre);
