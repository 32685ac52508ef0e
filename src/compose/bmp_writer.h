// SPDX-License-Identifier: GPL-3.0-or-later
// Uncompressed 24-bit Windows bitmap files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "imaging/bitmap.h"

namespace dorvane::compose {

// File header, BITMAPINFOHEADER, then the rows bottom-up in blue-green-red order,
// each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& picture);

// Writes the file in one piece (temporary file, then rename); throws dorvane::Error.
void WriteBmpFile(const std::filesystem::path& path, const Bitmap& picture);

}  // namespace dorvane::compose
