#include "decode.h"

#include "input.h"
#include "stream.h"
#include "utf8.h"

#include "engine/guess.h"

#include <QChar>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace velmora::cli {
namespace {

std::uint64_t utf8Length(const char16_t *p, std::size_t n)
{
    std::uint64_t bytes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = p[i];
        bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : QChar::isSurrogate(u) ? 2 : 3;
    }
    return bytes;
}

// The message words joined by blanks, with the newline an argument message
// gets; an error message if they are not UTF-8.
bool argumentText(const Options &options, std::string &text)
{
    for (std::size_t i = 0; i < options.message.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += options.message[i];
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t valid = validUtf8Prefix(bytes, text.size());
    if (valid != text.size()) {
        printError("the message is not valid UTF-8 (bad byte at offset " + std::to_string(valid) + ")");
        return false;
    }
    text += '\n';
    return true;
}

const unsigned char *bytesOf(const std::string &s) { return reinterpret_cast<const unsigned char *>(s.data()); }

// Feeds a whole text (the argument message) to a pump.
bool feedAll(DecodingPump &pump, const std::string &text)
{
    if (!pump.feed(bytesOf(text), text.size(), true)) {
        printError(pump.error());
        return false;
    }
    return true;
}

int finish(const DecodingPump &pump, bool strict)
{
    if (pump.unreadable() > 0) {
        printError(unreadableMessage(pump.unreadable(), pump.firstUnreadableByte()));
        if (strict)
            return 1;
    }
    return 0;
}

// Guessing reads this much of the input at most.
constexpr std::size_t kGuessBytes = 64 * 1024;

} // namespace

std::string unreadableMessage(std::uint64_t count, std::uint64_t firstByte)
{
    if (count == 1)
        return "1 unreadable token, kept as it stands, at byte offset " + std::to_string(firstByte);
    return std::to_string(count) + " unreadable tokens, kept as they stand; the first at byte offset " +
           std::to_string(firstByte);
}

DecodingPump::DecodingPump(const Decoder &decoder, int outFd) : m_decoder(decoder), m_outFd(outFd) {}

bool DecodingPump::writeAll(const char *data, std::size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(m_outFd, data, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            m_error = std::string("cannot write the output: ") + std::strerror(errno);
            return false;
        }
        data += w;
        n -= std::size_t(w);
    }
    return true;
}

bool DecodingPump::feed(const unsigned char *data, std::size_t n, bool final)
{
    // Bytes to UTF-16, after what the last block left of a sequence.
    std::vector<unsigned char> joined;
    if (!m_byteCarry.empty()) {
        joined = m_byteCarry;
        joined.insert(joined.end(), data, data + n);
        data = joined.data();
        n = joined.size();
        m_byteCarry.clear();
    }
    // The buffers only grow (no filling of what is overwritten anyway).
    const std::size_t kept = m_unitCount;
    if (m_units.size() < kept + n + 1)
        m_units.resize(kept + n + 1);
    const Utf8Decoded d = decodeUtf8(data, n, m_units.data() + kept, final);
    m_unitCount = kept + d.written;
    const std::uint64_t badAt = m_bytesRead + d.consumed;
    m_bytesRead += d.consumed;
    if (!d.invalid)
        m_byteCarry.assign(data + d.consumed, data + n);

    const bool last = final || d.invalid;
    if (m_decoded.size() < m_unitCount + 1)
        m_decoded.resize(m_unitCount + 1);
    const Decoder::BlockResult r =
        m_decoder.decodeBlock(m_units.data(), m_units.data() + m_unitCount, last, m_state, m_decoded.data());
    if (r.unreadable > 0 && m_unreadable == 0) {
        // m_units starts where the units not yet read start in the input.
        const std::size_t rest = m_unitCount;
        m_firstUnreadableByte = m_bytesRead - utf8Length(m_units.data(), rest) +
                                utf8Length(m_units.data(), std::size_t(r.firstUnreadable));
    }
    m_unreadable += std::uint64_t(r.unreadable);
    // Keep the token the block cut (a few units) for the next call.
    std::copy(m_units.begin() + r.consumed, m_units.begin() + std::ptrdiff_t(m_unitCount), m_units.begin());
    m_unitCount -= std::size_t(r.consumed);

    if (m_outFd >= 0) {
        if (m_out.size() < std::size_t(r.written) * 3)
            m_out.resize(std::size_t(r.written) * 3);
        const std::size_t bytes = encodeUtf8(m_decoded.data(), std::size_t(r.written), m_out.data());
        if (!writeAll(m_out.data(), bytes))
            return false;
    }
    if (d.invalid) {
        m_error = invalidUtf8Message(badAt);
        return false;
    }
    return true;
}

