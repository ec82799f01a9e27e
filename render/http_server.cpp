#include "http_server.h"

#include "http_framing.h"

#include <microhttpd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora::render {

namespace {

std::string numericAddress(const sockaddr *addr, socklen_t length)
{
    char host[NI_MAXHOST] = "-";
    if (addr == nullptr || ::getnameinfo(addr, length, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
        return "-";
    std::string text = host;
    // An IPv4 client of a dual-stack socket: its own address.
    if (text.rfind("::ffff:", 0) == 0 && text.find('.') != std::string::npos)
        text.erase(0, 7);
    return text;
}

socklen_t lengthOf(const sockaddr *addr)
{
    return addr->sa_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
}

std::string peerOf(MHD_Connection *c)
{
    const MHD_ConnectionInfo *info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    return info && info->client_addr ? numericAddress(info->client_addr, lengthOf(info->client_addr)) : "-";
}

// The two ends of a connection, worked out once when it opens rather than at
// each of its requests (a system call and two address conversions).
struct ConnectionEnds {
    std::string peer = "-";
    std::string localAddress;
    int localPort = 0;
};

ConnectionEnds connectionEnds(MHD_Connection *c)
{
    ConnectionEnds ends;
    ends.peer = peerOf(c);
    if (const MHD_ConnectionInfo *info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CONNECTION_FD)) {
        sockaddr_storage local{};
        socklen_t len = sizeof local;
        if (::getsockname(info->connect_fd, reinterpret_cast<sockaddr *>(&local), &len) == 0) {
            ends.localAddress = numericAddress(reinterpret_cast<sockaddr *>(&local), len);
            ends.localPort = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6 *>(&local)->sin6_port
                                                               : reinterpret_cast<sockaddr_in *>(&local)->sin_port);
        }
    }
    return ends;
}

// The ends kept with the connection (made when it opened); worked out afresh
// should there be none.
ConnectionEnds endsOf(MHD_Connection *c)
{
    const MHD_ConnectionInfo *info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    if (info && info->socket_context)
        return *static_cast<const ConnectionEnds *>(info->socket_context);
    return connectionEnds(c);
}

MHD_Result collectHeader(void *cls, MHD_ValueKind, const char *key, size_t keySize, const char *value, size_t valueSize)
{
    static_cast<std::vector<HeaderField> *>(cls)->push_back(
        {std::string_view(key, keySize), value ? std::string_view(value, valueSize) : std::string_view()});
    return MHD_YES;
}

// One request, from its request line to its end.
struct Exchange {
    std::string rawTarget;
    bool started = false;
    bool answered = false;
    bool closeAfter = false;
    HttpExchange log;
    HttpRequest request;
    std::string originTarget; // an absolute-form target without its authority
    ConnectionEnds ends;
};

} // namespace

struct HttpServer::Private {
    ServerLimits limits;
    Handler handler;
    ErrorPage errorPage;
    Logger logger;

    int listener = -1;
    int wake = -1;
    sockaddr_storage bound{};
    MHD_Daemon *daemon = nullptr;
    std::thread acceptor;
    // Connections handed to the library and not yet closed (counted here: the
    // library splits its own limit between its threads, unevenly).
    std::atomic<long> open{0};
    std::string busyAnswer;

    // ---------------------------------------------------------- callbacks ----

    static void *onRequestLine(void *, const char *uri, MHD_Connection *)
    {
        auto *x = new Exchange;
        x->rawTarget = uri ? uri : "";
        return x;
    }

