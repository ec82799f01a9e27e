// The site's own pages: home, contact and the version check.
#pragma once

#include "pages.h"

#include <string>
#include <string_view>

namespace velmora::render {

const std::string &homePage();
const std::string &contactPage();
// The version page for the request's RAWQUERY (its "ver" value is the
// version asked about).
PageResponse versionPage(std::string_view rawQuery);

} // namespace velmora::render
