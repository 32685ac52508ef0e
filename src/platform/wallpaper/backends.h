// SPDX-License-Identifier: GPL-3.0-or-later
// The backends that BackendFor hands out, each made for the running session.
#pragma once

#include <memory>

#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/command_runner.h"
#include "platform/wallpaper/desktop_detect.h"

namespace dorvane::platform::wallpaper {

std::unique_ptr<Backend> MakePlasmaBackend();
std::unique_ptr<Backend> MakeSwayBackend(CommandRunner& runner);
std::unique_ptr<Backend> MakeX11RootBackend(CommandRunner& runner);

std::unique_ptr<Backend> MakeXfceBackend();  // session bus, the screens' names
std::unique_ptr<Backend> MakeLxqtBackend(CommandRunner& runner);
std::unique_ptr<Backend> MakeLxdeBackend(CommandRunner& runner);

}  // namespace dorvane::platform::wallpaper
