// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSaveFile>
#include <QString>

#include "platform/error.h"

namespace dorvane::platform {

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    QSaveFile file(QString::fromStdString(path.string()));
    file.setDirectWriteFallback(false);  // never write in place, even in a read-only folder
    const auto fail = [&](const QString& why) {
        throw Error("Cannot write " + path.string() + ": " + why.toStdString());
    };
    // A read-only file is not replaced, as a write in place would fail; checked
    // with the effective rights, which QSaveFile's own check does not use.
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS))
        fail("the file is read-only");
    // Unbuffered: a buffered write that fails only when flushed at commit (a full
    // disk, a size limit) would go unnoticed and a cut-off file would be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail(file.errorString());
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    if (file.write(data, static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        fail(file.errorString());
    if (!file.commit()) fail(file.errorString());
}

}  // namespace dorvane::platform
