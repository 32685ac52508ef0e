// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file without ever leaving it half written: the bytes go to a
// temporary file beside the target, which then takes the target's place in one
// rename. A failure leaves the earlier file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace dorvane::platform {

// Throws dorvane::Error naming the file when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace dorvane::platform
