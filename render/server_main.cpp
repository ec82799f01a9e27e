// velmora-render-server: the pages of the picture codes, the site and the
// version page, served over HTTP for anyone who hosts them.
#include "server_setup.h"
#include "velmora_config.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <pthread.h>
#include <sys/resource.h>
#include <string>
#include <thread>

namespace {

constexpr const char *kName = "velmora-render-server";

void printHelp()
{
    std::printf("Usage: %s [--listen ADDR:PORT] [--threads N]\n"
                "       %s --help | --version\n"
                "\n"
                "Serves the pages of VelmoraWin III over HTTP: the Gato, Code des Mers and\n"
                "Semaphore drawings, the home and contact pages and the version page.\n"
                "\n"
                "  --listen ADDR:PORT  address and port to listen on (default 127.0.0.1:8080).\n"
                "                      ADDR is an IPv4 address, an IPv6 address in brackets\n"
                "                      ([::1]:8080) or a host name; PORT 0 picks a free port.\n"
                "                      Listening on anything but a loopback address exposes\n"
                "                      the service to the network.\n"
                "  --threads N         connections served at once, each on a thread of its\n"
                "                      own, 1 to 4096 (default 1024); one more is answered\n"
                "                      503 at once and closed.\n"
                "  --help              this text.\n"
                "  --version           the version.\n"
                "\n"
                "Writes \"listening on http://ADDR:PORT/\" once ready, then one access-log line\n"
                "per request on standard error (the query, which holds the message, is left\n"
                "out). Stops cleanly on SIGINT or SIGTERM.\n"
                "\n"
                "Exit status: 0 stopped by a signal; 1 cannot listen; 2 bad usage.\n",
                kName, kName);
}

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

} // namespace

int main(int argc, char **argv)
{
    Listen listen{"127.0.0.1", 8080};
    std::size_t threads = 1024;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s %s\n", kName, VELMORA_VERSION);
            return 0;
        }
        std::string value;
        std::string option = arg;
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            option = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        } else if ((arg == "--listen" || arg == "--threads") && i + 1 < argc) {
            value = argv[++i];
        } else if (arg == "--listen" || arg == "--threads") {
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
        } else if (option == "--threads") {
            char *end = nullptr;
            const long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 1 || n > 4096) {
                complain("--threads expects a number from 1 to 4096, not \"" + value + "\"");
                return 2;
            }
            threads = static_cast<std::size_t>(n);
        } else {
            complain("unknown argument \"" + arg + "\" (try --help)");
            return 2;
        }
    }

    // SIGINT and SIGTERM are taken by one waiting thread; every other thread,
    // started after this, blocks them. A peer that hangs up mid-answer gives
    // EPIPE, not SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // Each connection takes a file descriptor: allow them all, as far as the
    // system lets this process raise its own limit.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < threads + 64 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, threads + 64);
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    velmora::render::HttpServer server;
    velmora::render::ServerSettings settings;
    settings.connections = threads;
    settings.accessLog = true;
    velmora::render::setUpServer(server, settings);
    const int port = velmora::render::bindServer(server, listen.host, listen.port);
    if (port <= 0) {
        complain("cannot listen on " + displayAddress(listen.host, listen.port) +
                 " (port in use, or not an address of this machine)");
        return 1;
    }
    std::atomic<bool> done{false};
    std::atomic<bool> signalled{false};
    std::thread waiter([&] {
        int sig = 0;
        sigwait(&stopSignals, &sig);
        if (!done)
            signalled = true;
        // stop() is lost if it comes before the accept loop runs: repeat it.
        while (!done) {
            server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });

    std::fprintf(stderr, "%s: listening on http://%s/\n", kName, displayAddress(listen.host, port).c_str());
    const bool clean = server.listen_after_bind();
    done = true;
    if (!signalled)
        pthread_kill(waiter.native_handle(), SIGTERM); // wake the waiter
    waiter.join();
    if (signalled) {
        std::fprintf(stderr, "%s: stopped\n", kName);
        return 0;
    }
    complain(clean ? "stopped" : "the server stopped on an error");
    return 1;
}
