// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>
#include <system_error>

#include "platform/error.h"

namespace dorvane::platform {

AtomicFile::AtomicFile(const std::filesystem::path& path, Flush flush)
    : path_(path), flush_(flush) {
    const QString name = QString::fromStdString(path.string());
    if (flush == Flush::ToDisk) {
        auto saveFile = std::make_unique<QSaveFile>(name);
        saveFile->setDirectWriteFallback(false);  // never write in place, even read-only
        file_ = std::move(saveFile);
    } else {
        file_ = std::make_unique<QTemporaryFile>(name + ".XXXXXX");
    }
    // Unbuffered: a buffered write that fails only when flushed at commit (a full
    // disk, a size limit) would go unnoticed and a cut-off file would be committed.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) fail();
}

AtomicFile::~AtomicFile() = default;  // an uncommitted temporary file is removed

void AtomicFile::write(std::span<const std::uint8_t> bytes) {
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    if (file_->write(data, static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        fail();
}

void AtomicFile::commit() {
    if (flush_ == Flush::ToDisk) {
        if (!static_cast<QSaveFile&>(*file_).commit()) fail();
        return;
    }
    auto& temporary = static_cast<QTemporaryFile&>(*file_);
    // Readable like any file the user makes (a temporary file is private at first).
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const std::string from = temporary.fileName().toStdString();
    temporary.close();
    if (temporary.error() != QFileDevice::NoError) fail();
    std::error_code error;
    std::filesystem::rename(from, path_, error);
    if (error) throw Error("Cannot write " + path_.string() + ": " + error.message());
    temporary.setAutoRemove(false);  // its name is the target's now
}

void AtomicFile::fail() const {
    throw Error("Cannot write " + path_.string() + ": " + file_->errorString().toStdString());
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace dorvane::platform
