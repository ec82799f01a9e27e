// How often the guesser names the right code first: every sentence of the
// corpus (French and English, written for this benchmark) coded with a code
// drawn at random, with a fixed seed, then guessed.
//   bench_guess [CORPUS_DIR] [ROUNDS]
// Prints the share of right first guesses and every confusion.
#include "engine/codes.h"
#include "engine/guess.h"

#include <QFile>
#include <QStringList>

#include <cstdio>
#include <map>
#include <random>

using namespace velmora;

namespace {

int letterCount(const QString &s)
{
    int n = 0;
    for (QChar c : s)
        n += c.isLetter();
    return n;
}

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    QStringList lines;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines << line;
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    const QString dir = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VELMORA_GUESS_CORPUS);
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 1;
    QStringList sentences;
    for (const char *name : {"corpus-fr.txt", "corpus-en.txt"}) {
        for (const QString &s : readLines(dir + QLatin1Char('/') + QLatin1String(name))) {
            const int letters = letterCount(s);
            if (letters < 30 || letters > 120) {
                std::fprintf(stderr, "left out (%d letters): %s\n", letters, qPrintable(s));
                continue;
            }
            sentences << s;
        }
    }
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> pick(0, kCodeCount - 1);
    int right = 0, total = 0;
    std::map<std::pair<int, int>, int> confusions;
    std::map<int, int> perCode, perCodeRight;
    for (int round = 0; round < rounds; ++round) {
        for (const QString &s : sentences) {
            const CodeId code = CodeId(pick(rng));
            const QList<GuessCandidate> ranking = guessCode(encoder(code).encode(s));
            const CodeId first = ranking.front().code;
            ++total;
            ++perCode[int(code)];
            if (first == code) {
                ++right;
                ++perCodeRight[int(code)];
            } else {
                ++confusions[{int(code), int(first)}];
                if (rounds == 1 || std::getenv("VELMORA_GUESS_VERBOSE"))
                    std::printf("  %s taken for %s: %s\n", qPrintable(codeName(code)), qPrintable(codeName(first)),
                                qPrintable(s));
            }
        }
    }
    std::printf("%lld sentences, %d rounds, seed 20261207: right code first in %d of %d (%.2f %%)\n",
                static_cast<long long>(sentences.size()), rounds, right, total, 100.0 * right / total);
    for (const auto &[code, n] : perCode)
        std::printf("  %-11s %4d/%4d\n", qPrintable(codeName(CodeId(code))), perCodeRight[code], n);
    if (confusions.empty())
        std::printf("no confusion\n");
    for (const auto &[pair, n] : confusions)
        std::printf("confusion: %s guessed as %s, %d times\n", qPrintable(codeName(CodeId(pair.first))),
                    qPrintable(codeName(CodeId(pair.second))), n);
    return 0;
}
