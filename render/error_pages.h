// The French error pages.
#pragma once

#include "pages.h"

#include <string_view>

namespace velmora::render {

// An error page with its status: "Erreur STATUS — HEADING" and EXPLANATION
// (French, already HTML).
PageResponse failure(int status, std::string_view heading, std::string_view explanation);

} // namespace velmora::render
