#include "render_service.h"

#include "server_setup.h"

namespace velmora {

struct RenderService::Private {
    render::HttpServer server;
    quint16 port = 0;
    QString error;
};

RenderService::RenderService()
    : d(std::make_unique<Private>())
{
    render::ServerSettings settings;
    settings.requireOwnHost = true;
    // Every local client comes from 127.0.0.1: the share of one address is
    // most of the whole. The pages have nothing to load after them, so an
    // idle connection is worth little.
    settings.connections = 512;
    settings.perClient = 384;
    settings.idleSeconds = 5;
    render::setUpServer(d->server, settings);
    if (!d->server.bind("127.0.0.1", 0)) {
        d->error = QStringLiteral("Le service de rendu n’a pas pu ouvrir de port sur 127.0.0.1.");
        return;
    }
    // The library's threads ignore SIGPIPE on their own, whatever handler
    // the program installs.
    if (!d->server.start()) {
        d->error = QStringLiteral("Le service de rendu n’a pas pu démarrer.");
        return;
    }
    d->port = static_cast<quint16>(d->server.boundPort());
}

RenderService::~RenderService()
{
    d->server.stop();
}

bool RenderService::isRunning() const
{
    return d->port != 0 && d->server.isRunning();
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
