// The rendering service over real loopback HTTP: the embedded RenderService,
// and the standalone velmora-render-server.
#include "render/render_service.h"
#include "velmora_config.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Reply {
    int status = 0;
    QMultiMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
};

// Splits one HTTP response off the front of DATA; false when incomplete.
bool takeReply(QByteArray &data, bool head, Reply &reply)
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (end < 0)
        return false;
    const QList<QByteArray> lines = data.left(end).split('\n');
    reply = Reply();
    reply.status = lines.value(0).split(' ').value(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            reply.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
    }
    const qsizetype length = head ? 0 : reply.header("content-length").toLongLong();
    if (data.size() < end + 4 + length)
        return false;
    reply.body = data.mid(end + 4, length);
    data.remove(0, end + 4 + length);
    return true;
}

// Sends RAW as it is and reads one answer. For HEAD, no byte may follow the
// headers.
Reply exchange(quint16 port, const QByteArray &raw, bool head = false)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(raw);
    QByteArray data;
    Reply reply;
    while (!takeReply(data, head, reply)) {
        if (!socket.waitForReadyRead(10000) && socket.bytesAvailable() == 0)
            return {};
        data += socket.readAll();
    }
    if (head && (socket.waitForReadyRead(300) || socket.bytesAvailable() > 0 || !data.isEmpty()))
        return {};
    return reply;
}

QByteArray request(const QByteArray &method, const QByteArray &target, const QByteArray &host,
                   const QByteArray &extra = {})
{
    QByteArray r = method + ' ' + target + " HTTP/1.1\r\n";
    if (!host.isNull())
        r += "Host: " + host + "\r\n";
    return r + extra + "Connection: close\r\n\r\n";
}

// The message as the page shows it in text, unescaped.
QString shownMessage(const QByteArray &body)
{
    static const QRegularExpression re(R"(<p class="msg"><bdi>(.*?)</bdi></p>)",
                                       QRegularExpression::DotMatchesEverythingOption);
    QString s = re.match(QString::fromUtf8(body)).captured(1);
    s.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&#39;", "'").replace("&amp;", "&");
    return s;
}

// A loopback port free a moment ago, for a server whose log cannot be read.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Waits until something listens on PORT.
bool waitForListener(quint16 port)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        if (s.waitForConnected(500))
            return true;
        QThread::msleep(50);
    }
    return false;
}

const QByteArray kPolicy = "default-src 'none'; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; "
                           "form-action 'none'; frame-ancestors 'none'";

} // namespace

class TestServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<velmora::RenderService> service;
    quint16 port = 0;
    QByteArray host;

    Reply get(const QByteArray &target, const QByteArray &extra = {})
    {
        return exchange(port, request("GET", target, host, extra));
    }

private slots:
    void initTestCase();
    void cleanupTestCase();

    void embeddedService();
    void servicesStartAndStop();
    void stopsWithIdleConnectionsOpen();

    void statusCodes_data();
    void statusCodes();
    void securityHeaders_data();
    void securityHeaders();
    void hostCheck_data();
    void hostCheck();
    void messagesArriveIntact_data();
    void messagesArriveIntact();
    void unencodedQuestionMark();
    void badSequences_data();
    void badSequences();
    void requestLineLimit_data();
    void requestLineLimit();
    void head();
    void rangesAreIgnored_data();
    void rangesAreIgnored();
    void connectionIsReused();
    void refusedMethodKeepsConnection_data();
    void refusedMethodKeepsConnection();
    void peerHangingUpIsHarmless();
    void manyClientsAtOnce();

    void standaloneCommandLine_data();
    void standaloneCommandLine();
    void standaloneServesLogsAndStops_data();
    void standaloneServesLogsAndStops();
    void standaloneOutputCannotBeWritten_data();
    void standaloneOutputCannotBeWritten();
    void standaloneOnEveryAddress();
    void standaloneWithClosedDescriptors();
    void standaloneLogNeverBlocks_data();
    void standaloneLogNeverBlocks();
};

