#include "options.h"

namespace velmora::cli {
namespace {

std::string utf8(const QString &s)
{
    return s.toUtf8().toStdString();
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool looksLikeOption(const std::string &arg)
{
    if (arg.size() > 2 && arg[0] == '-' && arg[1] == '-')
        return isAsciiLetter(arg[2]);
    return arg.size() == 2 && arg[0] == '-' && isAsciiLetter(arg[1]);
}

} // namespace

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

ParsedArguments parseArguments(int argc, const char *const *argv)
{
    ParsedArguments result;
    Options &o = result.options;
    bool help = false, version = false, list = false, decode = false, guess = false;
    std::string decodeCode;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            if (!optionsEnded && arg == "--") {
                optionsEnded = true;
                continue;
            }
            positional.push_back(arg);
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "--decode" || arg == "-d") {
            if (i + 1 >= argc) {
                result.error = arg + " needs a CODE";
                result.listCodes = true;
                return result;
            }
            decode = true;
            decodeCode = argv[++i];
        } else if (arg.rfind("--decode=", 0) == 0) {
            decode = true;
            decodeCode = arg.substr(9);
        } else if (arg == "--strict") {
            o.strict = true;
        } else if (arg == "--guess") {
            guess = true;
        } else if (arg == "--all") {
            o.all = true;
        } else {
            result.error = "unknown option '" + arg + "' (try --help; put -- before a message that starts with -)";
            return result;
        }
    }
    // What only informs wins over the rest.
    if (help || version || list) {
        o.mode = help ? Options::Mode::Help : version ? Options::Mode::Version : Options::Mode::List;
        return result;
    }
    if (decode && guess) {
        result.error = "--decode and --guess do not go together";
        return result;
    }
    if (o.all && !guess) {
        result.error = "--all goes with --guess";
        return result;
    }
    if (o.strict && !decode) {
        result.error = "--strict goes with --decode";
        return result;
    }
    std::string codeArgument;
    if (decode) {
        o.mode = Options::Mode::Decode;
        codeArgument = decodeCode;
    } else if (guess) {
        o.mode = Options::Mode::Guess;
    } else {
        o.mode = Options::Mode::Encode;
        if (positional.empty()) {
            result.error = "missing CODE (try --help)";
            result.listCodes = true;
            return result;
        }
        codeArgument = positional.front();
        positional.erase(positional.begin());
    }
    if (o.mode != Options::Mode::Guess) {
        o.code = codeFromArgument(codeArgument);
        if (!o.code) {
            result.error = "unknown code '" + codeArgument + "'; the codes are:";
            result.listCodes = true;
            return result;
        }
    }
    o.message = std::move(positional);
    return result;
}

} // namespace velmora::cli
