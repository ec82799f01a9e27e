// The rendering service under hostile and heavy traffic, over real loopback
// connections: slow and partial requests, endless header lines, bodies on
// GET, and a storm of 500 connections at once. Normal requests must still be
// answered within a second, hostile ones must be cut short, and the memory
// the server holds must come back down once the storm is over.
#include "render/render_service.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = QElapsedTimer;

// AddressSanitizer holds freed memory back on purpose (to catch its use),
// so the memory figures say nothing about the server under it.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kMemoryIsMeaningful = false;
#else
constexpr bool kMemoryIsMeaningful = true;
#endif

// -------------------------------------------------------------- sockets ----

// A loopback TCP connection, non-blocking once connected.
class Connection
{
public:
    // From SOURCE, a loopback address (127.0.0.1 unless given).
    explicit Connection(quint16 port, bool wait = true, const char *source = nullptr)
    {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return;
        if (source) {
            sockaddr_in from{};
            from.sin_family = AF_INET;
            ::inet_pton(AF_INET, source, &from.sin_addr);
            if (::bind(fd, reinterpret_cast<sockaddr *>(&from), sizeof from) != 0) {
                close();
                return;
            }
        }
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 && errno != EINPROGRESS) {
            close();
            return;
        }
        if (wait && !waitFor(POLLOUT, 5000))
            close();
    }
    ~Connection() { close(); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool isOpen() const { return fd >= 0; }

    void close()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }

    bool waitFor(short events, int ms) const
    {
        pollfd p{fd, events, 0};
        return ::poll(&p, 1, ms) > 0;
    }

    // Sends what the socket takes now; the number of bytes, -1 on an error.
    qint64 sendSome(const QByteArray &data)
    {
        const ssize_t n = ::send(fd, data.constData(), size_t(data.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
        return n;
    }

    // Sends all of DATA within MS milliseconds.
    bool sendAll(QByteArray data, int ms = 5000)
    {
        Clock clock;
        clock.start();
        while (!data.isEmpty()) {
            const qint64 n = sendSome(data);
            if (n < 0)
                return false;
            data.remove(0, n);
            if (!data.isEmpty() && !waitFor(POLLOUT, int(std::max<qint64>(1, ms - clock.elapsed()))))
                return false;
        }
        return true;
    }

    // Reads what has arrived; false once the peer closed (or reset) the connection.
    bool readSome(QByteArray &into)
    {
        char buf[16384];
        while (true) {
            const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
            if (n > 0) {
                into.append(buf, n);
                continue;
            }
            if (n == 0)
                return false;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
    }

    // Reads until the peer closes or MS milliseconds pass; true if it closed.
    bool readUntilClosed(QByteArray &into, int ms)
    {
        Clock clock;
        clock.start();
        while (clock.elapsed() < ms) {
            if (!readSome(into))
                return true;
            waitFor(POLLIN, int(std::max<qint64>(1, ms - clock.elapsed())));
        }
        return false;
    }

private:
    int fd = -1;
};

int statusOf(const QByteArray &answer)
{
    if (!answer.startsWith("HTTP/1.1 "))
        return 0;
    return answer.mid(9, 3).toInt();
}

// ------------------------------------------------------------- servers ----

// A number from /proc/PID/status ("VmRSS" in KiB, "Threads").
long procStatus(qint64 pid, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

long residentKiB(qint64 pid)
{
    return procStatus(pid, "VmRSS");
}

// The server under test: the standalone program, or the service embedded in
// this very process.
struct Target {
    quint16 port = 0;
    QByteArray host;
    qint64 pid = 0;
    std::unique_ptr<QTemporaryDir> logDir;
    std::unique_ptr<QProcess> process;
    std::unique_ptr<velmora::RenderService> service;

    bool alive() const { return service ? service->isRunning() : process->state() == QProcess::Running; }
};

std::unique_ptr<Target> startStandalone(const QStringList &extra = {})
{
    auto t = std::make_unique<Target>();
    // The access log goes to a file: a pipe nobody empties would stall the
    // server once full.
    t->logDir = std::make_unique<QTemporaryDir>();
    const QString log = t->logDir->filePath("server.log");
    t->process = std::make_unique<QProcess>();
    t->process->setStandardErrorFile(log);
    t->process->start(VELMORA_RENDER_SERVER, QStringList{"--listen", "127.0.0.1:0"} + extra);
    if (!t->process->waitForStarted(5000))
        return nullptr;
    static const QRegularExpression ready(R"(listening on http://127\.0\.0\.1:(\d+)/)");
    Clock clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QFile file(log);
        const QRegularExpressionMatch m =
            ready.match(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readLine()) : QString());
        if (m.hasMatch()) {
            t->port = m.captured(1).toUShort();
            t->host = "127.0.0.1:" + QByteArray::number(t->port);
            t->pid = t->process->processId();
            return t;
        }
        QThread::msleep(20);
    }
    return nullptr;
}

std::unique_ptr<Target> startEmbedded()
{
    auto t = std::make_unique<Target>();
    t->service = std::make_unique<velmora::RenderService>();
    if (!t->service->isRunning())
        return nullptr;
    t->port = t->service->port();
    t->host = "127.0.0.1:" + QByteArray::number(t->port);
    t->pid = QCoreApplication::applicationPid();
    return t;
}

void stop(std::unique_ptr<Target> &t)
{
    if (t && t->process) {
        t->process->terminate();
        t->process->waitForFinished(15000);
    }
    t.reset();
}

QByteArray pageRequest(const QByteArray &host, const QByteArray &message)
{
    return "GET /codes/gato/transgato.php3?texte=" + message + " HTTP/1.1\r\nHost: " + host +
           "\r\nConnection: close\r\n\r\n";
}

// One normal request on a new connection; its status, and the time to the
// whole answer in milliseconds (-1 when none came within 10 s).
struct Timed {
    int status = 0;
    qint64 ms = -1;
    QByteArray answer;
};

Timed normalRequest(const Target &t, const QByteArray &message = "Bonjour")
{
    Timed r;
    Clock clock;
    clock.start();
    Connection c(t.port);
    if (!c.isOpen() || !c.sendAll(pageRequest(t.host, message)))
        return r;
    if (!c.readUntilClosed(r.answer, 10000))
        return r;
    r.ms = clock.elapsed();
    r.status = statusOf(r.answer);
    return r;
}

// --------------------------------------------------------------- storm ----

// Where hostile connections come from: another client than the normal
// requests (127.0.0.1), as a client's connections beyond its share are
// refused.
constexpr const char *kOtherClient = "127.0.0.2";

// The kinds of hostile connection in the storm, in turn.
enum class Kind {
    Silent,      // connects and says nothing
    Partial,     // half a request line, then nothing
    Slow,        // a request a byte at a time, one byte every 200 ms
    LongHeader,  // one header line that never ends
    ManyHeaders, // short headers without end
    GetBody,     // a GET announcing and sending a large body
    Count
};

struct StormClient {
    std::unique_ptr<Connection> c;
    Kind kind = Kind::Silent;
    QByteArray pending; // still to send
    qint64 sent = 0;    // bytes sent on this connection
    qint64 nextTrickle = 0;
    QByteArray received;
};

class Storm
{
public:
    Storm(const Target &t, int size)
        : target(t)
        , clients(size)
    {
    }

    int reopened = 0;       // connections the server ended, opened again
    qint64 answered4xx = 0; // hostile requests the server refused with a 4xx/5xx answer

    void open()
    {
        clock.start();
        for (int i = 0; i < int(clients.size()); ++i)
            start(clients[i], Kind(i % int(Kind::Count)));
    }

    // Moves every connection on by what it does.
    void tick()
    {
        const qint64 now = clock.elapsed();
        for (StormClient &s : clients) {
            if (!s.c->isOpen() || !s.c->readSome(s.received)) {
                if (statusOf(s.received) >= 400)
                    ++answered4xx;
                ++reopened;
                start(s, s.kind); // keep the pressure: as many connections as before
                continue;
            }
            switch (s.kind) {
            case Kind::Slow:
                if (now >= s.nextTrickle && !s.pending.isEmpty()) {
                    if (s.c->sendSome(s.pending.left(1)) == 1)
                        s.pending.remove(0, 1);
                    s.nextTrickle = now + 200;
                }
                break;
            case Kind::LongHeader:
                feed(s, QByteArray(16384, 'a'));
                break;
            case Kind::ManyHeaders:
                feed(s, QByteArray("X-Filler: 0123456789abcdef\r\n").repeated(512));
                break;
            case Kind::GetBody:
                feed(s, QByteArray(16384, 'b'));
                break;
            default:
                break;
            }
        }
    }

    void close()
    {
        for (StormClient &s : clients)
            s.c.reset();
    }

private:
    const Target &target;
    std::vector<StormClient> clients;
    Clock clock;

    void start(StormClient &s, Kind kind)
    {
        s = StormClient();
        s.kind = kind;
        s.c = std::make_unique<Connection>(target.port, false, kOtherClient);
        const QByteArray host = "Host: " + target.host + "\r\n";
        switch (kind) {
        case Kind::Silent:
        case Kind::Count:
            break;
        case Kind::Partial:
            s.pending = "GET /codes/mers/transm";
            break;
        case Kind::Slow:
            s.pending = "GET /codes/semaphore/transsemaphore.php3?texte=lent HTTP/1.1\r\n" + host + "\r\n";
            break;
        case Kind::LongHeader:
            s.pending = "GET / HTTP/1.1\r\n" + host + "X-Long: ";
            break;
        case Kind::ManyHeaders:
            s.pending = "GET / HTTP/1.1\r\n" + host;
            break;
        case Kind::GetBody:
            s.pending = "GET / HTTP/1.1\r\n" + host + "Content-Length: 1073741824\r\n\r\n";
            break;
        }
        if (kind != Kind::Slow)
            feed(s, {});
    }

    // Sends what is pending, then MORE, as far as the socket takes it now
    // (at most 1 GiB per connection).
    void feed(StormClient &s, const QByteArray &more)
    {
        if (s.pending.isEmpty() && s.sent < (qint64(1) << 30))
            s.pending = more;
        if (s.pending.isEmpty())
            return;
        const qint64 n = s.c->sendSome(s.pending);
        if (n > 0) {
            s.pending.remove(0, n);
            s.sent += n;
        }
    }
};

} // namespace

class TestLoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void hostileRequests_data();
    void hostileRequests();
    void pipelinedRequests();
    void keptAliveCrowd();
    void busyServerRefusesAtOnce();
    void noLockOut_data();
    void noLockOut();
    void storm_data();
    void storm();
};

void TestLoad::initTestCase()
{
    // 500 connections, and for the embedded service their 500 other ends
    // too, in this one process.
    rlimit files{};
    ::getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_cur < 6144 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 6144);
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    ::getrlimit(RLIMIT_NOFILE, &files);
    if (files.rlim_cur < 4800)
        QSKIP("fewer than 4800 open files allowed: 2000 idle connections need about 4500 in this process");
}

void TestLoad::hostileRequests_data()
{
    QTest::addColumn<QByteArray>("head");   // sent first
    QTest::addColumn<QByteArray>("filler"); // then sent again and again, up to 64 MiB
    QTest::addColumn<int>("status");        // the answer expected (0: none, only the close)
    const QByteArray host = "Host: HOST\r\n";
    QTest::newRow("request line without end") << QByteArray("GET /") << QByteArray(65536, 'a') << 414;
    QTest::newRow("header line without end")
        << "GET / HTTP/1.1\r\n" + host + "X-Long: " << QByteArray(65536, 'a') << 431;
    QTest::newRow("headers without end") << "GET / HTTP/1.1\r\n" + host
                                         << QByteArray("X-Filler: 0123456789abcdef\r\n").repeated(2048) << 431;
    QTest::newRow("GET with a 64 MiB body") << "GET / HTTP/1.1\r\n" + host + "Content-Length: 67108864\r\n\r\n"
                                            << QByteArray(65536, 'b') << 200;
    QTest::newRow("GET with an endless chunked body")
        << "GET / HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n"
        << "10000\r\n" + QByteArray(65536, 'c') + "\r\n"
        << 200;
    QTest::newRow("POST with a 64 MiB body") << "POST / HTTP/1.1\r\n" + host + "Content-Length: 67108864\r\n\r\n"
                                             << QByteArray(65536, 'd') << 413;
}

