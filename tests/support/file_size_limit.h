// SPDX-License-Identifier: GPL-3.0-or-later
// Makes writes fail half way, even for root (who ignores folder permissions):
// while a FileSizeLimit lives, no file of this process may grow beyond `bytes`,
// and the signal an oversized write raises is ignored so the write just fails.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace dorvane::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

}  // namespace dorvane::test
