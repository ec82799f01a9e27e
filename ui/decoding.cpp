#include "ui/decoding.h"

#include "engine/decoder.h"
#include "engine/guess.h"

namespace velmora {
namespace {

QString joinDetails(const QString &first, const QString &second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + QStringLiteral(", ") + second;
}

// How many units of the message belong to the alphabet of CODE.
qsizetype symbolCount(CodeId code, const QString &message)
{
    const Decoder &reader = decoder(code);
    qsizetype count = 0;
    for (const QChar c : message)
        count += reader.isSymbol(c.unicode()) ? 1 : 0;
    return count;
}

} // namespace

QString unreadableNote(qsizetype unreadable)
{
    if (unreadable <= 0)
        return QString();
    if (unreadable == 1)
        return QStringLiteral("1 élément illisible, laissé tel quel");
    return QStringLiteral("%1 éléments illisibles, laissés tels quels").arg(unreadable);
}

Decoding decodeWith(CodeId code, const QString &message, bool nameCode)
{
    const DecodeResult result = decode(code, message);
    Decoding decoding;
    decoding.text = result.text;
    decoding.unreadable = result.unreadable;
    decoding.details = joinDetails(nameCode ? codeDisplayName(code) : QString(), unreadableNote(result.unreadable));
    return decoding;
}

Decoding decodeMorseOrMorse2(const QString &message)
{
    // Both alphabets share the blank between two dashes; what is left tells
    // them apart (middle dots and hyphens, or capital P and O). A message
    // with neither reads as Morse.
    const CodeId code =
        symbolCount(CodeId::Morse2, message) > symbolCount(CodeId::Morse, message) ? CodeId::Morse2 : CodeId::Morse;
    return decodeWith(code, message, true);
}

Decoding decodeGuessed(const QString &message)
{
    const QList<GuessCandidate> candidates = guessCode(message);
    if (candidates.isEmpty() || candidates.first().letters == 0) {
        Decoding decoding;
        decoding.text = message;
        decoding.details = QStringLiteral("aucun code reconnu");
        return decoding;
    }
    Decoding decoding = decodeWith(candidates.first().code, message);
    decoding.details =
        joinDetails(QStringLiteral("code trouvé : ") + codeDisplayName(candidates.first().code), decoding.details);
    return decoding;
}

} // namespace velmora
