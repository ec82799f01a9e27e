#include "message.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <cstdio>

namespace velmora::render {

namespace {

using Kind = MessageItem::Kind;

MessageItem symbolItem(char symbol, std::string text)
{
    return {Kind::Symbol, symbol, std::move(text)};
}

// ASCII letters and digits; nothing for anything else.
char asciiSymbol(char16_t c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return static_cast<char>(c);
    return 0;
}

// Letters that Unicode does not decompose but that a reader sees as plain
// letters with a stroke, or as two letters joined.
std::string_view plainLetters(char16_t c)
{
    switch (c) {
    case u'æ':
    case u'Æ':
        return "AE";
    case u'œ':
    case u'Œ':
        return "OE";
    case u'ß':
    case u'\u1E9E': // capital sharp s
        return "SS";
    case u'ø':
    case u'Ø':
        return "O";
    case u'đ':
    case u'Đ':
        return "D";
    case u'ł':
    case u'Ł':
        return "L";
    case u'ı': // dotless i
        return "I";
    default:
        return {};
    }
}

void addAsciiChar(std::vector<MessageItem> &items, char c)
{
    if (const char s = asciiSymbol(static_cast<unsigned char>(c))) {
        items.push_back(symbolItem(s, std::string(1, c)));
    } else if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
        items.push_back({Kind::Blank, 0, {}});
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        char code[8];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        items.push_back({Kind::Other, 0, code, true});
    } else {
        items.push_back({Kind::Other, 0, std::string(1, c)});
    }
}

void addCluster(std::vector<MessageItem> &items, QStringView cluster)
{
    if (cluster == u"\r\n" || cluster == u"\r" || cluster == u"\n") {
        items.push_back({Kind::LineBreak, 0, {}});
        return;
    }
    if (cluster.size() == 1) {
        const char16_t c = cluster.front().unicode();
        if (c < 0x80) {
            addAsciiChar(items, static_cast<char>(c));
            return;
        }
        if (cluster.front().isSpace()) {
            items.push_back({Kind::Blank, 0, {}});
            return;
        }
        if (cluster.front().category() == QChar::Other_Control) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            items.push_back({Kind::Other, 0, code, true});
            return;
        }
    }
    // A base letter followed only by marks (accents, variation selectors) is
    // drawn as the base letter: é is E, and so is e followed by a combining acute.
    const QString decomposed = cluster.toString().normalized(QString::NormalizationForm_D);
    bool onlyMarks = !decomposed.isEmpty();
    for (qsizetype i = 1; i < decomposed.size() && onlyMarks; ++i)
        onlyMarks = decomposed.at(i).isMark();
    if (onlyMarks) {
        const char16_t base = decomposed.front().unicode();
        if (const char s = asciiSymbol(base)) {
            items.push_back(symbolItem(s, cluster.toString().toStdString()));
            return;
        }
        const std::string_view letters = plainLetters(base);
        if (!letters.empty()) {
            for (char s : letters)
                items.push_back(symbolItem(s, std::string(1, s)));
            return;
        }
    }
    items.push_back({Kind::Other, 0, cluster.toString().toStdString()});
}

} // namespace

std::vector<MessageItem> splitMessage(std::string_view utf8)
{
    std::vector<MessageItem> items;
    items.reserve(utf8.size());
    bool ascii = true;
    for (char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        // Every byte is one character, except CR LF.
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                    ++i;
                items.push_back({Kind::LineBreak, 0, {}});
            } else {
                addAsciiChar(items, c);
            }
        }
        return items;
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        addCluster(items, QStringView(text).mid(start, end - start));
        start = end;
    }
    return items;
}

} // namespace velmora::render