    static void onConnection(void *cls, MHD_Connection *c, void **socketContext, MHD_ConnectionNotificationCode code)
    {
        auto *p = static_cast<Private *>(cls);
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            delete static_cast<ConnectionEnds *>(*socketContext);
            *socketContext = nullptr;
            --p->open;
            return;
        }
        try {
            *socketContext = new ConnectionEnds(connectionEnds(c));
        } catch (const std::bad_alloc &) {
            *socketContext = nullptr; // worked out at each request instead
        }
        // Idle connections must not keep others out: once half the places
        // are taken, a new connection may stay silent for less time.
        if (p->open > static_cast<long>(p->limits.connections / 2))
            MHD_set_connection_option(c, MHD_CONNECTION_OPTION_TIMEOUT, p->limits.busyIdleSeconds);
    }

    static void onCompleted(void *cls, MHD_Connection *c, void **ctx, MHD_RequestTerminationCode code)
    {
        auto *p = static_cast<Private *>(cls);
        auto *x = static_cast<Exchange *>(*ctx);
        *ctx = nullptr;
        if (x == nullptr)
            return;
        if (p->logger && (x->started || code == MHD_REQUEST_TERMINATED_WITH_ERROR)) {
            // A request the library refused itself (a malformed line or
            // length, an unknown version): logged with its address, status
            // unknown.
            if (!x->started) {
                x->log.peer = endsOf(c).peer;
                x->log.target = x->rawTarget;
            }
            p->logger(x->log);
        }
        delete x;
    }

    static MHD_Result onRequest(void *cls, MHD_Connection *c, const char *, const char *method, const char *version,
                                const char *, size_t *uploadSize, void **ctx)
    {
        auto *p = static_cast<Private *>(cls);
        auto *x = static_cast<Exchange *>(*ctx);
        if (x == nullptr)
            *ctx = x = static_cast<Exchange *>(onRequestLine(nullptr, "", c));
        if (x->started) {
            if (*uploadSize > 0) { // the body, read and dropped
                *uploadSize = 0;
                return MHD_YES;
            }
            return x->answered ? MHD_YES : p->answer(c, *x, false);
        }
        x->started = true;
        x->log.method = method;
        x->log.target = x->rawTarget;
        x->log.version = version;
        x->ends = endsOf(c);
        x->log.peer = x->ends.peer;

        std::vector<HeaderField> headers;
        MHD_get_connection_values_n(c, MHD_HEADER_KIND, collectHeader, &headers);
        const std::string_view v = version;
        Framing f = judgeFraming(headers, v, x->rawTarget);
        if (f.ambiguous)
            return p->refuse(c, *x, 400);
        if (x->log.method.size() + x->rawTarget.size() + v.size() + 2 > p->limits.requestLineBytes)
            return p->refuse(c, *x, 414);
        x->request.hosts = std::move(f.hosts);

        const std::size_t length = f.length;
        const std::string_view m = method;
        if (f.chunked || (length > 0 && (m == "GET" || m == "HEAD"))) {
            // A body of unknown length, or on a request that has none to
            // read: answered without it, then the connection ends.
            x->closeAfter = true;
            return p->answer(c, *x, true);
        }
        if (length > p->limits.bodyBytes)
            return p->refuse(c, *x, 413);
        // Answered at the next call, once the body (if any) is read and
        // dropped: an answer queued before keeps the library from reading a
        // next request on the connection.
        return MHD_YES;
    }

    // --------------------------------------------------------- answering ----

    MHD_Result refuse(MHD_Connection *c, Exchange &x, int status)
    {
        HttpResponse r;
        r.status = status;
        if (errorPage)
            errorPage(r);
        return send(c, x, r, true);
    }

    MHD_Result answer(MHD_Connection *c, Exchange &x, bool bodyLeftUnread)
    {
        HttpRequest &req = x.request;
        req.method = x.log.method;
        req.version = x.log.version;
        req.target = x.rawTarget;
        // Absolute form: served like the origin form, the authority apart.
        for (const std::string_view scheme : {"http://", "https://"}) {
            if (startsWithNoCase(req.target, scheme)) {
                const std::string_view rest = req.target.substr(scheme.size());
                const std::size_t end = std::min(rest.find('/'), rest.find('?'));
                req.authority = rest.substr(0, end);
                req.target = end == std::string_view::npos ? std::string_view("/") : rest.substr(end);
                if (req.target.front() == '?') {
                    x.originTarget.assign(1, '/');
                    x.originTarget.append(req.target);
                    req.target = x.originTarget;
                }
            }
        }
        req.peer = x.log.peer;
        req.bodyLeftUnread = bodyLeftUnread;
        req.localAddress = x.ends.localAddress;
        req.localPort = x.ends.localPort;
        HttpResponse r;
        try {
            handler(req, r);
        } catch (...) {
            r = HttpResponse();
            r.status = 500;
            if (errorPage)
                errorPage(r);
        }
        return send(c, x, r, bodyLeftUnread);
    }

    MHD_Result send(MHD_Connection *c, Exchange &x, HttpResponse &r, bool close)
    {
        x.answered = true;
        x.log.status = r.status;
        x.log.bytes = r.body.size();
        auto *body = new std::string(std::move(r.body));
        MHD_Response *m = MHD_create_response_from_buffer_with_free_callback_cls(
            body->size(), body->data(), [](void *s) { delete static_cast<std::string *>(s); }, body);
        if (m == nullptr) {
            delete body;
            return MHD_NO;
        }
        for (const auto &[name, value] : r.headers)
            if (!equalsNoCase(name, "Connection") && !equalsNoCase(name, "Content-Length"))
                MHD_add_response_header(m, name.c_str(), value.c_str());
        // The library then sends this one header and ends the connection.
        if (close || x.closeAfter)
            MHD_add_response_header(m, "Connection", "close");
        const MHD_Result ok = MHD_queue_response(c, static_cast<unsigned>(r.status), m);
        MHD_destroy_response(m);
        return ok;
    }

    // -------------------------------------------------------- connections ----

    // Accepts every connection itself, so that one beyond a limit (which the
    // library would close without a word) is told so.
    void acceptLoop()
    {
        pollfd fds[2] = {{listener, POLLIN, 0}, {wake, POLLIN, 0}};
        while (true) {
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                break;
            if (fds[1].revents)
                break;
            for (int n = 0; n < 256; ++n) {
                sockaddr_storage peer{};
                socklen_t length = sizeof peer;
                const int fd =
                    ::accept4(listener, reinterpret_cast<sockaddr *>(&peer), &length, SOCK_CLOEXEC | SOCK_NONBLOCK);
                if (fd < 0) {
                    if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                        ::poll(&fds[1], 1, 50); // out of descriptors: the backlog waits a moment
                    break;
                }
                // The library closes the socket it refuses; a second
                // descriptor of it keeps it open for the answer.
                const int spare = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
                if (open >= static_cast<long>(limits.connections)) {
                    ::close(fd);
                    if (spare >= 0)
                        turnAway(spare, reinterpret_cast<sockaddr *>(&peer), length);
                } else if (MHD_add_connection(daemon, fd, reinterpret_cast<sockaddr *>(&peer), length) == MHD_YES) {
                    ++open;
                    if (spare >= 0)
                        ::close(spare);
                } else if (spare >= 0) {
                    turnAway(spare, reinterpret_cast<sockaddr *>(&peer), length);
                }
            }
        }
    }

    void turnAway(int fd, const sockaddr *peer, socklen_t length)
    {
        const ssize_t sent = ::send(fd, busyAnswer.data(), busyAnswer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        // What the client already sent is dropped, so that closing ends the
        // connection after the answer rather than resetting it.
        char sink[4096];
        for (int i = 0; i < 16 && ::recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0; ++i) {
        }
        ::shutdown(fd, SHUT_WR);
        ::close(fd);
        if (logger) {
            HttpExchange e;
            e.peer = numericAddress(peer, length);
            e.status = 503;
            e.bytes = sent > 0 ? static_cast<std::size_t>(sent) : 0;
            logger(e);
        }
    }
};

