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
};
