#pragma once
#include <functional>
#include <stdexcept>
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

// A file operation that failed; what() is the German text for the user.
class DateiFehler : public std::runtime_error {
public:
    DateiFehler(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

// The German text of a name-file error code; "E/A-Fehler <code>" for codes without one.
std::string NamensdateiFehlertext(int code);
// The code a system error stands for (ENOENT 2, bad name or missing folder 3, ...), 0 for
// errors without a text of their own.
int FehlercodeAusErrno(int error);
DateiFehler DateiFehlerAusErrno(int error);
