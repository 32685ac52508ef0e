// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "base/ascii.h"

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
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
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

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool HasEntryNamed(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (SameNameIgnoringCase(it->path().filename().string(), name)) return true;
    return ec.value() != 0;  // an unreadable folder counts as "cannot copy"
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return EqualsIgnoringAsciiCase(a, b);
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
        return LessIgnoringAsciiCase(a, b);
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

bool CopyFileNoOverwrite(const fs::path& source, const fs::path& folder, const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return false;
    if (HasEntryNamed(folder, name)) return false;
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    const fs::path target = folder / name;
    // O_EXCL: a file that appears meanwhile is still never overwritten.
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = true;
    char buffer[1 << 16];
    while (ok && in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0) ok = WriteAll(fd, buffer, got);
    }
    ok = ok && in.eof() && !in.bad();
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        std::error_code ec;
        fs::remove(target, ec);
    }
    return ok;
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
