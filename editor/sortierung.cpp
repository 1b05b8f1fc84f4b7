#include "editor/sortierung.h"

#include "support/texthelpers.h"

std::string Sortierschluessel(std::string_view name) {
    std::string s(name);
    for (size_t dot = s.find('.'); dot != std::string::npos; dot = s.find('.'))
        s = Bereinigen(std::string_view(s).substr(dot + 1), ' ');
    for (size_t blank = s.find(' '); blank != std::string::npos; blank = s.find(' '))
        s = Bereinigen(std::string_view(s).substr(blank + 1), ' ');
    if (Bereinigen(s, ' ').empty())
        return std::string(1, '\xFF');
    return s;
}

std::string Duplikatschluessel(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    bool blank = false;
    for (const char c : Grossschrift(name)) {
        if (c == ' ' || c == '\t') {
            blank = !key.empty();
            continue;
        }
        if (blank)
            key += ' ';
        blank = false;
        key += c;
    }
    return key;
}