HttpServer::HttpServer()
    : d(std::make_unique<Private>())
{
}

HttpServer::~HttpServer()
{
    stop();
    if (d->listener >= 0)
        ::close(d->listener);
}

void HttpServer::setLimits(const ServerLimits &limits)
{
    d->limits = limits;
}
void HttpServer::setHandler(Handler handler)
{
    d->handler = std::move(handler);
}
void HttpServer::setErrorPage(ErrorPage page)
{
    d->errorPage = std::move(page);
}
void HttpServer::setLogger(Logger logger)
{
    d->logger = std::move(logger);
}

bool HttpServer::bind(const std::string &host, int port, std::string *error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    const int r = ::getaddrinfo(host.empty() ? nullptr : host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (r != 0) {
        if (error)
            *error = ::gai_strerror(r);
        return false;
    }
    int lastError = 0;
    for (addrinfo *a = found; a != nullptr && d->listener < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        // A restart may bind while old connections linger; the port is
        // still not shared with another server.
        const int yes = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        // The queue of connections not yet accepted is as long as the system
        // allows: a crowd re-opening its connections must not fill it, or a
        // newcomer's first packet is dropped and it waits a second to retry.
        const int backlog = 4096; // the system caps it (net.core.somaxconn)
        if (::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, backlog) == 0) {
            socklen_t len = sizeof d->bound;
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&d->bound), &len);
            d->listener = fd;
        } else {
            lastError = errno;
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    if (d->listener < 0 && error)
        *error = std::strerror(lastError);
    return d->listener >= 0;
}

