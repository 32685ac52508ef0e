// SPDX-License-Identifier: GPL-3.0-or-later
// Makes file permissions hold for this thread even when the tests run as root:
// while a FilePermissionsApply lives, the calling thread's effective set lacks
// the capabilities that override read, write and search permissions. The
// permitted set is kept, so they come back afterwards.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dorvane::test {

class FilePermissionsApply {
public:
    FilePermissionsApply() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~FilePermissionsApply() {
        if (active_) syscall(SYS_capset, &header_, saved_);
    }
    FilePermissionsApply(const FilePermissionsApply&) = delete;
    FilePermissionsApply& operator=(const FilePermissionsApply&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

}  // namespace dorvane::test
