// Naming the code of a coded text nobody named: first the codes whose
// alphabet can have produced the text at all, then, among those, how well
// each one's reading looks like French or English.
#pragma once

#include "codes.h"

#include <QList>
#include <QStringView>

namespace velmora {

struct GuessCandidate {
    CodeId code;
    // The code reads at least one letter and finds no unreadable token.
    bool possible = false;
    qsizetype unreadable = 0;
    qsizetype letters = 0;
    // How much the reading looks like French or English: the mean log10
    // probability of each letter after the one before it (word starts and
    // ends included), plus a bonus for common short words. Higher is better;
    // ordinary prose scores about -1.1, a wrong shift -1.7 or less.
    double score = 0;
    enum class Language { French, English } language = Language::French; // the better of the two
};

// Every one of the twelve codes, best first: possible codes by score, then
// the others by their share of unreadable tokens.
QList<GuessCandidate> guessCode(QStringView coded);

// The language score of a plain text, the better of French and English.
double languageScore(QStringView text, GuessCandidate::Language *language = nullptr);

} // namespace velmora
