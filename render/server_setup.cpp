#include "server_setup.h"

#include "pages.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace velmora::render {

namespace {

constexpr const char *kPolicy = "default-src 'none'; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; "
                                "form-action 'none'; frame-ancestors 'none'";

// Sent with every answer.
const std::pair<const char *, const char *> kHeaders[] = {
    {"Content-Type", "text/html; charset=utf-8"},
    {"Content-Security-Policy", kPolicy},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"Cache-Control", "no-store"},
    // Ranges are ignored (a Range header, good or bad, gets the whole page):
    // a page is small, and many ranges of one page would multiply the answer.
    {"Accept-Ranges", "none"},
};

void setPage(HttpResponse &res, int status, std::string html)
{
    res.status = status;
    res.body = std::move(html);
    res.headers.reserve(std::size(kHeaders) + 1);
    for (const auto &[name, value] : kHeaders)
        res.headers.emplace_back(name, value);
}

// Whether the request has one Host naming the very address and port it
// reached. A page of another site that makes a browser resolve its own name to
// 127.0.0.1 (DNS rebinding) sends that name instead, and is refused.
bool isOwnHost(const HttpRequest &req)
{
    if (req.hosts.size() != 1)
        return false;
    const bool v6 = req.localAddress.find(':') != std::string::npos;
    const std::string own =
        (v6 ? "[" + req.localAddress + "]" : req.localAddress) + ":" + std::to_string(req.localPort);
    // An absolute-form target names the host itself, and wins.
    return (req.authority.empty() ? req.hosts.front() : req.authority) == own;
}

} // namespace

void setUpServer(HttpServer &server, const ServerSettings &settings)
{
    ServerLimits limits;
    limits.connections = settings.connections == 0 ? 1 : settings.connections;
    limits.perClient = settings.perClient == 0 ? 1 : settings.perClient;
    limits.idleSeconds = settings.idleSeconds == 0 ? 1 : settings.idleSeconds;
    limits.busyIdleSeconds = std::min(limits.idleSeconds, 2u);
    server.setLimits(limits);

    server.setErrorPage([](HttpResponse &res) { setPage(res, res.status, errorPage(res.status)); });

    const bool requireOwnHost = settings.requireOwnHost;
    server.setHandler([requireOwnHost](const HttpRequest &req, HttpResponse &res) {
        if (requireOwnHost) {
            if (!isOwnHost(req)) {
                setPage(res, 421, errorPage(421));
                return;
            }
        } else if (req.hosts.size() > 1 || (req.hosts.empty() && req.version != "HTTP/1.0")) {
            // Which host is meant cannot be told.
            setPage(res, 400, errorPage(400));
            return;
        }
        const std::string_view target = req.target;
        const std::size_t question = target.find('?');
        const std::string_view path = target.substr(0, question);
        const std::string_view query =
            question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
        PageResponse page = renderPage(req.method, path, query);
        setPage(res, page.status, std::move(page.html));
        if (!page.allow.empty())
            res.headers.emplace_back("Allow", page.allow);
    });

    if (settings.accessLog) {
        server.setLogger([log = settings.accessLog](const HttpExchange &e) { log(accessLogLine(e)); });
    }
}

std::string accessLogLine(const HttpExchange &e)
{
    static constexpr char hex[] = "0123456789abcdef";
    auto appendClean = [](std::string &out, std::string_view text) {
        if (text.empty())
            text = "-";
        for (const char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch;
            }
        }
    };

    // The time, to the second: written out once a second per thread, not
    // once a line.
    thread_local std::time_t shownSecond = -1;
    thread_local char when[32] = "-";
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    if (now != shownSecond) {
        std::tm utc{};
        if (gmtime_r(&now, &utc) && std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc) > 0)
            shownSecond = now;
        else
            std::strcpy(when, "-");
    }

    std::string line = when;
    line += ' ';
    appendClean(line, e.peer);
    line += " \"";
    appendClean(line, e.method);
    line += ' ';
    const std::string_view target = e.target;
    const std::size_t question = target.find('?');
    appendClean(line, target.substr(0, std::min<std::size_t>(question, 200)));
    if (question != std::string_view::npos)
        line += "?...";
    else if (target.size() > 200)
        line += "...";
    line += ' ';
    // Only a version this server speaks: anything else is the client's text.
    line += e.version == "HTTP/1.1" || e.version == "HTTP/1.0" ? e.version : "-";
    line += "\" ";
    line += e.status > 0 ? std::to_string(e.status) : "-";
    line += ' ';
    line += std::to_string(e.bytes);
    line += '\n';
    return line;
}

} // namespace velmora::render
