// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX calls rather than QSaveFile: its errors lose the system's reason, and it
// would replace a special file or a link with a regular file.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/error.h"

namespace dorvane::platform {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, const std::string& why) {
    throw Error("Cannot write " + path.string() + ": " + why);
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

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const fs::path& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(path, std::strerror(errno));
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

// The temporary file: closed, and removed unless it took the target's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target)
        : fd_(CreateBeside(target, path_)), created_(fd_ >= 0) {}
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (created_ && !kept_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const fs::path& path() const { return path_; }
    // Closes the file; false (errno set) when the data could not be stored.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { kept_ = true; }

private:
    fs::path path_;
    int fd_;
    bool created_;
    bool kept_ = false;
};

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
    file_ = std::make_unique<TemporaryFile>(target_);
    if (file_->fd() < 0) Fail(path_, std::strerror(errno));
    struct stat earlier {};
    if (::stat(target_.c_str(), &earlier) == 0 &&
        ::fchmod(file_->fd(), earlier.st_mode & 07777) != 0)
        Fail(path_, std::strerror(errno));
}

AtomicFile::~AtomicFile() = default;  // an uncommitted temporary file is removed

void AtomicFile::write(std::span<const std::uint8_t> bytes) {
    WriteAll(file_->fd(), bytes, path_);
}

void AtomicFile::commit() {
    // A full disk may only show when the data reaches it.
    if (flush_ == Flush::ToDisk && ::fsync(file_->fd()) != 0) Fail(path_, std::strerror(errno));
    if (!file_->close()) Fail(path_, std::strerror(errno));
    if (::rename(file_->path().c_str(), target_.c_str()) != 0) Fail(path_, std::strerror(errno));
    file_->keep();
}

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace dorvane::platform
