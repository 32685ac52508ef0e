// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/saved_preview.h"

#include "base/base64.h"
#include "base/memory_stream.h"
#include "compose/overlay.h"
#include "imaging/fit.h"
#include "imaging/jpeg.h"
#include "imaging/scale.h"

namespace dorvane::compose {

std::string MakePreviewText(const Bitmap& screenPicture, const TextLayer& layer) {
    const Size size =
        FitSize(screenPicture.width(), screenPicture.height(), kPreviewBoxWidth, kPreviewBoxHeight);
    Bitmap small(size.width, size.height);
    ScaleBitmap(screenPicture, small);
    OverlayTextLayer(small, layer);
    MemoryStream jpeg(EncodeJpeg(small, 95));
    jpeg.seek(0);
    MemoryStream text;
    Base64Encode(jpeg, text, -1, 0);
    return text.text();
}

}  // namespace dorvane::compose
