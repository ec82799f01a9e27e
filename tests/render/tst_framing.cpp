// Requests whose length is ambiguous, sent to the standalone server with a
// second request right behind: each is refused (or answered without reading
// its body) and its connection closed, and the request behind is never
// served. A proxy in front that read the length otherwise would have sent that
// second request on behalf of another client.
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QByteArray kSmuggled = "GET /SMUGGLED HTTP/1.1\r\nHost: x\r\n\r\n";

} // namespace

class TestFraming : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QProcess server;
    quint16 port = 0;

    QByteArray log() const
    {
        QFile file(dir.filePath("server.log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void refusedAndClosed_data();
    void refusedAndClosed();
};

void TestFraming::initTestCase()
{
    QVERIFY(dir.isValid());
    server.setStandardErrorFile(dir.filePath("server.log"));
    server.start(VELMORA_RENDER_SERVER, {"--listen", "127.0.0.1:0"});
    QVERIFY(server.waitForStarted(5000));
    const QRegularExpression ready(R"(listening on http://127\.0\.0\.1:(\d+)/)");
    QElapsedTimer clock;
    clock.start();
    QRegularExpressionMatch m;
    while (!(m = ready.match(QString::fromUtf8(log()))).hasMatch() && clock.elapsed() < 10000)
        QThread::msleep(20);
    QVERIFY2(m.hasMatch(), log().constData());
    port = m.captured(1).toUShort();
}

void TestFraming::cleanupTestCase()
{
    server.terminate();
    server.waitForFinished(10000);
}

void TestFraming::refusedAndClosed_data()
{
    QTest::addColumn<QByteArray>("head"); // request line and headers, up to the blank line
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status"); // of the one answer
    const QByteArray post = "POST / HTTP/1.1\r\nHost: x\r\n";
    const QByteArray get = "GET / HTTP/1.1\r\nHost: x\r\n";
    const QByteArray chunks = "5\r\nhello\r\n0\r\n\r\n";
    // Content-Length against Transfer-Encoding (CL.TE and TE.CL).
    QTest::newRow("CL.TE") << post + "Content-Length: 41\r\nTransfer-Encoding: chunked\r\n"
                           << QByteArray("0\r\n\r\n") << 400;
    QTest::newRow("TE.CL") << post + "Transfer-Encoding: chunked\r\nContent-Length: 4\r\n" << chunks << 400;
    // Content-Length repeated, disguised or malformed.
    QTest::newRow("two lengths") << post + "Content-Length: 5\r\nContent-Length: 41\r\n" << QByteArray("hello") << 400;
    QTest::newRow("the same length twice") << post + "Content-Length: 5\r\nContent-Length: 5\r\n"
                                           << QByteArray("hello") << 400;
    QTest::newRow("blank before the colon") << post + "Content-Length : 5\r\n" << QByteArray("hello") << 400;
    QTest::newRow("tab before the colon") << post + "Content-Length\t: 5\r\n" << QByteArray("hello") << 400;
    QTest::newRow("length 0abc") << post + "Content-Length: 0abc\r\n" << QByteArray() << 400;
    QTest::newRow("length +5") << post + "Content-Length: +5\r\n" << QByteArray("hello") << 400;
    QTest::newRow("length -1") << post + "Content-Length: -1\r\n" << QByteArray("hello") << 400;
    QTest::newRow("length as a list") << post + "Content-Length: 5, 5\r\n" << QByteArray("hello") << 400;
    QTest::newRow("length folded") << post + "Content-Length:\r\n 5\r\n" << QByteArray("hello") << 400;
    // Transfer-Encoding obfuscated (TE.TE), folded, repeated, on HTTP/1.0.
    QTest::newRow("TE xchunked") << post + "Transfer-Encoding: xchunked\r\n" << chunks << 400;
    QTest::newRow("TE chunked twice") << post + "Transfer-Encoding: chunked\r\nTransfer-Encoding: identity\r\n"
                                      << chunks << 400;
    QTest::newRow("TE as a list") << post + "Transfer-Encoding: gzip, chunked\r\n" << chunks << 400;
    QTest::newRow("TE blank before the colon") << post + "Transfer-Encoding : chunked\r\n" << chunks << 400;
    QTest::newRow("TE folded") << post + "Transfer-Encoding:\r\n chunked\r\n" << chunks << 400;
    QTest::newRow("TE on HTTP/1.0") << QByteArray("POST / HTTP/1.0\r\nHost: x\r\nTransfer-Encoding: chunked\r\n")
                                    << chunks << 400;
    // Chunk sizes that parsers read differently: the body is never read.
    QTest::newRow("chunk size 0x5") << post + "Transfer-Encoding: chunked\r\n"
                                    << QByteArray("0x5\r\nhello\r\n0\r\n\r\n") << 405;
    QTest::newRow("chunk size ' 5'") << post + "Transfer-Encoding: chunked\r\n"
                                     << QByteArray(" 5\r\nhello\r\n0\r\n\r\n") << 405;
    QTest::newRow("chunked GET") << get + "Transfer-Encoding: chunked\r\n" << chunks << 200;
    QTest::newRow("GET with a length") << get + "Content-Length: 5\r\n" << QByteArray("hello") << 200;
    // Other malformed headers.
    QTest::newRow("folded line") << get + "X-Note: a\r\n b c\r\n" << QByteArray() << 400;
    QTest::newRow("blank before the first header")
        << QByteArray("GET / HTTP/1.1\r\n Host: x\r\n") << QByteArray() << 400;
    QTest::newRow("CR inside a value") << get + "X-Note: a\rb\r\n" << QByteArray() << 400;
    QTest::newRow("line without colon") << get + "Bogus\r\n" << QByteArray() << 400;
    QTest::newRow("blank inside the target") << QByteArray("GET /a b HTTP/1.1\r\nHost: x\r\n") << QByteArray() << 400;
}

void TestFraming::refusedAndClosed()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(socket.waitForConnected(5000));
    socket.write(head + "\r\n" + body + kSmuggled);
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < 5000) {
        socket.waitForReadyRead(100);
        answer += socket.readAll();
    }
    answer += socket.readAll();
    QVERIFY2(socket.state() != QAbstractSocket::ConnectedState, "the connection is still open");
    QVERIFY2(answer.startsWith("HTTP/1.1 " + QByteArray::number(status) + " "), answer.left(200).constData());
    // The request behind is not served (it would be a 404).
    QVERIFY2(!answer.contains("HTTP/1.1 404"), answer.constData());
    QThread::msleep(50);
    QVERIFY(!log().contains("SMUGGLED"));
}

QTEST_GUILESS_MAIN(TestFraming)
#include "tst_framing.moc"
