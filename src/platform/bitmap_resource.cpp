// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/bitmap_resource.h"

#include <string>

#include "platform/error.h"
#include "platform/resources.h"

namespace dorvane::platform {

QImage BitmapResource(std::string_view name) {
    const ResourceBytes bytes = LoadResource("BITMAP", name);
    QImage image;
    if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size())))
        throw Error("Bitmap resource \"" + std::string(name) + "\" cannot be read");
    return image;
}

}  // namespace dorvane::platform
