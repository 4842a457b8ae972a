// The grid's own file image (SaveToFile / LoadFromFile): a versioned, checksummed encoding of
// the grid's inner state. The format is written down at the top of layout_image.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::internal {

struct GridModel;

// Size of the fixed header that starts every image (magic, version, flags, body length).
inline constexpr size_t kImageHeaderSize = 20;

// Encodes `model`. With `data_only` the image keeps content and layout (sizes, texts and
// numbers, tags, notes, widths, heights, hidden flags, frozen counts, spans, item data) and
// leaves out every format (kinds and their settings, colours, fonts, borders, grid-wide
// colours and switches). Throws std::bad_alloc when memory runs out.
std::string EncodeLayoutImage(const GridModel& model, bool data_only);

// Checks the fixed header of an image: returns the whole image's size in bytes (header, body
// and checksum), or 0 when `header` (at least kImageHeaderSize bytes) is not one of ours.
uint64_t LayoutImageSize(std::string_view header);

// Decodes a whole image into `out`, which must be a freshly constructed model.
// Returns "" on success, else why the image was refused; `out` is then half-built and must
// be thrown away. Every count, index and value is checked, so no input reads or writes out
// of bounds; what a data-only image does not carry keeps the new grid's defaults.
std::string DecodeLayoutImage(std::string_view image, GridModel& out);

}  // namespace zel::internal
