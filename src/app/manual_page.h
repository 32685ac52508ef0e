// SPDX-License-Identifier: GPL-3.0-or-later
// The manual page dorvane(1), made at build time from doc/dorvane.1.in and the
// command line's tables (command_line_text.h): the template holds the prose, and
// each of its lines @SYNOPSIS@, @COMMANDS@, @OPTIONS@, @MONITORS@, @EXIT_STATUS@,
// @ENVIRONMENT@ and @FILES@ is replaced by the table's rows in troff; @VERSION@
// anywhere by the program's version.
#pragma once

#include <string>
#include <string_view>

namespace dorvane::app {

// Throws std::invalid_argument when a marker is missing or repeated.
std::string ManualPage(std::string_view templateText);

// Plain text for a troff text line: backslashes and hyphens escaped, and a
// leading "." or "'" kept from being read as a request.
std::string TroffText(std::string_view text);

}  // namespace dorvane::app
