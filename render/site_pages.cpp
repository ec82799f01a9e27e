#include "site_pages.h"

#include "error_pages.h"
#include "page_frame.h"
#include "page_paths.h"
#include "page_text.h"
#include "url_decoding.h"
#include "velmora_config.h"

#include <optional>
#include <vector>

namespace velmora::render {

namespace {

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

} // namespace

const std::string &homePage()
{
    using namespace pagepaths;
    static const std::string html = [] {
        const std::string body =
            "<h1>VelmoraWin III</h1><div class=\"panel\">"
            "<p>VelmoraWin III est un petit programme de bureau qui transforme un message en codes classiques. "
            "On tape un message, on choisit un code, et le programme l’écrit aussitôt en code, ou le dessine.</p>"
            "<h2>Les codes</h2><ul>"
            "<li><b>Morse</b> et <b>Morse 2</b> : les points et les traits, ou le Morse écrit avec les lettres P et O ;"
            "</li>"
            "<li><b>César</b> : chaque lettre décalée dans l’alphabet ;</li>"
            "<li><b>Carré de Polybe</b> : chaque lettre donnée par sa ligne et sa colonne ;</li>"
            "<li><b>AlphaNum</b> : huit codes qui changent les lettres en nombres, en d’autres lettres ou en binaire ;"
            "</li>"
            "<li><b>Gato</b> : chaque lettre dessinée par le contour de sa case dans une grille de morpion "
            "(<a href=\"" +
            codePageLink(kGato, "Bonjour") +
            "\">exemple</a>) ;</li>"
            "<li><b>Code des Mers</b> : les pavillons des signaux maritimes "
            "(<a href=\"" +
            codePageLink(kMers, "Bonjour") +
            "\">exemple</a>) ;</li>"
            "<li><b>Sémaphore</b> : les positions des deux bras et de leurs fanions "
            "(<a href=\"" +
            codePageLink(kSemaphore, "Bonjour") +
            "\">exemple</a>).</li></ul>"
            "<p>Les trois codes dessinés sont servis par ce service de rendu ; le programme les affiche dans sa "
            "propre fenêtre de navigation.</p>"
            "<p><a href=\"" +
            std::string(kContact) + "\">Nous écrire</a> · <a href=\"" + std::string(kVersion) + "?" +
            std::string(kVersionKey) + "=" VELMORA_VERSION "\">Version " VELMORA_VERSION "</a></p></div>";
        return page("VelmoraWin III — des messages en codes", {}, body);
    }();
    return html;
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

PageResponse versionPage(std::string_view rawQuery)
{
    const std::string current = VELMORA_VERSION;
    std::string text;
    const std::optional<std::string_view> raw = rawQueryValue(rawQuery, pagepaths::kVersionKey);
    std::optional<std::string> asked;
    if (raw) {
        asked = formDecode(*raw);
        if (!asked || !isValidUtf8(*asked))
            return failure(400, "version illisible",
                           "Le numéro de version de l’adresse n’a pas pu être lu : un « % » doit être suivi de deux "
                           "chiffres hexadécimaux, et le texte décodé doit être de l’UTF-8 valide.");
    }
    if (!asked || asked->empty()) {
        text = "<p>L’adresse n’indique pas de version à vérifier.</p><p>La version actuelle de VelmoraWin III "
               "est la <b>" +
               current + "</b>.</p>";
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
            text = "<p>« " + shown +
                   " » n’est pas un numéro de version.</p><p>La version actuelle de VelmoraWin "
                   "III est la <b>" +
                   current + "</b>.</p>";
        } else if (*theirs == *mine) {
            text = "<p>Votre version, la <b>" + shown +
                   "</b>, est la version actuelle : VelmoraWin III est à "
                   "jour.</p>";
        } else if (*theirs < *mine) {
            text = "<p>Votre version, la <b>" + shown +
                   "</b>, n’est pas la version actuelle : une version plus "
                   "récente de VelmoraWin III existe, la <b>" +
                   current + "</b>.</p>";
        } else {
            text = "<p>La version <b>" + shown +
                   "</b> n’est pas la version actuelle : la version actuelle de "
                   "VelmoraWin III est la <b>" +
                   current + "</b>.</p>";
        }
    }
    return {200, page("Version de VelmoraWin III", {}, "<h1>Version</h1><div class=\"panel\">" + text + "</div>"), {}};
}

} // namespace velmora::render
