#include "pages.h"

#include "drawings.h"
#include "message.h"
#include "velmora_config.h"

#include <vector>

namespace velmora {

using render::CodeSheet;
using render::MessageItem;

// ------------------------------------------------------------ decoding ----

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> percentDecode(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%') {
            out += raw[i];
            continue;
        }
        if (i + 2 >= raw.size())
            return std::nullopt;
        const int hi = hexValue(raw[i + 1]);
        const int lo = hexValue(raw[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char min2 = 0x80, max2 = 0xBF; // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                min2 = 0xA0; // overlong
            else if (c == 0xED)
                max2 = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                min2 = 0x90; // overlong
            else if (c == 0xF4)
                max2 = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        if (p[1] < min2 || p[1] > max2)
            return false;
        for (int k = 2; k < length; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return false;
        p += length;
    }
    return true;
}

std::optional<std::string_view> rawQueryValue(std::string_view rawQuery, std::string_view key)
{
    while (true) {
        const std::size_t amp = rawQuery.find('&');
        const std::string_view pair = rawQuery.substr(0, amp);
        const std::size_t eq = pair.find('=');
        const std::string_view name = pair.substr(0, eq);
        if (name == key)
            return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
        if (name.find('%') != std::string_view::npos) {
            const std::optional<std::string> decoded = percentDecode(name);
            if (decoded && *decoded == key)
                return eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
        }
        if (amp == std::string_view::npos)
            return std::nullopt;
        rawQuery.remove_prefix(amp + 1);
    }
}

// ------------------------------------------------------------ escaping ----

namespace {

void appendEscaped(std::string &out, std::string_view text)
{
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char *ref = nullptr;
        switch (text[i]) {
        case '&':
            ref = "&amp;";
            break;
        case '<':
            ref = "&lt;";
            break;
        case '>':
            ref = "&gt;";
            break;
        case '"':
            ref = "&quot;";
            break;
        case '\'':
            ref = "&#39;";
            break;
        default:
            continue;
        }
        out.append(text.substr(plain, i - plain));
        out += ref;
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The message as text: escaped, with control characters (which HTML cannot
// carry) shown as U+FFFD. Line breaks and tabs stay, unless FLATTEN turns them
// into blanks (for the title).
void appendMessageText(std::string &out, std::string_view utf8, bool flatten)
{
    std::size_t plain = 0;
    auto flush = [&](std::size_t upTo) { appendEscaped(out, utf8.substr(plain, upTo - plain)); };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool c1 = c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0;
        if (c1) { // U+0080..U+009F
            flush(i);
            out += kReplacement;
            plain = ++i + 1;
        } else if (c == '\r' || c == '\n' || c == '\t') {
            if (!flatten)
                continue;
            flush(i);
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            out += ' ';
            plain = i + 1;
        } else if (c < 0x20 || c == 0x7F) {
            flush(i);
            out += kReplacement;
            plain = i + 1;
        }
    }
    flush(utf8.size());
}

int codePointCount(std::string_view utf8)
{
    int n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// ---------------------------------------------------------- page frame ----

constexpr std::string_view kStyle =
    "*{box-sizing:border-box}"
    "body{margin:0;font:16px/1.5 \"DejaVu Sans\",Verdana,sans-serif;color:#1b1f2a;background:#eef1f7}"
    "header{background:#1d3f94;padding:.6em 1.2em;display:flex;flex-wrap:wrap;gap:.3em 1.4em;align-items:baseline}"
    "header a{color:#fff;text-decoration:none}header a:hover{text-decoration:underline}"
    ".brand{font-weight:bold;font-size:1.1em;margin-right:auto}"
    "main{max-width:62rem;margin:0 auto;padding:1em 1.2em 1.5em}"
    "h1{font-size:1.6em;margin:.2em 0 .5em}h2{font-size:1.2em;margin:1em 0 .4em}h3{font-size:1em;margin:1em 0 .4em}"
    "a{color:#1d3f94}"
    ".label{font-size:.9em;color:#4a5468;margin:0 0 .2em}"
    ".msg{background:#fff;border:1px solid #c9d1e0;border-radius:6px;padding:.5em .8em;margin:0;"
    "white-space:pre-wrap;overflow-wrap:anywhere}"
    ".drawing{background:#fff;border:1px solid #c9d1e0;border-radius:6px;padding:14px;margin:1em 0;"
    "display:flex;flex-direction:column;gap:16px}"
    ".row{display:flex;flex-wrap:wrap;gap:16px 0;min-height:var(--h)}"
    ".w{display:flex;flex-wrap:wrap;gap:6px}"
    ".gap{width:calc(var(--w)*.6);height:var(--h)}"
    ".g{display:block;width:var(--w);height:var(--h)}"
    ".box{width:var(--w);height:var(--h);border:2px solid #8a93a6;border-radius:4px;background:#fafbfd;"
    "display:flex;align-items:center;justify-content:center;overflow:hidden;white-space:pre;font-size:calc(var(--h)*.4)}"
    ".c-gato{--w:52px;--h:52px}.c-mers{--w:72px;--h:50px}.c-sema{--w:86px;--h:85px}"
    ".defs{position:absolute;width:0;height:0;overflow:hidden}"
    ".legend,.panel{background:#fff;border:1px solid #c9d1e0;border-radius:6px;padding:.1em 1em 1em}"
    ".keys{display:flex;flex-wrap:wrap;gap:10px 12px}"
    "figure{margin:0;display:flex;flex-direction:column;align-items:center;font-size:.8em}"
    ".legend .g{width:calc(var(--w)*.8);height:calc(var(--h)*.8)}"
    ".key{display:block;width:100%;max-width:580px;height:auto}"
    ".note{color:#4a5468;margin:0}"
    "footer{max-width:62rem;margin:0 auto;padding:0 1.2rem 2rem;color:#4a5468;font-size:.85em}";

constexpr std::string_view kGatoPath = "/codes/gato/transgato.php3";
constexpr std::string_view kMersPath = "/codes/mers/transmers.php3";
constexpr std::string_view kSemaphorePath = "/codes/semaphore/transsemaphore.php3";
constexpr std::string_view kContactPath = "/Contact/form.php3";

// Everything up to the title's text.
constexpr std::string_view kHeadStart = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\">"
                                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                        "<link rel=\"icon\" href=\"data:,\"><title>";

const std::string &headEnd()
{
    static const std::string s = std::string("</title><style>") + std::string(kStyle) +
                                 "</style></head><body><header><a class=\"brand\" href=\"/\">VelmoraWin III</a>"
                                 "<a href=\"/codes/gato/transgato.php3?texte=Gato\">Gato</a>"
                                 "<a href=\"/codes/mers/transmers.php3?texte=Code%20des%20Mers\">Code des Mers</a>"
                                 "<a href=\"/codes/semaphore/transsemaphore.php3?texte=Semaphore\">Sémaphore</a>"
                                 "<a href=\"/Contact/form.php3\">Contact</a></header>";
    return s;
}

const std::string &footer()
{
    static const std::string s = std::string("<footer>VelmoraWin III, version ") + VELMORA_VERSION +
                                 " · service de rendu des codes dessinés · <a href=\"/Contact/form.php3\">Contact</a>"
                                 "</footer></body></html>\n";
    return s;
}

std::string page(std::string_view titleHtml, std::string_view mainClass, std::string_view bodyHtml)
{
    std::string out;
    out.reserve(kHeadStart.size() + headEnd().size() + bodyHtml.size() + footer().size() + 128);
    out += kHeadStart;
    out += titleHtml;
    out += headEnd();
    out += "<main";
    if (!mainClass.empty()) {
        out += " class=\"";
        out += mainClass;
        out += '"';
    }
    out += '>';
    out += bodyHtml;
    out += "</main>";
    out += footer();
    return out;
}

PageResponse failure(int status, std::string_view heading, std::string_view explanation)
{
    std::string title = std::string("Erreur ") + std::to_string(status) + " — " + std::string(heading);
    std::string body = "<h1>" + title + "</h1><div class=\"panel\"><p>" + std::string(explanation) +
                       "</p><p><a href=\"/\">Retour à l’accueil</a></p></div>";
    return {status, page(title, {}, body), {}};
}

// ---------------------------------------------------------- code pages ----

enum class Code { Gato, Mers, Semaphore };

const CodeSheet &sheetOf(Code code)
{
    switch (code) {
    case Code::Gato:
        return render::gatoSheet();
    case Code::Mers:
        return render::mersSheet();
    case Code::Semaphore:
        break;
    }
    return render::semaphoreSheet();
}

void appendBox(std::string &out, const MessageItem &item)
{
    out += "<span class=\"box\">";
    appendEscaped(out, item.text);
    out += "</span>";
}

// One picture per character, in rows (one per line of the message) of words
// (runs of characters between blanks) that the browser wraps as a whole.
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
            out += inWord ? "</span><span class=\"gap\"></span>" : "<span class=\"gap\"></span>";
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

PageResponse codePage(Code code, std::string_view rawQuery)
{
    std::string message;
    if (const std::optional<std::string_view> raw = rawQueryValue(rawQuery, "texte")) {
        std::optional<std::string> decoded = percentDecode(*raw);
        if (!decoded)
            return failure(400, "message illisible",
                           "Le message n’a pas pu être lu : dans l’adresse, un « % » doit être suivi de deux "
                           "chiffres hexadécimaux (par exemple « %20 » pour une espace, « %25 » pour « % » "
                           "lui-même).");
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
    const std::vector<MessageItem> items = render::splitMessage(message);

    std::string out;
    out.reserve(kHeadStart.size() + headEnd().size() + sheet.defs.size() + sheet.legend.size() + footer().size() +
                message.size() * 16 + items.size() * 120 + 512);
    out += kHeadStart;
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
        appendDrawing(out, sheet, items, code == Code::Semaphore);
    out += sheet.legend;
    out += "</main>";
    out += footer();
    return {200, std::move(out), {}};
}

// ---------------------------------------------------------- site pages ----

const std::string &homePage()
{
    static const std::string html = page(
        "VelmoraWin III — des messages en codes", {},
        "<h1>VelmoraWin III</h1><div class=\"panel\">"
        "<p>VelmoraWin III est un petit programme de bureau qui transforme un message en codes classiques. "
        "On tape un message, on choisit un code, et le programme l’écrit aussitôt en code, ou le dessine.</p>"
        "<h2>Les codes</h2><ul>"
        "<li><b>Morse</b> et <b>Morse 2</b> : les points et les traits, ou le Morse écrit avec les lettres P et O ;</li>"
        "<li><b>César</b> : chaque lettre décalée dans l’alphabet ;</li>"
        "<li><b>Carré de Polybe</b> : chaque lettre donnée par sa ligne et sa colonne ;</li>"
        "<li><b>AlphaNum</b> : huit codes qui changent les lettres en nombres, en d’autres lettres ou en binaire ;</li>"
        "<li><b>Gato</b> : chaque lettre dessinée par le contour de sa case dans une grille de morpion "
        "(<a href=\"/codes/gato/transgato.php3?texte=Bonjour\">exemple</a>) ;</li>"
        "<li><b>Code des Mers</b> : les pavillons des signaux maritimes "
        "(<a href=\"/codes/mers/transmers.php3?texte=Bonjour\">exemple</a>) ;</li>"
        "<li><b>Sémaphore</b> : les positions des deux bras et de leurs fanions "
        "(<a href=\"/codes/semaphore/transsemaphore.php3?texte=Bonjour\">exemple</a>).</li></ul>"
        "<p>Les trois codes dessinés sont servis par ce service de rendu ; le programme les affiche dans sa propre "
        "fenêtre de navigation.</p>"
        "<p><a href=\"/Contact/form.php3\">Nous écrire</a> · <a href=\"/version/?ver=" VELMORA_VERSION
        "\">Version " VELMORA_VERSION "</a></p></div>");
    return html;
}

// The address for a mailto: link: characters outside a safe set percent-encoded.
std::string mailtoTarget(std::string_view address)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out = "mailto:";
    for (const char ch : address) {
        const auto c = static_cast<unsigned char>(ch);
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          std::string_view("@.-_~+!$*,;=:").find(ch) != std::string_view::npos;
        if (safe) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

const std::string &contactPage()
{
    static const std::string html = [] {
        const std::string address = VELMORA_CONTACT_EMAIL;
        std::string body = "<h1>Contact</h1><div class=\"panel\"><p>Une question, une idée, une erreur dans un "
                           "code ? Écrivez-nous à <a href=\"";
        appendEscaped(body, mailtoTarget(address));
        body += "\">";
        appendEscaped(body, address);
        body += "</a>.</p><p>Cette page n’a pas de formulaire : rien n’y est saisi, collecté ni conservé. Le lien "
                "ouvre votre propre messagerie, et c’est elle qui envoie votre courriel.</p></div>";
        return page("Contact — VelmoraWin III", {}, body);
    }();
    return html;
}

// A version number: up to six numbers separated by dots, each of up to nine digits.
std::optional<std::vector<long>> parseVersion(std::string_view text)
{
    std::vector<long> parts;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 9 || parts.size() == 6)
            return std::nullopt;
        long value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + (c - '0');
        }
        parts.push_back(value);
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
    }
    while (parts.size() > 1 && parts.back() == 0)
        parts.pop_back();
    return parts;
}

PageResponse versionPage(std::string_view rawQuery)
{
    const std::string current = VELMORA_VERSION;
    std::string text;
    const std::optional<std::string_view> raw = rawQueryValue(rawQuery, "ver");
    std::optional<std::string> asked;
    if (raw) {
        asked = percentDecode(*raw);
        if (!asked || !isValidUtf8(*asked))
            return failure(400, "version illisible",
                           "Le numéro de version de l’adresse n’a pas pu être lu : un « % » doit être suivi de deux "
                           "chiffres hexadécimaux, et le texte décodé doit être de l’UTF-8 valide.");
    }
    if (!asked || asked->empty()) {
        text = "<p>L’adresse n’indique pas de version à vérifier.</p><p>La version actuelle de VelmoraWin III "
               "est la <b>" + current + "</b>.</p>";
    } else {
        // Shown as sent, shortened when very long.
        std::string shown;
        if (codePointCount(*asked) > 40) {
            std::size_t cut = 0;
            for (int n = 0; n < 40; ++n)
                do
                    ++cut;
                while (cut < asked->size() && (static_cast<unsigned char>((*asked)[cut]) & 0xC0) == 0x80);
            appendMessageText(shown, std::string_view(*asked).substr(0, cut), true);
            shown += "…";
        } else {
            appendMessageText(shown, *asked, true);
        }
        const auto mine = parseVersion(current);
        const auto theirs = parseVersion(*asked);
        if (!theirs) {
            text = "<p>« " + shown + " » n’est pas un numéro de version.</p><p>La version actuelle de VelmoraWin "
                   "III est la <b>" + current + "</b>.</p>";
        } else if (*theirs == *mine) {
            text = "<p>Votre version, la <b>" + shown + "</b>, est la version actuelle : VelmoraWin III est à "
                   "jour.</p>";
        } else if (*theirs < *mine) {
            text = "<p>Votre version, la <b>" + shown + "</b>, n’est pas la version actuelle : une version plus "
                   "récente de VelmoraWin III existe, la <b>" + current + "</b>.</p>";
        } else {
            text = "<p>La version <b>" + shown + "</b> n’est pas la version actuelle : la version actuelle de "
                   "VelmoraWin III est la <b>" + current + "</b>.</p>";
        }
    }
    return {200, page("Version de VelmoraWin III", {}, "<h1>Version</h1><div class=\"panel\">" + text + "</div>"), {}};
}

} // namespace

std::string htmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    appendEscaped(out, text);
    return out;
}

std::string errorPage(int status)
{
    switch (status) {
    case 400:
        return failure(400, "requête invalide", "La requête reçue est mal formée ; ce service ne peut pas y répondre.").html;
    case 404:
        return failure(404, "page introuvable", "Cette page n’existe pas sur ce service.").html;
    case 405:
        return failure(405, "méthode non autorisée",
                       "Ce service ne fait que servir des pages : il n’accepte que les requêtes GET et HEAD.")
            .html;
    case 413:
        return failure(413, "requête trop volumineuse", "La requête envoyée est trop volumineuse pour ce service.").html;
    case 414:
        return failure(414, "adresse trop longue",
                       "L’adresse demandée est trop longue : la ligne de requête ne peut dépasser 8 Kio. Raccourcissez "
                       "le message.")
            .html;
    case 416:
        return failure(416, "plage non satisfaisable", "La partie de page demandée n’existe pas.").html;
    case 421:
        return failure(421, "requête mal dirigée",
                       "Ce service de rendu est intégré au programme VelmoraWin III et ne répond qu’à sa propre "
                       "adresse locale.")
            .html;
    case 500:
        return failure(500, "erreur interne", "Le service a rencontré une erreur en préparant cette page.").html;
    case 503:
        return failure(503, "service occupé",
                       "Le service reçoit en ce moment plus de connexions qu’il n’en sert à la fois. Réessayez dans "
                       "un instant.")
            .html;
    default:
        return failure(status, "erreur", "Ce service ne peut pas répondre à cette requête.").html;
    }
}

std::string errorPage(int status, std::string_view explanation)
{
    std::string heading = "erreur";
    if (status == 400)
        heading = "requête invalide";
    return failure(status, heading, explanation).html;
}

PageResponse renderPage(std::string_view method, std::string_view rawPath, std::string_view rawQuery)
{
    if (method != "GET" && method != "HEAD") {
        PageResponse r{405, errorPage(405), "GET, HEAD"};
        return r;
    }
    const std::optional<std::string> path = percentDecode(rawPath);
    if (!path)
        return failure(400, "adresse illisible",
                       "L’adresse demandée contient un « % » qui n’est pas suivi de deux chiffres hexadécimaux.");
    if (*path == kGatoPath)
        return codePage(Code::Gato, rawQuery);
    if (*path == kMersPath)
        return codePage(Code::Mers, rawQuery);
    if (*path == kSemaphorePath)
        return codePage(Code::Semaphore, rawQuery);
    if (*path == "/")
        return {200, homePage(), {}};
    if (*path == kContactPath)
        return {200, contactPage(), {}};
    if (*path == "/version/" || *path == "/version")
        return versionPage(rawQuery);
    return {404, errorPage(404), {}};
}

} // namespace velmora
