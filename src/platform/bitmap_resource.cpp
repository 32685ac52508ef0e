// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/bitmap_resource.h"

#include <QHash>
#include <QString>
#include <mutex>
#include <string>

#include "base/error.h"
#include "platform/resources.h"

namespace dorvane::platform {
namespace {

// Bitmap resources are either BMP or GIF; naming the format spares the reader
// asking every image plugin whether it knows the bytes.
const char* FormatOf(const ResourceBytes& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return "BMP";
    if (bytes.size() >= 4 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F' &&
        bytes[3] == '8')
        return "GIF";
    return nullptr;
}

QImage Decode(std::string_view name) {
    const ResourceBytes bytes = LoadResource("BITMAP", name);
    QImage image;
    const int size = static_cast<int>(bytes.size());
    if (!image.loadFromData(bytes.data(), size, FormatOf(bytes)) &&
        !image.loadFromData(bytes.data(), size))
        throw base::Error("Bitmap resource \"" + std::string(name) + "\" cannot be read");
    return image;
}

}  // namespace

QImage BitmapResource(std::string_view name) {
    // The faces are shown again and again (every page switch sets the side
    // buttons): each is decoded once. QImage shares its pixels, so callers that
    // paint on their copy detach from the cached one.
    static std::mutex mutex;
    static QHash<QString, QImage> decoded;
    const QString key =
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower();
    {
        const std::lock_guard lock(mutex);
        if (auto it = decoded.constFind(key); it != decoded.cend()) return *it;
    }
    QImage image = Decode(name);
    const std::lock_guard lock(mutex);
    decoded.insert(key, image);
    return image;
}

QImage BitmapResource2x(std::string_view name) {
    const std::string twin = std::string(name) + "@2x";
    if (!HasResource("BITMAP", twin)) return {};
    QImage image = BitmapResource(twin);
    image.setDevicePixelRatio(2);
    return image;
}

QImage BitmapResourceFor(std::string_view name, double devicePixelRatio) {
    if (devicePixelRatio > 1)
        if (QImage twin = BitmapResource2x(name); !twin.isNull()) return twin;
    return BitmapResource(name);
}

}  // namespace dorvane::platform
