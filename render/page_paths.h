// The addresses of the rendering service's pages, in one place: the service
// routes them, its pages link to them, and the desktop program builds the
// addresses it opens from them. Plain constants, no library needed.
#pragma once

#include <string_view>

namespace velmora::pagepaths {

// The three picture codes; the message goes in the query key "texte".
inline constexpr std::string_view kGato = "/codes/gato/transgato.php3";
inline constexpr std::string_view kMers = "/codes/mers/transmers.php3";
inline constexpr std::string_view kSemaphore = "/codes/semaphore/transsemaphore.php3";
inline constexpr std::string_view kMessageKey = "texte";

// The site's home page and its contact page.
inline constexpr std::string_view kHome = "/";
inline constexpr std::string_view kContact = "/Contact/form.php3";

// The version page; the version asked about goes in the query key "ver".
inline constexpr std::string_view kVersion = "/version/";
inline constexpr std::string_view kVersionKey = "ver";

} // namespace velmora::pagepaths
