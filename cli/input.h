// Reading the command's standard input: UTF-8 checked before anything is
// written where that is possible, then handed on in blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

namespace velmora::cli {

// Input bytes in blocks; `final` marks the last call; `checked` tells that
// these bytes were already found to be well-formed UTF-8 (a character may
// still be cut at the block's end). Returns false to stop (after printing
// its own message).
using BlockSink = std::function<bool(const unsigned char *data, std::size_t n, bool final, bool checked)>;
// What a command checks before it writes (the checked flag is always true).
using BlockCheck = std::function<bool(const unsigned char *data, std::size_t n, bool final)>;

inline constexpr std::size_t kBlock = 256 * 1024;
// Piped input up to this size is held and checked whole before anything is written.
inline constexpr std::size_t kHoldLimit = 16 * 1024 * 1024;

// What a command checks before it writes: the whole of a regular file, the
// held part of piped input (in one call). UTF-8 is always checked first.
struct InputChecks {
    BlockCheck check; // may be empty
};

void printError(const std::string &message);

// A regular file open at fd, read from `start`: checked whole (UTF-8, then
// checks.check), then exactly the checked bytes handed to sink, even if the
// file grows meanwhile. Returns the exit status.
int readRegularFile(int fd, off_t start, const InputChecks &checks, const BlockSink &sink);

// Any other input (a pipe, a terminal): up to kHoldLimit held and checked,
// then everything handed to sink as it comes.
int readStream(int fd, const InputChecks &checks, const BlockSink &sink);

// Standard input by one of the two roads above; refuses (exit 1) when it is
// the same file as standard output.
int readStandardInput(const InputChecks &checks, const BlockSink &sink);

// The end of the output: flushes stdio's standard output and tells whether
// everything was written (a message and false if not).
bool finishStandardOutput();

} // namespace velmora::cli
