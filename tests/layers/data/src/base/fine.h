// SPDX-License-Identifier: GPL-3.0-or-later
// A made-up tree for the layers check: headers it names need not exist.
#pragma once

#include <string>
