// The rendering service embedded in the program: an HTTP server on the
// loopback interface, on a free port, served by threads of its own.
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace velmora {

class RenderService
{
public:
    // Starts listening on 127.0.0.1 on a port chosen by the system. It answers
    // only requests addressed to "127.0.0.1:PORT" (421 otherwise), so that no
    // other web page can reach it under another host name.
    RenderService();
    // Stops listening, ends every connection and joins the threads.
    ~RenderService();

    RenderService(const RenderService &) = delete;
    RenderService &operator=(const RenderService &) = delete;

    bool isRunning() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT", or empty when not running
    quint16 port() const;    // 0 when not running
    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velmora
