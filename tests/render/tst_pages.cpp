// The pages of the rendering service, computed without a server.
#include "render/pages.h"
#include "tests/support/htmlcheck.h"
#include "velmora_config.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

using velmora::renderPage;

namespace {

const char *const kGato = "/codes/gato/transgato.php3";
const char *const kMers = "/codes/mers/transmers.php3";
const char *const kSema = "/codes/semaphore/transsemaphore.php3";

QString codePath(const QString &code)
{
    return code == "gato" ? kGato : code == "mers" ? kMers : kSema;
}

QString symbolPrefix(const QString &code)
{
    return code == "gato" ? "g" : code == "mers" ? "f" : "s";
}

velmora::PageResponse get(const QString &path, const QByteArray &query)
{
    return renderPage("GET", path.toStdString(), query.toStdString());
}

velmora::PageResponse codePage(const QString &code, const QString &message)
{
    return get(codePath(code), "texte=" + QUrl::toPercentEncoding(message));
}

QString html(const velmora::PageResponse &r)
{
    return QString::fromStdString(r.html);
}

// What the drawing shows, in order: symbol ids, "gap" (a blank between
// pictures), "row" (a new row) and "box:TEXT" (a character drawn as itself,
// TEXT as written in the HTML).
QStringList drawingTokens(const QString &page)
{
    const qsizetype start = page.indexOf("<div class=\"drawing\"");
    const qsizetype end = page.indexOf("<section class=\"legend\"", start);
    if (start < 0 || end < 0)
        return {"no drawing"};
    static const QRegularExpression re(
        "<use href=\"#([^\"]+)\"/>|(?<=>)( +)(?=<)|<span class=\"box[^\"]*\">(.*?)</span>|(</div><div class=\"row\">)");
    QStringList tokens;
    for (const auto &m : re.globalMatch(page.mid(start, end - start))) {
        if (m.hasCaptured(1))
            tokens << m.captured(1);
        else if (m.hasCaptured(2))
            for (qsizetype i = 0; i < m.capturedLength(2); ++i)
                tokens << "gap";
        else if (m.hasCaptured(4))
            tokens << "row";
        else
            tokens << "box:" + m.captured(3);
    }
    return tokens;
}

QString symbolBody(const QString &page, const QString &id)
{
    const QRegularExpression re("<symbol id=\"" + QRegularExpression::escape(id) +
                                "\" viewBox=\"[^\"]*\">(.*?)</symbol>");
    return re.match(page).captured(1);
}

QString title(const QString &page)
{
    static const QRegularExpression re("<title>(.*?)</title>");
    return re.match(page).captured(1);
}

// The corners of a flag's outline (the last path of its symbol, absolute M H V L Z).
QList<QPointF> outline(const QString &symbol)
{
    static const QRegularExpression paths("<path d=\"([^\"]*)\" fill=\"none\"");
    QString d;
    for (const auto &m : paths.globalMatch(symbol))
        d = m.captured(1);
    QList<QPointF> points;
    QPointF at;
    static const QRegularExpression cmd(R"(([MHVLZ])\s*([-\d.]*)\s*([-\d.]*))");
    for (const auto &m : cmd.globalMatch(d)) {
        const QString c = m.captured(1);
        if (c == "H")
            at.setX(m.captured(2).toDouble());
        else if (c == "V")
            at.setY(m.captured(2).toDouble());
        else if (c == "M" || c == "L")
            at = QPointF(m.captured(2).toDouble(), m.captured(3).toDouble());
        else
            continue;
        points << at;
    }
    return points;
}

} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void percentDecode_data();
    void percentDecode();
    void utf8Validation_data();
    void utf8Validation();
    void queryValue_data();
    void queryValue();

    void everyCharacterHasItsPicture_data();
    void everyCharacterHasItsPicture();
    void picturesAreDistinct_data();
    void picturesAreDistinct();
    void messageLayout_data();
    void messageLayout();
    void blanksAreSpacing_data();
    void blanksAreSpacing();
    void formEncodedMessages_data();
    void formEncodedMessages();
    void escaping_data();
    void escaping();
    void titles_data();
    void titles();
    void emptyMessage_data();
    void emptyMessage();
    void badMessages_data();
    void badMessages();
    void messageLengthLimit_data();
    void messageLengthLimit();
    void pageSizeIsBounded_data();
    void pageSizeIsBounded();

    void flagDefinitions_data();
    void flagDefinitions();
    void semaphorePositions_data();
    void semaphorePositions();
    void gatoDots();

    void everyPageIsWellFormed_data();
    void everyPageIsWellFormed();
    void routes_data();
    void routes();
    void contactPage();
    void versionPage_data();
    void versionPage();
};

