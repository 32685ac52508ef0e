// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <string>

#include "base/error.h"
#include "platform/resources.h"

namespace dorvane::platform {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : kProgramIconSizes) {
        const std::string name = "dorvane_" + std::to_string(size);
        if (!HasResource("ICON", name)) continue;
        const ResourceBytes bytes = LoadResource("ICON", name);
        QImage picture;
        if (!picture.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG"))
            throw base::Error("Icon resource \"" + name + "\" cannot be read");
        icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

}  // namespace dorvane::platform
