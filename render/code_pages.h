// The pages of the three picture codes: the message, its drawing and the
// code's legend.
#pragma once

#include "pages.h"

#include <string_view>

namespace velmora::render {

enum class PictureCode { Gato, Mers, Semaphore };

// The page of CODE for the request's RAWQUERY (its "texte" value is the
// message, form-encoded).
PageResponse codePage(PictureCode code, std::string_view rawQuery);

} // namespace velmora::render
