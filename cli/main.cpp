// velmora-encode: the codes of VelmoraWin III on the command line.
#include "engine/codes.h"
#include "stream.h"
#include "utf8.h"
#include "wav.h"
#include "velmora_config.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace velmora;

namespace {

constexpr std::size_t kBlock = 256 * 1024;
// Piped input up to this size is checked whole before anything is written.
constexpr std::size_t kHoldLimit = 16 * 1024 * 1024;

void printErr(const std::string &s) { std::fputs(("velmora-encode: " + s + "\n").c_str(), stderr); }

std::string utf8(const QString &s) { return s.toUtf8().toStdString(); }

std::optional<CodeId> codeFromArgument(const std::string &arg)
{
    if (arg == "polybius")
        return CodeId::Polybe;
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        if (arg == utf8(codeName(id)))
            return id;
        if (i >= int(CodeId::Detroit) && arg == utf8(codeDisplayName(id)))
            return id; // the AlphaNum item texts, as the program's list shows them
    }
    return std::nullopt;
}

std::string codeList()
{
    std::string s;
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        std::string line = "  " + utf8(codeName(id));
        if (id == CodeId::Polybe)
            line += " (or polybius)";
        line.resize(std::max<std::size_t>(line.size() + 1, 26), ' ');
        s += line + utf8(codeDisplayName(id)) + "\n";
    }
    return s;
}

void printHelp()
{
    std::printf(
        "Usage: velmora-encode CODE [MESSAGE...]\n"
        "       velmora-encode --list | --help | --version\n"
        "\n"
        "Codes MESSAGE (the arguments joined by single blanks) and prints the coded\n"
        "text followed by a newline. Without MESSAGE, codes standard input and writes\n"
        "exactly the coded text: line breaks pass through byte for byte, nothing is added.\n"
        "The text must be UTF-8. Input of any size is coded in blocks. When the input\n"
        "is not valid UTF-8 nothing is written and the exit status is 1 (for piped\n"
        "input larger than 16 MiB, the part before the bad byte may already be written).\n"
        "\n"
        "Codes (by name, or for the AlphaNum codes also by their list text, e.g. \"'Détroit'\"):\n"
        "%s"
        "\n"
        "Exit status: 0 coded; 1 input not UTF-8 or an input/output error; 2 bad usage.\n",
        codeList().c_str());
    std::fputs(cli::wavHelpText(), stdout);
}

void printList()
{
    const QString example = QStringLiteral("Hello World.");
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        const QString line = codeName(id).leftJustified(12) + codeDisplayName(id).leftJustified(16) +
                             example + QStringLiteral(" -> ") + encoder(id).encode(example);
        std::printf("%s\n", utf8(line).c_str());
    }
}

bool readBlock(int fd, std::vector<unsigned char> &buffer, std::size_t &got, bool &eof)
{
    got = 0;
    eof = false;
    while (got < buffer.size()) {
        const ssize_t r = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            printErr(std::string("cannot read the input: ") + std::strerror(errno));
            return false;
        }
        if (r == 0) {
            eof = true;
            break;
        }
        got += std::size_t(r);
    }
    return true;
}

