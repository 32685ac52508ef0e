// SPDX-License-Identifier: GPL-3.0-or-later
// One command over sway's IPC socket, with a time limit for the whole exchange.
#pragma once

#include <QByteArray>

namespace dorvane::platform::wallpaper::sway {

// Sends a RUN_COMMAND message and returns the reply's JSON text (at most
// kMaxReplySize bytes). Throws dorvane::base::Error on any failure or when the whole
// exchange takes longer than timeoutMs.
QByteArray RunCommand(const QByteArray& socketPath, const QByteArray& command, int timeoutMs);

// Sends a GET_OUTPUTS message and returns the reply's JSON text (at most
// kMaxOutputsReplySize bytes); throws as RunCommand does.
QByteArray GetOutputs(const QByteArray& socketPath, int timeoutMs);

}  // namespace dorvane::platform::wallpaper::sway
