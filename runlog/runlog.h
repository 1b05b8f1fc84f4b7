#pragma once
#include <string>

// The run log: one file per run, replaced each time, lines written unchanged with CR LF.
inline bool LogAktiv = true; // wanted and usable
inline bool LogOffen = false;
constexpr bool LogSofortSchreiben = false;

bool LogOeffnen(const std::string& dateiname);
// The file the log goes to, with its folder; empty while none is open.
const std::string& LogDatei();
bool LogZeile(const std::string& text);
// Writes what is still buffered; also runs by itself when the process exits.
void LogSchreiben();
// Closes the log and returns to the start state; for tests that open logs in turn.
void LogZuruecksetzen();
