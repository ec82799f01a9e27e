// Every code the program computes itself, as pure functions over text.
#pragma once

#include "substitution.h"

#include <QStringList>

#include <array>
#include <memory>

namespace velmora {

QString encodeMorse(const QString &message);
QString encodeMorse2(const QString &message);
QString encodeCaesar(const QString &message);
QString encodePolybe(const QString &message);

// The eight AlphaNum codes, in the order of the combo box's list.
enum class AlphaNumCode { Detroit, Avocat, Cassette, Cassis, FeuilleA4, Miracle, Dedos, Binaire };
inline constexpr std::array<AlphaNumCode, 8> kAlphaNumCodes = {
    AlphaNumCode::Detroit,   AlphaNumCode::Avocat,  AlphaNumCode::Cassette, AlphaNumCode::Cassis,
    AlphaNumCode::FeuilleA4, AlphaNumCode::Miracle, AlphaNumCode::Dedos,    AlphaNumCode::Binaire};

// The item text as the combo box shows it: "'Détroit'", ..., "Binaire".
QString alphaNumItemText(AlphaNumCode code);
// The eight item texts, in list order.
QStringList alphaNumItemTexts();
// The first item text equal to `text` (exact, case-sensitive) gives the code;
// any other text gives 'Détroit'.
AlphaNumCode alphaNumCodeFromText(const QString &text);
QString encodeAlphaNum(AlphaNumCode code, const QString &message);

// All twelve local codes, for the command line, the tests and the benchmarks.
enum class CodeId {
    Morse,
    Morse2,
    Caesar,
    Polybe,
    Detroit,
    Avocat,
    Cassette,
    Cassis,
    FeuilleA4,
    Miracle,
    Dedos,
    Binaire
};
inline constexpr int kCodeCount = 12;
CodeId codeIdOf(AlphaNumCode code);
const Encoder &encoder(CodeId id);
// Plain ASCII name used on the command line: "morse", "feuille-a4", ...
QString codeName(CodeId id);
// Display name: "Morse", "Morse 2", "Caesar", "Polybius", or the AlphaNum item text.
QString codeDisplayName(CodeId id);

} // namespace velmora