void TestPages::percentDecode_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("decoded");
    QTest::newRow("plain") << QByteArray("Bonjour") << true << QByteArray("Bonjour");
    QTest::newRow("plus stays a plus in a path") << QByteArray("a+b") << true << QByteArray("a+b");
    QTest::newRow("encoded plus") << QByteArray("a%2Bb") << true << QByteArray("a+b");
    QTest::newRow("blank") << QByteArray("a%20b") << true << QByteArray("a b");
    QTest::newRow("lower-case hex") << QByteArray("%c3%a9") << true << QByteArray("\xc3\xa9");
    QTest::newRow("upper-case hex") << QByteArray("%C3%A9") << true << QByteArray("\xc3\xa9");
    QTest::newRow("percent itself") << QByteArray("100%25") << true << QByteArray("100%");
    QTest::newRow("decoded once only") << QByteArray("%2541") << true << QByteArray("%41");
    QTest::newRow("CR LF") << QByteArray("%0D%0A") << true << QByteArray("\r\n");
    QTest::newRow("NUL byte") << QByteArray("a%00b") << true << QByteArray("a\0b", 3);
    QTest::newRow("empty") << QByteArray("") << true << QByteArray("");
    QTest::newRow("lone percent") << QByteArray("100%") << false << QByteArray();
    QTest::newRow("one digit at the end") << QByteArray("%4") << false << QByteArray();
    QTest::newRow("not hex") << QByteArray("%G1") << false << QByteArray();
    QTest::newRow("second not hex") << QByteArray("%1G") << false << QByteArray();
    QTest::newRow("percent then blank") << QByteArray("% 20") << false << QByteArray();
}

void TestPages::percentDecode()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, valid);
    QFETCH(QByteArray, decoded);
    const std::string_view view(raw.constData(), raw.size());
    const auto result = velmora::percentDecode(view);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(QByteArray::fromStdString(*result), decoded);
    // A query's values are form-encoded: the same, except that a '+' is a blank.
    const auto form = velmora::formDecode(view);
    QCOMPARE(form.has_value(), valid);
    if (valid)
        QCOMPARE(form, velmora::percentDecode(QByteArray(raw).replace('+', "%20").toStdString()));
}

void TestPages::utf8Validation_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ASCII") << QByteArray("abc") << true;
    QTest::newRow("e acute") << QByteArray("\xc3\xa9") << true;
    QTest::newRow("euro") << QByteArray("\xe2\x82\xac") << true;
    QTest::newRow("emoji") << QByteArray("\xf0\x9f\x98\x80") << true;
    QTest::newRow("last code point") << QByteArray("\xf4\x8f\xbf\xbf") << true;
    QTest::newRow("last before surrogates") << QByteArray("\xed\x9f\xbf") << true;
    QTest::newRow("lone continuation") << QByteArray("\x80") << false;
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << false;
    QTest::newRow("overlong C1") << QByteArray("\xc1\xbf") << false;
    QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf") << false;
    QTest::newRow("overlong four bytes") << QByteArray("\xf0\x80\x80\xaf") << false;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false;
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    QTest::newRow("F5 lead") << QByteArray("\xf5\x80\x80\x80") << false;
    QTest::newRow("FF byte") << QByteArray("a\xff") << false;
    QTest::newRow("truncated at the end") << QByteArray("a\xe2\x82") << false;
    QTest::newRow("lead then ASCII") << QByteArray("\xc3(") << false;
}

void TestPages::utf8Validation()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(velmora::isValidUtf8(std::string_view(bytes.constData(), bytes.size())), valid);
}

void TestPages::queryValue_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("alone") << QByteArray("texte=abc") << true << QByteArray("abc");
    QTest::newRow("among others") << QByteArray("a=1&texte=x%20y&b") << true << QByteArray("x%20y");
    QTest::newRow("unencoded ampersand ends it") << QByteArray("texte=a&b") << true << QByteArray("a");
    QTest::newRow("bare key") << QByteArray("texte") << true << QByteArray("");
    QTest::newRow("empty value") << QByteArray("texte=") << true << QByteArray("");
    QTest::newRow("first of two") << QByteArray("texte=1&texte=2") << true << QByteArray("1");
    QTest::newRow("encoded key") << QByteArray("t%65xte=ok") << true << QByteArray("ok");
    QTest::newRow("value holds '='") << QByteArray("texte=a=b") << true << QByteArray("a=b");
    QTest::newRow("empty query") << QByteArray("") << false << QByteArray();
    QTest::newRow("longer key") << QByteArray("textes=1") << false << QByteArray();
    QTest::newRow("key as a value") << QByteArray("x=texte") << false << QByteArray();
}

