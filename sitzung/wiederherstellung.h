#pragma once
// Unsaved changes of a list, kept in the state folder while the list is changed and not saved,
// so that a crash, a power cut or a killed session loses nothing typed.

#include "namefile/namefile.h"
#include "safewrite/safewrite.h"
#include "sitzung/sperre.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

struct Wiederherstellungsdaten {
    std::string datei;     // the list they belong to
    Sperre sitzung;        // the session that made them
    int64_t geaendert = 0; // when its last step was made, seconds since 1970
    DateiStand stand;      // the list on disk when that session opened it
    std::string text;      // the list's bytes as of that step
};

// The largest recovery data: the largest list and a head.
constexpr size_t kWiederherstellungHoechstens = safewrite::kLargestRecord + 65536;

// "<state folder>/<name>-<hash of the list's path>-<process>.ungespeichert", readable by the
// user alone.
std::string WiederherstellungsdateiFuer(const std::string& liste, long prozess);
std::string WiederherstellungsText(const Wiederherstellungsdaten& daten);
std::optional<Wiederherstellungsdaten> WiederherstellungAusText(const std::string& text);
// The newest complete data for this list from a session that no longer runs; temporary files
// of the user's writes of such data that a crash interrupted go. The user's own data for it
// that cannot be read (damaged, larger than a list can be) are named in `beschaedigt`.
std::optional<Wiederherstellungsdaten>
WiederherstellungFinden(const std::string& liste, std::vector<std::string>* beschaedigt = nullptr);
// The question before taking them over (Windows-1252): when, and whether the list on disk has
// changed since.
std::string WiederherstellungsFrage(const Wiederherstellungsdaten& daten, const DateiStand& jetzt);
// Not taken over: the changes are kept as a name file of their own beside the data, which go.
// Its path, or empty where it could not be written (then the data stay).
std::string WiederherstellungAufbewahren(const Wiederherstellungsdaten& daten);
// The data are the file's very bytes, `datei` as it was read: what a session killed between
// saving and removing them leaves. Read again, the file may give other cells (an entry without
// a number gets its position), so the cells cannot tell.
bool WiederherstellungWieDatei(const Wiederherstellungsdaten& daten, const DateiStand& datei);
// Nothing the file does not hold, or kept elsewhere: the data go, and so do copies of them
// that an interrupted take-over left under another ended session.
void WiederherstellungEntfernen(const Wiederherstellungsdaten& daten);

// Keeps this session's data up to date, written off the user-interface thread: the newest
// handed-over state is on disk a moment later; older ones not yet written are skipped.
class Wiederherstellung {
public:
    Wiederherstellung(std::string liste, DateiStand stand);
    ~Wiederherstellung(); // the data stay: only verwerfen() removes them
    Wiederherstellung(const Wiederherstellung&) = delete;
    Wiederherstellung& operator=(const Wiederherstellung&) = delete;

    // After a step that leaves the list changed: its bytes now.
    void aendern(std::string text);
    // Nothing unsaved any more (saved, cancelled, undone back to the file): the data go.
    void verwerfen();
    // Saved and kept open: the data go, and the list on disk is this from now on.
    void gespeichert(const DateiStand& stand);
    // Until what was handed over is written (tests and the benchmark).
    void warten();
    // "Ja" to taking over `alt`: its changes become this session's data, written and flushed
    // under this session's name before `alt`'s data go, so that a crash at any moment leaves
    // them to be offered again. Call it before the list's next change. False where they could
    // not be written (`alt`'s data then stay).
    bool uebernehmen(const Wiederherstellungsdaten& alt);
    // Told on the writing thread when the data cannot be written (a full or write-protected
    // state folder), once until a write succeeds again: the note for the window and the run
    // log. Every later step tries again.
    void beiFehler(std::function<void(const std::string& hinweis)> melden);
    const std::string& datei() const { return datei_; }

private:
    void schreiben();
    int schreibenJetzt(const std::string& text);
    void melden(int fehler);

    Wiederherstellungsdaten daten_;
    std::string datei_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::optional<std::string> neu_;
    bool weg_ = false, ende_ = false, fleissig_ = false, gemeldet_ = false, uebernommen_ = false;
    std::function<void(const std::string&)> melden_;
    std::mutex schreibMutex_; // one write at a time: the writing thread's and a take-over's
    std::thread thread_;
};
