// The pages of the rendering service, computed without any server: the three
// picture codes, the site's home and contact pages, the version page and the
// error pages. The HTTP layer only moves these pages over the wire. This file
// routes a request to its page; the pages themselves are built in
// code_pages, site_pages and error_pages.
#pragma once

#include "page_text.h"
#include "url_decoding.h"

#include <string>
#include <string_view>

namespace velmora {

// The answer to one request.
struct PageResponse {
    int status = 200;
    std::string html;  // the whole page, UTF-8 (also computed for HEAD)
    std::string allow; // the Allow header's value when not empty (405)
};

// Longest message drawn, in characters (Unicode code points). Longer messages
// get a 414 page, which keeps every page small whatever the request.
inline constexpr int kMaxMessageLength = 2000;

// The page for METHOD on RAWPATH with RAWQUERY, both exactly as they arrive in
// the request target (still percent-encoded; the query without its '?').
PageResponse renderPage(std::string_view method, std::string_view rawPath, std::string_view rawQuery);

// The French page for an HTTP error status (400, 404, 405, 413, 414, 416, 421,
// 500, 503, ...), for errors found before a request reaches renderPage.
std::string errorPage(int status);
// The same with EXPLANATION (French, already HTML) in place of the usual text.
std::string errorPage(int status, std::string_view explanation);

} // namespace velmora
