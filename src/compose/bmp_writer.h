// SPDX-License-Identifier: GPL-3.0-or-later
// Uncompressed 24-bit Windows bitmap files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

// File header, BITMAPINFOHEADER, then the rows bottom-up in blue-green-red order,
// each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp(const imaging::Bitmap& picture);

// Writes the file in one piece (temporary file, then rename); throws dorvane::base::Error.
void WriteBmpFile(const std::filesystem::path& path, const imaging::Bitmap& picture);

// Writes picture with the text layer laid over it (exactly as OverlayTextLayer
// composes it) as a BMP file, a band of rows at a time: no screen-sized copy is
// made. Atomic like WriteBmpFile (but not flushed to the disk before the rename);
// throws dorvane::base::Error.
void WriteComposedBmpFile(const std::filesystem::path& path, const imaging::Bitmap& picture,
                          const TextLayer& layer);

}  // namespace dorvane::compose