void TestLoad::hostileRequests()
{
    // Whatever a client sends, the server answers (or gives up) and closes
    // long before it has read 64 MiB: it never holds an endless request in
    // memory.
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, filler);
    QFETCH(int, status);
    std::unique_ptr<Target> t = startStandalone();
    QVERIFY(t);
    const long before = residentKiB(t->pid);
    head.replace("HOST", t->host);

    Connection c(t->port);
    QVERIFY(c.isOpen());
    QVERIFY(c.sendAll(head));
    QByteArray answer;
    qint64 sent = 0;
    bool closed = false;
    long peak = before;
    Clock clock;
    clock.start();
    while (sent < (qint64(64) << 20) && clock.elapsed() < 20000) {
        const qint64 n = c.sendSome(filler);
        // Ended by the server: what it answered is still there to read.
        if (!c.readSome(answer) || n < 0) {
            closed = true;
            c.readSome(answer);
            break;
        }
        sent += n;
        if (n < filler.size())
            c.waitFor(POLLOUT | POLLIN, 50);
        peak = std::max(peak, residentKiB(t->pid));
    }
    if (!closed)
        closed = c.readUntilClosed(answer, 12000);
    QVERIFY2(closed, qPrintable(QString("still open after %1 MiB sent").arg(sent >> 20)));
    QCOMPARE(statusOf(answer), status);
    QVERIFY2(sent < (qint64(64) << 20), qPrintable(QString("%1 MiB sent before the server closed").arg(sent >> 20)));
    // What it held for this request stays small.
    QVERIFY2(!kMemoryIsMeaningful || peak - before < 8 * 1024,
             qPrintable(QString("resident memory rose by %1 KiB").arg(peak - before)));
    // And it serves the next client as usual.
    QCOMPARE(normalRequest(*t).status, 200);
    stop(t);
}

