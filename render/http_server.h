// The HTTP server of the rendering service, on libmicrohttpd's public
// interface: one poll() loop per core serves every connection, so idle or
// slow clients hold no thread; the library bounds the connections at once,
// those of one client address, the memory of each and their idle time.
//
// This layer adds what the library leaves to its user:
//  - a connection beyond either limit is answered 503 at once and closed;
//  - a request whose length is ambiguous (RFC 9112 framing: Content-Length
//    with Transfer-Encoding, repeated Content-Length, a header name with
//    blanks or folded lines, Transfer-Encoding other than one "chunked", or
//    on HTTP/1.0, a control character in a value) is answered 400 and its
//    connection closed, so that nothing after it is read as a request;
//  - a body is read and dropped only when its length is given; any other
//    body is left unread, and the connection closed after the answer;
//  - the request target reaches the handler exactly as sent (still encoded),
//    in origin form also when it came in absolute form.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::render {

struct ServerLimits {
    // Connections open at once, and from one client address.
    std::size_t connections = 1024;
    std::size_t perClient = 64;
    // Seconds a connection may stay silent (between requests too); once
    // half the connections are taken, new ones get the shorter time.
    unsigned idleSeconds = 10;
    unsigned busyIdleSeconds = 2;
    // Memory of one connection: its request line and headers must fit (a
    // request line four times too long still gets our own 414). The library
    // clears all of it before each request of a kept-alive connection, so
    // it is no larger than needed (64 KiB made clearing a tenth of the
    // service's time under load); above 32 KiB the library maps it from the
    // system, which takes it back whole when the connection ends.
    std::size_t connectionBytes = 40 * 1024;
    // Longest body read (and dropped); a longer one is answered 413.
    std::size_t bodyBytes = 64 * 1024;
    // Longest request line without its CR LF; a longer one is answered 414.
    std::size_t requestLineBytes = 8190;
    // Event loops (0: one per core).
    unsigned threads = 0;
};

// One request, as the handler sees it; the views live until it returns.
struct HttpRequest {
    std::string_view method;
    std::string_view target;             // origin form, still percent-encoded: "/path?query"
    std::string_view version;            // "HTTP/1.1" or "HTTP/1.0" (others are refused before)
    std::string_view authority;          // the host of an absolute-form target, else empty
    std::vector<std::string_view> hosts; // every Host header's value
    std::string peer;                    // client address, numeric
    std::string localAddress;            // the address the connection came in on, numeric
    int localPort = 0;
    bool bodyLeftUnread = false; // the connection is closed after the answer
};

struct HttpResponse {
    int status = 200;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// What the access log needs of one exchange. Method, target and version are
// as received (empty when unknown); bytes is the body's size, or what was
// sent of a 503.
struct HttpExchange {
    std::string peer;
    std::string method;
    std::string target;
    std::string version;
    int status = 0; // 0: the library answered (or dropped) a request it could not read
    std::size_t bytes = 0;
};

class HttpServer
{
public:
    using Handler = std::function<void(const HttpRequest &, HttpResponse &)>;
    // The page for an error found before the handler (400, 413, 503): status
    // set, body and headers to fill.
    using ErrorPage = std::function<void(HttpResponse &)>;
    using Logger = std::function<void(const HttpExchange &)>;

    HttpServer();
    ~HttpServer(); // stops
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    // Before start().
    void setLimits(const ServerLimits &limits);
    void setHandler(Handler handler);
    void setErrorPage(ErrorPage page);
    void setLogger(Logger logger); // called on the server's threads

    // Binds HOST:PORT (PORT 0: chosen by the system; HOST numeric or a name)
    // and listens. The port is this server's alone (no SO_REUSEPORT).
    // False with ERROR set on failure.
    bool bind(const std::string &host, int port, std::string *error = nullptr);
    // The address actually bound, numeric, and its port.
    std::string boundAddress() const;
    int boundPort() const;
    bool boundToLoopback() const;

    // Starts serving on threads of its own; false if the library could not.
    bool start();
    bool isRunning() const;
    // Stops accepting, ends every connection and joins the threads. Safe to
    // call from any thread but a handler, more than once.
    void stop();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velmora::render
