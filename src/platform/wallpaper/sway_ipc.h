// SPDX-License-Identifier: GPL-3.0-or-later
// sway's IPC protocol (the i3 one): framing of messages, the background command,
// and reading its reply.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace dorvane::platform::wallpaper::sway {

inline constexpr std::uint32_t kRunCommand = 0;
inline constexpr int kHeaderSize = 14;                   // "i3-ipc", length, type
inline constexpr std::uint32_t kMaxReplySize = 1 << 16;  // a command reply is a few bytes a command

// `output * bg "PATH" stretch`, the path in double quotes with ", ' and \ escaped
// by a backslash. Nothing when the path holds a control character other than a
// tab: a line break would end the command.
std::optional<QByteArray> BackgroundCommand(const QString& absPath);

QByteArray EncodeMessage(std::uint32_t type, const QByteArray& payload);

struct Header {
    std::uint32_t length = 0;
    std::uint32_t type = 0;
};
// Nothing when the bytes do not start with the magic string.
std::optional<Header> DecodeHeader(const QByteArray& bytes);

// An empty string when the reply is a JSON array of results that all have
// "success": true; otherwise what sway said (or that the reply made no sense).
QString CommandReplyProblem(const QByteArray& json);

}  // namespace dorvane::platform::wallpaper::sway
