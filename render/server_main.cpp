// velmora-render-server: the pages of the picture codes, the site and the
// version page, served over HTTP for anyone who hosts them.
#include "log_writer.h"
#include "server_setup.h"
#include "velmora_config.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <pthread.h>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr const char *kName = "velmora-render-server";

const char *const kHelp = "Usage: %s [--listen ADDR:PORT] [--connections N] [--per-client N]\n"
                          "       %s --help | --version\n"
                          "\n"
                          "Serves the pages of VelmoraWin III over HTTP: the Gato, Code des Mers and\n"
                          "Semaphore drawings, the home and contact pages and the version page.\n"
                          "\n"
                          "  --listen ADDR:PORT  address and port to listen on (default 127.0.0.1:8080).\n"
                          "                      ADDR is an IPv4 address, an IPv6 address in brackets\n"
                          "                      ([::1]:8080) or a host name (0 is every IPv4 address);\n"
                          "                      PORT 0 picks a free port. Listening on anything but a\n"
                          "                      loopback address exposes the service to the network.\n"
                          "  --connections N     connections open at once, 1 to 65536 (default 1024);\n"
                          "                      one more is answered 503 at once and closed.\n"
                          "  --per-client N      connections open at once from one client address,\n"
                          "                      1 to 65536 (default 64); one more gets 503 too.\n"
                          "  --help              this text.\n"
                          "  --version           the version.\n"
                          "\n"
                          "Writes \"listening on http://ADDR:PORT/\" once ready (the address actually\n"
                          "bound), then one access-log line per request on standard error (the query,\n"
                          "which holds the message, is left out). Stops cleanly on SIGINT or SIGTERM.\n"
                          "\n"
                          "Exit status: 0 stopped by a signal; 1 cannot listen, or cannot write the\n"
                          "help or version; 2 bad usage.\n";

void complain(const std::string &what)
{
    std::fprintf(stderr, "%s: %s\n", kName, what.c_str());
}

struct Listen {
    std::string host;
    int port = 0;
};

std::optional<Listen> parseListen(const std::string &text)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
        return std::nullopt;
    std::string host = text.substr(0, colon);
    const std::string port = text.substr(colon + 1);
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']')
            return std::nullopt;
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        return std::nullopt; // an IPv6 address needs its brackets
    }
    if (port.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const char c : port) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 65535)
        return std::nullopt;
    return Listen{host, value};
}

std::string displayAddress(const std::string &host, int port)
{
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

// Descriptors 0 to 2 closed at start-up are opened on /dev/null, so that no
// socket can take their numbers and receive what is meant for them. Returns
// whether standard output was closed.
bool reopenStandardDescriptors()
{
    bool outClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        outClosed = outClosed || fd == 1;
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) { // cannot happen: the lowest free number is FD
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
    return outClosed;
}

// Writes TEXT on standard output; 0, or 1 with a message when it cannot.
int printOut(const std::string &text, const char *what, bool outClosed)
{
    errno = 0;
    if (!outClosed && std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    complain(std::string("cannot write the ") + what + ": " +
             (outClosed ? "standard output is closed" : std::strerror(errno ? errno : EIO)));
    return 1;
}

bool parseCount(const std::string &value, std::size_t &count)
{
    char *end = nullptr;
    errno = 0;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || n < 1 || n > 65536)
        return false;
    count = static_cast<std::size_t>(n);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const bool outClosed = reopenStandardDescriptors();
    Listen listen{"127.0.0.1", 8080};
    std::size_t connections = 1024;
    std::size_t perClient = 64;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            char text[4096];
            std::snprintf(text, sizeof text, kHelp, kName, kName);
            return printOut(text, "help", outClosed);
        }
        if (arg == "--version")
            return printOut(std::string(kName) + " " + VELMORA_VERSION + "\n", "version", outClosed);
        std::string value;
        std::string option = arg;
        // --threads is the former name of --connections.
        const bool takesValue =
            arg == "--listen" || arg == "--connections" || arg == "--per-client" || arg == "--threads";
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            option = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if (takesValue && i + 1 < argc) {
            value = argv[++i];
        } else if (takesValue) {
            complain(arg + " needs a value (try --help)");
            return 2;
        }
        if (option == "--listen") {
            const std::optional<Listen> parsed = parseListen(value);
            if (!parsed) {
                complain("--listen expects ADDR:PORT, for example 127.0.0.1:8080 or [::1]:8080, not \"" + value + "\"");
                return 2;
            }
            listen = *parsed;
        } else if (option == "--connections" || option == "--threads" || option == "--per-client") {
            if (!parseCount(value, option == "--per-client" ? perClient : connections)) {
                complain(option + " expects a number from 1 to 65536, not \"" + value + "\"");
                return 2;
            }
        } else {
            complain("unknown argument \"" + arg + "\" (try --help)");
            return 2;
        }
    }

    // SIGINT and SIGTERM are waited for below; every thread, all started
    // after this, blocks them. A peer that hangs up mid-answer gives EPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // Each connection takes a file descriptor: allow them all, as far as the
    // system lets this process raise its own limit.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < connections + 64 &&
        files.rlim_cur < files.rlim_max) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, connections + 64);
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    velmora::render::LogWriter log(STDERR_FILENO, kName);
    velmora::render::HttpServer server;
    velmora::render::ServerSettings settings;
    settings.connections = connections;
    settings.perClient = std::min(perClient, connections);
    settings.accessLog = [&log](std::string line) { log.write(std::move(line)); };
    velmora::render::setUpServer(server, settings);
    std::string error;
    if (!server.bind(listen.host, listen.port, &error)) {
        complain("cannot listen on " + displayAddress(listen.host, listen.port) + " (" + error +
                 "; port in use, or not an address of this machine)");
        return 1;
    }
    if (!server.start()) {
        complain("the server could not start");
        return 1;
    }
    const std::string where = displayAddress(server.boundAddress(), server.boundPort());
    log.write(std::string(kName) + ": listening on http://" + where + "/\n");
    if (!server.boundToLoopback())
        log.write(std::string(kName) + ": warning: " + server.boundAddress() +
                  " is not a loopback address; the service is open to the network\n");

    int sig = 0;
    while (sigwait(&stopSignals, &sig) != 0) {
    }
    server.stop();
    log.write(std::string(kName) + ": stopped\n");
    return 0;
}