void TestLoad::pipelinedRequests()
{
    // Requests sent together, in one packet: each is answered, in order.
    std::unique_ptr<Target> t = startStandalone();
    QVERIFY(t);
    QByteArray all;
    const QList<QByteArray> messages = {"un", "deux", "trois"};
    for (const QByteArray &m : messages)
        all += "GET /codes/gato/transgato.php3?texte=" + m + " HTTP/1.1\r\nHost: x\r\n\r\n";
    all += "GET /nowhere HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    Connection c(t->port);
    QVERIFY(c.sendAll(all));
    QByteArray answer;
    QVERIFY(c.readUntilClosed(answer, 10000));
    const QList<QByteArray> lines = answer.split('\n');
    QList<int> statuses;
    for (const QByteArray &line : lines)
        if (line.startsWith("HTTP/1.1 "))
            statuses << statusOf(line);
    QCOMPARE(statuses, (QList<int>{200, 200, 200, 404}));
    for (const QByteArray &m : messages)
        QVERIFY(answer.contains("<title>Gato — " + m + "</title>"));
    stop(t);
}

void TestLoad::keptAliveCrowd()
{
    // 300 kept-alive connections ask at the same moment, three times: every
    // request is answered, none waits for a timeout.
    std::unique_ptr<Target> t = startStandalone({"--per-client", "1024"});
    QVERIFY(t);
    std::vector<std::unique_ptr<Connection>> crowd;
    for (int i = 0; i < 300; ++i) {
        crowd.push_back(std::make_unique<Connection>(t->port));
        QVERIFY(crowd.back()->isOpen());
    }
    const QByteArray request = "GET /codes/gato/transgato.php3?texte=foule HTTP/1.1\r\nHost: x\r\n\r\n";
    for (int round = 0; round < 3; ++round) {
        for (auto &c : crowd)
            QVERIFY(c->sendAll(request));
        std::vector<QByteArray> answers(crowd.size());
        int answered = 0;
        Clock clock;
        clock.start();
        while (answered < int(crowd.size()) && clock.elapsed() < 5000) {
            answered = 0;
            for (std::size_t i = 0; i < crowd.size(); ++i) {
                crowd[i]->readSome(answers[i]);
                answered += answers[i].endsWith("</html>\n") || answers[i].endsWith("</html>");
            }
            QThread::msleep(5);
        }
        QVERIFY2(
            answered == int(crowd.size()),
            qPrintable(QString("round %1: %2 of %3 answered within 5 s").arg(round).arg(answered).arg(crowd.size())));
        for (const QByteArray &a : answers)
            QCOMPARE(statusOf(a), 200);
    }
    stop(t);
}

