// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file without ever leaving it half written: the bytes go to a
// temporary file beside the target, which then takes the target's place in one
// rename. A failure leaves the earlier file as it was.
#pragma once

#include <QFileDevice>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace dorvane::platform {

// Throws dorvane::Error naming the file when it cannot be written.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The same, written piece by piece. Every call throws dorvane::Error naming the
// file on failure; without commit() the earlier file stays as it was.
class AtomicFile {
public:
    enum class Flush {
        ToDisk,     // the data reaches the disk before the rename (saved work)
        CacheOnly,  // the rename alone: for a file the program makes again at will
    };
    explicit AtomicFile(const std::filesystem::path& path, Flush flush = Flush::ToDisk);
    ~AtomicFile();
    void write(std::span<const std::uint8_t> bytes);
    void commit();

private:
    [[noreturn]] void fail() const;
    std::filesystem::path path_;
    Flush flush_;
    std::unique_ptr<QFileDevice> file_;
};

}  // namespace dorvane::platform