void TestServer::initTestCase()
{
    service = std::make_unique<velmora::RenderService>();
    QVERIFY2(service->isRunning(), qPrintable(service->errorString()));
    port = service->port();
    host = "127.0.0.1:" + QByteArray::number(port);
}

void TestServer::cleanupTestCase()
{
    service.reset();
}

void TestServer::embeddedService()
{
    QVERIFY(port != 0);
    QCOMPARE(service->baseUrl(), QString("http://127.0.0.1:%1").arg(port));
    QVERIFY(service->errorString().isEmpty());
    const QUrl url(service->baseUrl() + "/codes/gato/transgato.php3?texte=Bonjour");
    const Reply r = get(url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority));
    QCOMPARE(r.status, 200);
    QVERIFY(r.body.contains("<title>Gato — Bonjour</title>"));
}

void TestServer::servicesStartAndStop()
{
    // Several at once, each on its own port; gone once destroyed.
    quint16 ports[3];
    {
        velmora::RenderService a, b, c;
        const velmora::RenderService *all[] = {&a, &b, &c};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(all[i]->isRunning());
            ports[i] = all[i]->port();
            const QByteArray h = "127.0.0.1:" + QByteArray::number(ports[i]);
            QCOMPARE(exchange(ports[i], request("GET", "/", h)).status, 200);
            // Each answers only to its own address.
            QCOMPARE(exchange(ports[i], request("GET", "/", host)).status, 421);
        }
        QVERIFY(ports[0] != ports[1] && ports[1] != ports[2] && ports[0] != ports[2]);
    }
    for (quint16 p : ports) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, p);
        QVERIFY(!socket.waitForConnected(2000));
    }
}

void TestServer::stopsWithIdleConnectionsOpen()
{
    // A browser keeps connections open; destroying the service must still end.
    auto local = std::make_unique<velmora::RenderService>();
    const QByteArray h = "127.0.0.1:" + QByteArray::number(local->port());
    QTcpSocket idle;
    idle.connectToHost(QHostAddress::LocalHost, local->port());
    QVERIFY(idle.waitForConnected(5000));
    idle.write("GET / HTTP/1.1\r\nHost: " + h + "\r\n\r\n");
    QByteArray data;
    Reply r;
    while (!takeReply(data, false, r) && idle.waitForReadyRead(5000))
        data += idle.readAll();
    QCOMPARE(r.status, 200);
    QCOMPARE(idle.state(), QAbstractSocket::ConnectedState); // kept alive
    local.reset();
    idle.waitForDisconnected(5000);
    QCOMPARE(idle.state(), QAbstractSocket::UnconnectedState);
}

void TestServer::statusCodes_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("allow");
    const QByteArray h = "HOST"; // replaced by the service's own address
    QTest::newRow("home") << request("GET", "/", h) << 200 << QByteArray();
    QTest::newRow("contact") << request("GET", "/Contact/form.php3", h) << 200 << QByteArray();
    QTest::newRow("version") << request("GET", "/version/?ver=3.1", h) << 200 << QByteArray();
    QTest::newRow("code page") << request("GET", "/codes/mers/transmers.php3?texte=SOS", h) << 200 << QByteArray();
    QTest::newRow("unknown path") << request("GET", "/index.php3", h) << 404 << QByteArray();
    QTest::newRow("POST with a body") << request("POST", "/codes/gato/transgato.php3", h, "Content-Length: 9\r\n") +
                                             "texte=abc"
                                      << 405 << QByteArray("GET, HEAD");
    QTest::newRow("PUT") << request("PUT", "/", h, "Content-Length: 0\r\n") << 405 << QByteArray("GET, HEAD");
    QTest::newRow("DELETE") << request("DELETE", "/", h) << 405 << QByteArray("GET, HEAD");
    QTest::newRow("OPTIONS") << request("OPTIONS", "*", h) << 405 << QByteArray("GET, HEAD");
    QTest::newRow("PATCH") << request("PATCH", "/", h) << 405 << QByteArray("GET, HEAD");
    QTest::newRow("TRACE") << request("TRACE", "/", h) << 405 << QByteArray("GET, HEAD");
    QTest::newRow("too large a body") << request("POST", "/", h, "Content-Length: 100000\r\n") + QByteArray(100000, 'x')
                                      << 413 << QByteArray();
    QTest::newRow("message too long") << request("GET", "/codes/gato/transgato.php3?texte=" + QByteArray(2001, 'a'), h)
                                      << 414 << QByteArray();
    QTest::newRow("bad encoding") << request("GET", "/codes/gato/transgato.php3?texte=%", h) << 400 << QByteArray();
    QTest::newRow("Content-Length and Transfer-Encoding")
        << request("POST", "/", h, "Content-Length: 3\r\nTransfer-Encoding: chunked\r\n") + "0\r\n\r\n"
        << 400 << QByteArray();
    QTest::newRow("absolute form") << request("GET", "http://HOST/codes/mers/transmers.php3?texte=SOS", h) << 200
                                   << QByteArray();
    QTest::newRow("absolute form, another host")
        << request("GET", "http://attacker.example/codes/mers/transmers.php3?texte=SOS", h) << 421 << QByteArray();
    QTest::newRow("unknown method") << request("BREW", "/", h) << 405 << QByteArray("GET, HEAD");
}

