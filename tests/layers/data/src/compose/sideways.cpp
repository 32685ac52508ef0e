// SPDX-License-Identifier: GPL-3.0-or-later
// Goes sideways: boards sits above compose.
#include "boards/base64.h"