void TestLoad::busyServerRefusesAtOnce()
{
    // Connections beyond what the server serves at once are answered 503 at
    // once instead of waiting behind the others.
    std::unique_ptr<Target> t = startStandalone({"--threads", "4"});
    QVERIFY(t);
    std::vector<std::unique_ptr<Connection>> held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(std::make_unique<Connection>(t->port));
        QVERIFY(held.back()->sendAll("GET / HTTP/1.1\r\nHo"));
    }
    QThread::msleep(200);
    const Timed refused = normalRequest(*t);
    QCOMPARE(refused.status, 503);
    QVERIFY2(refused.ms < 1000, qPrintable(QString::number(refused.ms)));
    QVERIFY(refused.answer.contains("Retry-After: "));
    QVERIFY(QString::fromUtf8(refused.answer).contains("Erreur 503"));
    // Logged with the client's address and the bytes sent.
    QThread::msleep(100);
    QFile log(t->logDir->filePath("server.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    QVERIFY2(lines.contains(" 127.0.0.1 \"- - -\" 503 " + QByteArray::number(refused.answer.size()) + "\n"),
             lines.constData());
    held.clear();
    // Once they are gone, it serves again.
    Clock clock;
    clock.start();
    Timed r;
    while ((r = normalRequest(*t)).status != 200 && clock.elapsed() < 5000)
        QThread::msleep(50);
    QCOMPARE(r.status, 200);
    stop(t);
}

void TestLoad::noLockOut_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::newRow("standalone server") << false;
    QTest::newRow("embedded service") << true;
}

void TestLoad::noLockOut()
{
    // 2000 connections from one client that say nothing, opened again as
    // soon as they are closed: the server keeps serving everyone else, and
    // turns that client's extra connections away at once.
    QFETCH(bool, embedded);
    std::unique_ptr<Target> t = embedded ? startEmbedded() : startStandalone();
    QVERIFY(t);
    std::vector<std::unique_ptr<Connection>> idle(2000);
    std::vector<QByteArray> received(idle.size());
    int turnedAway = 0;
    auto keepUp = [&] {
        for (std::size_t i = 0; i < idle.size(); ++i) {
            if (idle[i] && idle[i]->isOpen() && idle[i]->readSome(received[i]))
                continue;
            turnedAway += statusOf(received[i]) == 503;
            received[i].clear();
            idle[i] = std::make_unique<Connection>(t->port, false, kOtherClient);
        }
    };
    keepUp();
    QThread::msleep(300);

    std::vector<qint64> times;
    QList<QByteArray> failures;
    Clock clock;
    clock.start();
    for (int n = 0; clock.elapsed() < 3000; ++n) {
        keepUp();
        const Timed r = normalRequest(*t, "ouvert" + QByteArray::number(n));
        times.push_back(r.ms);
        if (r.status != 200)
            failures << QByteArray::number(n) + ": " + QByteArray::number(r.status);
        QThread::msleep(20);
    }
    // One more from the crowded address: refused at once.
    Clock refusal;
    refusal.start();
    Connection extra(t->port, true, kOtherClient);
    QByteArray answer;
    QVERIFY(extra.readUntilClosed(answer, 5000));
    const qint64 refusedIn = refusal.elapsed();
    idle.clear();

    std::sort(times.begin(), times.end());
    const qint64 p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    qInfo("2000 idle connections from %s (%d turned away with 503): %d normal requests from 127.0.0.1, median %lld ms, "
          "p99 %lld ms, worst %lld ms; one more from %s refused in %lld ms",
          kOtherClient, turnedAway, int(times.size()), times[times.size() / 2], p99, times.back(), kOtherClient,
          refusedIn);
    QVERIFY2(failures.isEmpty(), failures.join(", ").constData());
    // A client locked out gets 503 or waits for the idle time-out (10 s).
    // How fast it is served is a figure of bench/render/lockout.sh; the
    // bound here leaves room for one dropped first packet (retried after 1 s)
    // on a loaded machine, and for the sanitizers.
    QVERIFY2(times.front() >= 0 && times.back() < 3000,
             qPrintable(QString("a normal request took %1 ms").arg(times.back())));
    QCOMPARE(statusOf(answer), 503);
    QVERIFY2(refusedIn < 1000, qPrintable(QString::number(refusedIn)));
    QVERIFY(turnedAway > 0);
    QCOMPARE(normalRequest(*t).status, 200);
    stop(t);
}