void TestServer::statusCodes()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, status);
    QFETCH(QByteArray, allow);
    raw.replace("HOST", host);
    const Reply r = exchange(port, raw);
    QCOMPARE(r.status, status);
    QCOMPARE(r.header("Allow"), allow);
    QCOMPARE(r.header("Content-Type"), QByteArray("text/html; charset=utf-8"));
    const QString page = QString::fromUtf8(r.body);
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    if (status >= 400)
        QVERIFY(page.contains(QString("Erreur %1").arg(status)));
}

void TestServer::securityHeaders_data()
{
    QTest::addColumn<QByteArray>("raw");
    const QByteArray h = "HOST";
    QTest::newRow("code page") << request("GET", "/codes/semaphore/transsemaphore.php3?texte=a", h);
    QTest::newRow("home") << request("GET", "/", h);
    QTest::newRow("404") << request("GET", "/nothing", h);
    QTest::newRow("405") << request("POST", "/", h, "Content-Length: 1\r\n") + "x";
    QTest::newRow("400 from the page") << request("GET", "/codes/gato/transgato.php3?texte=%FF", h);
    QTest::newRow("414 from the request line") << request("GET", "/" + QByteArray(9000, 'a'), h);
    QTest::newRow("421") << request("GET", "/", "localhost");
    QTest::newRow("400 framing") << request("GET", "/", h, "Content-Length: 1\r\nContent-Length: 2\r\n");
    QTest::newRow("413") << request("POST", "/", h, "Content-Length: 100000\r\n");
}

void TestServer::securityHeaders()
{
    QFETCH(QByteArray, raw);
    raw.replace("HOST", host);
    const Reply r = exchange(port, raw);
    QVERIFY(r.status != 0);
    QCOMPARE(r.header("Content-Type"), QByteArray("text/html; charset=utf-8"));
    QCOMPARE(r.headers.values("content-type").size(), 1);
    QCOMPARE(r.header("Content-Security-Policy"), kPolicy);
    QCOMPARE(r.header("X-Content-Type-Options"), QByteArray("nosniff"));
    QVERIFY(r.headers.values("connection").size() <= 1);
    QVERIFY(!r.body.contains("<script"));
}

void TestServer::hostCheck_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("status");
    QTest::newRow("own address") << request("GET", "/", "HOST") << 200;
    QTest::newRow("localhost") << request("GET", "/", "localhost:PORT") << 421;
    QTest::newRow("no port") << request("GET", "/", "127.0.0.1") << 421;
    QTest::newRow("other host") << request("GET", "/", "attacker.example:PORT") << 421;
    QTest::newRow("another port") << request("GET", "/", "127.0.0.1:1") << 421;
    QTest::newRow("empty") << request("GET", "/", "") << 421;
    QTest::newRow("missing") << request("GET", "/", QByteArray()) << 421;
    QTest::newRow("two Host headers") << request("GET", "/", "HOST", "Host: attacker.example\r\n") << 421;
    QTest::newRow("code page from elsewhere")
        << request("GET", "/codes/gato/transgato.php3?texte=a", "x.example") << 421;
    QTest::newRow("HTTP/1.0 without Host") << QByteArray("GET / HTTP/1.0\r\n\r\n") << 421;
}

