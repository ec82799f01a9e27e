// Any request target through the rendering service's decoding and pages:
// never a crash, every page is well-formed HTML (one document, balanced tags,
// quoted attributes, valid character references, one title in the head, valid
// UTF-8 without control characters), and the message shows only as escaped
// text, exactly where the page shows it.
//
// The HTML check is the page tests' own (tests/support/htmlcheck).
//
// Input: the first byte picks the page (and whether "texte=" or "ver=" comes
// first); the rest is the raw query, or for the last choice a raw path up to
// the first '?' and the query after it.
#include "render/pages.h"
#include "tests/support/htmlcheck.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using namespace velmora;

namespace {

[[noreturn]] void fail(const char *what, std::string_view context = {})
{
    std::fprintf(stderr, "fuzz_render: %s\n", what);
    if (!context.empty())
        std::fprintf(stderr, "  near: %.*s\n", int(std::min<std::size_t>(context.size(), 300)), context.data());
    std::abort();
}

// ---------------------------------------------------- reference answers ----

// Decoding written again, plainly, to compare with the service's; FORM for a
// query's names and values, where '+' is a blank.
bool referenceDecode(std::string_view raw, std::string &out, bool form = false)
{
    out.clear();
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (form && raw[k] == '+') {
            out += ' ';
            continue;
        }
        if (raw[k] != '%') {
            out += raw[k];
            continue;
        }
        if (k + 2 >= raw.size())
            return false;
        const std::string hex(raw.substr(k + 1, 2));
        if (!std::isxdigit(static_cast<unsigned char>(hex[0])) || !std::isxdigit(static_cast<unsigned char>(hex[1])))
            return false;
        out += static_cast<char>(std::stoi(hex, nullptr, 16));
        k += 2;
    }
    return true;
}

// The raw value of the first pair named KEY (written plainly or encoded).
bool referenceValue(std::string_view query, std::string_view key, std::string_view &value)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t amp = query.find('&', start);
        const std::string_view pair = query.substr(start, amp == std::string_view::npos ? amp : amp - start);
        const std::size_t eq = pair.find('=');
        std::string decodedName;
        const std::string_view name = pair.substr(0, eq);
        if (name == key || (referenceDecode(name, decodedName, true) && decodedName == key)) {
            value = eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
            return true;
        }
        if (amp == std::string_view::npos)
            return false;
        start = amp + 1;
    }
}

// TEXT (valid UTF-8) as the page must show it: escaped, control characters as
// U+FFFD, and when FLATTEN line breaks and tabs as blanks (CR LF as one).
std::string referenceShown(std::string_view text, bool flatten)
{
    const QList<uint> points = QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4();
    std::string out;
    for (qsizetype k = 0; k < points.size(); ++k) {
        const char32_t c = points[k];
        if (flatten && (c == '\r' || c == '\n' || c == '\t')) {
            if (c == '\r' && k + 1 < points.size() && points[k + 1] == '\n')
                ++k;
            out += ' ';
        } else if (c == '\r' || c == '\n' || c == '\t') {
            out += char(c);
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            out += "\xEF\xBF\xBD";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&#39;";
        } else {
            out += QString::fromUcs4(&c, 1).toUtf8().toStdString();
        }
    }
    return out;
}

bool validUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // Decoding is lazy: the text must be made for the verdict to exist.
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !decoder.hasError();
}

std::string between(std::string_view page, std::string_view before, std::string_view after)
{
    const std::size_t a = page.find(before);
    if (a == std::string_view::npos)
        fail("a part of the page is missing", before);
    const std::size_t b = page.find(after, a + before.size());
    if (b == std::string_view::npos)
        fail("a part of the page is not closed", before);
    return std::string(page.substr(a + before.size(), b - a - before.size()));
}

std::string unescape(std::string_view text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '&') {
            out += text[k];
            continue;
        }
        const std::size_t semi = text.find(';', k);
        const std::string_view ref = text.substr(k, semi - k + 1);
        if (ref == "&amp;")
            out += '&';
        else if (ref == "&lt;")
            out += '<';
        else if (ref == "&gt;")
            out += '>';
        else if (ref == "&quot;")
            out += '"';
        else if (ref == "&#39;")
            out += '\'';
        else
            fail("htmlEscape wrote an unexpected reference", ref);
        k = semi;
    }
    return out;
}

// ----------------------------------------------------------- the pages ----

struct CodePath {
    std::string_view path;
    std::string_view title;
};
constexpr CodePath kCodePaths[] = {
    {"/codes/gato/transgato.php3", "Gato"},
    {"/codes/mers/transmers.php3", "Code des Mers"},
    {"/codes/semaphore/transsemaphore.php3", "Sémaphore"},
};

void checkCodePage(const CodePath &code, std::string_view query, const PageResponse &page)
{
    std::string_view raw;
    std::string message;
    int expected = 200;
    if (referenceValue(query, "texte", raw)) {
        if (!referenceDecode(raw, message, true) || !validUtf8(message))
            expected = 400;
        else if (QString::fromUtf8(message.data(), qsizetype(message.size())).toUcs4().size() > kMaxMessageLength)
            expected = 414;
    }
    if (page.status != expected)
        fail("a code page with an unexpected status");
    if (expected != 200)
        return;
    const std::string title = between(page.html, "<title>", "</title>");
    if (title != std::string(code.title) + " — " + referenceShown(message, true))
        fail("the title does not show the escaped message", title);
    const std::string shown = between(page.html, "<p class=\"msg\"><bdi>", "</bdi></p>");
    if (shown != referenceShown(message, false))
        fail("the message paragraph does not show the escaped message", shown);
}

