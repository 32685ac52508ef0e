// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_resource.h"

#include <string>

#include "imaging/jpeg.h"
#include "platform/resources.h"

namespace dorvane::platform {

void LoadPictureFromResource(imaging::Bitmap& target, std::string_view name) {
    imaging::DecodeJpegInto(LoadResource("RCDATA", name), "resource " + std::string(name), target);
}

}  // namespace dorvane::platform
