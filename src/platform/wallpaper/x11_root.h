// SPDX-License-Identifier: GPL-3.0-or-later
// The root window's background on plain X11, set by us through xcb: one pixmap,
// published as _XROOTPMAP_ID and ESETROOT_PMAP_ID so that compositors and
// terminals with pseudo-transparency find it, and kept after we disconnect.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imaging/bitmap.h"

namespace dorvane::platform::wallpaper::x11 {

// The pixmap that _XROOTPMAP_ID names on $DISPLAY's default screen; 0 when the
// property is missing. Throws dorvane::base::Error when the display cannot be reached.
std::uint32_t RootPixmapId();

// Paints the picture stretched onto every monitor (the whole root window when the
// server reports none), makes it the root background and the two properties,
// frees the pixmap of the previous setter that followed the same convention, and
// returns the new pixmap once _XROOTPMAP_ID reads back as it. Throws dorvane::base::Error.
// The pixels go through shared memory where the server can attach it to ours
// (MIT-SHM, a local display), otherwise through the socket; kSocketOnly is for
// checking that way.
enum class Upload { kAny, kSocketOnly };
std::uint32_t SetRootPicture(const imaging::Bitmap& picture, Upload upload = Upload::kAny);

// The same with each monitor's own picture, found by its RandR monitor name and
// stretched when its size differs from the monitor's. Monitors without a picture
// keep what the earlier root pixmap showed there (black without one). Names the
// server has no monitor for go to `unknown`. Throws dorvane::base::Error.
std::uint32_t SetMonitorPictures(const std::map<std::string, const imaging::Bitmap*>& pictures,
                                 std::vector<std::string>* unknown = nullptr);

}  // namespace dorvane::platform::wallpaper::x11