void TestPages::queryValue()
{
    QFETCH(QByteArray, query);
    QFETCH(bool, present);
    QFETCH(QByteArray, value);
    const std::string raw = query.toStdString(); // the value is a view into it
    const auto result = velmora::rawQueryValue(raw, "texte");
    QCOMPARE(result.has_value(), present);
    if (present)
        QCOMPARE(QByteArray(result->data(), result->size()), value);
}

void TestPages::everyCharacterHasItsPicture_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QStringList>("expected");
    for (const QString code : {"gato", "mers", "semaphore"}) {
        const QString p = symbolPrefix(code);
        for (char c = 'A'; c <= 'Z'; ++c)
            QTest::addRow("%s %c", qPrintable(code), c) << code << QString(QChar(c)) << QStringList{p + c};
        for (int d = 0; d <= 9; ++d) {
            const QString digit = QString::number(d);
            QStringList expected;
            if (code == "gato")
                expected = {"box:" + digit}; // no picture: the digit itself
            else if (code == "mers")
                expected = {"f" + digit}; // the numeral pennant
            else                          // numeral sign, then A..I for 1..9 and K for 0
                expected = {"sNum", QString("s") + (d == 0 ? QChar('K') : QChar('A' + d - 1))};
            QTest::addRow("%s %d", qPrintable(code), d) << code << digit << expected;
        }
    }
}

void TestPages::everyCharacterHasItsPicture()
{
    QFETCH(QString, code);
    QFETCH(QString, character);
    QFETCH(QStringList, expected);
    const QString page = html(codePage(code, character));
    QCOMPARE(drawingTokens(page), expected);
    for (const QString &token : expected)
        if (!token.startsWith("box:"))
            QVERIFY2(!symbolBody(page, token).isEmpty(), qPrintable(token + " is not defined"));
}

void TestPages::picturesAreDistinct_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("characters");
    QTest::newRow("gato") << "gato"
                          << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QTest::newRow("mers") << "mers"
                          << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QTest::newRow("semaphore") << "semaphore"
                               << "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
}

void TestPages::picturesAreDistinct()
{
    QFETCH(QString, code);
    QFETCH(QString, characters);
    const QString page = html(codePage(code, "x"));
    QSet<QString> seen;
    QStringList ids;
    for (QChar c : characters)
        ids << symbolPrefix(code) + c;
    if (code == "semaphore")
        ids << "sNum";
    for (const QString &id : ids) {
        const QString body = symbolBody(page, id);
        QVERIFY2(!body.isEmpty(), qPrintable(id));
        QVERIFY2(!seen.contains(body), qPrintable(id + " draws like another character"));
        seen.insert(body);
    }
}

