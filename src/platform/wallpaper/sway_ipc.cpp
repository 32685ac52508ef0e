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

// The text in double quotes, with ", ' and \ escaped by a backslash; nothing when
// it holds a control character other than a tab.
std::optional<QByteArray> Quoted(const QString& text) {
    QByteArray quoted = "\"";
    for (const char c : text.toUtf8()) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) return std::nullopt;
        if (c == '"' || c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::optional<QByteArray> BackgroundCommand(const QString& absPath) {
    const auto path = Quoted(absPath);
    if (!path) return std::nullopt;
    return "output * bg " + *path + " stretch";
}

std::optional<QByteArray> OutputBackgroundCommand(const QString& output, const QString& absPath) {
    const auto name = Quoted(output);
    const auto path = Quoted(absPath);
    if (!name || !path) return std::nullopt;
    return "output " + *name + " bg " + *path + " stretch";
}

QStringList OutputNames(const QByteArray& json) {
    QStringList names;
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    for (const QJsonValue& output : doc.array()) {
        const QString name = output.toObject().value(u"name").toString();
        if (!name.isEmpty()) names << name;
    }
    return names;
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
