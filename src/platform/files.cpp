// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/ascii.h"
#include "base/error.h"

namespace dorvane::platform {
namespace fs = std::filesystem;
namespace {

bool MatchFrom(std::string_view name, std::string_view pattern) {
    // Iterative glob with one back-track point: linear in practice, never exponential.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || base::AsciiUpper(pattern[p]) ==
                                                                   base::AsciiUpper(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// errno's text; a write that stored nothing without an error means a full disk.
std::string SystemReason(int error) {
    return std::strerror(error ? error : ENOSPC);
}

// An open file descriptor, closed when it goes.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

void WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw base::Error(SystemReason(n < 0 ? errno : 0));
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void CopyContents(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw base::Error("Cannot read the picture: " + SystemReason(errno));
        if (got == 0) return;
        WriteAll(to, buffer, static_cast<std::size_t>(got));
    }
}

bool HasEntryNamed(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (SameNameIgnoringCase(it->path().filename().string(), name)) return true;
    if (ec) throw base::Error(SystemReason(ec.value()));
    return false;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return base::EqualsIgnoringAsciiCase(a, b);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    return MatchFrom(name, pattern);
}

std::vector<std::string> FindFiles(const fs::path& folder, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (MatchesPattern(name, pattern)) names.push_back(std::move(name));
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return base::LessIgnoringAsciiCase(a, b);
    });
    return names;
}

fs::path ResolveName(const fs::path& folder, std::string_view name) {
    fs::path exact = folder / std::string(name);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (SameNameIgnoringCase(it->path().filename().string(), name)) return it->path();
    return exact;
}

CopyOutcome CopyFileNoOverwrite(const fs::path& source, const fs::path& folder,
                                const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        throw base::Error("Not a file name: " + name);
    if (HasEntryNamed(folder, name)) return CopyOutcome::NameTaken;
    const Fd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) throw base::Error("Cannot read the picture: " + SystemReason(errno));
    const fs::path target = folder / name;
    // O_EXCL: a file that appears meanwhile is still never overwritten.
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0 && errno == EEXIST) return CopyOutcome::NameTaken;
    if (out < 0) throw base::Error(SystemReason(errno));
    try {
        const Fd closer{out};
        CopyContents(in.fd, out);
        if (::fsync(out) != 0 && errno != EINVAL) throw base::Error(SystemReason(errno));
    } catch (...) {
        std::error_code ec;
        fs::remove(target, ec);
        throw;
    }
    return CopyOutcome::Copied;
}

bool DeleteFileIgnoringCase(const fs::path& folder, std::string_view name) {
    const fs::path path = ResolveName(folder, name);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    return fs::remove(path, ec);
}

void CreateFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
}

}  // namespace dorvane::platform