void TestPages::messageLayout_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");
    const QStringList bonjour{"sB", "sO", "sN", "sJ", "sO", "sU", "sR"};
    QTest::newRow("semaphore Bonjour 2026")
        << "semaphore"
        << "Bonjour 2026" << bonjour + QStringList{"gap", "sNum", "sB", "sK", "sB", "sF"};
    QTest::newRow("semaphore back to letters with J") << "semaphore"
                                                      << "a1b" << QStringList{"sA", "sNum", "sA", "sJ", "sB"};
    QTest::newRow("semaphore numerals go on across a blank")
        << "semaphore"
        << "12 34" << QStringList{"sNum", "sA", "sB", "gap", "sC", "sD"};
    QTest::newRow("semaphore J in letters") << "semaphore"
                                            << "j" << QStringList{"sJ"};
    QTest::newRow("lower and upper case") << "gato"
                                          << "aA" << QStringList{"gA", "gA"};
    QTest::newRow("accents") << "mers" << QString("éÈçÀôÜ") << QStringList{"fE", "fE", "fC", "fA", "fO", "fU"};
    QTest::newRow("combining accent") << "gato" << QString("e\u0301t\u0308") << QStringList{"gE", "gT"};
    QTest::newRow("joined letters") << "gato" << QString("Œß") << QStringList{"gO", "gE", "gS", "gS"};
    QTest::newRow("blank") << "gato"
                           << "a b" << QStringList{"gA", "gap", "gB"};
    QTest::newRow("two blanks") << "gato"
                                << "a  b" << QStringList{"gA", "gap", "gap", "gB"};
    QTest::newRow("tab and no-break space")
        << "gato" << QString("a\tb\u00a0c") << QStringList{"gA", "gap", "gB", "gap", "gC"};
    QTest::newRow("CR LF") << "gato"
                           << "a\r\nb" << QStringList{"gA", "row", "gB"};
    QTest::newRow("LF") << "gato"
                        << "a\nb" << QStringList{"gA", "row", "gB"};
    QTest::newRow("CR") << "gato"
                        << "a\rb" << QStringList{"gA", "row", "gB"};
    QTest::newRow("empty line") << "gato"
                                << "a\r\n\r\nb" << QStringList{"gA", "row", "row", "gB"};
    QTest::newRow("LF CR is two breaks") << "gato"
                                         << "a\n\rb" << QStringList{"gA", "row", "row", "gB"};
    QTest::newRow("trailing CR LF") << "gato"
                                    << "ICI\r\n"
                                    << QStringList{"gI", "gC", "gI", "row"};
    QTest::newRow("punctuation in a box") << "mers"
                                          << "a?b" << QStringList{"fA", "box:?", "fB"};
    QTest::newRow("euro sign") << "mers" << QString("5€") << QStringList{"f5", "box:€"};
    QTest::newRow("emoji with modifier") << "gato" << QString("👍🏽") << QStringList{"box:👍🏽"};
    QTest::newRow("markup character") << "gato"
                                      << "<" << QStringList{"box:&lt;"};
    QTest::newRow("control character") << "gato" << QString("a\u0007") << QStringList{"gA", "box:U+0007"};
    QTest::newRow("blanks at the start and the end") << "gato"
                                                     << " a  " << QStringList{"gap", "gA", "gap", "gap"};
    QTest::newRow("only blanks") << "mers"
                                 << "  " << QStringList{"gap", "gap"};
    QTest::newRow("blank before a line break") << "gato"
                                               << "a \nb" << QStringList{"gA", "gap", "row", "gB"};
    QTest::newRow("non-Latin letter") << "gato" << QString("Ж") << QStringList{"box:Ж"};
}

void TestPages::messageLayout()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    QCOMPARE(drawingTokens(html(codePage(code, message))), expected);
}

void TestPages::formEncodedMessages_data()
{
    // The query as typed by hand in an address: '+' is a blank, "%2B" a plus.
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("drawing");
    QTest::newRow("plus is a blank") << QByteArray("texte=a+b") << "Gato — a b" << QStringList{"gA", "gap", "gB"};
    QTest::newRow("encoded plus") << QByteArray("texte=a%2Bb") << "Gato — a+b" << QStringList{"gA", "box:+", "gB"};
    QTest::newRow("both") << QByteArray("texte=1+%2B+1") << "Gato — 1 + 1"
                          << QStringList{"box:1", "gap", "box:+", "gap", "box:1"};
    QTest::newRow("plus in the key") << QByteArray("te+xte=a&texte=b") << "Gato — b" << QStringList{"gB"};
    QTest::newRow("encoded key") << QByteArray("%74exte=c") << "Gato — c" << QStringList{"gC"};
}

void TestPages::formEncodedMessages()
{
    QFETCH(QByteArray, query);
    QFETCH(QString, title);
    QFETCH(QStringList, drawing);
    const QString page = html(get(kGato, query));
    QCOMPARE(::title(page), title);
    QCOMPARE(drawingTokens(page), drawing);
}

void TestPages::blanksAreSpacing_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("semaphore, long words") << "semaphore" << QString("Rendez-vous maintenant à la plage");
    QTest::newRow("mers, letters then digits") << "mers"
                                               << "Bonjour 2026";
    QTest::newRow("gato, blanks and boxes") << "gato" << QString("  a?  b\u0001 \r\n c ");
}

