// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures compiled into the program (the "RCDATA" resources).
#pragma once

#include <string_view>

#include "imaging/bitmap.h"

namespace dorvane::platform {

// The RCDATA resource `name` (any letter case) decoded into target; throws
// dorvane::base::Error naming the resource when it is missing or no JPEG.
void LoadPictureFromResource(imaging::Bitmap& target, std::string_view name);

}  // namespace dorvane::platform
