// The document the XML benchmark measures: an icon set shaped like a large
// TDF (a trayicon root, a factoryset, iconset trees of nested contents and
// objects with their propertysets; CR LF line ends, one tab per level; titles
// and paths that need &amp;, &quot; and &lt;).
//
// For a given size and seed the bytes are always the same: those of the
// reference generator that earlier figures for this shape (ours, pugixml's and
// tinyxml2's) were measured on, at 10 MB with seed 2, so that the figures stay
// comparable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillet {

constexpr size_t kBenchDocumentBytes = 10'000'000;
constexpr uint32_t kBenchDocumentSeed = 2;

// About `targetBytes` bytes: iconsets are added until the closing tag would
// reach the target, so the result may pass it by one object.
std::string MakeBenchDocument(size_t targetBytes = kBenchDocumentBytes, uint32_t seed = kBenchDocumentSeed);

}  // namespace quillet
