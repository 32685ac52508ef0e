// SPDX-License-Identifier: GPL-3.0-or-later
// An empty resource table for programs that link no resources (the HTML view's
// demo and tests). Weak: the generated table of an executable that links the
// program's resources replaces it.
#include "platform/resources.h"

namespace dorvane::platform {

__attribute__((weak)) extern const ResourceEntry* const kResourceTable = nullptr;
__attribute__((weak)) extern const std::size_t kResourceCount = 0;

}  // namespace dorvane::platform
