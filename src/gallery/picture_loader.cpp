// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/picture_loader.h"

#include <string>

#include "base/error.h"
#include "imaging/jpeg.h"
#include "platform/files.h"
#include "platform/picture_resource.h"

namespace dorvane::gallery {

void LoadGalleryPicture(std::int32_t n, const Catalogue& pictures,
                        const std::filesystem::path& galleryFolder, imaging::Bitmap& target) {
    const auto count = static_cast<std::int32_t>(pictures.size());
    if (n < 1 || n > count) n = 1;
    if (pictures.empty()) throw base::Error("The gallery is empty");
    const PictureInfo& entry = pictures[static_cast<std::size_t>(n - 1)];
    if (entry.BuiltIn)
        platform::LoadPictureFromResource(target, "picPhoto" + std::to_string(entry.Number));
    else
        imaging::LoadPictureFromFile(
            target, platform::ResolveName(galleryFolder, UserPictureFileName(entry)));
}

}  // namespace dorvane::gallery
