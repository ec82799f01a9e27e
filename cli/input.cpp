#include "input.h"

#include "stream.h"
#include "utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::cli {
namespace {

bool readBlock(int fd, std::vector<unsigned char> &buffer, std::size_t want, std::size_t &got, bool &eof)
{
    got = 0;
    eof = false;
    while (got < want) {
        const ssize_t r = ::read(fd, buffer.data() + got, want - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            printError(std::string("cannot read the input: ") + std::strerror(errno));
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

} // namespace

void printError(const std::string &message)
{
    std::fputs(("velmora-encode: " + message + "\n").c_str(), stderr);
}

int readRegularFile(int fd, off_t start, const InputChecks &checks, const BlockSink &sink)
{
    // A sequence is at most four bytes: a shorter rest after the valid prefix
    // may be one that the next block completes.
    std::vector<unsigned char> buffer(kBlock + 4);
    std::vector<unsigned char> block(kBlock);
    std::uint64_t checked = 0;
    std::size_t carry = 0;
    for (;;) {
        std::size_t got;
        bool eof;
        if (!readBlock(fd, block, kBlock, got, eof))
            return 1;
        std::memcpy(buffer.data() + carry, block.data(), got);
        const std::size_t have = carry + got;
        const std::size_t valid = validUtf8Prefix(buffer.data(), have);
        const std::size_t rest = have - valid;
        if (rest > 0 && (eof || rest >= 4)) {
            printError(invalidUtf8Message(checked + valid));
            return 1;
        }
        if (checks.check && !checks.check(buffer.data(), valid, eof))
            return 1;
        checked += valid;
        if (eof)
            break;
        std::memmove(buffer.data(), buffer.data() + valid, rest);
        carry = rest;
    }
    if (::lseek(fd, start, SEEK_SET) < 0) {
        printError(std::string("cannot read the input again: ") + std::strerror(errno));
        return 1;
    }
    // Only the bytes checked: what the file gained since is left alone.
    std::uint64_t left = checked;
    for (;;) {
        std::size_t got;
        bool eof;
        if (!readBlock(fd, block, std::size_t(std::min<std::uint64_t>(kBlock, left)), got, eof))
            return 1;
        left -= got;
        const bool last = eof || left == 0;
        if (!sink(block.data(), got, last, true))
            return 1;
        if (last)
            return 0;
    }
}

int readStream(int fd, const InputChecks &checks, const BlockSink &sink)
{
    std::vector<unsigned char> held;
    std::vector<unsigned char> block(kBlock);
    bool eof = false;
    while (!eof && held.size() < kHoldLimit) {
        std::size_t got;
        if (!readBlock(fd, block, kBlock, got, eof))
            return 1;
        held.insert(held.end(), block.begin(), block.begin() + std::ptrdiff_t(got));
    }
    const std::size_t valid = validUtf8Prefix(held.data(), held.size());
    if (valid < held.size() && (eof || held.size() - valid >= 4)) {
        printError(invalidUtf8Message(valid));
        return 1;
    }
    if (checks.check && !checks.check(held.data(), valid, eof))
        return 1;
    for (std::size_t at = 0; at < held.size(); at += kBlock) {
        const std::size_t n = std::min(kBlock, held.size() - at);
        if (!sink(held.data() + at, n, eof && at + n == held.size(), true))
            return 1;
    }
    if (held.empty() && eof)
        return sink(nullptr, 0, true, true) ? 0 : 1;
    std::vector<unsigned char>().swap(held);
    while (!eof) {
        std::size_t got;
        if (!readBlock(fd, block, kBlock, got, eof))
            return 1;
        if (!sink(block.data(), got, eof, false))
            return 1;
    }
    return 0;
}

int readStandardInput(const InputChecks &checks, const BlockSink &sink)
{
    struct stat in {
    };
    struct stat out {
    };
    const bool inOk = ::fstat(STDIN_FILENO, &in) == 0;
    if (inOk && ::fstat(STDOUT_FILENO, &out) == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
        in.st_ino == out.st_ino) {
        // Reading what it writes, the command would never end.
        printError("the input is the output file; give the output another file");
        return 1;
    }
    if (inOk && S_ISREG(in.st_mode)) {
        const off_t start = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
        if (start >= 0)
            return readRegularFile(STDIN_FILENO, start, checks, sink);
    }
    return readStream(STDIN_FILENO, checks, sink);
}

bool finishStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        printError(std::string("cannot write the output: ") + std::strerror(errno ? errno : EIO));
        return false;
    }
    return true;
}

} // namespace velmora::cli
