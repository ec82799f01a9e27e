#include "htmlcheck.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <set>

namespace velmora::testsupport {

namespace {

// Thrown by the reader at the first fault, caught by checkHtml.
struct Fault {
    HtmlProblem problem;
};

[[noreturn]] void fail(const char *what, std::string_view context = {})
{
    throw Fault{{what, std::string(context.substr(0, std::min<std::size_t>(context.size(), 300)))}};
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// A strict reader of the HTML this service writes: every element closed (or
// void, or self-closed inside SVG), attribute values in double quotes without
// '<', every '&' starting a character reference, no '>' in text.
class HtmlCheck
{
public:
    explicit HtmlCheck(std::string_view html)
        : s(html)
    {
    }

    std::vector<std::string> tagSequence; // opening tags, in order

    void run()
    {
        static constexpr std::string_view doctype = "<!DOCTYPE html>\n";
        if (s.substr(0, doctype.size()) != doctype)
            fail("the page does not start with <!DOCTYPE html>", s);
        i = doctype.size();
        bool rootSeen = false;
        while (i < s.size()) {
            if (s[i] == '<') {
                if (stack.empty() && s.compare(i, 2, "</") != 0) {
                    if (rootSeen)
                        fail("a second root element", s.substr(i));
                    rootSeen = true;
                }
                tag();
            } else {
                if (stack.empty() && s[i] != '\n')
                    fail("text outside the root element", s.substr(i));
                text();
            }
        }
        if (!stack.empty())
            fail("an element is never closed", stack.back().name);
        if (!rootSeen || headTitles != 1)
            fail("the head does not hold exactly one <title>");
    }

private:
    struct Open {
        std::string name;
        bool textOnly;
    };
    std::string_view s;
    std::size_t i = 0;
    std::vector<Open> stack;
    int headTitles = 0;

    bool inside(std::string_view name) const
    {
        for (const Open &o : stack)
            if (o.name == name)
                return true;
        return false;
    }

    void reference()
    {
        // i is at '&'
        std::size_t j = i + 1;
        if (j < s.size() && s[j] == '#') {
            ++j;
            const std::size_t start = j;
            while (j < s.size() && isDigit(s[j]) && j - start < 8)
                ++j;
            if (j == start)
                fail("a numeric reference without digits", s.substr(i));
        } else {
            const std::size_t start = j;
            while (j < s.size() && isLetter(s[j]) && j - start < 10)
                ++j;
            static const std::set<std::string_view> named = {"amp", "lt", "gt", "quot", "nbsp"};
            if (!named.count(s.substr(start, j - start)))
                fail("an '&' that starts no known reference", s.substr(i));
        }
        if (j >= s.size() || s[j] != ';')
            fail("a reference without its ';'", s.substr(i));
        i = j + 1;
    }

    void text()
    {
        while (i < s.size() && s[i] != '<') {
            if (s[i] == '&')
                reference();
            else if (s[i] == '>')
                fail("a '>' in text", s.substr(i > 40 ? i - 40 : 0));
            else
                ++i;
        }
    }

    std::string name()
    {
        const std::size_t start = i;
        if (i >= s.size() || !isLetter(s[i]))
            fail("a '<' that starts no tag", s.substr(start > 40 ? start - 40 : 0));
        while (i < s.size() && (isLetter(s[i]) || isDigit(s[i]) || s[i] == '-' || s[i] == ':'))
            ++i;
        return std::string(s.substr(start, i - start));
    }

    void tag()
    {
        const std::size_t start = i;
        ++i; // '<'
        if (i < s.size() && s[i] == '/') {
            ++i;
            const std::string n = name();
            if (i >= s.size() || s[i] != '>')
                fail("a closing tag with more than its name", s.substr(start));
            ++i;
            if (stack.empty() || stack.back().name != n)
                fail("a closing tag that does not match the open element", s.substr(start));
            stack.pop_back();
            return;
        }
        if (!stack.empty() && stack.back().textOnly)
            fail("a tag inside an element that holds only text", s.substr(start));
        const std::string n = name();
        tagSequence.push_back(n);
        std::set<std::string> attributes;
        bool boxClass = false;
        bool selfClosed = false;
        while (true) {
            if (i >= s.size())
                fail("a tag that never ends", s.substr(start));
            if (s[i] == '>') {
                ++i;
                break;
            }
            if (s.compare(i, 2, "/>") == 0) {
                selfClosed = true;
                i += 2;
                break;
            }
            if (!isSpace(s[i]))
                fail("attributes not separated by a blank", s.substr(start));
            while (i < s.size() && isSpace(s[i]))
                ++i;
            if (i < s.size() && (s[i] == '>' || s[i] == '/'))
                continue;
            const std::string attribute = name();
            if (!attributes.insert(attribute).second)
                fail("an attribute given twice", s.substr(start));
            if (i < s.size() && s[i] == '=') {
                ++i;
                if (i >= s.size() || s[i] != '"')
                    fail("an attribute value without double quotes", s.substr(start));
                ++i;
                const std::size_t valueStart = i;
                while (i < s.size() && s[i] != '"') {
                    if (s[i] == '<')
                        fail("a '<' in an attribute value", s.substr(start));
                    if (s[i] == '&')
                        reference();
                    else
                        ++i;
                }
                if (i >= s.size())
                    fail("an attribute value that never ends", s.substr(start));
                if (n == "span" && attribute == "class" && s.substr(valueStart, i - valueStart) == "box")
                    boxClass = true;
                ++i;
            }
        }
        static const std::set<std::string_view> voids = {"meta", "link", "br", "img", "hr", "input"};
        if (voids.count(n))
            return;
        if (selfClosed) {
            if (!inside("svg") && n != "svg")
                fail("a self-closed tag outside SVG", s.substr(start));
            return;
        }
        if (n == "title") {
            if (!stack.empty() && stack.back().name == "head")
                ++headTitles;
            else if (!inside("svg"))
                fail("a <title> outside the head and outside SVG", s.substr(start));
        }
        if (n == "style") {
            const std::size_t end = s.find("</style>", i);
            if (end == std::string_view::npos)
                fail("a <style> never closed");
            if (s.substr(i, end - i).find('<') != std::string_view::npos)
                fail("a '<' in a style sheet");
            i = end + 8;
            return;
        }
        // Where the message and its characters go: text and nothing else.
        const bool textOnly = n == "title" || n == "bdi" || n == "b" || n == "text" || (n == "span" && boxClass);
        stack.push_back({n, textOnly});
    }
};

// Valid UTF-8 (Qt's verdict), with no control character but tab and line breaks.
void checkCharacters(std::string_view page)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(page.data(), qsizetype(page.size())));
    if (decoder.hasError())
        fail("the page is not valid UTF-8");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || (u >= 0x7F && u <= 0x9F))
            fail("a control character in the page");
    }
}

} // namespace

HtmlReport checkHtml(std::string_view page)
{
    HtmlReport report;
    try {
        checkCharacters(page);
        HtmlCheck check(page);
        check.run();
        report.tagSequence = std::move(check.tagSequence);
    } catch (const Fault &fault) {
        report.problem = fault.problem;
    }
    return report;
}

} // namespace velmora::testsupport
