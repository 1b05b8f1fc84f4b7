#pragma once
// Which entry of the list an incoming entry (a row of a member table, a pasted line) stands
// for, by the person rule (person/person.h), and the numbers new entries get. The table import
// and the paste preview both ask here.

#include "cells/celltable.h"
#include "person/person.h"

#include <QString>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct Zuordnung {
    enum class Art {
        Neu,            // no entry is this person
        Person,         // the entry in `row` is
        Konflikt,       // the entry in `row` has the membership number under another name
        NummerMehrfach, // `anzahl` entries have the membership number: nobody can tell which
        NameMehrfach,   // `anzahl` entries have the name, `row` the first of them
    };
    Art art = Art::Neu;
    int row = 0;
    int anzahl = 0;
    // Person: the entry has no membership number and is this person by name; the incoming one
    // brings one.
    bool nummerDazu = false;
    // Neu: an entry of the same name has another membership number.
    bool namensvetter = false;
    Namensvergleich vergleich = Namensvergleich::Gleich; // Konflikt: how the names differ
};

class Personenindex {
public:
    // Rows 1 .. anzahl of the list.
    Personenindex(const CellTable& zellen, int anzahl);

    // An entry with a membership number is the one entry with that number when its name is
    // that person's (DieselbePerson), else a Konflikt; when no entry has the number, the one
    // entry of that person without a number. One without a number is the one entry of that
    // person; names with a "?" for a letter are compared with every entry.
    Zuordnung finden(std::string_view name, std::string_view nummer) const;

    // Why an incoming entry is not simply taken ("Mitgliedsnr. 117500 gehört zu Werner
    // Albrecht – andere Person?", "2 Einträge heißen so"); empty for Person and for Neu without
    // a namesake.
    QString grund(const Zuordnung& z) const;

private:
    std::vector<int> mitNamen(const Person& p) const;

    const CellTable& zellen_;
    std::vector<Person> personen_; // per row, from 1
    std::unordered_map<std::string, std::vector<int>> nummern_, namen_;
};

// Numbers for new entries that no entry has: after the highest; from 1 up where that would leave
// the range of a number.
class FreieNummern {
public:
    FreieNummern(const CellTable& zellen, int anzahl);
    // `gewuenscht` when it is a number no entry and no earlier call has, else the next free.
    std::string vergeben(std::string_view gewuenscht = {});

private:
    std::unordered_set<long long> belegt_;
    long long naechste_ = 1;
};