int runDecode(const Options &options)
{
    const Decoder &dec = decoder(*options.code);
    if (!options.messageFromStdin()) {
        std::string text;
        if (!argumentText(options, text))
            return 1;
        if (options.strict) {
            DecodingPump counter(dec, -1);
            if (!feedAll(counter, text))
                return 1;
            if (counter.unreadable() > 0) {
                printError(unreadableMessage(counter.unreadable(), counter.firstUnreadableByte()) +
                           " (--strict: nothing written)");
                return 1;
            }
        }
        DecodingPump pump(dec, STDOUT_FILENO);
        return feedAll(pump, text) ? finish(pump, options.strict) : 1;
    }
    InputChecks checks;
    DecodingPump counter(dec, -1);
    if (options.strict) {
        checks.check = [&](const unsigned char *data, std::size_t n, bool final) {
            if (!counter.feed(data, n, final)) {
                printError(counter.error());
                return false;
            }
            if (final && counter.unreadable() > 0) {
                printError(unreadableMessage(counter.unreadable(), counter.firstUnreadableByte()) +
                           " (--strict: nothing written)");
                return false;
            }
            return true;
        };
    }
    DecodingPump pump(dec, STDOUT_FILENO);
    const int status = readStandardInput(checks, [&](const unsigned char *data, std::size_t n, bool final) {
        if (!pump.feed(data, n, final)) {
            printError(pump.error());
            return false;
        }
        return true;
    });
    return status != 0 ? status : finish(pump, options.strict);
}

namespace {

std::string candidateLine(const GuessCandidate &c)
{
    std::string name = codeName(c.code).toStdString();
    name.resize(std::max<std::size_t>(name.size() + 1, 12), ' ');
    char score[64];
    if (c.possible)
        std::snprintf(score, sizeof score, "%.3f", c.score);
    else
        std::snprintf(score, sizeof score, "impossible (%lld unreadable, %lld letters)",
                      static_cast<long long>(c.unreadable), static_cast<long long>(c.letters));
    return name + score + "\n";
}

// Guesses from the first bytes of the text; an empty optional (and a
// message) when no code reads it.
std::optional<CodeId> guessFrom(const unsigned char *data, std::size_t n, bool all, int &status)
{
    std::vector<char16_t> units(n);
    const Utf8Decoded d = decodeUtf8(data, n, units.data(), false);
    const QList<GuessCandidate> ranking =
        guessCode(QStringView(units.data(), qsizetype(d.written)));
    if (all) {
        std::string lines;
        for (const GuessCandidate &c : ranking)
            lines += candidateLine(c);
        std::fputs(lines.c_str(), stdout);
        status = finishStandardOutput() ? 0 : 1;
        return std::nullopt;
    }
    if (ranking.front().letters == 0) {
        printError("no code reads this text: it holds no letter of any code");
        status = 1;
        return std::nullopt;
    }
    const std::string line = codeName(ranking.front().code).toStdString() + "\n";
    if (::write(STDOUT_FILENO, line.data(), line.size()) != ssize_t(line.size())) {
        printError(std::string("cannot write the output: ") + std::strerror(errno));
        status = 1;
        return std::nullopt;
    }
    return ranking.front().code;
}

} // namespace

int runGuess(const Options &options)
{
    int status = 0;
    if (!options.messageFromStdin()) {
        std::string text;
        if (!argumentText(options, text))
            return 1;
        const auto code = guessFrom(bytesOf(text), text.size(), options.all, status);
        if (!code)
            return status;
        DecodingPump pump(decoder(*code), STDOUT_FILENO);
        return feedAll(pump, text) ? finish(pump, false) : 1;
    }
    // The first kGuessBytes are held for the guess, then decoded with the
    // rest as it comes.
    std::vector<unsigned char> head;
    std::unique_ptr<DecodingPump> pump;
    bool done = false;
    status = readStandardInput({}, [&](const unsigned char *data, std::size_t n, bool final) {
        if (done)
            return true;
        if (!pump) {
            head.insert(head.end(), data, data + n);
            if (head.size() < kGuessBytes && !final)
                return true;
            const auto code = guessFrom(head.data(), head.size(), options.all, status);
            if (!code) {
                done = true;
                return status == 0;
            }
            pump = std::make_unique<DecodingPump>(decoder(*code), STDOUT_FILENO);
            data = head.data();
            n = head.size();
        }
        if (!pump->feed(data, n, final)) {
            printError(pump->error());
            return false;
        }
        return true;
    });
    if (status != 0 || !pump)
        return status;
    return finish(*pump, false);
}

} // namespace velmora::cli