void TestPages::blanksAreSpacing()
{
    // A row holds words and the blanks between them, nothing else: a blank is
    // spacing (it hangs at a line wrap as in text), never a box that could
    // take a row of its own or indent the next one.
    QFETCH(QString, code);
    QFETCH(QString, message);
    const QString page = html(codePage(code, message));
    const qsizetype start = page.indexOf("<div class=\"drawing\"");
    const qsizetype end = page.indexOf("<section class=\"legend\"", start);
    QVERIFY(start >= 0 && end > start);
    static const QRegularExpression piece("<(/?)([a-z]+)([^>]*)>|([^<]+)");
    int depth = 0;     // below the row
    int rowLevel = -1; // depth of the row's children
    int words = 0, blanks = 0;
    for (const auto &m : piece.globalMatch(page.mid(start, end - start))) {
        if (m.hasCaptured(4)) {
            if (depth == rowLevel) {
                QVERIFY2(m.captured(4).trimmed().isEmpty() && !m.captured(4).contains('\n'),
                         qPrintable("text between words: " + m.captured(4)));
                blanks += int(m.capturedLength(4));
            }
            continue;
        }
        const bool closing = !m.captured(1).isEmpty();
        const bool selfClosed = m.captured(3).endsWith('/');
        if (closing) {
            --depth;
            continue;
        }
        if (m.captured(3) == " class=\"row\"")
            rowLevel = depth + 1;
        else if (depth == rowLevel) {
            QCOMPARE(m.captured(2) + m.captured(3), QString("span class=\"w\""));
            ++words;
        }
        if (!selfClosed)
            ++depth;
    }
    QCOMPARE(depth, 0);
    QVERIFY(words > 0);
    // Every blank of the message is one blank of the drawing.
    QCOMPARE(blanks, int(message.count(' ')));
}

void TestPages::escaping_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("escaped");
    const QList<std::pair<QString, QString>> cases = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"</title><script>x</script>", "&lt;/title&gt;&lt;script&gt;x&lt;/script&gt;"},
        {"\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
        {"a&b &amp;", "a&amp;b &amp;amp;"},
        {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
    };
    for (const QString code : {"gato", "mers", "semaphore"})
        for (const auto &[message, escaped] : cases)
            QTest::addRow("%s %s", qPrintable(code), qPrintable(message)) << code << message << escaped;
}

void TestPages::escaping()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(QString, escaped);
    const QString page = html(codePage(code, message));
    QVERIFY(!page.contains("<script", Qt::CaseInsensitive));
    QVERIFY(!page.contains("<img", Qt::CaseInsensitive));
    QVERIFY(title(page).endsWith(" — " + escaped));
    QVERIFY(page.contains("<p class=\"msg\"><bdi>" + escaped + "</bdi></p>"));
}

void TestPages::titles_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::newRow("gato") << "gato"
                          << "Bonjour" << QString("Gato — Bonjour");
    QTest::newRow("mers") << "mers"
                          << "Bonjour" << QString("Code des Mers — Bonjour");
    QTest::newRow("semaphore") << "semaphore"
                               << "Bonjour" << QString("Sémaphore — Bonjour");
    QTest::newRow("accents kept") << "gato"
                                  << "Ça été" << QString("Gato — Ça été");
    QTest::newRow("line break as a blank") << "mers"
                                           << "un\r\ndeux" << QString("Code des Mers — un deux");
    QTest::newRow("empty") << "semaphore"
                           << "" << QString("Sémaphore — ");
}

void TestPages::titles()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QCOMPARE(title(html(codePage(code, message))), expected);
}

void TestPages::emptyMessage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("query");
    for (const QString code : {"gato", "mers", "semaphore"}) {
        QTest::addRow("%s texte=", qPrintable(code)) << code << QByteArray("texte=");
        QTest::addRow("%s no texte", qPrintable(code)) << code << QByteArray("");
    }
}

void TestPages::emptyMessage()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, query);
    const auto r = get(codePath(code), query);
    QCOMPARE(r.status, 200);
    QVERIFY(html(r).contains("Le message est vide"));
    QCOMPARE(drawingTokens(html(r)), QStringList());
}

void TestPages::badMessages_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::newRow("lone percent") << QByteArray("texte=100%");
    QTest::newRow("short sequence") << QByteArray("texte=%4");
    QTest::newRow("not hex") << QByteArray("texte=%zz");
    QTest::newRow("Latin-1 byte") << QByteArray("texte=caf%E9");
    QTest::newRow("overlong") << QByteArray("texte=%C0%AF");
    QTest::newRow("surrogate") << QByteArray("texte=%ED%A0%80");
    QTest::newRow("truncated") << QByteArray("texte=%E2%82");
}

void TestPages::badMessages()
{
    QFETCH(QByteArray, query);
    for (const char *path : {kGato, kMers, kSema}) {
        const auto r = get(path, query);
        QCOMPARE(r.status, 400);
        QVERIFY(html(r).contains("Erreur 400"));
        QVERIFY(html(r).contains("Le message n’a pas pu être lu"));
    }
}

void TestPages::messageLengthLimit_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("status");
    // The service draws up to 2000 characters.
    QTest::newRow("at the limit") << QString(2000, 'a') << 200;
    QTest::newRow("at the limit, two bytes each") << QString(2000, QChar(0xe9)) << 200;
    QTest::newRow("at the limit, four bytes each") << QString("😀").repeated(2000) << 200;
    QTest::newRow("one over") << QString(2001, 'a') << 414;
}

