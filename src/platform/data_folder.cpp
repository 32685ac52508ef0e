// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/data_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace dorvane::platform {
namespace fs = std::filesystem;

fs::path ChooseDataFolder(const DataFolderInputs& in) {
    const auto writable = in.writable ? in.writable : FolderIsWritable;
    const auto installed = in.installed ? in.installed : IsInstalledLayout;
    if (!in.programFolder.empty() && !installed(in.programFolder) && writable(in.programFolder))
        return in.programFolder;
    // XDG: a relative $XDG_DATA_HOME is invalid and is ignored.
    fs::path base;
    if (!in.xdgDataHome.empty() && fs::path(in.xdgDataHome).is_absolute())
        base = in.xdgDataHome;
    else
        base = fs::path(in.home.empty() ? "/tmp" : in.home) / ".local" / "share";
    return base / "dorvane";
}

bool IsInstalledLayout(const fs::path& programFolder) {
    if (programFolder.filename() != "bin") return false;
    std::error_code ec;
    const fs::path entry = programFolder.parent_path() / "share" / "applications" /
                           (std::string(kDesktopId) + ".desktop");
    return fs::is_regular_file(entry, ec);
}

bool FolderIsWritable(const fs::path& folder) {
    std::string probe = (folder / ".dorvane-write-test-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

fs::path ProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path DataFolder() {
    DataFolderInputs in;
    in.programFolder = ProgramFolder();
    if (const char* x = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = x;
    if (const char* h = std::getenv("HOME")) in.home = h;
    return ChooseDataFolder(in);
}

std::string DataFolderHelp(const fs::path& folder) {
    return "Goal boards (MyGoals/), added pictures (MyGallery/) and the wallpaper file are\n"
           "kept in " +
           folder.string() + "/\n";
}

}  // namespace dorvane::platform
