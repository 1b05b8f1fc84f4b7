#include "editor/sortierung.h"

#include "support/texthelpers.h"

namespace {

std::string_view ohneRaender(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string Sortierschluessel(std::string_view name) {
    // The rest after each full stop, then after each blank, trimmed each time; on views, so
    // that a long name costs one pass and no copies.
    std::string_view s = name;
    for (size_t dot = s.find('.'); dot != s.npos; dot = s.find('.'))
        s = ohneRaender(s.substr(dot + 1));
    for (size_t blank = s.find(' '); blank != s.npos; blank = s.find(' '))
        s = ohneRaender(s.substr(blank + 1));
    if (ohneRaender(s).empty())
        return std::string(1, '\xFF');
    return std::string(s);
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
