#include "pages.h"

#include "code_pages.h"
#include "error_pages.h"
#include "page_paths.h"
#include "site_pages.h"
#include "url_decoding.h"

namespace velmora {

PageResponse renderPage(std::string_view method, std::string_view rawPath, std::string_view rawQuery)
{
    using namespace pagepaths;
    using render::PictureCode;
    if (method != "GET" && method != "HEAD")
        return {405, errorPage(405), "GET, HEAD"};
    const std::optional<std::string> path = percentDecode(rawPath);
    if (!path)
        return render::failure(400, "adresse illisible",
                               "L’adresse demandée contient un « % » qui n’est pas suivi de deux chiffres "
                               "hexadécimaux.");
    if (*path == kGato)
        return render::codePage(PictureCode::Gato, rawQuery);
    if (*path == kMers)
        return render::codePage(PictureCode::Mers, rawQuery);
    if (*path == kSemaphore)
        return render::codePage(PictureCode::Semaphore, rawQuery);
    if (*path == kHome)
        return {200, render::homePage(), {}};
    if (*path == kContact)
        return {200, render::contactPage(), {}};
    // The version page answers with or without its final slash.
    if (*path == kVersion || *path == kVersion.substr(0, kVersion.size() - 1))
        return render::versionPage(rawQuery);
    return {404, errorPage(404), {}};
}

} // namespace velmora