void TestServer::hostCheck()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, status);
    raw.replace("HOST", host).replace("PORT", QByteArray::number(port));
    const Reply r = exchange(port, raw);
    QCOMPARE(r.status, status);
    if (status == 421)
        QVERIFY(QString::fromUtf8(r.body).contains("ne répond qu’à sa propre adresse locale"));
}

void TestServer::messagesArriveIntact_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("ampersand") << "a&b";
    QTest::newRow("hash") << "#1 et #2";
    QTest::newRow("percent") << "100% sûr";
    QTest::newRow("plus") << "1+1=2";
    QTest::newRow("CR LF") << "ligne 1\r\nligne 2\r\n";
    QTest::newRow("question mark") << "Ça va ? Oui.";
    QTest::newRow("accents") << "Noël à l’école";
    QTest::newRow("outside the BMP") << "😀 𝄞";
    QTest::newRow("markup") << "<b>\"x\"</b>";
    QTest::newRow("the untouched Gato box") << "Votre Message ICI\r\n";
}

void TestServer::messagesArriveIntact()
{
    QFETCH(QString, message);
    const Reply r = get("/codes/gato/transgato.php3?texte=" + QUrl::toPercentEncoding(message));
    QCOMPARE(r.status, 200);
    QCOMPARE(shownMessage(r.body), message);
}

void TestServer::badSequences_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("unencoded percent") << QByteArray("100%");
    QTest::newRow("percent and one digit") << QByteArray("%4");
    QTest::newRow("not hex") << QByteArray("%GG");
    QTest::newRow("Latin-1") << QByteArray("No%EBl");
    QTest::newRow("cut sequence") << QByteArray("%C3");
    QTest::newRow("bad continuation") << QByteArray("%C3%28");
    QTest::newRow("overlong") << QByteArray("%C0%AF");
    QTest::newRow("surrogate") << QByteArray("%ED%A0%80");
    QTest::newRow("above U+10FFFF") << QByteArray("%F4%90%80%80");
}

void TestServer::unencodedQuestionMark()
{
    // Valid in a query: the message keeps it.
    const Reply r = get("/codes/gato/transgato.php3?texte=Qui%20?%20Moi%20?");
    QCOMPARE(r.status, 200);
    QCOMPARE(shownMessage(r.body), QString("Qui ? Moi ?"));
    QCOMPARE(shownMessage(get("/codes/gato/transgato.php3?texte=Qui%20%3F%20Moi%20%3F").body), QString("Qui ? Moi ?"));
}

void TestServer::badSequences()
{
    QFETCH(QByteArray, value);
    const Reply r = get("/codes/semaphore/transsemaphore.php3?texte=" + value);
    QCOMPARE(r.status, 400);
    QVERIFY(QString::fromUtf8(r.body).contains("Le message n’a pas pu être lu"));
}

void TestServer::requestLineLimit_data()
{
    QTest::addColumn<int>("lineLength"); // without its CR LF
    QTest::addColumn<int>("status");
    QTest::newRow("8 KiB with CR LF") << 8190 << 404;
    QTest::newRow("one byte more") << 8191 << 414;
    QTest::newRow("four times over") << 32768 << 414;
}

void TestServer::requestLineLimit()
{
    QFETCH(int, lineLength);
    QFETCH(int, status);
    const QByteArray start = "GET /", end = " HTTP/1.1";
    const QByteArray target = "/" + QByteArray(lineLength - start.size() - end.size(), 'a');
    const QByteArray raw = request("GET", target, host);
    QCOMPARE(raw.indexOf("\r\n"), lineLength);
    const Reply r = exchange(port, raw);
    QCOMPARE(r.status, status);
    if (status == 414)
        QVERIFY(QString::fromUtf8(r.body).contains("L’adresse demandée est trop longue"));
}

