// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX calls rather than QSaveFile: its errors lose the system's reason, and it
// would replace a special file or a link with a regular file.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/error.h"

namespace dorvane::platform {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, const std::string& why) {
    throw base::Error("Cannot write " + path.string() + ": " + why);
}

// A new temporary file beside target, created with the default permissions
// (0666 less the umask) and never over an existing file.
int CreateBeside(const fs::path& target, fs::path& temporary) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0;; ++attempt) {
        // Appended piece by piece: GCC 12 takes "." + string for an overlapping copy.
        std::string name = ".";
        for (const std::string& part :
             {target.filename().string(), std::to_string(::getpid()), std::to_string(counter++)}) {
            name += part;
            name += '.';
        }
        name += "tmp";
        temporary = folder / name;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
    }
}

}  // namespace

fs::path ResolveWriteTarget(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) return target;  // a new file (or where a link points)
            Fail(path, std::strerror(errno));
        }
        if (S_ISREG(info.st_mode)) return target;
        if (!S_ISLNK(info.st_mode)) Fail(path, "it is not a regular file");
        if (hops == 40) Fail(path, std::strerror(ELOOP));
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) Fail(path, ec.message());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

AtomicFile::AtomicFile(const fs::path& path, Flush flush)
    : path_(path), target_(ResolveWriteTarget(path)), flush_(flush) {
    // A read-only file is not replaced, as writing it in place would fail too
    // (judged with the effective rights, so a privileged user may).
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        Fail(path_, errno == EACCES ? "the file is read-only" : std::strerror(errno));
    fd_ = CreateBeside(target_, temporary_);
    if (fd_ < 0) fail(errno);
    struct stat earlier {};
    if (::stat(target_.c_str(), &earlier) == 0 && ::fchmod(fd_, earlier.st_mode & 07777) != 0)
        fail(errno);
}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        done += static_cast<std::size_t>(n);
    }
}

void AtomicFile::commit() {
    // A full disk may only show when the data reaches it.
    if (flush_ == Flush::ToDisk && ::fsync(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    // Renaming over an earlier file makes ext4 start writing the new one out at
    // once (its guard for programs that skip fsync); swapping the two names and
    // then removing the old file leaves that to the system's own pace, while the
    // path still always names a whole file.
    if (flush_ == Flush::CacheOnly && ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD,
                                                  target_.c_str(), RENAME_EXCHANGE) == 0) {
        committed_ = true;
        ::unlink(temporary_.c_str());  // now the earlier file
        return;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
    committed_ = true;
}

void AtomicFile::fail(int error) const {
    Fail(path_, std::strerror(error));
}

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace dorvane::platform
