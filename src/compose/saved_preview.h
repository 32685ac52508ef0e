// SPDX-License-Identifier: GPL-3.0-or-later
// The small picture stored in a saved board: the composed board reduced into
// 182 × 169, as JPEG quality 95, written as unpadded base64 text.
#pragma once

#include <string>

#include "compose/text_layer.h"
#include "imaging/bitmap.h"

namespace dorvane::compose {

inline constexpr int kPreviewBoxWidth = 182;
inline constexpr int kPreviewBoxHeight = 169;

// The screen picture reduced into the box with the text layer over it, encoded.
std::string MakePreviewText(const imaging::Bitmap& screenPicture, const TextLayer& layer);

}  // namespace dorvane::compose
