#include "wav.h"

#include "engine/codes.h"
#include "sound/morsesound.h"
#include "sound/wavwriter.h"
#include "stream.h"
#include "utf8.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::cli {
namespace {

using sound::SoundSettings;

// A message read from standard input for a sound is held whole (the length
// of the sound must be known before its first sample). Any message that can
// still be heard within a WAV file is far smaller.
constexpr std::size_t kMaxMessageBytes = 64 * 1024 * 1024;

void printErr(const std::string &s)
{
    std::fputs(("velmora-encode: " + s + "\n").c_str(), stderr);
}

std::string utf8(const QString &s)
{
    return s.toUtf8().toStdString();
}

struct Request {
    std::optional<CodeId> code;
    std::string codeArgument;
    std::string file;
    bool fileGiven = false;
    std::vector<std::string> words;
    bool hasWords = false;
    SoundSettings settings;
};

bool isSoundOption(const std::string &arg)
{
    for (const char *name : {"--wav", "--wpm", "--farnsworth", "--tone"}) {
        const std::size_t n = std::strlen(name);
        if (arg.compare(0, n, name) == 0 && (arg.size() == n || arg[n] == '='))
            return true;
    }
    return false;
}

std::optional<CodeId> codeFromArgument(const std::string &arg)
{
    if (arg == "polybius")
        return CodeId::Polybe;
    for (int i = 0; i < kCodeCount; ++i) {
        const CodeId id = CodeId(i);
        if (arg == utf8(codeName(id)) || (i >= int(CodeId::Detroit) && arg == utf8(codeDisplayName(id))))
            return id;
    }
    return std::nullopt;
}

bool parseNumber(const std::string &text, int &out)
{
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

// Parses the arguments; on a usage error prints it and returns false.
bool parse(int argc, char **argv, Request &r)
{
    bool afterDashes = false;
    bool farnsworthGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!afterDashes && arg == "--") {
            afterDashes = true;
            continue;
        }
        if (!afterDashes && isSoundOption(arg)) {
            const std::size_t eq = arg.find('=');
            const std::string name = arg.substr(0, eq);
            std::string value;
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                printErr(name == "--wav" ? std::string("--wav needs a file name, or - for standard output")
                                         : name + " needs a number (try --help)");
                return false;
            }
            if (name == "--wav") {
                if (value.empty()) {
                    printErr("--wav needs a file name, or - for standard output");
                    return false;
                }
                r.file = value;
                r.fileGiven = true;
                continue;
            }
            int n = 0;
            if (!parseNumber(value, n)) {
                printErr(name + " needs a whole number, not '" + value + "'");
                return false;
            }
            if (name == "--wpm")
                r.settings.wpm = n;
            else if (name == "--tone")
                r.settings.toneHz = n;
            else {
                r.settings.farnsworthWpm = n;
                farnsworthGiven = true;
            }
            continue;
        }
        if (!afterDashes && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            printErr("unknown option '" + arg + "' (try --help)");
            return false;
        }
        if (r.codeArgument.empty() && !r.code) {
            r.codeArgument = arg;
            r.code = codeFromArgument(arg);
            if (!r.code) {
                printErr("unknown code '" + arg + "' (try --list)");
                return false;
            }
            continue;
        }
        r.words.push_back(arg);
        r.hasWords = true;
    }
    if (!r.code) {
        printErr("missing CODE: --wav works with morse and morse2");
        return false;
    }
    if (!sound::morseAlphabet(*r.code)) {
        printErr("--wav, --wpm, --farnsworth and --tone work with morse and morse2 only, not " + r.codeArgument);
        return false;
    }
    if (!r.fileGiven) {
        printErr("--wpm, --farnsworth and --tone need --wav FILE");
        return false;
    }
    if (farnsworthGiven && r.settings.farnsworthWpm == 0) {
        printErr("--farnsworth needs a speed from 5 to the --wpm speed");
        return false;
    }
    const QString bad = sound::settingsError(r.settings);
    if (!bad.isEmpty()) {
        printErr(utf8(bad));
        return false;
    }
    return true;
}

bool readMessage(const Request &r, std::string &message)
{
    if (r.hasWords) {
        for (std::size_t i = 0; i < r.words.size(); ++i)
            message += (i ? " " : "") + r.words[i];
    } else {
        char block[64 * 1024];
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, block, sizeof block);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                printErr(std::string("cannot read the input: ") + std::strerror(errno));
                return false;
            }
            if (n == 0)
                break;
            message.append(block, std::size_t(n));
            if (message.size() > kMaxMessageBytes) {
                printErr("the message is too long to be heard (over 64 MiB)");
                return false;
            }
        }
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(message.data());
    const std::size_t valid = validUtf8Prefix(bytes, message.size());
    if (valid != message.size()) {
        printErr(invalidUtf8Message(valid));
        return false;
    }
    return true;
}

// The temporary file beside the destination, removed if the command is
// interrupted before the rename.
char g_tempPath[4096];

void removeTempAndExit(int sig)
{
    if (g_tempPath[0])
        ::unlink(g_tempPath);
    ::_exit(128 + sig);
}

class Output
{
public:
    explicit Output(std::string file)
        : m_file(std::move(file))
    {
    }
    ~Output() { abandon(); }

    const std::string &shownName() const { return m_shown; }

