// SPDX-License-Identifier: GPL-3.0-or-later
// The installed font families as the platform reports them, sorted, each once.
// Needs a QGuiApplication.
#pragma once

#include <string>
#include <vector>

namespace dorvane::compose {

// Installed families, plus each FontChoices name that fontconfig binds to an
// installed family of the same metrics (Arial -> Liberation Sans), so boards keep
// the portable names.
std::vector<std::string> InstalledFontFamilies();

}  // namespace dorvane::compose