// A regular file is checked whole first, then coded: nothing is written for
// input that is not UTF-8.
int codeSeekableInput(const Encoder &encoder, off_t start)
{
    // A sequence is at most four bytes: a shorter rest after the valid prefix
    // may be one that the next block completes.
    std::vector<unsigned char> buffer(kBlock + 4);
    std::vector<unsigned char> block(kBlock);
    std::uint64_t offset = 0;
    std::size_t carry = 0;
    for (;;) {
        std::size_t got;
        bool eof;
        if (!readBlock(STDIN_FILENO, block, got, eof))
            return 1;
        std::memcpy(buffer.data() + carry, block.data(), got);
        const std::size_t have = carry + got;
        const std::size_t valid = cli::validUtf8Prefix(buffer.data(), have);
        const std::size_t rest = have - valid;
        if (rest > 0 && (eof || rest >= 4)) {
            printErr(cli::invalidUtf8Message(offset + valid));
            return 1;
        }
        if (eof)
            break;
        std::memmove(buffer.data(), buffer.data() + valid, rest);
        carry = rest;
        offset += valid;
    }
    if (::lseek(STDIN_FILENO, start, SEEK_SET) < 0) {
        printErr(std::string("cannot read the input again: ") + std::strerror(errno));
        return 1;
    }
    cli::CodingPump pump(encoder, STDOUT_FILENO);
    for (;;) {
        std::size_t got;
        bool eof;
        if (!readBlock(STDIN_FILENO, block, got, eof))
            return 1;
        if (!pump.feed(block.data(), got, eof)) {
            printErr(pump.error());
            return 1;
        }
        if (eof)
            return 0;
    }
}

// Piped input: held (up to kHoldLimit) and checked before the first write,
// then coded block by block.
int codeStreamedInput(const Encoder &encoder)
{
    std::vector<unsigned char> held;
    std::vector<unsigned char> block(kBlock);
    bool eof = false;
    while (!eof && held.size() < kHoldLimit) {
        std::size_t got;
        if (!readBlock(STDIN_FILENO, block, got, eof))
            return 1;
        held.insert(held.end(), block.begin(), block.begin() + std::ptrdiff_t(got));
    }
    const std::size_t valid = cli::validUtf8Prefix(held.data(), held.size());
    if (valid < held.size() && (eof || held.size() - valid >= 4)) {
        printErr(cli::invalidUtf8Message(valid));
        return 1;
    }
    cli::CodingPump pump(encoder, STDOUT_FILENO);
    for (std::size_t at = 0; at < held.size(); at += kBlock) {
        const std::size_t n = std::min(kBlock, held.size() - at);
        if (!pump.feed(held.data() + at, n, eof && at + n == held.size())) {
            printErr(pump.error());
            return 1;
        }
    }
    if (held.empty() && eof)
        return pump.feed(nullptr, 0, true) ? 0 : 1;
    std::vector<unsigned char>().swap(held);
    while (!eof) {
        std::size_t got;
        if (!readBlock(STDIN_FILENO, block, got, eof))
            return 1;
        if (!pump.feed(block.data(), got, eof)) {
            printErr(pump.error());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> status = cli::runWavCommand(argc, argv))
        return *status;
    if (argc < 2) {
        printErr("missing CODE (try --help)");
        std::fputs(codeList().c_str(), stderr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("velmora-encode %s\n", VELMORA_VERSION);
        return 0;
    }
    if (first == "--list") {
        printList();
        return 0;
    }
    const std::optional<CodeId> code = codeFromArgument(first);
    if (!code) {
        printErr("unknown code '" + first + "'; the codes are:");
        std::fputs(codeList().c_str(), stderr);
        return 2;
    }
    const Encoder &enc = encoder(*code);

    if (argc > 2) {
        std::string message;
        for (int i = 2; i < argc; ++i) {
            if (i > 2)
                message += ' ';
            message += argv[i];
        }
        const auto *bytes = reinterpret_cast<const unsigned char *>(message.data());
        if (cli::validUtf8Prefix(bytes, message.size()) != message.size()) {
            printErr("the message is not valid UTF-8 (bad byte at offset " +
                     std::to_string(cli::validUtf8Prefix(bytes, message.size())) + ")");
            return 1;
        }
        message += '\n'; // no code changes a line break
        cli::CodingPump pump(enc, STDOUT_FILENO);
        if (!pump.feed(reinterpret_cast<const unsigned char *>(message.data()), message.size(), true)) {
            printErr(pump.error());
            return 1;
        }
        return 0;
    }

    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode)) {
        const off_t start = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
        if (start >= 0)
            return codeSeekableInput(enc, start);
    }
    return codeStreamedInput(enc);
}