void TestServer::head()
{
    const QByteArray target = "/codes/mers/transmers.php3?texte=Bonjour";
    const Reply full = get(target);
    QCOMPARE(full.status, 200);
    const Reply r = exchange(port, request("HEAD", target, host), true);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Length").toLongLong(), full.body.size());
    QCOMPARE(r.header("Content-Type"), QByteArray("text/html; charset=utf-8"));
    QVERIFY(r.body.isEmpty()); // exchange() also fails on any byte after the headers
    QCOMPARE(exchange(port, request("HEAD", "/nowhere", host), true).status, 404);
}

void TestServer::rangesAreIgnored_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::newRow("one range") << QByteArray("bytes=0-10");
    QTest::newRow("many ranges") << "bytes=" + QByteArray("0-,").repeated(200) + "0-";
    QTest::newRow("malformed") << QByteArray("bytes=abc-");
    QTest::newRow("past the end") << QByteArray("bytes=999999-");
}

void TestServer::rangesAreIgnored()
{
    QFETCH(QByteArray, range);
    const QByteArray target = "/codes/gato/transgato.php3?texte=abc";
    const Reply whole = get(target);
    const Reply r = get(target, "Range: " + range + "\r\n");
    QCOMPARE(r.status, 200);
    QCOMPARE(r.body, whole.body);
    QCOMPARE(r.header("Accept-Ranges"), QByteArray("none"));
    QCOMPARE(r.headers.values("connection").size(), 1); // the request's "close", said once
}

void TestServer::connectionIsReused()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(socket.waitForConnected(5000));
    QByteArray data;
    for (const char *msg : {"un", "deux", "trois"}) {
        socket.write("GET /codes/gato/transgato.php3?texte=" + QByteArray(msg) + " HTTP/1.1\r\nHost: " + host +
                     "\r\n\r\n");
        Reply r;
        while (!takeReply(data, false, r)) {
            QVERIFY(socket.waitForReadyRead(5000));
            data += socket.readAll();
        }
        QCOMPARE(r.status, 200);
        QCOMPARE(shownMessage(r.body), QString(msg));
    }
}

void TestServer::refusedMethodKeepsConnection_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QByteArray>("body");
    // A body that looks like a request must not be read as the next request.
    const QByteArray lookalike = "GET /nowhere HTTP/1.1\r\nHost: x\r\n\r\n";
    QTest::newRow("POST with a body") << QByteArray("POST") << lookalike;
    QTest::newRow("PUT with a body") << QByteArray("PUT") << lookalike;
    QTest::newRow("DELETE with a body") << QByteArray("DELETE") << lookalike;
    QTest::newRow("POST without a body") << QByteArray("POST") << QByteArray();
    QTest::newRow("PATCH without a body") << QByteArray("PATCH") << QByteArray();
    QTest::newRow("DELETE without a body") << QByteArray("DELETE") << QByteArray();
    QTest::newRow("OPTIONS without a body") << QByteArray("OPTIONS") << QByteArray();
    QTest::newRow("TRACE without a body") << QByteArray("TRACE") << QByteArray();
}

void TestServer::refusedMethodKeepsConnection()
{
    QFETCH(QByteArray, method);
    QFETCH(QByteArray, body);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(socket.waitForConnected(5000));
    QByteArray head = method + " / HTTP/1.1\r\nHost: " + host + "\r\n";
    if (!body.isEmpty())
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    socket.write(head + "\r\n" + body);
    QByteArray data;
    Reply r;
    while (!takeReply(data, false, r)) {
        QVERIFY(socket.waitForReadyRead(10000));
        data += socket.readAll();
    }
    QCOMPARE(r.status, 405);
    QCOMPARE(r.header("Allow"), QByteArray("GET, HEAD"));
    QVERIFY(r.header("Connection") != "close");
    socket.write("GET / HTTP/1.1\r\nHost: " + host + "\r\n\r\n");
    while (!takeReply(data, false, r)) {
        QVERIFY(socket.waitForReadyRead(5000));
        data += socket.readAll();
    }
    QCOMPARE(r.status, 200);
}