    bool open()
    {
        if (m_file == "-") {
            m_shown = "standard output";
            m_fd = STDOUT_FILENO;
            return true;
        }
        m_shown = "'" + m_file + "'";
        struct stat st {
        };
        const bool exists = ::stat(m_file.c_str(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode)) {
            m_error = std::strerror(EISDIR);
            return false;
        }
        if (exists && !S_ISREG(st.st_mode)) {
            // A device or a pipe is written directly: it cannot be replaced.
            m_fd = ::open(m_file.c_str(), O_WRONLY | O_CLOEXEC);
            if (m_fd < 0) {
                m_error = std::strerror(errno);
                return false;
            }
            m_ownFd = true;
            return true;
        }
        // A file is written beside its final name, then renamed over it, so
        // that name never shows a half-written file. A symbolic link stays a
        // link: the file it points to is the one replaced.
        m_target = m_file;
        if (exists) {
            if (char *real = ::realpath(m_file.c_str(), nullptr)) {
                m_target = real;
                std::free(real);
            }
        }
        m_temp = m_target + ".XXXXXX";
        if (m_temp.size() >= sizeof g_tempPath) {
            m_error = std::strerror(ENAMETOOLONG);
            return false;
        }
        m_fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
        if (m_fd < 0) {
            m_error = std::strerror(errno);
            m_temp.clear();
            return false;
        }
        m_ownFd = true;
        std::memcpy(g_tempPath, m_temp.c_str(), m_temp.size() + 1);
        std::signal(SIGINT, removeTempAndExit);
        std::signal(SIGTERM, removeTempAndExit);
        std::signal(SIGHUP, removeTempAndExit);
        mode_t mode;
        if (exists) {
            mode = st.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(m_fd, mode);
        return true;
    }

    bool write(const char *data, qint64 size)
    {
        while (size > 0) {
            const ssize_t w = ::write(m_fd, data, std::size_t(size));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0) {
                m_error = std::strerror(errno);
                return false;
            }
            data += w;
            size -= w;
        }
        return true;
    }

    bool finish()
    {
        if (m_temp.empty()) {
            if (m_ownFd) {
                const int fd = m_fd;
                m_fd = -1;
                if (::close(fd) != 0) {
                    m_error = std::strerror(errno);
                    return false;
                }
            }
            return true;
        }
        if (::fsync(m_fd) != 0 || ::close(std::exchange(m_fd, -1)) != 0) {
            m_error = std::strerror(errno);
            return false;
        }
        if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
            m_error = std::strerror(errno);
            return false;
        }
        m_temp.clear();
        g_tempPath[0] = '\0';
        return true;
    }

    const std::string &error() const { return m_error; }

private:
    void abandon()
    {
        if (m_ownFd && m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        if (!m_temp.empty())
            ::unlink(m_temp.c_str());
        m_temp.clear();
        g_tempPath[0] = '\0';
    }

    std::string m_file;
    std::string m_target; // m_file, or the file its link points to
    std::string m_shown;
    std::string m_temp;
    std::string m_error;
    int m_fd = -1;
    bool m_ownFd = false;
};

} // namespace

std::optional<int> runWavCommand(int argc, char **argv)
{
    bool asked = false;
    for (int i = 1; i < argc && !asked; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (i == 1 && (arg == "--help" || arg == "-h" || arg == "--version" || arg == "--list"))
            return std::nullopt;
        asked = isSoundOption(arg);
    }
    if (!asked)
        return std::nullopt;

    Request r;
    if (!parse(argc, argv, r))
        return 2;
    if (r.file == "-" && ::isatty(STDOUT_FILENO)) {
        printErr("will not write sound to a terminal; redirect standard output or give a file");
        return 2;
    }
    std::string message;
    if (!readMessage(r, message))
        return 1;
    const QString coded = encoder(*r.code).encode(QString::fromUtf8(message.data(), qsizetype(message.size())));
    std::string().swap(message);
    sound::MorseSound morse(coded, *sound::morseAlphabet(*r.code), r.settings);

    const QString tooLong = sound::wavSizeError(morse.sampleCount(), morse.sampleRate());
    if (!tooLong.isEmpty()) {
        printErr("nothing written to " + (r.file == "-" ? std::string("standard output") : "'" + r.file + "'") + ": " +
                 utf8(tooLong));
        return 1;
    }

    // A closed pipe or a file size limit must give a message, not end the
    // program silently.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    Output out(r.file);
    if (!out.open()) {
        printErr("cannot write " + out.shownName() + ": " + out.error());
        return 1;
    }
    const bool written =
        sound::writeWav(morse, [&](const char *data, qint64 size) { return out.write(data, size); }) && out.finish();
    if (!written) {
        printErr("cannot write " + out.shownName() + ": " + out.error());
        return 1;
    }
    return 0;
}

const char *wavHelpText()
{
    return "\n"
           "Sound (morse and morse2):\n"
           "  velmora-encode morse|morse2 --wav FILE [--wpm N] [--farnsworth N] [--tone HZ] [MESSAGE...]\n"
           "Codes the message as usual and writes the sound of the coded text to FILE as a\n"
           "WAV file (16-bit mono PCM, 44.1 kHz) instead of the text; FILE - is standard\n"
           "output. A file is written beside FILE and renamed at the end, so FILE never\n"
           "holds half a sound. A sound longer than a WAV file holds (about 13.5 hours)\n"
           "is refused before anything is written.\n"
           "  --wpm N         speed, 5 to 60 words per minute (default 20)\n"
           "  --farnsworth N  overall speed, 5 to the --wpm speed: letters keep the --wpm\n"
           "                  speed, the gaps between letters and words stretch\n"
           "  --tone HZ       pitch, 300 to 1200 Hz (default 700)\n"
           "Exit status 1 also when FILE cannot be written or the sound is too long.\n";
}

} // namespace velmora::cli
