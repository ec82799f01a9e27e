#include "guess.h"

#include "decoder.h"

#include <QChar>
#include <QSet>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>

namespace velmora {
namespace {

#include "language_samples.inc"

// 26 letters and 0 for a word boundary.
constexpr int kSymbols = 27;

// The letter a to z that a character stands for (accents dropped, case
// folded), or 0 for anything else.
int letterIndex(QChar c)
{
    char16_t u = c.unicode();
    if (u >= 0x80 && c.isLetter()) {
        const QString d = c.decomposition();
        if (!d.isEmpty())
            u = d.front().unicode();
    }
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 1;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 1;
    return 0;
}

// Log10 probabilities of a letter after another, counted from a sample
// text with add-half smoothing, and the language's common words.
struct LanguageModel {
    std::array<std::array<double, kSymbols>, kSymbols> logP{};
    QSet<QString> words;

    LanguageModel(const char16_t *sample, const char16_t *const *common, std::size_t commonCount)
    {
        std::array<std::array<double, kSymbols>, kSymbols> counts{};
        int prev = 0;
        for (const char16_t *p = sample; *p; ++p) {
            const int cur = letterIndex(QChar(*p));
            if (cur == 0 && prev == 0)
                continue;
            counts[std::size_t(prev)][std::size_t(cur)] += 1;
            prev = cur;
        }
        for (int a = 0; a < kSymbols; ++a) {
            double total = 0;
            for (int b = 0; b < kSymbols; ++b)
                total += counts[std::size_t(a)][std::size_t(b)];
            for (int b = 0; b < kSymbols; ++b)
                logP[std::size_t(a)][std::size_t(b)] =
                    std::log10((counts[std::size_t(a)][std::size_t(b)] + 0.5) / (total + 0.5 * kSymbols));
        }
        for (std::size_t i = 0; i < commonCount; ++i)
            words.insert(QString::fromUtf16(common[i]));
    }

    double score(const std::vector<int> &symbols, const QStringList &textWords) const
    {
        if (symbols.size() < 2)
            return -10;
        double sum = 0;
        for (std::size_t i = 1; i < symbols.size(); ++i)
            sum += logP[std::size_t(symbols[i - 1])][std::size_t(symbols[i])];
        const double mean = sum / double(symbols.size() - 1);
        int known = 0;
        for (const QString &w : textWords)
            known += words.contains(w);
        const double share = textWords.isEmpty() ? 0 : double(known) / double(textWords.size());
        return mean + 0.5 * share;
    }
};

const LanguageModel &french()
{
    static const LanguageModel m(kFrenchSample, kFrenchWords, std::size(kFrenchWords));
    return m;
}

const LanguageModel &english()
{
    static const LanguageModel m(kEnglishSample, kEnglishWords, std::size(kEnglishWords));
    return m;
}

// Guessing reads this much of a text at most: more adds nothing to the
// ranking and would only cost time.
constexpr qsizetype kGuessPrefix = 1 << 16;

} // namespace

double languageScore(QStringView text, GuessCandidate::Language *language)
{
    std::vector<int> symbols{0};
    QStringList words;
    QString word;
    for (QChar c : text) {
        const int s = letterIndex(c);
        if (s == 0 && symbols.back() == 0)
            continue;
        symbols.push_back(s);
        if (s) {
            word += QChar(char16_t(u'a' + s - 1));
        } else {
            words << word;
            word.clear();
        }
    }
    if (symbols.back() != 0) {
        symbols.push_back(0);
        words << word;
    }
    const double fr = french().score(symbols, words);
    const double en = english().score(symbols, words);
    if (language)
        *language = fr >= en ? GuessCandidate::Language::French : GuessCandidate::Language::English;
    return std::max(fr, en);
}

QList<GuessCandidate> guessCode(QStringView coded)
{
    if (coded.size() > kGuessPrefix) {
        // Cut after a slash, so no token is split.
        qsizetype cut = coded.lastIndexOf(u'/', kGuessPrefix);
        coded = coded.first(cut > 0 ? cut + 1 : kGuessPrefix);
    }
    QList<GuessCandidate> all;
    for (int i = 0; i < kCodeCount; ++i) {
        GuessCandidate c;
        c.code = CodeId(i);
        const DecodeResult r = decoder(c.code).decode(coded);
        c.unreadable = r.unreadable;
        c.letters = r.letters;
        c.possible = r.unreadable == 0 && r.letters > 0;
        c.score = languageScore(r.text, &c.language);
        all << c;
    }
    std::stable_sort(all.begin(), all.end(), [](const GuessCandidate &a, const GuessCandidate &b) {
        if (a.possible != b.possible)
            return a.possible;
        if (!a.possible) {
            // Fewer unreadable tokens for each letter read first; a code
            // that reads no letter at all last.
            const auto ratio = [](const GuessCandidate &c) {
                return c.letters == 0 ? 2.0 : double(c.unreadable) / double(c.letters + c.unreadable);
            };
            const double ra = ratio(a);
            const double rb = ratio(b);
            if (ra != rb)
                return ra < rb;
        }
        return a.score > b.score;
    });
    return all;
}

} // namespace velmora
