#pragma once
// Text and number helpers on Windows-1252 byte strings.

#include <cstdint>
#include <string>
#include <string_view>

constexpr char Trennzeichen = '\t';

// Cuts the field before the first separator off the front of rest.
std::string FeldAbtrennen(std::string& rest);
// The whole number a trimmed text is ("$1F", "x1F", "0x1F" are hexadecimal); 0 for no number.
int32_t TextZuZahl(std::string_view text);
std::string Grossschrift(std::string_view text);
// Mode ' ' trims blanks and tabs only; '.', 'B'/'b', 'Z'/'z' and any other character trim
// further (see the implementation).
std::string Bereinigen(std::string_view text, char modus);
std::string RechtsBuendig(std::string_view text, int breite, char fuellzeichen);
std::string ZahlZuText(int breite, int dezimalen, double zahl);
inline int Maximum(int a, int b) {
    return a > b ? a : b;
}
bool IstZahlZeichen(char c);
bool IstBuchstabe(char c);
