#include "page_frame.h"

#include "page_paths.h"
#include "velmora_config.h"

namespace velmora::render {

namespace {

// A picture is --w by --h; a row of the drawing is an inline run of words
// (each an inline-flex of pictures) separated by real blanks, so a blank is
// spacing between words like in text: at a line wrap it hangs at the end of
// the line instead of taking a row or indenting the next one.
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
    ".drawing{background:#fff;border:1px solid #c9d1e0;border-radius:6px;padding:14px 14px 0;margin:1em 0}"
    ".row{white-space:pre-wrap;font-size:0;line-height:0;word-spacing:calc(var(--w)*.6);"
    "min-height:calc(var(--h) + 16px)}"
    ".w{display:inline-flex;flex-wrap:wrap;gap:16px 6px;vertical-align:top;margin-bottom:16px;word-spacing:0}"
    ".g{display:block;width:var(--w);height:var(--h)}"
    ".box{min-width:var(--w);height:var(--h);padding:0 3px;border:2px solid #8a93a6;border-radius:4px;"
    "background:#fafbfd;display:flex;align-items:center;justify-content:center;overflow:hidden;white-space:pre;"
    "font-size:calc(var(--h)*.4);line-height:1.2}"
    ".ctl{font-size:calc(var(--w)*.19)}"
    ".c-gato{--w:52px;--h:52px}.c-mers{--w:72px;--h:50px}.c-sema{--w:86px;--h:85px}"
    ".defs{position:absolute;width:0;height:0;overflow:hidden}"
    ".legend,.panel{background:#fff;border:1px solid #c9d1e0;border-radius:6px;padding:.1em 1em 1em}"
    ".keys{display:flex;flex-wrap:wrap;gap:10px 12px}"
    "figure{margin:0;display:flex;flex-direction:column;align-items:center;font-size:.8em}"
    ".legend .g{width:calc(var(--w)*.8);height:calc(var(--h)*.8)}"
    ".key{display:block;width:100%;max-width:580px;height:auto}"
    ".note{color:#4a5468;margin:0 0 14px}"
    "footer{max-width:62rem;margin:0 auto;padding:0 1.2rem 2rem;color:#4a5468;font-size:.85em}";

constexpr std::string_view kHeadStart = "<!DOCTYPE html>\n<html lang=\"fr\"><head><meta charset=\"utf-8\">"
                                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                        "<link rel=\"icon\" href=\"data:,\"><title>";

std::string link(std::string_view target, std::string_view text, std::string_view cssClass = {})
{
    std::string s = "<a";
    if (!cssClass.empty()) {
        s += " class=\"";
        s += cssClass;
        s += '"';
    }
    s += " href=\"";
    s += target;
    s += "\">";
    s += text;
    s += "</a>";
    return s;
}

} // namespace

std::string_view headStart()
{
    return kHeadStart;
}

std::string codePageLink(std::string_view path, std::string_view encodedMessage)
{
    std::string s(path);
    s += '?';
    s += pagepaths::kMessageKey;
    s += '=';
    s += encodedMessage;
    return s;
}

const std::string &headEnd()
{
    using namespace pagepaths;
    static const std::string s =
        std::string("</title><style>") + std::string(kStyle) + "</style></head><body><header>" +
        link(kHome, "VelmoraWin III", "brand") + link(codePageLink(kGato, "Gato"), "Gato") +
        link(codePageLink(kMers, "Code%20des%20Mers"), "Code des Mers") +
        link(codePageLink(kSemaphore, "Semaphore"), "Sémaphore") + link(kContact, "Contact") + "</header>";
    return s;
}

const std::string &footer()
{
    static const std::string s = std::string("<footer>VelmoraWin III, version ") + VELMORA_VERSION +
                                 " · service de rendu des codes dessinés · " + link(pagepaths::kContact, "Contact") +
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

} // namespace velmora::render
