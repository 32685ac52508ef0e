// SPDX-License-Identifier: GPL-3.0-or-later
// Where MyGallery/, MyGoals/ and the wallpaper file live: beside the executable
// (portable use), or $XDG_DATA_HOME/dorvane/ when that folder is not writable
// (an installed program).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace dorvane::platform {

struct DataFolderInputs {
    std::filesystem::path programFolder;
    std::string xdgDataHome;  // the variable's value, empty when unset
    std::string home;         // $HOME
    // Whether the program may create files in a folder; the real check by default.
    std::function<bool(const std::filesystem::path&)> writable;
};

// The data folder, with no trailing separator.
std::filesystem::path ChooseDataFolder(const DataFolderInputs& inputs);

// Can a file be created in this folder? (Tries it; leaves nothing behind.)
bool FolderIsWritable(const std::filesystem::path& folder);

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// ChooseDataFolder for this process and its environment.
std::filesystem::path DataFolder();

}  // namespace dorvane::platform
