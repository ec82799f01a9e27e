// Wiring of the pages into an HTTP server: routes, headers, limits, the Host
// check and the access log. Shared by the embedded service and the standalone
// server.
#pragma once

#include "http_server.h"

#include <cstddef>
#include <functional>
#include <string>

namespace velmora::render {

struct ServerSettings {
    // Answer only requests whose Host is the address and port the connection
    // came in on, "127.0.0.1:PORT" (421 otherwise). Without it, an HTTP/1.1
    // request must carry one Host header (400 otherwise).
    bool requireOwnHost = false;
    // Connections open at once, and from one client address; one more is
    // answered 503 at once and closed.
    std::size_t connections = 1024;
    std::size_t perClient = 64;
    // How long a connection may stay silent (shorter once half the
    // connections are taken).
    unsigned idleSeconds = 10;
    // Where access-log lines go, one call per line (none when empty). Called
    // on the server's threads: it must not block.
    std::function<void(std::string)> accessLog;
};

// Before start().
void setUpServer(HttpServer &server, const ServerSettings &settings);

// The access-log line of one exchange, ending in a newline. The query is left
// out: messages are not written to logs.
std::string accessLogLine(const HttpExchange &exchange);

} // namespace velmora::render
