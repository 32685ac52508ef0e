// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/thumbnail.h"

#include <algorithm>
#include <string>

#include "gallery/grid_geometry.h"
#include "imaging/exif_orientation.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"
#include "imaging/scale.h"
#include "platform/error.h"

namespace dorvane::gallery {
namespace {

Bitmap Centre(const Bitmap& fitted) {
    Bitmap thumb(kThumbWidth, kThumbHeight);
    thumb.fill(0xFFFFFF);
    const int x0 = (kThumbWidth - fitted.width()) / 2;
    const int y0 = (kThumbHeight - fitted.height()) / 2;
    for (int y = 0; y < fitted.height(); ++y)
        std::copy_n(fitted.row(y), fitted.width() * 3, thumb.row(y + y0) + x0 * 3);
    return thumb;
}

}  // namespace

int ThumbnailScaleDenominator(int fullWidth, int fullHeight) {
    const Size fit = FitSize(fullWidth, fullHeight, kThumbWidth, kThumbHeight);
    for (int d = 8; d > 1; d /= 2) {
        const int w = (fullWidth + d - 1) / d;  // libjpeg rounds scaled sizes up
        const int h = (fullHeight + d - 1) / d;
        if (w >= 2 * fit.width && h >= 2 * fit.height) return d;
    }
    return 1;
}

Bitmap MakeThumbnail(const Bitmap& picture) {
    const Size fit = FitSize(picture.width(), picture.height(), kThumbWidth, kThumbHeight);
    Bitmap fitted(fit.width, fit.height);
    ScaleBitmap(picture, fitted);
    return Centre(fitted);
}

Bitmap ThumbnailFromJpeg(std::span<const std::uint8_t> bytes, const std::string& what) {
    if (bytes.empty()) throw Error("Cannot read picture " + what + ": the file is empty");
    const int orientation = ReadExifOrientation(bytes);
    const auto upright = [orientation](Size s) {
        return SwapsSides(orientation) ? Size{s.height, s.width} : s;
    };
    Bitmap reduced;
    const Size full = upright(DecodeJpegReduced(
        bytes, what,
        [&upright](Size s) {
            const Size u = upright(s);
            return ThumbnailScaleDenominator(u.width, u.height);
        },
        reduced));
    if (orientation != 1) reduced = Oriented(reduced, orientation);
    // The fitted size follows from the full size, so acceptance matches a full decode.
    const Size fit = FitSize(full.width, full.height, kThumbWidth, kThumbHeight);
    if (!(fit == Size{reduced.width(), reduced.height()}) && (fit.width < 1 || fit.height < 2))
        throw Error("Cannot make a thumbnail of " + what);
    Bitmap fitted(fit.width, fit.height);
    ScaleBitmap(reduced, fitted);
    return Centre(fitted);
}

Bitmap ThumbnailFromFile(const std::filesystem::path& path) {
    return ThumbnailFromJpeg(ReadPictureFile(path), "file " + path.string());
}

}  // namespace dorvane::gallery
