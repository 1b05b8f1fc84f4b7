#pragma once
#include <functional>
#include <string>

// The pending result of the last file operation that did not report by itself; 0 = none.
inline int LastIoResult = 0;

// The German sentence for a file error code, empty for codes without one.
std::string DateiFehlerText(int code);

// Reports a pending file error in the standard error box and the run log, and clears it.
// True when nothing was pending.
bool DateiFehlerPruefen(const std::string& context);

// The standard error box ("Fehler", error icon, "OK"); the user interface puts it here.
void setDateiFehlerBox(std::function<void(const std::string& text)> box);
