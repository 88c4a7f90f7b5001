// Reading an icon group resource (the directory of one icon's images in a
// program file) to pick the image of an exact size and colour depth.
// Portable: no <windows.h>; the bytes come from the file as they are, so
// every read is checked against their length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quillet {

// The resource id of the image whose width and height are exactly `edge`
// pixels and which has 16 colours (4 bits per pixel); nothing when no image
// fits or the directory is cut short.
std::optional<uint16_t> FindExactIconImage(const uint8_t* group, size_t size, int edge);

}  // namespace quillet
