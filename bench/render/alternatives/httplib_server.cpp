// The alternative weighed against libmicrohttpd: cpp-httplib 0.11 through
// its public interface only (no overridden virtual, no protected field).
// Connections go to a pool of threads, each holding its connection for as
// long as it stays open; the pool is given only a function to run, never
// the socket, so no per-client limit can be set. Not built by CMake: it
// exists to be measured (bench/render/lockout.py and wrk), with
//   g++ -O2 -std=c++20 -I. bench/render/alternatives/httplib_server.cpp \
//       build/release/render/libvelmora_render.a \
//       $(pkg-config --cflags --libs cpp-httplib Qt6Core libmicrohttpd) -lpthread -o /tmp/httplib_server
//   /tmp/httplib_server PORT
#include "render/pages.h"

#include <httplib.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    const int port = argc > 1 ? std::atoi(argv[1]) : 8080;
    httplib::Server server;
    // As many threads as the standalone server's connections (1024).
    server.new_task_queue = [] { return new httplib::ThreadPool(1024); };
    server.set_keep_alive_timeout(5);
    server.set_read_timeout(5, 0);
    server.set_tcp_nodelay(true);
    server.Get(".*", [](const httplib::Request &req, httplib::Response &res) {
        const std::string_view target = req.target;
        const std::size_t q = target.find('?');
        velmora::PageResponse page = velmora::renderPage(
            req.method, target.substr(0, q), q == std::string_view::npos ? std::string_view() : target.substr(q + 1));
        res.status = page.status;
        res.set_content(std::move(page.html), "text/html; charset=utf-8");
    });
    return server.listen("127.0.0.1", port) ? 0 : 1;
}