void TestServer::peerHangingUpIsHarmless()
{
    // Large pages, the peer gone before they are written: the server must
    // neither die (SIGPIPE) nor stop answering.
    const QByteArray target = "/codes/semaphore/transsemaphore.php3?texte=" + QByteArray("a1").repeated(1000);
    for (int i = 0; i < 40; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(socket.waitForConnected(5000));
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 1024);
        socket.write(request("GET", target, host));
        socket.waitForBytesWritten(1000);
        if (i % 2)
            socket.waitForReadyRead(1000); // gone after the first bytes
        socket.abort();
    }
    QCOMPARE(get("/").status, 200);
}

void TestServer::manyClientsAtOnce()
{
    // More clients than worker threads: the last ones wait their turn.
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < 24; ++i) {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(s->waitForConnected(5000));
        s->write(request("GET", "/codes/mers/transmers.php3?texte=" + QByteArray::number(i), host));
        QVERIFY(s->waitForBytesWritten(5000));
        sockets.push_back(std::move(s));
    }
    for (int i = 0; i < 24; ++i) {
        QByteArray data;
        while (sockets[i]->state() == QAbstractSocket::ConnectedState && sockets[i]->waitForReadyRead(10000))
            data += sockets[i]->readAll();
        data += sockets[i]->readAll();
        Reply r;
        QVERIFY(takeReply(data, false, r));
        QCOMPARE(r.status, 200);
        QCOMPARE(shownMessage(r.body), QString::number(i));
    }
}

void TestServer::standaloneCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // expected in stdout (exit 0) or stderr
    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << QString("velmora-render-server " VELMORA_VERSION "\n");
    QTest::newRow("--help") << QStringList{"--help"} << 0
                            << QString("Usage: velmora-render-server [--listen ADDR:PORT]");
    QTest::newRow("no port") << QStringList{"--listen", "127.0.0.1"} << 2 << QString("--listen expects ADDR:PORT");
    QTest::newRow("port too big") << QStringList{"--listen=127.0.0.1:65536"} << 2 << QString("--listen expects");
    QTest::newRow("IPv6 without brackets") << QStringList{"--listen", "::1:80"} << 2 << QString("--listen expects");
    QTest::newRow("missing value") << QStringList{"--listen"} << 2 << QString("--listen needs a value");
    QTest::newRow("bad connections") << QStringList{"--connections", "0"} << 2
                                     << QString("--connections expects a number");
    QTest::newRow("bad per-client") << QStringList{"--per-client=x"} << 2 << QString("--per-client expects a number");
    QTest::newRow("unknown option") << QStringList{"--port=1"} << 2 << QString("unknown argument \"--port=1\"");
    QTest::newRow("not an address here") << QStringList{"--listen", "192.0.2.1:0"} << 1
                                         << QString("cannot listen on 192.0.2.1:0");
}

void TestServer::standaloneCommandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QProcess p;
    p.start(VELMORA_RENDER_SERVER, args);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), exitCode);
    const QString text = QString::fromUtf8(exitCode == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
    QVERIFY2(text.contains(output), qPrintable(text));
}

