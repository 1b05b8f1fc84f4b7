#pragma once
// The session files' text: "key=value" lines (the lock; the head of the recovery data), read
// as hostile, since anyone who may write their folder could have put a file there.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <sys/stat.h>

struct Sitzungsdatei {
    int fehler = 0; // errno of the read; EFBIG for a file larger than its format allows
    struct stat st {};
    // The lines up to the first empty one (all where there is none); a line without "=" is
    // skipped, and of a key written twice the last counts.
    std::map<std::string, std::string, std::less<>> werte;
    bool leerzeile = false;
    std::string rest; // what follows the empty line

    std::string text(std::string_view key) const;
    int64_t zahl(std::string_view key) const; // 0 where missing or no number
    uint64_t natuerlicheZahl(std::string_view key) const;
};

// A regular file, not through a link at its name, of at most `hoechstens` bytes: a larger one
// is damaged and not read at all.
Sitzungsdatei SitzungsdateiLesen(const std::string& pfad, size_t hoechstens);
// The same on text already read.
Sitzungsdatei SitzungstextLesen(std::string text);

// What names a list's own files in the state folder, the same for every session of it: the
// name of the file it leads to and a hash of that file's path ("NAMEN.TIF-0123456789abcdef").
std::string ListenKennung(const std::string& liste);
