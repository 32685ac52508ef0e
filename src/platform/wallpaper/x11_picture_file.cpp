// SPDX-License-Identifier: GPL-3.0-or-later
// A BMP row is a Bitmap row in blue-green-red order, padded alike to four bytes:
// the rows are read into their places in one system call per thousand rows and
// turned into red-green-blue where they lie.
#include "platform/wallpaper/x11_picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "base/error.h"
#include "imaging/channel_order.h"

namespace dorvane::platform::wallpaper::x11 {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

std::uint32_t Read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

class File {
public:
    explicit File(const std::filesystem::path& path)
        : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)) {}
    ~File() {
        if (fd_ >= 0) close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads exactly the bytes the vectors describe from `offset` on; empty when
// done, otherwise why not.
std::string ReadFully(int fd, std::vector<iovec>& pieces, off_t offset) {
    std::size_t first = 0;
    while (first < pieces.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(pieces.size() - first, IOV_MAX));
        const ssize_t got = preadv(fd, &pieces[first], count, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::strerror(errno);
        if (got == 0) return "the file is cut short";
        offset += got;
        // Skip the pieces read whole; shorten the one read in part.
        for (auto left = static_cast<std::size_t>(got); left > 0;) {
            iovec& piece = pieces[first];
            const std::size_t take = std::min(left, piece.iov_len);
            piece.iov_base = static_cast<std::uint8_t*>(piece.iov_base) + take;
            piece.iov_len -= take;
            left -= take;
            if (piece.iov_len == 0) ++first;
        }
    }
    return {};
}

}  // namespace

std::optional<imaging::Bitmap> ReadPlainBmp(const std::filesystem::path& path,
                                            long long maxPixels) {
    const File file(path);
    struct stat info {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::uint8_t h[kFileHeaderBytes + kInfoHeaderBytes];
    if (pread(file.get(), h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) return std::nullopt;
    const std::uint32_t dataOffset = Read32(h + 10), infoBytes = Read32(h + 14);
    const auto width = static_cast<std::int32_t>(Read32(h + 18));
    const auto signedHeight = static_cast<std::int32_t>(Read32(h + 22));
    const bool plain = h[0] == 'B' && h[1] == 'M' && infoBytes >= kInfoHeaderBytes &&
                       Read16(h + 26) == 1 && Read16(h + 28) == 24 && Read32(h + 30) == 0 &&
                       width > 0 && signedHeight != 0 && signedHeight != INT32_MIN &&
                       dataOffset >= kFileHeaderBytes + infoBytes;
    if (!plain) return std::nullopt;
    const int height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (static_cast<long long>(width) * height > maxPixels)
        throw base::Error(path.string() + " is too large a picture (" + std::to_string(width) +
                          "x" + std::to_string(height) + ")");
    const std::size_t stride = imaging::Bitmap::StrideFor(width);
    if (static_cast<unsigned long long>(info.st_size) <
        dataOffset + stride * static_cast<unsigned long long>(height))
        throw base::Error("the picture " + path.string() + " is cut short");
    imaging::Bitmap picture(width, height);
    // Bottom-up files (a positive height) hold the last row first.
    std::vector<iovec> rows(static_cast<std::size_t>(height));
    for (int i = 0; i < height; ++i)
        rows[static_cast<std::size_t>(i)] = {picture.row(signedHeight > 0 ? height - 1 - i : i),
                                             stride};
    if (const std::string why = ReadFully(file.get(), rows, static_cast<off_t>(dataOffset));
        !why.empty())
        throw base::Error("cannot read the picture " + path.string() + ": " + why);
    for (int y = 0; y < height; ++y) imaging::SwapRedBlue(picture.row(y), picture.row(y), width);
    return picture;
}

}  // namespace dorvane::platform::wallpaper::x11
