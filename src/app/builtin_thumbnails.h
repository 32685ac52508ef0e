// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnails of the built-in pictures, decoded on a worker thread while the
// window makes its later pages. They never change, so later gallery builds reuse them.
#pragma once

#include <exception>
#include <future>
#include <vector>

#include "imaging/bitmap.h"

namespace dorvane::app {

class BuiltInThumbnails {
public:
    // Starts decoding "picThumb1".."picThumb<count>" in the background.
    void start(int count);
    // Thumbnail n (1-based), waiting for the decoding if need be; throws what
    // decoding that one thumbnail threw.
    imaging::Bitmap get(int n);

private:
    struct Result {
        imaging::Bitmap thumbnail;
        std::exception_ptr failure;
    };
    std::shared_future<std::vector<Result>> results_;
};

}  // namespace dorvane::app
