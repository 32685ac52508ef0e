// SPDX-License-Identifier: GPL-3.0-or-later
// sway's IPC protocol (the i3 one): framing of messages, the background command,
// and reading its reply.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace dorvane::platform::wallpaper::sway {

inline constexpr std::uint32_t kRunCommand = 0;
inline constexpr int kHeaderSize = 14;                   // "i3-ipc", length, type
inline constexpr std::uint32_t kMaxReplySize = 1 << 16;  // a command reply is a few bytes a command
inline constexpr std::uint32_t kGetOutputs = 3;
// An output's description with its list of modes is a few kilobytes.
inline constexpr std::uint32_t kMaxOutputsReplySize = 1 << 20;

// `output * bg "PATH" stretch`, the path in double quotes with ", ' and \ escaped
// by a backslash. Nothing when the path holds a control character other than a
// tab: a line break would end the command.
std::optional<QByteArray> BackgroundCommand(const QString& absPath);

// `output "NAME" bg "PATH" stretch`, both quoted as above; nothing when either
// holds a control character.
std::optional<QByteArray> OutputBackgroundCommand(const QString& output, const QString& absPath);

// The names of the outputs in a GET_OUTPUTS reply (empty when it makes no sense).
QStringList OutputNames(const QByteArray& json);

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