void TestServer::standaloneServesLogsAndStops_data()
{
    QTest::addColumn<int>("stopSignal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestServer::standaloneServesLogsAndStops()
{
    QFETCH(int, stopSignal);
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(VELMORA_RENDER_SERVER, {"--listen", "127.0.0.1:0"});
    QVERIFY(p.waitForStarted(5000));
    QByteArray log;
    const QRegularExpression ready(R"(listening on http://127\.0\.0\.1:(\d+)/)");
    QRegularExpressionMatch m;
    while (!(m = ready.match(QString::fromUtf8(log))).hasMatch() && p.waitForReadyRead(5000))
        log += p.readAllStandardError();
    QVERIFY2(m.hasMatch(), log.constData());
    const quint16 standalone = m.captured(1).toUShort();

    // The port is taken: a second server cannot share it.
    QProcess second;
    second.start(VELMORA_RENDER_SERVER, {"--listen", "127.0.0.1:" + QString::number(standalone)});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("cannot listen on 127.0.0.1:" + QByteArray::number(standalone)));

    // Any Host is answered: hosting is the standalone server's purpose. But
    // an HTTP/1.1 request must name one.
    const Reply r = exchange(standalone, request("GET", "/codes/gato/transgato.php3?texte=secret", "velmora.example"));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.header("Content-Security-Policy"), kPolicy);
    QCOMPARE(exchange(standalone, request("GET", "/nowhere", "velmora.example")).status, 404);
    QCOMPARE(exchange(standalone, request("GET", "/", QByteArray())).status, 400);
    QCOMPARE(exchange(standalone, request("GET", "/", "a.example", "Host: b.example\r\n")).status, 400);
    QCOMPARE(exchange(standalone, "GET / HTTP/1.0\r\n\r\n").status, 200);
    QCOMPARE(exchange(standalone, "GET /version/ HTTP/1.2\r\nHost: x\r\nConnection: close\r\n\r\n").status, 200);

    // One line per request, without the query that holds the message, once
    // its answer is sent (so in any order).
    QElapsedTimer waited;
    waited.start();
    while (log.count('\n') < 7 && waited.elapsed() < 5000) {
        p.waitForReadyRead(200);
        log += p.readAllStandardError();
    }
    const QList<QByteArray> lines = log.trimmed().split('\n');
    QCOMPARE(lines.size(), 7);
    const QByteArray requests = lines.mid(1).join('\n');
    QVERIFY2(requests.contains("127.0.0.1 \"GET /codes/gato/transgato.php3?... HTTP/1.1\" 200 "), requests.constData());
    QVERIFY2(requests.contains("\"GET /nowhere HTTP/1.1\" 404 "), requests.constData());
    QCOMPARE(requests.count("\"GET / HTTP/1.1\" 400 "), 2);
    QVERIFY2(requests.contains("\"GET / HTTP/1.0\" 200 "), requests.constData());
    // A version this server does not speak is not repeated in the log.
    QVERIFY2(requests.contains("\"GET /version/ -\" 200 "), requests.constData());
    QVERIFY(!log.contains("secret"));

    ::kill(static_cast<pid_t>(p.processId()), stopSignal);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardError().contains("stopped"));
}

void TestServer::standaloneOutputCannotBeWritten_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("redirect");
    QTest::addColumn<QString>("what");
    QTest::newRow("--help to a full disk") << "--help"
                                           << ">/dev/full"
                                           << "cannot write the help: No space left";
    QTest::newRow("--version to a full disk") << "--version"
                                              << ">/dev/full"
                                              << "cannot write the version: No space left";
    QTest::newRow("--help, output closed") << "--help"
                                           << ">&-"
                                           << "cannot write the help: standard output is closed";
    QTest::newRow("--version, output closed") << "--version"
                                              << ">&-"
                                              << "cannot write the version: standard output is closed";
}

void TestServer::standaloneOutputCannotBeWritten()
{
    QFETCH(QString, option);
    QFETCH(QString, redirect);
    QFETCH(QString, what);
    QProcess p;
    p.start("sh", {"-c", "exec \"$0\" \"$1\" " + redirect, VELMORA_RENDER_SERVER, option});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
    const QString error = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(error.startsWith("velmora-render-server: " + what), qPrintable(error));
}

