// SPDX-License-Identifier: GPL-3.0-or-later
// Failures that no command handles in its own words. Every place where Qt calls
// the program (a click, a key, a timer, a link) runs its command through
// RunCommand, so no exception unwinds through Qt's frames; the error goes to the
// sink the application sets, which shows the general error box later.
#pragma once

#include <functional>
#include <string>

namespace dorvane::platform {

using ErrorSink = std::function<void(const std::string& message)>;

// The application's error box; an empty sink writes to stderr.
void SetErrorSink(ErrorSink sink);

void ReportError(const std::string& message);

// Runs `command`; an exception it throws is reported and goes no further.
void RunCommand(const std::function<void()>& command) noexcept;

}  // namespace dorvane::platform
