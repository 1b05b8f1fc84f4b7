#pragma once
#include <string>
#include <string_view>

// The sort key of a name: its last word after the last full stop; blank names and names
// ending in a full stop get the single byte 255, which sorts last.
std::string Sortierschluessel(std::string_view name);

// What makes two names the same person for duplicate removal: upper-cased a to z, blanks
// trimmed and inner runs of blanks made one. Empty for a blank name.
std::string Duplikatschluessel(std::string_view name);