std::string HttpServer::boundAddress() const
{
    return d->listener < 0 ? std::string()
                           : numericAddress(reinterpret_cast<const sockaddr *>(&d->bound),
                                            lengthOf(reinterpret_cast<const sockaddr *>(&d->bound)));
}

int HttpServer::boundPort() const
{
    if (d->listener < 0)
        return 0;
    return ntohs(d->bound.ss_family == AF_INET6 ? reinterpret_cast<const sockaddr_in6 *>(&d->bound)->sin6_port
                                                : reinterpret_cast<const sockaddr_in *>(&d->bound)->sin_port);
}

bool HttpServer::boundToLoopback() const
{
    if (d->bound.ss_family == AF_INET)
        return (ntohl(reinterpret_cast<const sockaddr_in *>(&d->bound)->sin_addr.s_addr) >> 24) == 127;
    if (d->bound.ss_family == AF_INET6) {
        const in6_addr &a = reinterpret_cast<const sockaddr_in6 *>(&d->bound)->sin6_addr;
        return IN6_IS_ADDR_LOOPBACK(&a) || (IN6_IS_ADDR_V4MAPPED(&a) && a.s6_addr[12] == 127);
    }
    return false;
}

bool HttpServer::start()
{
    if (d->listener < 0 || d->daemon != nullptr)
        return false;
    const ServerLimits &l = d->limits;
    HttpResponse busy;
    busy.status = 503;
    if (d->errorPage)
        d->errorPage(busy);
    d->busyAnswer = "HTTP/1.1 503 Service Unavailable\r\n";
    for (const auto &[name, value] : busy.headers)
        d->busyAnswer += name + ": " + value + "\r\n";
    d->busyAnswer += "Content-Length: " + std::to_string(busy.body.size()) + "\r\nRetry-After: 1\r\n" +
                     "Connection: close\r\n\r\n" + busy.body;

    // poll(), not epoll: with epoll, this version of the library at times
    // stopped seeing requests on kept-alive connections (256 of them under
    // wrk: 125 requests a second, every connection waiting for its timeout),
    // which poll() never did in the same runs (bench/render/compare.sh).
    // Reading and writing before polling (turbo) took the p99 latency at 256
    // connections from 360-440 ms to 110-280 ms on this loaded machine.
    const unsigned threads = l.threads ? l.threads : std::max(1u, std::thread::hardware_concurrency());
    d->daemon = MHD_start_daemon(
        MHD_USE_POLL_INTERNAL_THREAD | MHD_USE_ITC | MHD_USE_TURBO | MHD_USE_NO_LISTEN_SOCKET, 0, nullptr, nullptr,
        &Private::onRequest, d.get(), MHD_OPTION_THREAD_POOL_SIZE, threads > 1 ? threads : 0u,
        // Each thread may hold them all: the total is kept by acceptLoop().
        MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(std::max<std::size_t>(1, l.connections) * threads),
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, static_cast<unsigned>(std::max<std::size_t>(1, l.perClient)),
        MHD_OPTION_CONNECTION_TIMEOUT, l.idleSeconds, MHD_OPTION_CONNECTION_MEMORY_LIMIT, l.connectionBytes,
        MHD_OPTION_URI_LOG_CALLBACK, &Private::onRequestLine, d.get(), MHD_OPTION_NOTIFY_COMPLETED,
        &Private::onCompleted, d.get(), MHD_OPTION_NOTIFY_CONNECTION, &Private::onConnection, d.get(), MHD_OPTION_END);
    if (d->daemon == nullptr)
        return false;
    d->wake = ::eventfd(0, EFD_CLOEXEC);
    try {
        d->acceptor = std::thread([p = d.get()] { p->acceptLoop(); });
    } catch (const std::system_error &) {
        MHD_stop_daemon(d->daemon);
        d->daemon = nullptr;
        return false;
    }
    return true;
}

bool HttpServer::isRunning() const
{
    return d->daemon != nullptr;
}

void HttpServer::stop()
{
    if (d->daemon == nullptr)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t w = ::write(d->wake, &one, sizeof one);
    d->acceptor.join();
    ::close(d->wake);
    d->wake = -1;
    MHD_stop_daemon(d->daemon);
    d->daemon = nullptr;
}

} // namespace velmora::render