void TestPages::messageLengthLimit()
{
    QFETCH(QString, message);
    QFETCH(int, status);
    const auto r = codePage("mers", message);
    QCOMPARE(r.status, status);
    if (status != 200)
        QVERIFY(html(r).contains("Le message compte 2001 caractères"));
}

void TestPages::pageSizeIsBounded_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    const int n = velmora::kMaxMessageLength;
    QTest::newRow("quotes") << "gato" << QString(n, '"');
    QTest::newRow("ampersands") << "mers" << QString(n, '&');
    QTest::newRow("letters and digits alternating") << "semaphore" << QString("a1").repeated(n / 2);
    QTest::newRow("control characters") << "gato" << QString(n, QChar(1));
    QTest::newRow("emoji") << "mers" << QString("😀").repeated(n);
    QTest::newRow("line breaks") << "semaphore" << QString(n, '\n');
}

void TestPages::pageSizeIsBounded()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    const auto r = codePage(code, message);
    QCOMPARE(r.status, 200);
    QVERIFY2(r.html.size() < 1024 * 1024, qPrintable(QString::number(r.html.size())));
}

void TestPages::flagDefinitions_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<QString>("shape");
    const QString white = "#ffffff", blue = "#003da5", red = "#da291c", yellow = "#ffcd00", black = "#111111";
    QTest::newRow("A white and blue, swallowtail") << "A" << QStringList{white, blue} << "swallowtail";
    QTest::newRow("B red, swallowtail") << "B" << QStringList{red} << "swallowtail";
    QTest::newRow("C blue white red") << "C" << QStringList{blue, white, red} << "rectangle";
    QTest::newRow("I yellow with a black ball") << "I" << QStringList{yellow, black} << "rectangle";
    QTest::newRow("M blue with a white saltire") << "M" << QStringList{blue, white} << "rectangle";
    QTest::newRow("O red and yellow") << "O" << QStringList{red, yellow} << "rectangle";
    QTest::newRow("Q yellow") << "Q" << QStringList{yellow} << "rectangle";
    QTest::newRow("Z four colours") << "Z" << QStringList{yellow, black, blue, red} << "rectangle";
    QTest::newRow("1 white with a red ball") << "1" << QStringList{white, red} << "pennant";
    QTest::newRow("6 black and white") << "6" << QStringList{black, white} << "pennant";
    QTest::newRow("0 yellow and red") << "0" << QStringList{yellow, red} << "pennant";
}

void TestPages::flagDefinitions()
{
    QFETCH(QString, flag);
    QFETCH(QStringList, colours);
    QFETCH(QString, shape);
    const QString symbol = symbolBody(html(codePage("mers", "x")), "f" + flag);
    QVERIFY(!symbol.isEmpty());

    // The colours painted inside the flag (its outline aside).
    const QString inside = symbol.left(symbol.lastIndexOf("<path"));
    QSet<QString> painted;
    static const QRegularExpression paint("(?:fill|stroke)=\"(#[0-9a-f]{6})\"");
    for (const auto &m : paint.globalMatch(inside))
        painted.insert(m.captured(1));
    QCOMPARE(painted, QSet<QString>(colours.cbegin(), colours.cend()));

    const QList<QPointF> corners = outline(symbol);
    QVERIFY(corners.size() >= 4);
    qreal minX = 1e9, maxX = -1e9;
    for (const QPointF &p : corners) {
        minX = qMin(minX, p.x());
        maxX = qMax(maxX, p.x());
    }
    auto heightAt = [&](qreal x) {
        qreal lo = 1e9, hi = -1e9;
        for (const QPointF &p : corners)
            if (qFuzzyCompare(p.x() + 1, x + 1)) {
                lo = qMin(lo, p.y());
                hi = qMax(hi, p.y());
            }
        return hi - lo;
    };
    // A swallowtail has a corner cut into the fly, between its top and bottom edges.
    bool notch = false;
    for (const QPointF &p : corners)
        notch = notch || (p.x() > minX && p.x() < maxX && heightAt(maxX) > 0);
    QString found;
    if (notch)
        found = "swallowtail";
    else if (heightAt(maxX) < heightAt(minX))
        found = "pennant"; // narrower at the fly than at the hoist
    else if (corners.size() == 4 || corners.size() == 5)
        found = "rectangle";
    QCOMPARE(found, shape);
}

