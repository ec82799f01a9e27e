// velmora-encode: the codes of VelmoraWin III on the command line.
#include "decode.h"
#include "engine/codes.h"
#include "input.h"
#include "options.h"
#include "stream.h"
#include "utf8.h"
#include "velmora_config.h"
#include "wav.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace velmora;
using namespace velmora::cli;

namespace {

std::string utf8(const QString &s)
{
    return s.toUtf8().toStdString();
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

int printHelp()
{
    std::printf("Usage: velmora-encode CODE [MESSAGE...]\n"
                "       velmora-encode --decode CODE [--strict] [MESSAGE...]\n"
                "       velmora-encode --guess [--all] [MESSAGE...]\n"
                "       velmora-encode --list | --help | --version\n"
                "\n"
                "Codes MESSAGE (the arguments joined by single blanks) and prints the coded\n"
                "text followed by a newline. Without MESSAGE, or with MESSAGE \"-\", codes\n"
                "standard input and writes exactly the coded text: line breaks pass through\n"
                "byte for byte, nothing is added. \"--\" ends the options: what follows is\n"
                "MESSAGE even if it starts with \"-\". The text must be UTF-8; input of any size\n"
                "is coded in blocks. When the input is not valid UTF-8, the exit status is 1\n"
                "and nothing is written if the bad byte lies in a file, or in the first 16 MiB\n"
                "(16777216 bytes) of piped input and not in a character that those 16 MiB\n"
                "leave unfinished; otherwise the text before it may already be written.\n"
                "\n"
                "  -d, --decode CODE  read coded text back (same input rules). A token that is\n"
                "                     no letter of the code is kept as it stands; a warning\n"
                "                     on standard error gives their count and the byte offset\n"
                "                     of the first (exit status 0).\n"
                "      --strict       with --decode: unreadable tokens give exit status 1 and\n"
                "                     nothing is written (piped input: within its first 16 MiB).\n"
                "      --guess        print the name of the most likely code on a line of its\n"
                "                     own, then what --decode with that code prints.\n"
                "      --all          with --guess: print every code, best first, with its\n"
                "                     score (higher reads more like French or English).\n"
                "\n"
                "Codes (by name, or for the AlphaNum codes also by their list text, e.g. \"'Détroit'\"):\n"
                "%s"
                "\n"
                "Exit status: 0 done; 1 input not UTF-8, an input/output error, no code read\n"
                "(--guess) or unreadable tokens (--strict); 2 bad usage.\n",
                codeList().c_str());
    std::fputs(cli::wavHelpText(), stdout);
    return finishStandardOutput() ? 0 : 1;
}

int printList()
{
    const QString example = QStringLiteral("Hello World.");
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        const QString line = codeName(id).leftJustified(12) + codeDisplayName(id).leftJustified(16) + example +
                             QStringLiteral(" -> ") + encoder(id).encode(example);
        std::printf("%s\n", utf8(line).c_str());
    }
    return finishStandardOutput() ? 0 : 1;
}

int runEncode(const Options &options)
{
    const Encoder &enc = encoder(*options.code);
    CodingPump pump(enc, STDOUT_FILENO);
    if (!options.messageFromStdin()) {
        std::string message;
        for (std::size_t i = 0; i < options.message.size(); ++i) {
            if (i > 0)
                message += ' ';
            message += options.message[i];
        }
        const auto *bytes = reinterpret_cast<const unsigned char *>(message.data());
        const std::size_t valid = validUtf8Prefix(bytes, message.size());
        if (valid != message.size()) {
            printError("the message is not valid UTF-8 (bad byte at offset " + std::to_string(valid) + ")");
            return 1;
        }
        message += '\n'; // no code changes a line break
        if (!pump.feed(reinterpret_cast<const unsigned char *>(message.data()), message.size(), true)) {
            printError(pump.error());
            return 1;
        }
        return 0;
    }
    return readStandardInput({}, [&](const unsigned char *data, std::size_t n, bool final, bool) {
        if (!pump.feed(data, n, final)) {
            printError(pump.error());
            return false;
        }
        return true;
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (const std::optional<int> status = cli::runWavCommand(argc, argv))
        return *status;
    const ParsedArguments parsed = parseArguments(argc, argv);
    if (!parsed.error.empty()) {
        printError(parsed.error);
        if (parsed.listCodes)
            std::fputs(codeList().c_str(), stderr);
        return 2;
    }
    const Options &options = parsed.options;
    switch (options.mode) {
    case Options::Mode::Help:
        return printHelp();
    case Options::Mode::Version:
        std::printf("velmora-encode %s\n", VELMORA_VERSION);
        return finishStandardOutput() ? 0 : 1;
    case Options::Mode::List:
        return printList();
    case Options::Mode::Decode:
        return runDecode(options);
    case Options::Mode::Guess:
        return runGuess(options);
    case Options::Mode::Encode:
        break;
    }
    return runEncode(options);
}
