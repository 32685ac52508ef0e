// SPDX-License-Identifier: GPL-3.0-or-later
// Where MyGallery/, MyGoals/ and the wallpaper file live, decided by how the program
// was laid out: an installed program (its share/ beside its bin/ holds the program's
// desktop entry) keeps them in $XDG_DATA_HOME/dorvane/, even when its bin/ is
// writable, so ~/.local/bin never gathers data folders. A program run from its build
// or an unpacked folder keeps them beside itself, or in $XDG_DATA_HOME/dorvane/ when
// that folder is read-only.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace dorvane::platform {

// The name of the program's desktop entry (without ".desktop"), also its Wayland
// app id and the base name of its icon and AppStream metadata.
inline constexpr const char* kDesktopId = DORVANE_APP_ID;

struct DataFolderInputs {
    std::filesystem::path programFolder;
    std::string xdgDataHome;  // the variable's value, empty when unset
    // The home folder: $HOME, or when that is unset, empty or relative, the password
    // database's; empty when neither has one.
    std::string home;
    // Whether the program may create files in a folder; the real check by default.
    std::function<bool(const std::filesystem::path&)> writable;
    // Whether a program folder is the bin/ of an installation; the real check by default.
    std::function<bool(const std::filesystem::path&)> installed;
};

// The data folder, with no trailing separator. Throws dorvane::base::Error when it would
// lie below a home folder and there is none: never a shared place such as /tmp.
std::filesystem::path ChooseDataFolder(const DataFolderInputs& inputs);

// The home folder of the user running the program, from the password database;
// empty when it has none.
std::string PasswordDatabaseHome();

// Is `programFolder` a bin/ whose sibling share/applications/ holds our desktop entry?
bool IsInstalledLayout(const std::filesystem::path& programFolder);

// Can a file be created in this folder? (Tries it; leaves nothing behind.)
bool FolderIsWritable(const std::filesystem::path& folder);

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// ChooseDataFolder for this process and its environment.
std::filesystem::path DataFolder();

// The lines of `dorvane --help` that say where the data is kept.
std::string DataFolderHelp(const std::filesystem::path& folder);

}  // namespace dorvane::platform
