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

// This session.
Sperre EigeneSperre();
// ".<name>.in-bearbeitung" beside the list (beside a link's target).
std::string SperrdateiFuer(const std::string& liste);
std::optional<Sperre> SperreLesen(const std::string& liste);
// The session that wrote it still runs: on another host (which cannot be asked), or on this
// one as the same process.
bool SperreLebt(const Sperre& sperre);
// False where the folder takes no new file, or another session set one first.
bool SperreSetzen(const std::string& liste, const Sperre& eigene);
// Removes the lock if it is this one.
void SperreEntfernen(const std::string& liste, const Sperre& eigene);
// The question to ask before opening a list another session has open (Windows-1252).
std::string SperrFrage(const Sperre& sperre);