// The tag sequences of the version page's five cases, made from plain values.
const std::set<std::vector<std::string>> &versionShapes()
{
    static const std::set<std::vector<std::string>> shapes = [] {
        std::set<std::vector<std::string>> all;
        // The version in use, as the home page links to it.
        const std::string home = renderPage("GET", "/", "").html;
        const std::string current = between(home, "/version/?ver=", "\"");
        for (const std::string &query : {std::string(), std::string("ver=abc"), std::string("ver=0.0.1"),
                                         "ver=" + current, std::string("ver=99999")}) {
            const std::string html = renderPage("GET", "/version/", query).html;
            const testsupport::HtmlReport report = testsupport::checkHtml(html);
            if (report.problem)
                fail("a version page of the reference set is not well-formed", report.problem->what);
            all.insert(report.tagSequence);
        }
        return all;
    }();
    return shapes;
}

void checkVersionPage(std::string_view query, const PageResponse &page, const testsupport::HtmlReport &check)
{
    std::string_view raw;
    std::string asked;
    const bool present = referenceValue(query, "ver", raw);
    const bool readable = !present || (referenceDecode(raw, asked, true) && validUtf8(asked));
    if (page.status != (readable ? 200 : 400))
        fail("a version page with an unexpected status");
    if (!readable)
        return;
    if (!versionShapes().count(check.tagSequence))
        fail("the version value changed the page's markup");
    if (asked.empty())
        return;
    const QString u = QString::fromUtf8(asked.data(), qsizetype(asked.size()));
    const QList<uint> points = u.toUcs4();
    std::string shown;
    if (points.size() > 40) {
        const QList<uint> head = points.mid(0, 40);
        const QString cut = QString::fromUcs4(reinterpret_cast<const char32_t *>(head.constData()), head.size());
        const QByteArray bytes = cut.toUtf8();
        shown = referenceShown(std::string_view(bytes.constData(), std::size_t(bytes.size())), true) + "…";
    } else {
        shown = referenceShown(asked, true);
    }
    if (page.html.find(shown) == std::string::npos)
        fail("the version page does not show the escaped value", shown);
}

// The helpers on their own, on the same bytes.
void checkHelpers(std::string_view bytes)
{
    std::string reference;
    const bool decodable = referenceDecode(bytes, reference);
    const std::optional<std::string> decoded = percentDecode(bytes);
    if (decoded.has_value() != decodable || (decoded && *decoded != reference))
        fail("percentDecode disagrees with the plain decoder");
    const bool formDecodable = referenceDecode(bytes, reference, true);
    const std::optional<std::string> formDecoded = formDecode(bytes);
    if (formDecoded.has_value() != formDecodable || (formDecoded && *formDecoded != reference))
        fail("formDecode disagrees with the plain decoder");
    if (isValidUtf8(bytes) != validUtf8(bytes))
        fail("isValidUtf8 disagrees with Qt");

    const std::string escaped = htmlEscape(bytes);
    if (escaped.find_first_of("<>\"'") != std::string::npos)
        fail("htmlEscape left a markup character");
    if (unescape(escaped) != bytes)
        fail("htmlEscape lost or changed characters");

    // Any bytes, percent-encoded, decode back to themselves.
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        encoded += '%';
        encoded += hex[c >> 4];
        encoded += hex[c & 15];
    }
    const std::optional<std::string> round = percentDecode(encoded);
    if (!round || *round != bytes)
        fail("percent-encoded bytes do not decode back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const unsigned choice = data[0];
    // An exact-size copy: a read past the end is caught.
    const std::vector<char> rest(data + 1, data + size);
    const std::string_view input(rest.data(), rest.size());

    static const std::vector<std::string_view> paths = {
        kCodePaths[0].path, kCodePaths[1].path, kCodePaths[2].path, "/version/", "/version", "/", "/Contact/form.php3"};
    std::string_view path;
    std::string query;
    if ((choice & 7) == 7) {
        const std::size_t question = input.find('?');
        path = input.substr(0, question);
        if (question != std::string_view::npos)
            query = std::string(input.substr(question + 1));
    } else {
        path = paths[choice % 7];
        if (choice & 8)
            query = (choice % 7 == 3 || choice % 7 == 4) ? "ver=" : "texte=";
        query += input;
    }

    const PageResponse page = renderPage("GET", path, query);
    if (page.status < 200 || page.status > 599)
        fail("a status out of range");
    const testsupport::HtmlReport check = testsupport::checkHtml(page.html);
    if (check.problem) {
        std::fprintf(stderr, "fuzz_render: %s\n  near: %s\n", check.problem->what.c_str(), check.problem->near.c_str());
        std::abort();
    }
    if (page.html.size() > 4 * 1024 * 1024)
        fail("a page of more than 4 MiB");
    if (renderPage("HEAD", path, query).html != page.html)
        fail("HEAD and GET give different pages");

    std::string decodedPath;
    const bool pathReadable = referenceDecode(path, decodedPath);
    if (!pathReadable && page.status != 400)
        fail("an unreadable path not answered 400");
    for (const CodePath &code : kCodePaths)
        if (pathReadable && decodedPath == code.path)
            checkCodePage(code, query, page);
    if (pathReadable && (decodedPath == "/version/" || decodedPath == "/version"))
        checkVersionPage(query, page, check);

    checkHelpers(input);
    return 0;
}
