#pragma once
// Messages of the list logic, recorded instead of shown; questions get a chosen answer.

#include "support/meldungen.h"

#include <string>
#include <vector>

struct Recorder : Meldungen {
    std::vector<std::string> notes, errors, questions;
    bool answer = true;
    void hinweis(const std::string& t) override { notes.push_back(t); }
    void fehler(const std::string& t) override { errors.push_back(t); }
    bool frage(const std::string& t) override {
        questions.push_back(t);
        return answer;
    }
};
