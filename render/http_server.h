// The HTTP server of the rendering service: the library's server, with its
// connections held within bounds.
//
//  - Each connection runs on a thread of its own, up to a number of
//    connections; one more is answered 503 at once and closed. Slow or idle
//    clients can thus neither take every worker nor make others wait.
//  - A request (line, headers and body) must arrive within a time limit and a
//    size limit; past either, it is answered or dropped and its connection
//    closed. The server never holds an endless line in memory.
//  - Requests sent back to back on one connection are all read and answered.
#pragma once

#include <httplib.h>

#include <cstddef>
#include <functional>
#include <string>

namespace velmora::render {

struct ConnectionLimits {
    // Connections served at once.
    std::size_t connections = 1024;
    // Bytes one request may take: its line, its headers and its body.
    std::size_t requestBytes = 96 * 1024;
    // Seconds one request may take to arrive, from its first byte.
    int requestSeconds = 10;
};

class HttpServer : public httplib::Server {
public:
    HttpServer();

    // Before listening.
    void setConnectionLimits(const ConnectionLimits &limits);
    // The whole answer (status line, headers, body) sent to a connection
    // beyond the limit, before it is closed.
    void setBusyAnswer(std::string answer);
    // Called, on the accepting thread, with the peer's address of each such
    // connection.
    void setBusyLogger(std::function<void(const std::string &peer)> logger);

    // From a handler: close the connection once this answer is written
    // (what follows on it is not a request to read).
    static void closeAfterAnswer();

private:
    bool process_and_close_socket(socket_t sock) override;
    void refuse(socket_t sock);
    void lingeringClose(socket_t sock);

    ConnectionLimits limits_;
    std::string busyAnswer_;
    std::function<void(const std::string &)> busyLogger_;
};

} // namespace velmora::render
