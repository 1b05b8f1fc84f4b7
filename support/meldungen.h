#pragma once
#include <string>

// How the list logic speaks to the user; the window shows dialogs, tests record.
class Meldungen {
public:
    virtual ~Meldungen() = default;
    virtual void hinweis(const std::string& text) = 0;
    virtual void fehler(const std::string& text) = 0;
    // The question without its question mark; true for yes.
    virtual bool frage(const std::string& text) = 0;
    // The same with yes as the default answer: where nothing is lost either way and yes is
    // what the user most likely wants.
    virtual bool frageJa(const std::string& text) { return frage(text); }
};
