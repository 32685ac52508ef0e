// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/data_folder.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/error.h"

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
    else if (fs::path(in.home).is_absolute())
        base = fs::path(in.home) / ".local" / "share";
    else
        throw base::Error(
            "no home folder to keep the data in: HOME is not set, and the password "
            "database gives none for user " +
            std::to_string(::getuid()));
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

std::string PasswordDatabaseHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    // A large entry asks for a larger buffer; 1 MB is far beyond any real one.
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return found != nullptr && found->pw_dir != nullptr ? found->pw_dir : "";
}

fs::path DataFolder() {
    DataFolderInputs in;
    in.programFolder = ProgramFolder();
    if (const char* x = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = x;
    if (const char* h = std::getenv("HOME"); h != nullptr && fs::path(h).is_absolute())
        in.home = h;
    else
        in.home = PasswordDatabaseHome();
    return ChooseDataFolder(in);
}

std::string DataFolderHelp(const fs::path& folder) {
    return "Goal boards (MyGoals/), added pictures (MyGallery/) and the wallpaper file\n"
           "are kept in " +
           folder.string() + "/\n";
}

}  // namespace dorvane::platform