void TestServer::standaloneOnEveryAddress()
{
    // "0" is every IPv4 address: the address bound is printed, with a warning.
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(VELMORA_RENDER_SERVER, {"--listen", "0:0"});
    QVERIFY(p.waitForStarted(5000));
    QByteArray log;
    while (log.count('\n') < 2 && p.waitForReadyRead(5000))
        log += p.readAllStandardError();
    const QRegularExpressionMatch m =
        QRegularExpression(R"(^velmora-render-server: listening on http://0\.0\.0\.0:(\d+)/\n)")
            .match(QString::fromUtf8(log));
    QVERIFY2(m.hasMatch(), log.constData());
    QVERIFY2(log.contains("warning: 0.0.0.0 is not a loopback address"), log.constData());
    QCOMPARE(exchange(m.captured(1).toUShort(), request("GET", "/", "x")).status, 200);
    p.terminate();
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

void TestServer::standaloneWithClosedDescriptors()
{
    // Started with standard input, output and error closed: the server's
    // own sockets must not take their numbers, or the log would go to a
    // client. Two requests on one connection get clean answers, nothing else.
    const quint16 p = freePort();
    QProcess server;
    server.start("sh",
                 {"-c", "exec \"$0\" --listen 127.0.0.1:$1 <&- >&- 2>&-", VELMORA_RENDER_SERVER, QString::number(p)});
    QVERIFY(server.waitForStarted(5000));
    QVERIFY(waitForListener(p));
    for (int fd = 0; fd <= 2; ++fd)
        QCOMPARE(QFile::symLinkTarget(QString("/proc/%1/fd/%2").arg(server.processId()).arg(fd)), QString("/dev/null"));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, p);
    QVERIFY(socket.waitForConnected(5000));
    socket.write("GET /nowhere HTTP/1.1\r\nHost: x\r\n\r\nGET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    QByteArray data;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        data += socket.readAll();
    data += socket.readAll();
    Reply first, second;
    QVERIFY(takeReply(data, false, first));
    QVERIFY(takeReply(data, false, second));
    QCOMPARE(first.status, 404);
    QCOMPARE(second.status, 200);
    QVERIFY2(data.isEmpty(), data.constData());
    server.terminate();
    QVERIFY(server.waitForFinished(10000));
    QCOMPARE(server.exitCode(), 0);
}

void TestServer::standaloneLogNeverBlocks_data()
{
    QTest::addColumn<bool>("drainLater");
    QTest::newRow("the reader comes back") << true;
    QTest::newRow("the reader never reads") << false;
}

void TestServer::standaloneLogNeverBlocks()
{
    // The log is a pipe nobody reads: once it is full, requests are still
    // answered, and SIGTERM still stops the server at once. Lines that could
    // not be written are counted, and the count is written once the reader
    // comes back.
    QFETCH(bool, drainLater);
    int fds[2];
    QCOMPARE(::pipe2(fds, O_CLOEXEC), 0);
    const quint16 p = freePort();
    QProcess server;
    const int logFd = fds[1];
    server.setChildProcessModifier([logFd] { ::dup2(logFd, 2); });
    server.start(VELMORA_RENDER_SERVER, {"--listen", "127.0.0.1:" + QString::number(p)});
    QVERIFY(server.waitForStarted(5000));
    ::close(fds[1]);
    QVERIFY(waitForListener(p));

    // Far more lines than the pipe holds (64 KiB, about 60 bytes a line).
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, p);
    QVERIFY(socket.waitForConnected(5000));
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3000; ++i) {
        socket.write("GET /nowhere HTTP/1.1\r\nHost: x\r\n\r\n");
        Reply r;
        while (!takeReply(data, false, r)) {
            QVERIFY2(socket.waitForReadyRead(5000), qPrintable(QString("request %1 not answered").arg(i)));
            data += socket.readAll();
        }
        QCOMPARE(r.status, 404);
    }
    qInfo("3000 requests answered in %lld ms with the log full", clock.elapsed());

    QByteArray log;
    char buffer[65536];
    if (drainLater) {
        ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
        clock.restart();
        while (!log.contains("log lines dropped") && clock.elapsed() < 5000) {
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n > 0)
                log.append(buffer, n);
            else
                QThread::msleep(20);
            if (clock.elapsed() > 200 && clock.elapsed() < 300)
                QCOMPARE(exchange(p, request("GET", "/", "x")).status, 200); // one more line to write
        }
        const QRegularExpressionMatch m =
            QRegularExpression(R"(velmora-render-server: (\d+) log lines dropped)").match(QString::fromUtf8(log));
        QVERIFY2(m.hasMatch(), log.right(300).constData());
        QVERIFY(m.captured(1).toInt() > 0);
    }
    clock.restart();
    ::kill(static_cast<pid_t>(server.processId()), SIGTERM);
    QVERIFY(server.waitForFinished(5000));
    qInfo("stopped %lld ms after SIGTERM", clock.elapsed());
    QCOMPARE(server.exitCode(), 0);
    QVERIFY(clock.elapsed() < 3000);
    ::close(fds[0]);
}

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
