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
// dorvane::base::Error when that is something other than a regular file (a folder, a
// device, a FIFO) or the links go round in a loop; a missing file is fine.
std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path);

// Writes the bytes as the file ResolveWriteTarget names, keeping an earlier
// file's permissions. Throws dorvane::base::Error naming the file and the system's
// reason ("No space left on device") when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The same, written piece by piece. Every call throws dorvane::base::Error naming the
// file on failure; without commit() the earlier file stays as it was.
class AtomicFile {
public:
    enum class Flush {
        ToDisk,     // the data reaches the disk before the rename (saved work)
        CacheOnly,  // the rename alone: for a file the program makes again at will
    };
    explicit AtomicFile(const std::filesystem::path& path, Flush flush = Flush::ToDisk);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    void write(std::span<const std::uint8_t> bytes);
    void commit();

private:
    [[noreturn]] void fail(int error) const;
    std::filesystem::path path_;    // as the caller named it, for messages
    std::filesystem::path target_;  // the regular file that gets replaced
    std::filesystem::path temporary_;
    Flush flush_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace dorvane::platform
