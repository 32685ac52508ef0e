// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-ins for the Plasma, sway and X11 root backends until they exist: each
// reports that no supported desktop was found.
#include "platform/wallpaper/backends.h"

namespace dorvane::wallpaper {

std::unique_ptr<Backend> MakePlasmaBackend() {
    return std::make_unique<NoDesktopBackend>(Desktop::Kde);
}

std::unique_ptr<Backend> MakeSwayBackend(CommandRunner&) {
    return std::make_unique<NoDesktopBackend>(Desktop::Sway);
}

std::unique_ptr<Backend> MakeX11RootBackend(CommandRunner&) {
    return std::make_unique<NoDesktopBackend>(Desktop::X11Root);
}

}  // namespace dorvane::wallpaper
