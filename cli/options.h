// The command line of velmora-encode, parsed in one place.
#pragma once

#include "engine/codes.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

struct Options {
    enum class Mode { Encode, Decode, Guess, List, Help, Version };
    Mode mode = Mode::Encode;
    std::optional<CodeId> code;       // to code with, or to decode with
    bool strict = false;              // --strict: unreadable tokens fail the decoding
    bool all = false;                 // --guess --all: every candidate with its score
    std::vector<std::string> message; // the MESSAGE words; empty: standard input
    bool messageFromStdin() const { return message.empty() || (message.size() == 1 && message[0] == "-"); }
};

struct ParsedArguments {
    Options options;
    std::string error;      // bad usage when not empty (exit status 2)
    bool listCodes = false; // the error is about the code: list the codes after it
};

// Options may stand anywhere before "--"; after it every argument is text.
// An argument is taken for an option only if it starts with "--" and a
// letter, or is "-" and one letter: coded text such as "-·-/" is a message.
// A lone "-" as the message means standard input.
ParsedArguments parseArguments(int argc, const char *const *argv);

// A code by its plain name, "polybius", or an AlphaNum list text.
std::optional<CodeId> codeFromArgument(const std::string &arg);

} // namespace velmora::cli
