// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallpaper/sway_ipc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

namespace dorvane::platform::wallpaper::sway {
namespace {

constexpr char kMagic[] = "i3-ipc";
constexpr int kMagicSize = 6;

}  // namespace

std::optional<QByteArray> BackgroundCommand(const QString& absPath) {
    QByteArray quoted;
    for (const char c : absPath.toUtf8()) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) return std::nullopt;
        if (c == '"' || c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return "output * bg \"" + quoted + "\" stretch";
}

QByteArray EncodeMessage(std::uint32_t type, const QByteArray& payload) {
    // Length and type in the host's byte order, as the protocol has it.
    const auto length = static_cast<std::uint32_t>(payload.size());
    QByteArray message(kMagic, kMagicSize);
    message.append(reinterpret_cast<const char*>(&length), 4);
    message.append(reinterpret_cast<const char*>(&type), 4);
    return message + payload;
}

std::optional<Header> DecodeHeader(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.constData(), kMagic, kMagicSize) != 0)
        return std::nullopt;
    Header h;
    std::memcpy(&h.length, bytes.constData() + kMagicSize, 4);
    std::memcpy(&h.type, bytes.constData() + kMagicSize + 4, 4);
    return h;
}

QString CommandReplyProblem(const QByteArray& json) {
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isArray() || doc.array().isEmpty())
        return QStringLiteral("sway's reply made no sense");
    for (const QJsonValue& result : doc.array()) {
        const QJsonObject o = result.toObject();
        if (o.value(u"success").toBool(false)) continue;
        const QString error = o.value(u"error").toString();
        return error.isEmpty() ? QStringLiteral("sway refused the command") : error.left(300);
    }
    return {};
}

}  // namespace dorvane::platform::wallpaper::sway
