#pragma once
// Who is who: when two names, or two entries, are probably one person. Every way names come in
// (a member table, a pasted block, the duplicate review, the find) asks here. Names are
// Windows-1252 bytes as the cells hold them.

#include <string>
#include <string_view>
#include <vector>

// ---- Membership numbers

// A membership number as entries are compared by it: without blanks, and a number of digits
// without its leading zeros ("0100237 " is 100237: a spreadsheet drops them). Empty: none.
std::string Nummernform(std::string_view nummer);

// What a membership number from outside is taken for, blanks around it aside: a formula that a
// spreadsheet opening an export of the list would run ("=…", "@…", "+" or "-" before anything
// but digits), a date (a spreadsheet turned the number into one, or the column is another:
// "01.03.2015", "1/3/15", "2015-03-01"), a number with letters ("DE-47"), else a number.
enum class Nummernart { Nummer, Formel, Datum, Buchstaben };
Nummernart MitgliedsnummerArt(std::string_view nummer);

// ---- Letters

enum class Umlaute { Grundbuchstabe, Ausgeschrieben };
// Small letters without accents; ß as "ss", Æ as "ae", Œ as "oe", Þ as "th"; ä, ö, ü as a, o, u
// or spelled out as ae, oe, ue; runs of blanks as one. The find compares texts so.
std::string Falten(std::string_view text, Umlaute umlaute);

// A "?" next to a letter ("Ay?e"): what a program leaves where it could not write a letter.
bool FragezeichenStattBuchstabe(std::string_view name);

// How well a name is written, to choose among one person's entries: a letter beyond a to z
// (an umlaut, ß, an accent) counts one, small letters beside capitals one.
int Schreibguete(std::string_view name);

// ---- Names

struct Namensteile {
    std::string nachname;
    // First names and initials, titles ("Dr.", "Prof.") after them.
    std::string rest;
    bool operator==(const Namensteile&) const = default;
};

// The surname is the part before a comma ("Meier, H."), else the last word that does not end
// in a full stop; words are parted by blanks and after a full stop ("H.Meier"). The German
// sort orders by these parts.
Namensteile NamenZerlegen(std::string_view name);

struct Vorname {
    std::string form;     // folded, umlauts spelled out
    bool initial = false; // a single letter: "H." stands for every name that begins so
    bool operator==(const Vorname&) const = default;
};

// A name as persons are compared: the parts of NamenZerlegen without titles, "von", "van",
// "de" and the like before the surname taken into it, each word folded with umlauts spelled
// out and without dots and hyphens ("Hans-Peter" is "hans", "peter").
struct Personenname {
    std::string nachname;          // "vonderheide"
    std::vector<Vorname> vornamen; // in their order
    // Equal exactly for the names that compare Gleich: a key to look names up by.
    std::string schluessel() const;
    bool operator==(const Personenname&) const = default;
};
Personenname PersonennameBilden(std::string_view name);

enum class Namensvergleich {
    Gleich,          // the same once folded: "GERD SCHRÖDER", "Gerd Schröder"; "Meier, Hans"
    Schreibweise,    // each part the same or fitting: an initial its first name, a "?" any
                     // letter, an umlaut its base letter, surname and first name swapped
    AndererVorname,  // the surname fits, the first names do not: "Hans" / "Hanna Meier"
    AndererNachname, // the first names fit, the surname does not
    AnderePerson,    // surname and first names both different: probably another person
};
// A name without first names fits any first names.
Namensvergleich NamenVergleichen(const Personenname& a, const Personenname& b);

// An entry as the person rule sees it.
struct Person {
    Personenname name;
    std::string nummer; // Nummernform
    bool fragezeichen = false;
};
Person PersonBilden(std::string_view name, std::string_view nummer);

// Names that are one person's whatever the numbers say: Gleich, or Schreibweise where one of
// them has a "?" for a letter. An initial alone does not tell: "H. Meier" may be Hans or Heinz.
bool GleichNamig(const Person& a, const Person& b);
// One person: with a membership number each, the same number and names Gleich or Schreibweise;
// otherwise GleichNamig. Two different membership numbers are never one person.
bool DieselbePerson(const Person& a, const Person& b);
