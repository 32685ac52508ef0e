// SPDX-License-Identifier: GPL-3.0-or-later
// One backend per desktop; each factory lives in the desktop's own file.
#pragma once

#include <memory>

#include "platform/desktop_wallpaper.h"
#include "platform/wallpaper/command_runner.h"

namespace dorvane::wallpaper {

std::unique_ptr<Backend> MakePlasmaBackend();
std::unique_ptr<Backend> MakeSwayBackend(CommandRunner& runner);
std::unique_ptr<Backend> MakeX11RootBackend(CommandRunner& runner);

}  // namespace dorvane::wallpaper
