#include "code_pages.h"

#include "drawings.h"
#include "error_pages.h"
#include "message.h"
#include "page_frame.h"
#include "page_paths.h"
#include "page_text.h"
#include "url_decoding.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::render {

namespace {

const CodeSheet &sheetOf(PictureCode code)
{
    switch (code) {
    case PictureCode::Gato:
        return gatoSheet();
    case PictureCode::Mers:
        return mersSheet();
    case PictureCode::Semaphore:
        break;
    }
    return semaphoreSheet();
}

// A character without a picture, written as itself in a box; a control
// character's name (U+XXXX) in smaller type, so that it fits.
void appendBox(std::string &out, const MessageItem &item)
{
    out += item.control ? "<span class=\"box ctl\">" : "<span class=\"box\">";
    appendEscaped(out, item.text);
    out += "</span>";
}

// One picture per character, in rows (one per line of the message) of words
// (runs of characters between blanks) that the browser wraps as a whole. A
// blank is written as a blank between the words, so it is spacing, as in
// text: at a line wrap it never takes a row of its own nor indents the next.
void appendDrawing(std::string &out, const CodeSheet &sheet, const std::vector<MessageItem> &items, bool semaphore)
{
    out += "<div class=\"drawing\" aria-label=\"Dessin du message\"><div class=\"row\">";
    bool inWord = false;
    bool numerals = false; // semaphore: after the numeral sign
    for (const MessageItem &item : items) {
        switch (item.kind) {
        case MessageItem::Kind::LineBreak:
            out += inWord ? "</span></div><div class=\"row\">" : "</div><div class=\"row\">";
            inWord = false;
            continue;
        case MessageItem::Kind::Blank:
            out += inWord ? "</span> " : " ";
            inWord = false;
            continue;
        default:
            break;
        }
        if (!inWord) {
            out += "<span class=\"w\">";
            inWord = true;
        }
        if (item.kind == MessageItem::Kind::Other) {
            appendBox(out, item);
            continue;
        }
        const char symbol = item.symbol;
        if (semaphore) {
            const bool digit = symbol >= '0' && symbol <= '9';
            if (digit && !numerals) {
                out += sheet.numeralSign;
                numerals = true;
            } else if (!digit && numerals) {
                out += sheet.lettersSign;
                numerals = false;
            }
        }
        const std::string &picture = sheet.pictureOf(symbol);
        if (picture.empty())
            appendBox(out, item);
        else
            out += picture;
    }
    out += inWord ? "</span></div></div>" : "</div></div>";
}

} // namespace

PageResponse codePage(PictureCode code, std::string_view rawQuery)
{
    std::string message;
    if (const std::optional<std::string_view> raw = rawQueryValue(rawQuery, pagepaths::kMessageKey)) {
        std::optional<std::string> decoded = formDecode(*raw);
        if (!decoded)
            return failure(400, "message illisible",
                           "Le message n’a pas pu être lu : dans l’adresse, un « % » doit être suivi de deux "
                           "chiffres hexadécimaux (par exemple « %20 » pour une espace, « %2B » pour « + », "
                           "« %25 » pour « % » lui-même).");
        if (!isValidUtf8(*decoded))
            return failure(400, "message illisible",
                           "Le message n’a pas pu être lu : une fois décodé, ce n’est pas du texte UTF-8 valide.");
        message = std::move(*decoded);
    }
    const int length = codePointCount(message);
    if (length > kMaxMessageLength)
        return failure(414, "message trop long",
                       "Le message compte " + std::to_string(length) + " caractères ; ce service en dessine au plus " +
                           std::to_string(kMaxMessageLength) + ". Coupez-le en plusieurs messages.");

    const CodeSheet &sheet = sheetOf(code);
    const std::vector<MessageItem> items = splitMessage(message);

    std::string out;
    out.reserve(headStart().size() + headEnd().size() + sheet.defs.size() + sheet.legend.size() + footer().size() +
                message.size() * 16 + items.size() * 120 + 512);
    out += headStart();
    out += sheet.title;
    out += " — ";
    appendMessageText(out, message, true);
    out += headEnd();
    out += "<main class=\"";
    out += sheet.cssClass;
    out += "\"><h1>";
    out += sheet.title;
    out += "</h1><p class=\"label\">Message</p><p class=\"msg\"><bdi>";
    appendMessageText(out, message, false);
    out += "</bdi></p>";
    out += sheet.defs;
    if (items.empty())
        out += "<div class=\"drawing\"><p class=\"note\">Le message est vide : il n’y a rien à dessiner.</p></div>";
    else
        appendDrawing(out, sheet, items, code == PictureCode::Semaphore);
    out += sheet.legend;
    out += "</main>";
    out += footer();
    return {200, std::move(out), {}};
}

} // namespace velmora::render
