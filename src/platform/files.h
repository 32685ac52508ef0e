// SPDX-License-Identifier: GPL-3.0-or-later
// File operations that behave like the original platform's case-blind file
// system: "*.jpg" matches PHOTO.JPG, a picture named BEACH loads beach.jpg, and a
// copy that refuses to overwrite also refuses a name differing only in case.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dorvane::platform {

// ASCII letters only are folded, as the program's own upper-casing does.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// Wildcard match ("*" any run, "?" one character) without regard to ASCII case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The names (no folder) of the regular files in `folder` that match `pattern`,
// hidden ones included, folders excluded, in the order the original file system
// listed them: by name compared in upper case. A missing folder gives none.
std::vector<std::string> FindFiles(const std::filesystem::path& folder, std::string_view pattern);

// The existing entry of `folder` whose name equals `name` without regard to case
// (an exact match first); the plain joined path when none exists, so that
// opening it fails with the usual error.
std::filesystem::path ResolveName(const std::filesystem::path& folder, std::string_view name);

enum class CopyOutcome { Copied, NameTaken };

// Copies `source` to folder/name byte for byte. Refuses (NameTaken) when any entry
// of the folder has that name in any letter case. Any other failure (the source
// cannot be read, the folder cannot be listed or written) throws dorvane::base::Error
// with the system's reason; a half-written target is removed.
CopyOutcome CopyFileNoOverwrite(const std::filesystem::path& source,
                                const std::filesystem::path& folder, const std::string& name);

// Deletes folder/name matched without regard to case; false when nothing was deleted.
bool DeleteFileIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// Creates the folder and its missing parents; an existing folder is left alone.
// Failure is not reported (later reads and writes fail where they happen).
void CreateFolders(const std::filesystem::path& folder);

}  // namespace dorvane::platform
