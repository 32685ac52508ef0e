// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file without ever leaving it half written: the bytes go to a
// temporary file beside the target, which then takes the target's place in one
// rename. A failure leaves the earlier file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace dorvane::platform {

// The file a write to `path` replaces: symbolic links followed to their end, so
// that a link stays a link and its target gets the new bytes. Throws
// dorvane::Error when that is something other than a regular file (a folder, a
// device, a FIFO) or the links go round in a loop; a missing file is fine.
std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path);

// Writes the bytes as the file ResolveWriteTarget names, keeping an earlier
// file's permissions. Throws dorvane::Error naming the file and the system's
// reason ("No space left on device") when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace dorvane::platform