void TestLoad::storm_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::newRow("standalone server") << false;
    QTest::newRow("embedded service") << true;
}

void TestLoad::storm()
{
    QFETCH(bool, embedded);
    // Every storm connection is let in: the storm is about what they do.
    std::unique_ptr<Target> t = embedded ? startEmbedded() : startStandalone({"--per-client", "1024"});
    QVERIFY(t);

    // The level before: after some ordinary use, one by one and many at
    // once, so that what the pages build once and the allocator's arenas for
    // many threads are already there; then a pause for the server to give
    // back what it freed.
    for (int i = 0; i < 50; ++i)
        QCOMPARE(normalRequest(*t, "avant" + QByteArray::number(i)).status, 200);
    {
        // All connected first, then all asking at once.
        std::vector<std::unique_ptr<Connection>> burst;
        for (int i = 0; i < 200; ++i)
            burst.push_back(std::make_unique<Connection>(t->port));
        QThread::msleep(200);
        for (int i = 0; i < 200; ++i)
            QVERIFY(burst[i]->sendAll(pageRequest(t->host, "ensemble" + QByteArray::number(i))));
        for (auto &c : burst) {
            QByteArray answer;
            QVERIFY(c->readUntilClosed(answer, 10000));
            QCOMPARE(statusOf(answer), 200);
        }
    }
    QThread::msleep(2500);
    const long before = residentKiB(t->pid);
    QVERIFY(before > 0);

    // 500 hostile connections at once for 6 s, each opened again as soon as
    // the server ends it; meanwhile a normal request every 100 ms.
    std::vector<qint64> times;
    QList<QByteArray> failures;
    long peak = before;
    Clock clock;
    {
        Storm storm(*t, 500);
        storm.open();
        clock.start();
        int n = 0;
        while (clock.elapsed() < 6000) {
            storm.tick();
            const QByteArray message = "pendant" + QByteArray::number(n++);
            const Timed r = normalRequest(*t, message);
            times.push_back(r.ms);
            if (r.status != 200 || !r.answer.contains("<title>Gato — " + message + "</title>"))
                failures << message + ": " + QByteArray::number(r.status);
            peak = std::max(peak, residentKiB(t->pid));
            storm.tick();
            QThread::msleep(100);
        }
        qInfo("hostile connections ended by the server during the storm: %d (%lld of them answered 4xx/5xx)",
              storm.reopened, storm.answered4xx);
    }
    QVERIFY(t->alive());

    std::sort(times.begin(), times.end());
    const qint64 worst = times.back();
    qInfo("normal requests during the storm: %d, median %lld ms, worst %lld ms; resident memory %ld KiB before, "
          "%ld KiB at the peak",
          int(times.size()), times[times.size() / 2], worst, before, peak);
    QVERIFY2(failures.isEmpty(), failures.join(", ").constData());
    QVERIFY2(worst >= 0 && worst < 1000, qPrintable(QString("a normal request took %1 ms").arg(worst)));

    // Once the storm is over, the memory comes back to its level before
    // (within what the allocator keeps for its arenas).
    QCOMPARE(normalRequest(*t).status, 200);
    const long bound = before + std::max(before / 10, 4096L);
    long after = residentKiB(t->pid);
    clock.restart();
    while (kMemoryIsMeaningful && after > bound && clock.elapsed() < 20000) {
        QThread::msleep(250);
        after = residentKiB(t->pid);
    }
    qInfo("resident memory after the storm: %ld KiB (bound %ld KiB), settled in %lld ms; %ld threads", after, bound,
          clock.elapsed(), procStatus(t->pid, "Threads"));
    if (kMemoryIsMeaningful && after > bound && t->process)
        QProcess::execute(
            "sh",
            {"-c", QString("awk '/^[0-9a-f]+-/{m=$0} /^Rss:/{if ($2>=200) print $2, m}' /proc/%1/smaps").arg(t->pid)});
    QCOMPARE(normalRequest(*t).status, 200);
    stop(t);
    if (!kMemoryIsMeaningful)
        QSKIP("memory not checked under AddressSanitizer; the server stayed responsive and alive");
    QVERIFY2(after <= bound, qPrintable(QString("%1 KiB before the storm, %2 KiB after").arg(before).arg(after)));
}

QTEST_GUILESS_MAIN(TestLoad)
#include "tst_load.moc"