void TestPages::semaphorePositions_data()
{
    // Arm directions seen from the front, in the picture's degrees (0 right,
    // 90 down, 180 left, 270 up).
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QList<int>>("arms");
    QTest::newRow("A: down, and low on the observer's left") << "sA" << QList<int>{90, 135};
    QTest::newRow("D: straight up and straight down") << "sD" << QList<int>{90, 270};
    QTest::newRow("N: both low, on each side") << "sN" << QList<int>{45, 135};
    QTest::newRow("R: both level, arms outstretched") << "sR" << QList<int>{0, 180};
    QTest::newRow("U: both high") << "sU" << QList<int>{225, 315};
    QTest::newRow("J: up and level on the observer's right") << "sJ" << QList<int>{0, 270};
    QTest::newRow("numeral sign: up and high on the right") << "sNum" << QList<int>{270, 315};
}

void TestPages::semaphorePositions()
{
    QFETCH(QString, symbol);
    QFETCH(QList<int>, arms);
    const QString body = symbolBody(html(codePage("semaphore", "x")), symbol);
    static const QRegularExpression rotate(R"(rotate\((\d+)\))");
    QList<int> found;
    for (const auto &m : rotate.globalMatch(body))
        found << m.captured(1).toInt();
    std::sort(found.begin(), found.end());
    QCOMPARE(found, arms);
}

void TestPages::gatoDots()
{
    // J..R and W..Z carry a dot; each of them has the outline of its plain twin.
    const QString page = html(codePage("gato", "x"));
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString body = symbolBody(page, QString("g") + c);
        const bool dotted = (c >= 'J' && c <= 'R') || c >= 'W';
        QCOMPARE(body.contains("<circle"), dotted);
        if (dotted) {
            const char twin = c <= 'R' ? char(c - 9) : char(c - 4);
            const QString plain = symbolBody(page, QString("g") + twin);
            QCOMPARE(body.left(body.indexOf("<circle")), plain);
        }
    }
}

void TestPages::everyPageIsWellFormed_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("query");
    const QList<QByteArray> messages = {"",
                                        "Bonjour 2026",
                                        "%3Cscript%3E%26amp%3B%22%27",
                                        "a%0D%0Ab%0Ac%0Dd",
                                        "%01%7F%C2%85%09",
                                        "caf%C3%A9+%C5%93",
                                        "%F0%9F%91%8D%F0%9F%8F%BD",
                                        "1+%2B+1",
                                        "%E2%80%AE%D7%A9%D7%9C%D7%95%D7%9D",
                                        "%",
                                        "%C3"};
    for (const char *path : {kGato, kMers, kSema})
        for (const QByteArray &message : messages)
            QTest::addRow("%s %s", path, message.constData()) << QString(path) << "texte=" + message;
    QTest::newRow("too long") << QString(kMers) << "texte=" + QByteArray(velmora::kMaxMessageLength + 1, 'a');
    QTest::newRow("home") << "/" << QByteArray();
    QTest::newRow("contact") << "/Contact/form.php3" << QByteArray();
    for (const QByteArray &version :
         QList<QByteArray>{"", "ver=3.1", "ver=2", "ver=%3Cb%3E", "ver=%FF", "ver=" + QByteArray(99, '9')})
        QTest::addRow("version %s", version.constData()) << "/version/" << version;
    QTest::newRow("not found") << "/nowhere" << QByteArray();
    QTest::newRow("bad path") << "/%zz" << QByteArray();
}

void TestPages::everyPageIsWellFormed()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, query);
    const auto report = velmora::testsupport::checkHtml(get(path, query).html);
    QVERIFY2(!report.problem,
             report.problem
                 ? qPrintable(QString::fromStdString(report.problem->what + " near: " + report.problem->near))
                 : "");
    QVERIFY(report.tagSequence.size() > 10);
    // The error pages the HTTP layer sends without a request reaching the router.
    for (const int status : {400, 404, 405, 413, 414, 416, 421, 500, 503, 418}) {
        const auto error = velmora::testsupport::checkHtml(velmora::errorPage(status));
        QVERIFY2(!error.problem, qPrintable(QString::number(status)));
    }
}

