// The three picture codes, drawn as web pages by the rendering service.
#pragma once

namespace velmora {

enum class PictureCode { Gato, Mers, Semaphore };

} // namespace velmora
