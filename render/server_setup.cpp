#include "server_setup.h"

#include "pages.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/socket.h>

namespace velmora::render {

namespace {

constexpr const char *kHtml = "text/html; charset=utf-8";
constexpr const char *kPolicy = "default-src 'none'; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; "
                                "form-action 'none'; frame-ancestors 'none'";

// Sent with every answer.
const std::pair<const char *, const char *> kHeaders[] = {
    {"Content-Security-Policy", kPolicy},
    {"X-Content-Type-Options", "nosniff"},
    {"Referrer-Policy", "no-referrer"},
    {"Cache-Control", "no-store"},
    // Ranges are ignored: a page is small, and many ranges of one page would
    // multiply the answer.
    {"Accept-Ranges", "none"},
};

using httplib::Request;
using httplib::Response;
using Handled = httplib::Server::HandlerResponse;

void setPage(Response &res, int status, std::string html)
{
    res.status = status;
    res.body = std::move(html);
    res.headers.erase("Content-Type");
    res.set_header("Content-Type", kHtml);
}

// Whether the request announces a body. (Without Content-Length or
// Transfer-Encoding a request has none, but the library would wait for one
// until the connection closes.)
bool declaresBody(const Request &req)
{
    return req.has_header("Transfer-Encoding") ||
           (req.has_header("Content-Length") && req.get_header_value("Content-Length") != "0");
}

// The methods whose body the library reads before calling their handler.
bool bodyIsReadFor(const std::string &method)
{
    return method == "POST" || method == "PUT" || method == "PATCH" || method == "DELETE";
}

// Whether the request has one Host header naming the very address and port it
// reached. A page of another site that makes a browser resolve its own name to
// 127.0.0.1 (DNS rebinding) sends that name instead, and is refused.
bool isOwnHost(const Request &req)
{
    if (req.get_header_value_count("Host") != 1)
        return false;
    const bool v6 = req.local_addr.find(':') != std::string::npos;
    const std::string own =
        (v6 ? "[" + req.local_addr + "]" : req.local_addr) + ":" + std::to_string(req.local_port);
    return req.get_header_value("Host") == own;
}

// A GET or HEAD whose target holds a second "?": valid HTTP, but refused by
// the library before it reaches the pages. The client can encode it.
bool isUnencodedQuestionMark(const Request &req)
{
    if (req.method != "GET" && req.method != "HEAD")
        return false;
    const std::size_t first = req.target.find('?');
    return first != std::string::npos && req.target.find('?', first + 1) != std::string::npos;
}

// A well-formed request line whose method is neither GET nor HEAD.
bool isOtherMethod(const Request &req)
{
    if (req.method.empty() || req.method == "GET" || req.method == "HEAD")
        return false;
    if (req.version != "HTTP/1.1" && req.version != "HTTP/1.0")
        return false;
    for (const char c : req.method)
        if (!((c >= 'A' && c <= 'Z') || c == '-' || c == '_'))
            return false;
    return true;
}

// The answer to a connection beyond the limit, written without the library.
std::string busyAnswer()
{
    const std::string page = errorPage(503);
    std::string answer = "HTTP/1.1 503 Service Unavailable\r\n";
    for (const auto &[name, value] : kHeaders)
        answer += std::string(name) + ": " + value + "\r\n";
    answer += std::string("Content-Type: ") + kHtml + "\r\nContent-Length: " + std::to_string(page.size()) +
              "\r\nRetry-After: 1\r\nConnection: close\r\n\r\n" + page;
    return answer;
}

} // namespace

void setUpServer(HttpServer &server, const ServerSettings &settings)
{
    server.set_default_headers(httplib::Headers(std::begin(kHeaders), std::end(kHeaders)));
    // Headers and body go out in separate writes; without this the body
    // would wait for the peer's delayed acknowledgement.
    server.set_tcp_nodelay(true);
    server.set_keep_alive_max_count(100);
    server.set_keep_alive_timeout(settings.keepAliveSeconds);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    server.set_payload_max_length(64 * 1024);
    ConnectionLimits limits;
    limits.connections = settings.connections == 0 ? 1 : settings.connections;
    server.setConnectionLimits(limits);
    server.setBusyAnswer(busyAnswer());

    const bool requireOwnHost = settings.requireOwnHost;
    auto answer = [requireOwnHost](const Request &req, Response &res) {
        if (requireOwnHost && !isOwnHost(req)) {
            setPage(res, 421, errorPage(421));
            return;
        }
        // The raw target: the query must reach the page still encoded, so
        // that "+" stays a plus and bad sequences are seen.
        const std::string_view target = req.target;
        const std::size_t question = target.find('?');
        const std::string_view path = target.substr(0, question);
        const std::string_view query = question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
        PageResponse page = renderPage(req.method, path, query);
        if (!page.allow.empty())
            res.set_header("Allow", page.allow);
        setPage(res, page.status, std::move(page.html));
    };

    server.set_pre_routing_handler([answer](const Request &req, Response &res) {
        // The request object is the server's own, not a constant: dropping its
        // ranges here makes every answer the whole page.
        const_cast<Request &>(req).ranges.clear();
        const bool body = declaresBody(req);
        if (body && bodyIsReadFor(req.method))
            return Handled::Unhandled; // its handler answers once the body is read: the connection stays usable
        answer(req, res);
        if (body) {
            // The body stays unread (a GET's too): it must not be read as
            // the next request.
            res.set_header("Connection", "close");
            HttpServer::closeAfterAnswer();
        }
        return Handled::Handled;
    });
    const std::string anyPath = "[\\s\\S]*";
    server.Post(anyPath, answer);
    server.Put(anyPath, answer);
    server.Patch(anyPath, answer);
    server.Delete(anyPath, answer);

    // Errors found before routing (malformed request, request line too long,
    // body too large, bad range): a French page too.
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const Request &req, Response &res) {
        if (!res.body.empty())
            return Handled::Unhandled;
        // The library refuses methods it does not know (PATCH, BREW...) as
        // malformed; for this service they are simply not allowed.
        if (res.status == 400 && isOtherMethod(req))
            res.status = 405;
        if (res.status == 405)
            res.set_header("Allow", "GET, HEAD");
        // What follows on this connection cannot be trusted to start a request.
        res.set_header("Connection", "close");
        HttpServer::closeAfterAnswer();
        if (res.status == 400 && isUnencodedQuestionMark(req)) {
            setPage(res, 400,
                    errorPage(400, "Le message contient un « ? » qui n’est pas encodé dans l’adresse : ce service ne "
                                   "peut pas la lire. Encodé, il s’écrit « %3F »."));
            return Handled::Handled;
        }
        setPage(res, res.status, errorPage(res.status));
        return Handled::Handled;
    }));
    server.set_exception_handler([](const Request &, Response &res, std::exception_ptr) {
        res.headers.erase("Allow");
        setPage(res, 500, errorPage(500));
    });

    if (settings.accessLog) {
        server.set_logger([](const Request &req, const Response &res) {
            const std::string line = accessLogLine(req, res);
            std::fwrite(line.data(), 1, line.size(), stderr);
        });
        server.setBusyLogger([](const std::string &peer) {
            Request req;
            req.remote_addr = peer;
            Response res;
            res.status = 503;
            const std::string line = accessLogLine(req, res);
            std::fwrite(line.data(), 1, line.size(), stderr);
        });
    }
}

