#include "render_service.h"

#include "server_setup.h"

#include <httplib.h>

#include <atomic>
#include <csignal>
#include <pthread.h>
#include <thread>

namespace velmora {

struct RenderService::Private {
    render::HttpServer server;
    std::thread thread;
    std::atomic<bool> finished{false};
    quint16 port = 0;
    QString error;
};

RenderService::RenderService()
    : d(std::make_unique<Private>())
{
    render::ServerSettings settings;
    settings.requireOwnHost = true;
    // The pages have nothing to load after them, so a kept-alive connection
    // gains little; a short limit gives its thread back soon.
    settings.keepAliveSeconds = 1;
    render::setUpServer(d->server, settings);
    const int port = render::bindServer(d->server, "127.0.0.1", 0);
    if (port <= 0 || port > 65535) {
        d->error = QStringLiteral("Le service de rendu n’a pas pu ouvrir de port sur 127.0.0.1.");
        return;
    }

    Private *p = d.get();
    d->thread = std::thread([p] {
        // A peer that hangs up while a page is written must not end the
        // program. The library sets SIGPIPE to be ignored when a server is
        // made; blocking it here too keeps that true in the service's threads
        // whatever handler the program installs later. The connection
        // threads, started from this one, inherit the mask.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        p->server.listen_after_bind();
        p->finished = true;
    });
    // Wait until the accept loop runs, so that stop() in the destructor is
    // never lost: listen_after_bind() marks the server running first thing,
    // or returns at once. This takes well under a millisecond.
    while (!d->server.is_running() && !d->finished)
        std::this_thread::yield();
    if (!d->server.is_running()) {
        d->error = QStringLiteral("Le service de rendu n’a pas pu démarrer.");
        d->thread.join();
        return;
    }
    d->port = static_cast<quint16>(port);
}

RenderService::~RenderService()
{
    if (d->thread.joinable()) {
        d->server.stop();
        d->thread.join();
    }
}

bool RenderService::isRunning() const
{
    return d->port != 0 && d->server.is_running();
}

QString RenderService::baseUrl() const
{
    return isRunning() ? QStringLiteral("http://127.0.0.1:%1").arg(d->port) : QString();
}

quint16 RenderService::port() const
{
    return isRunning() ? d->port : 0;
}

QString RenderService::errorString() const
{
    return d->error;
}

} // namespace velmora
