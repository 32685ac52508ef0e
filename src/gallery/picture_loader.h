// SPDX-License-Identifier: GPL-3.0-or-later
// Loading catalogue picture n at its own size: built-ins from "picPhoto"+n, user
// pictures from the gallery file they were listed from (found in any letter case).
#pragma once

#include <filesystem>

#include "gallery/catalogue.h"
#include "imaging/bitmap.h"

namespace dorvane::gallery {

// Numbers outside 1…count load picture 1. Errors (a vanished or undecodable
// file) go back to the caller unchanged.
void LoadGalleryPicture(std::int32_t n, const Catalogue& pictures,
                        const std::filesystem::path& galleryFolder, imaging::Bitmap& target);

}  // namespace dorvane::gallery
