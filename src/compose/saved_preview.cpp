// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/saved_preview.h"

#include "base/base64.h"
#include "base/memory_stream.h"
#include "compose/overlay.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"
#include "imaging/scale.h"

namespace dorvane::compose {

std::string MakePreviewText(const imaging::Bitmap& screenPicture, const TextLayer& layer) {
    const imaging::Size size = imaging::FitSize(screenPicture.width(), screenPicture.height(),
                                                kPreviewBoxWidth, kPreviewBoxHeight);
    imaging::Bitmap small(size.width, size.height);
    imaging::ScaleBitmap(screenPicture, small);
    OverlayTextLayer(small, layer);
    base::MemoryStream jpeg(imaging::EncodeJpeg(small, 95));
    jpeg.seek(0);
    base::MemoryStream text;
    base::Base64Encode(jpeg, text, -1, 0);
    return text.text();
}

}  // namespace dorvane::compose