void TestPages::routes_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("contains");
    QTest::newRow("home") << QByteArray("GET") << "/" << 200 << "<a href=\"/Contact/form.php3\">";
    QTest::newRow("home links the codes") << QByteArray("GET") << "/" << 200 << "/codes/semaphore/transsemaphore.php3";
    QTest::newRow("contact") << QByteArray("GET") << "/Contact/form.php3" << 200 << "mailto:";
    QTest::newRow("version") << QByteArray("GET") << "/version/" << 200 << "<h1>Version</h1>";
    QTest::newRow("encoded path") << QByteArray("GET") << "/codes/gato/transgato%2Ephp3" << 200 << "<h1>Gato</h1>";
    QTest::newRow("HEAD") << QByteArray("HEAD") << "/" << 200 << "VelmoraWin III";
    QTest::newRow("unknown path") << QByteArray("GET") << "/codes/gato/" << 404 << "Erreur 404";
    QTest::newRow("case matters") << QByteArray("GET") << "/contact/form.php3" << 404 << "Erreur 404";
    QTest::newRow("bad path encoding") << QByteArray("GET") << "/%zz" << 400 << "Erreur 400";
    QTest::newRow("POST") << QByteArray("POST") << "/" << 405 << "GET et HEAD";
    QTest::newRow("PUT") << QByteArray("PUT") << kGato << 405 << "Erreur 405";
    QTest::newRow("DELETE") << QByteArray("DELETE") << "/nowhere" << 405 << "Erreur 405";
}

void TestPages::routes()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QString, contains);
    const auto r = renderPage(method.toStdString(), path.toStdString(), "");
    QCOMPARE(r.status, status);
    QCOMPARE(QString::fromStdString(r.allow), status == 405 ? QString("GET, HEAD") : QString());
    const QString page = html(r);
    QVERIFY(page.startsWith("<!DOCTYPE html>\n<html lang=\"fr\">"));
    QVERIFY(page.contains(contains));
    QVERIFY(!page.contains("<script", Qt::CaseInsensitive));
    QVERIFY(!page.contains("<form", Qt::CaseInsensitive));
}

void TestPages::contactPage()
{
    const QString page = html(renderPage("GET", "/Contact/form.php3", ""));
    const QString address = VELMORA_CONTACT_EMAIL;
    QVERIFY(page.contains("<a href=\"mailto:" + address + "\">" + address + "</a>"));
    QVERIFY(page.contains("rien n’y est saisi, collecté ni conservé"));
}

void TestPages::versionPage_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("current") << QByteArray("ver=3.1") << 200 << "Votre version, la <b>3.1</b>, est la version actuelle";
    QTest::newRow("current, written longer") << QByteArray("ver=3.1.0") << 200 << "est la version actuelle";
    QTest::newRow("older") << QByteArray("ver=3.0") << 200
                           << "une version plus récente de VelmoraWin III existe, la <b>3.1</b>";
    QTest::newRow("older, shorter") << QByteArray("ver=3") << 200 << "une version plus récente";
    QTest::newRow("not numerically equal")
        << QByteArray("ver=3.10") << 200 << "La version <b>3.10</b> n’est pas la version actuelle";
    QTest::newRow("newer") << QByteArray("ver=4.0") << 200 << "n’est pas la version actuelle : la version actuelle";
    QTest::newRow("not a version") << QByteArray("ver=abc") << 200 << "« abc » n’est pas un numéro de version";
    QTest::newRow("negative") << QByteArray("ver=-1") << 200 << "n’est pas un numéro de version";
    QTest::newRow("markup") << QByteArray("ver=%3Cb%3Ex") << 200 << "« &lt;b&gt;x » n’est pas un numéro de version";
    QTest::newRow("missing") << QByteArray("") << 200 << "L’adresse n’indique pas de version";
    QTest::newRow("empty") << QByteArray("ver=") << 200 << "L’adresse n’indique pas de version";
    QTest::newRow("very long, shortened to 40")
        << "ver=" + QByteArray(300, '9') << 200 << "« " + QString(40, '9') + "… »";
    QTest::newRow("41 characters, shortened") << "ver=" + QByteArray(41, '9') << 200 << "« " + QString(40, '9') + "… »";
    QTest::newRow("40 characters, whole") << "ver=" + QByteArray(40, '9') << 200 << "« " + QString(40, '9') + " »";
    QTest::newRow("bad encoding") << QByteArray("ver=%G0") << 400 << "Erreur 400";
    QTest::newRow("not UTF-8") << QByteArray("ver=%FF") << 400 << "Erreur 400";
}

void TestPages::versionPage()
{
    QFETCH(QByteArray, query);
    QFETCH(int, status);
    QFETCH(QString, says);
    const auto r = get("/version/", query);
    QCOMPARE(r.status, status);
    QVERIFY2(html(r).contains(says), qPrintable(html(r).mid(html(r).indexOf("<main>"), 400)));
    QVERIFY(!html(r).contains("<b>x"));
}

QTEST_APPLESS_MAIN(TestPages)
#include "tst_pages.moc"
