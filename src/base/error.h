// SPDX-License-Identifier: GPL-3.0-or-later
// The one exception type of the program: its text is what the user reads.
#pragma once

#include <stdexcept>
#include <string>

namespace dorvane::base {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace dorvane::base
