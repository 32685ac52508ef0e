// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/builtin_thumbnails.h"

#include <string>
#include <system_error>

#include "gallery/thumbnail.h"
#include "platform/picture_resource.h"

namespace dorvane::app {
namespace {

imaging::Bitmap DecodeThumbnail(int n) {
    imaging::Bitmap picture;
    platform::LoadPictureFromResource(picture, "picThumb" + std::to_string(n));
    return gallery::MakeThumbnail(picture);
}

}  // namespace

void BuiltInThumbnails::start(int count) {
    try {
        results_ = std::async(std::launch::async, [count] {
                       std::vector<Result> results(static_cast<std::size_t>(count));
                       for (int n = 1; n <= count; ++n) {
                           Result& r = results[static_cast<std::size_t>(n - 1)];
                           try {
                               r.thumbnail = DecodeThumbnail(n);
                           } catch (...) {
                               r.failure = std::current_exception();
                           }
                       }
                       return results;
                   }).share();
    } catch (const std::system_error&) {
        // No thread to spare: get() decodes each thumbnail when it is asked for.
    }
}

imaging::Bitmap BuiltInThumbnails::get(int n) {
    if (!results_.valid()) return DecodeThumbnail(n);
    const std::vector<Result>& results = results_.get();
    if (n < 1 || static_cast<std::size_t>(n) > results.size()) return DecodeThumbnail(n);
    const Result& r = results[static_cast<std::size_t>(n - 1)];
    if (r.failure) std::rethrow_exception(r.failure);
    return r.thumbnail;
}

}  // namespace dorvane::app
