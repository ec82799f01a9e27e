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

const unsigned char *bytesOf(const std::string &s)
{
    return reinterpret_cast<const unsigned char *>(s.data());
}

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

DecodingPump::DecodingPump(const Decoder &decoder, int outFd)
    : m_decoder(decoder)
    , m_outFd(outFd)
{
}

bool DecodingPump::writeAll(const char *data, std::size_t n)
{
    return cli::writeAll(m_outFd, data, n, &m_error);
}

bool DecodingPump::feed(const unsigned char *data, std::size_t n, bool final, bool checked)
{
    // What the last block left unread (a token it cut, at most a few bytes),
    // then the new bytes. The buffers only grow.
    const std::size_t total = m_inCount + n;
    if (m_in.size() < total)
        m_in.resize(total);
    if (n > 0)
        std::memcpy(m_in.data() + m_inCount, data, n);
    m_inCount = total;

    // Checked bytes are well-formed but for a character cut at the end,
    // which the decoder leaves for the next block.
    const std::size_t valid = checked ? total : validUtf8Prefix(m_in.data(), total);
    bool invalid = false;
    if (valid < total)
        invalid = final || utf8SequenceLength(m_in.data() + valid, total - valid) >= 0;

    if (m_out.size() < 2 * valid + 8)
        m_out.resize(2 * valid + 8);
    const Decoder::BlockResult r = m_decoder.decodeUtf8Block(m_in.data(), m_in.data() + valid, final || invalid,
                                                             m_state, reinterpret_cast<unsigned char *>(m_out.data()));
    const std::uint64_t badAt = m_inOffset + valid;
    if (r.unreadable > 0 && m_unreadable == 0)
        m_firstUnreadableByte = m_inOffset + std::uint64_t(r.firstUnreadable);
    m_unreadable += std::uint64_t(r.unreadable);
    m_inOffset += std::uint64_t(r.consumed);
    if (total > std::size_t(r.consumed))
        std::memmove(m_in.data(), m_in.data() + r.consumed, total - std::size_t(r.consumed));
    m_inCount = total - std::size_t(r.consumed);

    if (m_outFd >= 0 && !writeAll(m_out.data(), std::size_t(r.written)))
        return false;
    if (invalid) {
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
    const int status =
        readStandardInput(checks, [&](const unsigned char *data, std::size_t n, bool final, bool checked) {
            if (!pump.feed(data, n, final, checked)) {
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
    const QList<GuessCandidate> ranking = guessCode(QStringView(units.data(), qsizetype(d.written)));
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
    bool headChecked = true;
    std::unique_ptr<DecodingPump> pump;
    bool done = false;
    status = readStandardInput({}, [&](const unsigned char *data, std::size_t n, bool final, bool checked) {
        if (done)
            return true;
        if (!pump) {
            headChecked = headChecked && checked;
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
            checked = headChecked;
        }
        if (!pump->feed(data, n, final, checked)) {
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
