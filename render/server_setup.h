// Wiring of the pages into an HTTP server: routes, headers, limits, the Host
// check and the access log. Shared by the embedded service and the standalone
// server.
#pragma once

#include "http_server.h"

#include <cstddef>
#include <string>

namespace velmora::render {

struct ServerSettings {
    // Answer only requests whose Host is the address and port the connection
    // came in on, "127.0.0.1:PORT" (421 otherwise).
    bool requireOwnHost = false;
    // Connections served at once, each on a thread of its own (kept-alive
    // ones included); one more is answered 503 at once and closed.
    std::size_t connections = 1024;
    // How long an idle connection is kept open (it holds its thread
    // meanwhile). Stopping the server does not wait for it.
    int keepAliveSeconds = 5;
    // One line per request on standard error.
    bool accessLog = false;
};

// Before binding: some settings apply to the listening socket.
void setUpServer(HttpServer &server, const ServerSettings &settings);

// Binds SERVER, already set up, to HOST:PORT (PORT 0: a port chosen by the
// system) and returns the port, or -1. The port is this server's alone: a
// second server on the same port fails here instead of sharing it.
int bindServer(httplib::Server &server, const std::string &host, int port);

// The access-log line of one exchange, ending in a newline. The query is left
// out: messages are not written to logs.
std::string accessLogLine(const httplib::Request &request, const httplib::Response &response);

} // namespace velmora::render