int bindServer(httplib::Server &server, const std::string &host, int port)
{
    // The library's own socket options would let other sockets bind the same
    // port (SO_REUSEPORT) and share its connections. Only allow a restart
    // while old connections linger.
    auto listener = std::make_shared<int>(-1);
    server.set_socket_options([listener](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        *listener = sock;
    });
    int bound = -1;
    if (port == 0)
        bound = server.bind_to_any_port(host);
    else if (server.bind_to_port(host, port))
        bound = port;
    // The library listens with a backlog of 5: a burst of new connections
    // would wait for SYN retransmissions. Listening again widens it, to as
    // many connections as the server may serve at once.
    if (bound > 0 && *listener >= 0)
        ::listen(*listener, 1024);
    return bound;
}

std::string accessLogLine(const Request &request, const Response &response)
{
    static constexpr char hex[] = "0123456789abcdef";
    auto appendClean = [](std::string &out, std::string_view text) {
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

    char when[32] = "-";
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    if (gmtime_r(&now, &utc))
        std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", &utc);

    std::string line = when;
    line += ' ';
    appendClean(line, request.remote_addr.empty() ? std::string_view("-") : std::string_view(request.remote_addr));
    line += " \"";
    appendClean(line, request.method.empty() ? std::string_view("-") : std::string_view(request.method));
    line += ' ';
    const std::string_view target = request.target;
    const std::size_t question = target.find('?');
    appendClean(line, target.substr(0, std::min<std::size_t>(question, 200)));
    if (question != std::string_view::npos)
        line += "?...";
    else if (target.size() > 200)
        line += "...";
    line += ' ';
    appendClean(line, request.version);
    line += "\" ";
    line += std::to_string(response.status);
    line += ' ';
    line += std::to_string(response.body.size());
    line += '\n';
    return line;
}

} // namespace velmora::render
