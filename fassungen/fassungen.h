#pragma once
// The earlier states of a list, kept at every save in the user's own state folder, so that a
// name removed by mistake or saved over can be found again after the save: one folder per list
// (by its real path), one file per version holding the list's own bytes, thinned out by age and
// bounded in size, and said so.

#include "namefile/namefile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

constexpr int64_t kTagMs = 86400000;
// Every version of the last 14 days, then the newest of each week for a year; the versions of
// all lists together about 50 MB, the oldest going first.
constexpr int64_t kAlleBehaltenMs = 14 * kTagMs, kWoechentlichMs = 365 * kTagMs;
constexpr uint64_t kFassungenHoechstens = uint64_t(50) << 20;

// Milliseconds since 1970; the tests set the time.
using Uhr = std::function<int64_t()>;

// "<state folder>/fassungen/<ListenKennung>", holding the versions and "Pfad", the list's path.
std::string FassungsordnerFuer(const std::string& liste);

// A version's file name: when the list was like this (local time with its offset), and the
// checksum and size of its bytes, by which a torn or altered version is told, and thinning out
// knows the room versions take without looking at each:
// "2026-12-10T140512.345+0100-0123456789abcdef-38800.TIF".
struct Fassungsname {
    int64_t zeitMs = 0;
    uint64_t pruefsumme = 0;
    uint64_t groesse = 0;
    std::string text() const;
};
std::optional<Fassungsname> FassungsnameLesen(std::string_view name);

struct Fassung {
    std::string datei;
    int64_t zeitMs = 0; // when the list was last like this: replaced by a save, or opened
    int anzahl = 0;     // its entries
    // Not what was kept (cut short, altered, larger than a list can be, a link, not a file of
    // the user's own): shown as such, never applied.
    bool beschaedigt = false;
    std::string text; // its bytes, where sound
};
// The versions of the list, newest first; what a crash left of writing one goes first. With
// `jede`, each sound version's entries as they were read, to be compared while they are there
// instead of being read a second time.
std::vector<Fassung>
FassungenLesen(const std::string& liste,
               const std::function<void(const Fassung&, const CellTable&)>& jede = {});
// The list a versions folder belongs to, as "Pfad" there names it; empty where it cannot say.
std::string FassungsordnerListe(const std::string& ordner);

// What thinning out removes of the versions of all lists (`liste` tells them apart): those
// beyond the age rules, then the oldest while all together are above `hoechstens`, but never
// one just kept (`neu`).
struct Fassungsdatei {
    int liste = 0;
    int64_t zeitMs = 0;
    uint64_t groesse = 0;
    bool neu = false;
};
struct Ausduennung {
    std::vector<size_t> entfernen; // indices into the versions given
    int jungeEntfernt = 0;         // of them, versions of the last 14 days (removed for space)
    int64_t aeltesteJunge = 0;     // the oldest of those
};
Ausduennung Ausduennen(const std::vector<Fassungsdatei>& alle, int64_t jetztMs,
                       uint64_t hoechstens = kFassungenHoechstens);

// The keeping of one editing session of a list.
class Fassungen {
public:
    explicit Fassungen(std::string liste, Uhr uhr = {});
    ~Fassungen(); // after the versions kept are on the disk
    Fassungen(const Fassungen&) = delete;
    Fassungen& operator=(const Fassungen&) = delete;

    // After the list was read, with what the reading found: the state the session opened, kept
    // at its first save (unless another program changed the file in between).
    void geoeffnet(const DateiStand& stand);
    // Right before the list is written over: keeps what the file holds now, and at the first
    // save the state the session opened; thins out. Never stops the save. The notes to show
    // (Windows-1252): that versions cannot be kept (once, until they can be again), that
    // versions of the last 14 days were removed for space.
    std::vector<std::string> vorDemSpeichern();
    // After the list was written (or failed to be): what was kept reaches the disk off this
    // thread, so that the save does not wait for it, nor shares the disk with it. Where this
    // is not called, the next keeping or the end of the session does it.
    void nachDemSpeichern();
    // Until the versions kept are on the disk (the benchmark).
    void warten();

private:
    int behalten(const std::string& text, int64_t zeitMs, struct Fassungsbestand& bestand);

    std::string liste_;
    Uhr uhr_;
    std::optional<std::string> geoeffnet_;
    int64_t geoeffnetMs_ = 0;
    std::vector<std::string> ungespuelt_; // the versions kept, not flushed yet
    bool gemeldet_ = false;
    std::thread spueler_; // flushing them
};
