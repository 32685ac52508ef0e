// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/thumbnail.h"

#include <algorithm>
#include <string>

#include "base/error.h"
#include "gallery/grid_geometry.h"
#include "imaging/exif_orientation.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"
#include "imaging/scale.h"

namespace dorvane::gallery {
namespace {

imaging::Bitmap Centre(const imaging::Bitmap& fitted) {
    imaging::Bitmap thumb(kThumbWidth, kThumbHeight);
    thumb.fill(0xFFFFFF);
    const int x0 = (kThumbWidth - fitted.width()) / 2;
    const int y0 = (kThumbHeight - fitted.height()) / 2;
    for (int y = 0; y < fitted.height(); ++y)
        std::copy_n(fitted.row(y), fitted.width() * 3, thumb.row(y + y0) + x0 * 3);
    return thumb;
}

}  // namespace

int ThumbnailScaleDenominator(int fullWidth, int fullHeight) {
    const imaging::Size fit = imaging::FitSize(fullWidth, fullHeight, kThumbWidth, kThumbHeight);
    for (int d = 8; d > 1; d /= 2) {
        const int w = (fullWidth + d - 1) / d;  // libjpeg rounds scaled sizes up
        const int h = (fullHeight + d - 1) / d;
        if (w >= 2 * fit.width && h >= 2 * fit.height) return d;
    }
    return 1;
}

imaging::Bitmap MakeThumbnail(const imaging::Bitmap& picture) {
    const imaging::Size fit =
        imaging::FitSize(picture.width(), picture.height(), kThumbWidth, kThumbHeight);
    imaging::Bitmap fitted(fit.width, fit.height);
    imaging::ScaleBitmap(picture, fitted);
    return Centre(fitted);
}

imaging::Bitmap ThumbnailFromJpeg(std::span<const std::uint8_t> bytes, const std::string& what) {
    if (bytes.empty()) throw base::Error("Cannot read picture " + what + ": the file is empty");
    const int orientation = imaging::ReadExifOrientation(bytes);
    const auto upright = [orientation](imaging::Size s) {
        return imaging::SwapsSides(orientation) ? imaging::Size{s.height, s.width} : s;
    };
    imaging::Bitmap reduced;
    const imaging::Size full = upright(imaging::DecodeJpegReduced(
        bytes, what,
        [&upright](imaging::Size s) {
            const imaging::Size u = upright(s);
            return ThumbnailScaleDenominator(u.width, u.height);
        },
        reduced));
    if (orientation != 1) reduced = imaging::Oriented(reduced, orientation);
    // The fitted size follows from the full size, so acceptance matches a full decode.
    const imaging::Size fit = imaging::FitSize(full.width, full.height, kThumbWidth, kThumbHeight);
    if (!(fit == imaging::Size{reduced.width(), reduced.height()}) &&
        (fit.width < 1 || fit.height < 2))
        throw base::Error("Cannot make a thumbnail of " + what);
    imaging::Bitmap fitted(fit.width, fit.height);
    imaging::ScaleBitmap(reduced, fitted);
    return Centre(fitted);
}

imaging::Bitmap ThumbnailFromFile(const std::filesystem::path& path) {
    return ThumbnailFromJpeg(imaging::ReadPictureFile(path), "file " + path.string());
}

}  // namespace dorvane::gallery
