// What the "Décoder" buttons of the local sections do with a message: read it
// back with one code (Morse and Morse 2 told apart by their alphabet), or
// with the code the guesser finds, and say in French what the decoding found.
// Pure functions over text, safe to run off the window's thread.
#pragma once

#include "engine/codes.h"

#include <QString>

namespace velmora {

struct Decoding {
    QString text;    // the decoded text, unreadable tokens kept as they stand
    QString details; // for the result window's caption: the code found, the unreadable tokens; may be empty
    qsizetype unreadable = 0;
};

// Reads the message with CODE; NAMECODE puts the code's name in the details.
Decoding decodeWith(CodeId code, const QString &message, bool nameCode = false);

// Reads the message as Morse or as Morse 2, whichever alphabet it is written
// in (dots and dashes, or P and O); the details name the one read.
Decoding decodeMorseOrMorse2(const QString &message);

// Reads the message with the code the guesser ranks first, and names it. A
// message that no code reads a letter of comes back unchanged.
Decoding decodeGuessed(const QString &message);

// "1 élément illisible, laissé tel quel", "3 éléments illisibles, laissés
// tels quels".
QString unreadableNote(qsizetype unreadable);

} // namespace velmora
